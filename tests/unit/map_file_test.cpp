// Loading map files: sizes, bytes taken as they are, and paths that name
// nothing readable.
#include "match/match.h"
#include "platform/platform.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

class MapFile : public ::testing::Test {
protected:
  std::string dir;
  int cells[BOARD_CELLS];

  void SetUp() override
  {
    dir = temp_folder("mapfile");
    for (int &c : cells)
      c = 77;  // load must overwrite every cell
  }
  void TearDown() override { remove_folder(dir); }

  std::string write(const char *name, const std::vector<unsigned char> &bytes)
  {
    std::string path = dir + "/" + name;
    FILE *f = fopen(path.c_str(), "wb");
    if (!bytes.empty())
      fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    return path;
  }
  void expect_empty_from(int first)
  {
    for (int i = first; i < BOARD_CELLS; i++)
      ASSERT_EQ(cells[i], 0) << "cell " << i;
  }
};

std::vector<unsigned char> pattern(size_t n)
{
  std::vector<unsigned char> bytes(n);
  for (size_t i = 0; i < n; i++)
    bytes[i] = static_cast<unsigned char>((i * 7 + 3) % 256);
  return bytes;
}

TEST_F(MapFile, FullFileFillsEveryCellInIndexOrder)
{
  auto bytes = pattern(1400);
  EXPECT_EQ(map_load(cells, write("full", bytes).c_str()), 1400);
  for (int i = 0; i < BOARD_CELLS; i++)
    ASSERT_EQ(cells[i], bytes[i]);
  // byte 1399 is column 39, row 34
  EXPECT_EQ(cells[39 + 40 * 34], bytes[1399]);
}

TEST_F(MapFile, LongFileIsCutAt1400Bytes)
{
  auto bytes = pattern(1500);
  EXPECT_EQ(map_load(cells, write("long", bytes).c_str()), 1400);
  for (int i = 0; i < BOARD_CELLS; i++)
    ASSERT_EQ(cells[i], bytes[i]);
}

TEST_F(MapFile, ShortFileLeavesTheRestEmpty)
{
  EXPECT_EQ(map_load(cells, write("five", {1, 2, 3, 4, 5}).c_str()), 5);
  for (int i = 0; i < 5; i++)
    EXPECT_EQ(cells[i], i + 1);
  expect_empty_from(5);
}

TEST_F(MapFile, BytesAreTakenUnchanged)
{
  // A 10 is a trap wherever it stands (no line-end handling), 26 and 255 too.
  std::vector<unsigned char> bytes(86, 0);
  bytes[0] = 13;
  bytes[1] = 26;
  bytes[2] = 255;
  bytes[85] = 10;
  map_load(cells, write("bytes", bytes).c_str());
  EXPECT_EQ(cells[0], 13);
  EXPECT_EQ(cells[1], 26);
  EXPECT_EQ(cells[2], 255);
  EXPECT_EQ(cells[5 + 40 * 2], CELL_TRAP);
}

TEST_F(MapFile, NothingReadableGivesAnEmptyBoard)
{
  EXPECT_EQ(map_load(cells, write("empty", {}).c_str()), 0);
  expect_empty_from(0);
  for (int &c : cells)
    c = 77;
  EXPECT_EQ(map_load(cells, (dir + "/missing").c_str()), 0);
  expect_empty_from(0);
  for (int &c : cells)
    c = 77;
  EXPECT_EQ(map_load(cells, nullptr), 0);
  expect_empty_from(0);
  EXPECT_EQ(map_load(cells, ""), 0);
  ASSERT_EQ(mkdir((dir + "/sub").c_str(), 0755), 0);
  EXPECT_EQ(map_load(cells, (dir + "/sub").c_str()), 0);
  expect_empty_from(0);
  EXPECT_EQ(map_load(cells, "/dev/zero"), 0);
  expect_empty_from(0);
}

TEST_F(MapFile, FifoWithoutWriterDoesNotBlock)
{
  std::string path = dir + "/fifo";
  ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
  EXPECT_EQ(map_load(cells, path.c_str()), 0);
  expect_empty_from(0);
}

// Root reads every file, and CI runs as root: the load runs in a child that
// first gives up root for the unprivileged "nobody" (65534), and reports by
// its exit status. A readable file beside the locked one must still load
// there, so the empty board comes from the file's permissions alone.
enum { NOBODY = 65534 };
enum { CHILD_OK, CHILD_STILL_ROOT, CHILD_READABLE_FAILED, CHILD_LOCKED_LOADED };

int load_as_unprivileged(const std::string &readable, const std::string &locked)
{
  if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(NOBODY) != 0 || setuid(NOBODY) != 0))
    return CHILD_STILL_ROOT;
  if (geteuid() == 0 || getegid() == 0)
    return CHILD_STILL_ROOT;
  int cells[BOARD_CELLS];
  if (map_load(cells, readable.c_str()) != 10)
    return CHILD_READABLE_FAILED;
  for (int &c : cells)
    c = 77;
  if (map_load(cells, locked.c_str()) != 0)
    return CHILD_LOCKED_LOADED;
  for (int c : cells)
    if (c != CELL_EMPTY)
      return CHILD_LOCKED_LOADED;
  return CHILD_OK;
}

TEST_F(MapFile, UnreadableFileGivesAnEmptyBoard)
{
  ASSERT_EQ(chmod(dir.c_str(), 0755), 0);  // nobody may look inside
  std::string readable = write("open", pattern(10));
  std::string locked = write("locked", pattern(10));
  ASSERT_EQ(chmod(locked.c_str(), 0), 0);
  fflush(nullptr);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0)
    _exit(load_as_unprivileged(readable, locked));
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "child ended with status " << status;
  EXPECT_NE(WEXITSTATUS(status), CHILD_STILL_ROOT) << "the child could not give up root";
  EXPECT_NE(WEXITSTATUS(status), CHILD_READABLE_FAILED) << "the readable file did not load as nobody";
  EXPECT_NE(WEXITSTATUS(status), CHILD_LOCKED_LOADED) << "the locked file loaded";
  EXPECT_EQ(WEXITSTATUS(status), CHILD_OK);
}

// The file seam's kinds, which decide what the game and the kit read: links
// are followed, and only a regular file counts as one.
TEST_F(MapFile, SeamTellsWhatIsAtAPath)
{
  std::string file = write("file", pattern(3));
  ASSERT_EQ(mkdir((dir + "/folder").c_str(), 0755), 0);
  ASSERT_EQ(mkfifo((dir + "/fifo").c_str(), 0644), 0);
  ASSERT_EQ(symlink("file", (dir + "/to file").c_str()), 0);
  ASSERT_EQ(symlink("folder", (dir + "/to folder").c_str()), 0);
  ASSERT_EQ(symlink("none", (dir + "/dangling").c_str()), 0);
  const struct {
    const char *name;
    int kind;
  } KINDS[] = {
    {"file", PLATFORM_REGULAR}, {"folder", PLATFORM_DIRECTORY}, {"fifo", PLATFORM_OTHER},
    {"to file", PLATFORM_REGULAR}, {"to folder", PLATFORM_DIRECTORY}, {"dangling", PLATFORM_NOTHING},
    {"none", PLATFORM_NOTHING},
  };
  for (const auto &k : KINDS) {
    std::string path = dir + "/" + k.name;
    EXPECT_EQ(platform_path_kind(path.c_str()), k.kind) << k.name;
    int fd = platform_open_read(path.c_str());
    EXPECT_EQ(fd >= 0 ? platform_fd_kind(fd) : PLATFORM_NOTHING, k.kind) << k.name;
    if (fd >= 0) {
      EXPECT_EQ(platform_close(fd), 0);
    }
  }
  int fd = platform_open_read(file.c_str());
  unsigned char bytes[8];
  EXPECT_EQ(platform_read(fd, bytes, sizeof bytes), 3);
  EXPECT_EQ(platform_read(fd, bytes, sizeof bytes), 0);
  platform_close(fd);
  EXPECT_EQ(platform_remove_file(file.c_str()), 0);
  EXPECT_EQ(platform_remove_file(file.c_str()), -1);
  EXPECT_EQ(platform_path_kind(file.c_str()), PLATFORM_NOTHING);
}

// Linux programs work where they are started: nothing moves them, and a
// path on the command line stays as it was given.
TEST_F(MapFile, SeamKeepsTheStartingFolderOnLinux)
{
  std::string before = platform_current_folder();
  ASSERT_EQ(platform_enter_folder(dir.c_str()), 0);
  EXPECT_EQ(platform_enter_data_folder("tarkoni.dat"), "");
  EXPECT_EQ(platform_current_folder(), dir);
  EXPECT_EQ(platform_enter_folder((dir + "/none").c_str()), -1);
  ASSERT_EQ(platform_enter_folder(before.c_str()), 0);
  const struct {
    const char *from, *path, *seen;
  } PATHS[] = {
    {"", "map", "map"}, {"/home/hrac", "map", "/home/hrac/map"},
    {"/home/hrac", "mapy/Řeka", "/home/hrac/mapy/Řeka"}, {"/home/hrac", "/tmp/map", "/tmp/map"},
  };
  for (const auto &c : PATHS)
    EXPECT_EQ(platform_path_from(c.from, c.path), c.seen) << c.from << " + " << c.path;
}

}  // namespace
