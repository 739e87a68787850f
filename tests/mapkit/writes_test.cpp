// Where the kit's commands write, and what they do when writing fails: an
// output that is one of the inputs, device nodes and FIFOs, the umask, a
// full or closed standard output, a map text given as a map, flushing to the
// disk and the temporary files of saves cut short; and the platform's safe
// write itself, which the kit, the editor's saves and its recovery copy share.
#include "kit_run.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

// Every fsync of this process, noted by a link-time stand-in for the C
// library's: whether it flushed a folder, which file, and which file was at
// flush_watched then (0 for none).
struct FLUSH {
  int folder;
  ino_t inode, watched;
};
static std::vector<FLUSH> flushes;
static std::string flush_watched;

extern "C" int fsync(int fd)
{
  struct stat st, at;
  if (fstat(fd, &st) == 0)
    flushes.push_back({S_ISDIR(st.st_mode), st.st_ino, stat(flush_watched.c_str(), &at) == 0 ? at.st_ino : 0});
  return static_cast<int>(syscall(SYS_fsync, fd));
}

namespace {

const std::string ROW(40, '.');

// The file mode bits of path, or -1.
int mode_of(const std::string &path)
{
  struct stat st;
  return lstat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode) : -1;
}

TEST_F(Commands, AnOutputThatIsAnInputIsRefusedThroughLinksToo)
{
  const std::string text = "# the author's text\n" + ROW + "\n";
  write("same.txt", text);
  ASSERT_EQ(symlink("same.txt", path("soft.txt").c_str()), 0);
  ASSERT_EQ(link(path("same.txt").c_str(), path("hard.txt").c_str()), 0);
  for (const char *out : {"same.txt", "soft.txt", "hard.txt"}) {
    SCOPED_TRACE(out);
    expect_one_line_failure(kit({"build", path("same.txt"), path(out)}), 1, "is the map text itself");
    expect_one_line_failure(kit({"build", path(out), path("same.txt")}), 1, "is the map text itself");
  }
  EXPECT_EQ(read("same.txt"), text);
  EXPECT_EQ(mode_of(path("soft.txt")) & S_IFMT, S_IFLNK);
  EXPECT_EQ(entries(), 3);

  // generate has no input: an existing map is written over as before.
  ASSERT_EQ(kit({"build", path("same.txt"), path("map")}).status, 0);
  RUN again = kit({"generate", "--seed", "3", path("map")});
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(read("map").size(), 1400u);
}

// Only a new path or a regular file is written: a device node, a FIFO or a
// socket (also behind a link) stays as it was and the command fails.
TEST_F(Commands, OnlyANewPathOrARegularFileIsWritten)
{
  write("good.txt", ROW + "\n");
  ASSERT_EQ(mkfifo(path("fifo").c_str(), 0644), 0);
  int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  snprintf(address.sun_path, sizeof address.sun_path, "%s", path("socket").c_str());
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
  std::vector<const char *> odd = {"fifo", "socket", "to-fifo"};
  ASSERT_EQ(symlink("fifo", path("to-fifo").c_str()), 0);
  // A device node needs root, which the suite runs as (a container may
  // still forbid it: the FIFO and the socket take the same way).
  if (mknod(path("nulldev").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
    odd.push_back("nulldev");
  else
    EXPECT_TRUE(geteuid() != 0 || errno == EPERM) << "root could not make a device node: " << strerror(errno);
  for (const char *out : odd) {
    SCOPED_TRACE(out);
    int before = mode_of(path(out));
    expect_one_line_failure(kit({"build", path("good.txt"), path(out)}), 1, "is not a regular file");
    expect_one_line_failure(kit({"generate", "--seed", "1", path(out)}), 1, "is not a regular file");
    EXPECT_EQ(mode_of(path(out)), before);
  }
  close(sock);
  EXPECT_EQ(entries(), 1 + static_cast<int>(odd.size()));

  // A link to a regular file is replaced by the map; its target stays.
  write("target", "kept");
  ASSERT_EQ(symlink("target", path("link").c_str()), 0);
  ASSERT_EQ(kit({"build", path("good.txt"), path("link")}).status, 0);
  EXPECT_EQ(mode_of(path("link")) & S_IFMT, S_IFREG);
  EXPECT_EQ(read("link"), std::string(40, '\0'));
  EXPECT_EQ(read("target"), "kept");
}

// New files get 0666 less the umask; a file written over keeps its mode.
TEST_F(Commands, NewFilesFollowTheUmaskAndReplacedFilesKeepTheirMode)
{
  write("good.txt", ROW + "\n");
  mode_t old = umask(077);
  RUN built = kit({"build", path("good.txt"), path("private")});
  RUN generated = kit({"generate", "--seed", "1", path("random")});
  umask(002);
  RUN shared = kit({"build", path("good.txt"), path("shared")});
  umask(old);
  ASSERT_EQ(built.status, 0) << built.err;
  ASSERT_EQ(generated.status, 0) << generated.err;
  ASSERT_EQ(shared.status, 0) << shared.err;
  EXPECT_EQ(mode_of(path("private")) & 07777, 0600);
  EXPECT_EQ(mode_of(path("random")) & 07777, 0600);
  EXPECT_EQ(mode_of(path("shared")) & 07777, 0664);

  ASSERT_EQ(chmod(path("shared").c_str(), 0640), 0);
  ASSERT_EQ(kit({"build", path("good.txt"), path("shared")}).status, 0);
  EXPECT_EQ(mode_of(path("shared")) & 07777, 0640);
}

// The real program with its standard output full or closed: a message on
// standard error and status 1, never 0 with the output lost.
TEST_F(Commands, AFullOrClosedStandardOutputIsAFailure)
{
  write("good.txt", ROW + "\n");
  ASSERT_EQ(kit({"build", path("good.txt"), path("map")}).status, 0);
  const std::string map = "'" + path("map") + "'";
  const std::string cases[] = {
    "render " + map + " > /dev/full",
    "stats " + map + " --players 2 --matches 3 > /dev/full",
    "render " + map + " >&-",
    "--help > /dev/full",
    "build '" + path("good.txt") + "' '" + path("new") + "' >&-",
  };
  for (const std::string &args : cases) {
    std::string command = std::string(MAPKIT) + " " + args + " 2>'" + path("err") + "'";
    SCOPED_TRACE(command);
    int status = system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::string err = read("err");
    EXPECT_NE(err.find("cannot write the output"), std::string::npos) << err;
    EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
  }
  // To a file, all is well.
  std::string command = std::string(MAPKIT) + " render " + map + " > '" + path("out") + "'";
  EXPECT_EQ(system(command.c_str()), 0);
  EXPECT_EQ(read("out").compare(0, 41, ROW + "\n"), 0);
}

// A map text given where a map file belongs is read as bytes all the same,
// with a warning; a real map gets none.
TEST_F(Commands, AMapTextGivenAsAMapIsNamedSo)
{
  const std::string text = "# Zlaty ostrov\n" + ROW + "\r\n" + "..12XX" + ROW.substr(6) + "\n";
  write("Zlaty ostrov.txt", text);
  for (const std::vector<std::string> &words :
       {std::vector<std::string>{"render", path("Zlaty ostrov.txt")},
        std::vector<std::string>{"stats", path("Zlaty ostrov.txt"), "--players", "2", "--matches", "2"}}) {
    SCOPED_TRACE(words[0]);
    RUN r = kit(words);
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(r.out.empty());
    EXPECT_EQ(r.err, "mapkit " + words[0] + ": " + path("Zlaty ostrov.txt") +
                         ": looks like a map text, not a map file (turn it into one with 'mapkit build'); "
                         "reading its bytes as cells\n");
  }
  EXPECT_NE(kit({"render", path("Zlaty ostrov.txt")}).out.find("# file: " + std::to_string(text.size()) + " bytes"),
            std::string::npos);

  // Maps, even of printable bytes, are not texts without rows of 40.
  write("printable", std::string(1400, 'X'));
  write("shifted", std::string(80, '!') + "\n" + ROW + "\n");
  ASSERT_EQ(kit({"build", path("Zlaty ostrov.txt"), path("real")}).status, 0);
  for (const char *map : {"real", "printable", "shifted"}) {
    SCOPED_TRACE(map);
    RUN r = kit({"render", path(map)});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
  }
}

static ino_t inode_of(const std::string &path)
{
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// A write flushes its new file before the rename makes it the map, and the
// folder after it, for a new map and one written over alike.
TEST_F(Commands, AWriteReachesTheDiskBeforeAndAfterItsRename)
{
  flush_watched = path("map");
  for (const char *seed : {"1", "2"}) {
    SCOPED_TRACE(seed);
    ino_t before = inode_of(path("map"));
    flushes.clear();
    ASSERT_EQ(kit({"generate", "--seed", seed, path("map")}).status, 0);
    ino_t map = inode_of(path("map"));
    ASSERT_EQ(flushes.size(), 2u);
    EXPECT_EQ(flushes[0].folder, 0);
    EXPECT_EQ(flushes[0].inode, map);
    EXPECT_EQ(flushes[0].watched, before);
    EXPECT_EQ(flushes[1].folder, 1);
    EXPECT_EQ(flushes[1].inode, inode_of(dir));
    EXPECT_EQ(flushes[1].watched, map);
  }
}

// A write removes the temporary files that saves cut short left in its
// folder a minute or more ago, and nothing else.
TEST_F(Commands, AWriteRemovesTheStaleTemporaryFilesOfItsFolder)
{
  struct { const char *name; int folder, age, removed; } cases[] = {
    {".mapkit-Ab12yZ", 0, 61, 1},
    {".mapkit-Ab12y0", 0, 60, 1},
    {".mapkit-Ab12y1", 0, 50, 0},   // a save may still be writing it
    {".mapkit-Ab12", 0, 600, 0},    // not a name a save makes
    {".mapkit-Ab12y2", 1, 600, 0},  // a folder
    {"Ab12y3", 0, 600, 0},
  };
  for (auto &c : cases) {
    if (c.folder)
      ASSERT_EQ(mkdir(path(c.name).c_str(), 0755), 0);
    else
      write(c.name, "x");
    struct timeval times[2] = {{time(nullptr) - c.age, 0}, {time(nullptr) - c.age, 0}};
    ASSERT_EQ(utimes(path(c.name).c_str(), times), 0);
  }
  ASSERT_EQ(kit({"generate", "--seed", "1", path("map")}).status, 0);
  for (auto &c : cases)
    EXPECT_EQ(inode_of(path(c.name)) == 0, c.removed) << c.name;
  EXPECT_EQ(entries(), 5);
}

// The safe write on its own, as the recovery copy calls it: with a fixed
// temporary name (whatever a write cut short left there goes first, a link
// too, its target untouched) or a template, and its two failures, each
// leaving the file and the folder as they were.
TEST_F(Commands, TheSafeWriteReplacesWholeOrNotAtAll)
{
  enum { NOTHING, A_FILE, A_LINK, A_FOLDER };
  struct {
    const char *what, *temp;
    int at_temp, at_path, outcome, error;
  } cases[] = {
    {"new file, fixed temporary name", "t", NOTHING, NOTHING, PLATFORM_WRITE_OK, 0},
    {"a write cut short left its file", "t", A_FILE, A_FILE, PLATFORM_WRITE_OK, 0},
    {"a link at the temporary name", "t", A_LINK, A_FILE, PLATFORM_WRITE_OK, 0},
    {"a template", "tXXXXXX", NOTHING, A_FILE, PLATFORM_WRITE_OK, 0},
    {"a folder at the temporary name", "t", A_FOLDER, A_FILE, PLATFORM_WRITE_NO_TEMP, EEXIST},
    {"no such folder", "none/tXXXXXX", NOTHING, A_FILE, PLATFORM_WRITE_NO_TEMP, ENOENT},
    {"a folder at the path", "t", NOTHING, A_FOLDER, PLATFORM_WRITE_FAILED, EISDIR},
  };
  const std::string data = "new bytes\n";
  write("victim", "the link's target");
  for (auto &c : cases) {
    SCOPED_TRACE(c.what);
    std::string temp = path(c.temp), target = path("out");
    if (c.at_temp == A_FILE)
      write(c.temp, "left behind");
    if (c.at_temp == A_LINK) {
      ASSERT_EQ(symlink("victim", temp.c_str()), 0);
    }
    if (c.at_temp == A_FOLDER) {
      ASSERT_EQ(mkdir(temp.c_str(), 0755), 0);
    }
    if (c.at_path == A_FILE)
      write("out", "old bytes");
    if (c.at_path == A_FOLDER) {
      ASSERT_EQ(mkdir(target.c_str(), 0755), 0);
    }
    int before = entries();

    errno = 0;
    EXPECT_EQ(platform_write_file_safely(&temp[0], target.c_str(), data.data(), data.size()), c.outcome);
    if (c.outcome == PLATFORM_WRITE_OK) {
      EXPECT_EQ(read("out"), data);
      EXPECT_EQ(entries(), c.at_path == NOTHING ? before + 1 - (c.at_temp != NOTHING) : before - (c.at_temp != NOTHING));
    } else {
      EXPECT_EQ(errno, c.error);
      EXPECT_EQ(entries(), before);  // the temporary file is gone again
      if (c.at_path == A_FILE) {
        EXPECT_EQ(read("out"), "old bytes");
      }
    }
    EXPECT_EQ(read("victim"), "the link's target");
    EXPECT_EQ(temp.find("XXXXXX"), std::string::npos);  // a template gets its name
    rmdir(path(c.temp).c_str());
    rmdir(target.c_str());
    unlink(path("out").c_str());
  }
}

// A folder's name, cut from a path into a caller's buffer.
TEST(PlatformFolderOf, EveryShapeOfPath)
{
  struct { const char *path, *folder; size_t size; int result; } cases[] = {
    {"mapy/Reka", "mapy", 64, 0},
    {"Reka", ".", 64, 0},
    {"/Reka", "/", 64, 0},
    {"/a/b/Reka", "/a/b", 64, 0},
    {"mapy/", "mapy", 64, 0},
    {"mapy/Reka", "mapy", 5, 0},  // just the folder and its terminator
    {"mapy/Reka", "", 4, -1},
    {"Reka", ".", 2, 0},
    {"Reka", "", 1, -1},
  };
  for (auto &c : cases) {
    char folder[64] = "";
    EXPECT_EQ(platform_folder_of(c.path, folder, c.size), c.result) << c.path;
    if (c.result == 0) {
      EXPECT_STREQ(folder, c.folder) << c.path;
    }
  }
}

}  // namespace
