// The kit's commands as a map author meets them: exit statuses, one-line
// messages, and no partial files left behind.
#include "kit_run.h"
#include "map_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

TEST_F(Commands, HelpForEveryCommandAndMisuseOfTheKit)
{
  for (const char *command : {"render", "build", "generate", "stats"}) {
    RUN r = kit({command, "--help"});
    EXPECT_EQ(r.status, 0) << command;
    EXPECT_EQ(r.out.compare(0, 14, "usage: mapkit "), 0) << command;
  }
  EXPECT_EQ(kit({"--help"}).status, 0);
  expect_one_line_failure(kit({}), 2, "no command");
  expect_one_line_failure(kit({"paint"}), 2, "unknown command 'paint'");
  expect_one_line_failure(kit({"render"}), 2, "expects one map file");
  expect_one_line_failure(kit({"render", "--colour", "x"}), 2, "unknown option --colour");
  expect_one_line_failure(kit({"build", "only-one"}), 2, "expects a map text and an output file");
}

// Installed, the kit is hledani-pokladu-mapkit: its help and its messages
// must name the command a map author can type, not the build tree's name.
TEST_F(Commands, TheKitNamesItselfAsItWasStarted)
{
  const std::string installed = "/usr/bin/hledani-pokladu-mapkit";
  RUN overview = kit({"--help"}, installed);
  EXPECT_EQ(overview.out.rfind("usage: hledani-pokladu-mapkit COMMAND ...\n", 0), 0u) << overview.out;
  EXPECT_NE(overview.out.find("'hledani-pokladu-mapkit COMMAND --help'"), std::string::npos) << overview.out;
  RUN render_help = kit({"render", "--help"}, installed);
  EXPECT_NE(render_help.out.find("'hledani-pokladu-mapkit build' turns"), std::string::npos) << render_help.out;
  EXPECT_EQ(render_help.out.find(" mapkit"), std::string::npos) << render_help.out;

  EXPECT_EQ(kit({"paint"}, installed).err,
            "hledani-pokladu-mapkit: unknown command 'paint' (see hledani-pokladu-mapkit --help)\n");
  EXPECT_EQ(kit({"render", path("none")}, "hledani-pokladu-mapkit").err.rfind("hledani-pokladu-mapkit render: ", 0), 0u);
  // A name that says nothing falls back to the kit's own.
  EXPECT_EQ(kit({"paint"}, "").err.rfind("mapkit: unknown", 0), 0u);
  EXPECT_EQ(kit({"paint"}, "/odd/").err.rfind("mapkit: unknown", 0), 0u);
}

TEST_F(Commands, RenderReportsUnreadableMapsAndPrintsABuildableText)
{
  expect_one_line_failure(kit({"render", path("none")}), 1, path("none") + ": No such file");
  expect_one_line_failure(kit({"render", dir}), 1, "is a directory");

  write("m", std::string("\x06\x0a\x00\x07", 4));
  RUN r = kit({"render", path("m")});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string first_row = "#! length 4\n6X." + cell_notation(7) + std::string(36, '.') + "\n";
  EXPECT_EQ(r.out.compare(0, first_row.size(), first_row), 0) << r.out;
  EXPECT_NE(r.out.find("# file: 4 bytes, short"), std::string::npos);
  write("m.txt", r.out);
  ASSERT_EQ(kit({"build", path("m.txt"), path("back")}).status, 0);
  EXPECT_EQ(read("back"), std::string("\x06\x0a\x00\x07", 4));
}

// Render then build gives back the very same bytes, whatever the length:
// empty, inside the first row, around a row's end, around the board's end
// and past it. Longer than the kit's limit, render refuses.
TEST_F(Commands, RenderThenBuildGivesBackEveryFile)
{
  std::mt19937 random(12);
  for (size_t length : {0, 1, 5, 39, 40, 41, 1399, 1400, 1401, 2000}) {
    SCOPED_TRACE(length);
    std::string bytes(length, '\0');
    for (char &b : bytes)
      b = static_cast<char>(random() & 0xff);
    write("map", bytes);
    RUN text = kit({"render", path("map")});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("# file: " + std::to_string(length) + " bytes"), std::string::npos);
    write("map.txt", text.out);
    RUN built = kit({"build", path("map.txt"), path("back")});
    ASSERT_EQ(built.status, 0) << built.err << text.out;
    EXPECT_EQ(built.out, path("back") + ": " + std::to_string(length) + " bytes" +
                             (length < 1400 ? " (short: the cells past them stay empty in the game)\n"
                              : length > 1400 ? " (long: the game reads only the first 1400)\n" : "\n"));
    EXPECT_EQ(read("back"), bytes);
  }
  write("huge", std::string(MAP_FILE_LIMIT + 1, '\x01'));
  expect_one_line_failure(kit({"render", path("huge")}), 1, "longer than 1048576 bytes");
}

// The bytes a plain read gets from path, and the size fstat reports.
std::string read_all(const std::string &path, long *reported)
{
  std::string bytes;
  int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0)
    return bytes;
  struct stat st;
  *reported = fstat(fd, &st) == 0 ? static_cast<long>(st.st_size) : -1;
  char buf[4096];
  ssize_t got;
  while ((got = ::read(fd, buf, sizeof buf)) > 0)
    bytes.append(buf, static_cast<size_t>(got));
  close(fd);
  return bytes;
}

// Pseudo-files report a size that is not their content: sysfs says 4096 for
// a few bytes, procfs says 0 for many. What render and stats report must
// come from the bytes actually read, exactly as the game loads them.
TEST_F(Commands, RenderAndStatsUseTheBytesReadNotTheReportedSize)
{
  const char *pseudo[] = {"/sys/kernel/mm/transparent_hugepage/enabled", "/sys/devices/system/cpu/online",
                          "/sys/devices/system/cpu/possible", "/sys/kernel/mm/transparent_hugepage/defrag",
                          "/proc/self/cmdline"};
  int larger = 0, smaller = 0;
  for (const char *file : pseudo) {
    long reported = -1;
    std::string content = read_all(file, &reported);
    if (reported < 0 || reported == static_cast<long>(content.size()))
      continue;
    SCOPED_TRACE(file);
    larger += reported > static_cast<long>(content.size());
    smaller += reported < static_cast<long>(content.size());
    RUN r = kit({"render", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("# file: " + std::to_string(content.size()) + " bytes, short"), std::string::npos) << r.out;
    write("text", r.out);
    ASSERT_EQ(kit({"build", path("text"), path("back")}).status, 0);
    EXPECT_EQ(read("back"), content);

    // stats plays the same board as on a copy of the bytes in a plain file.
    write("copy", content);
    RUN pseudo_stats = kit({"stats", file, "--players", "3", "--matches", "5"});
    RUN copy_stats = kit({"stats", path("copy"), "--players", "3", "--matches", "5"});
    ASSERT_EQ(pseudo_stats.status, 0) << pseudo_stats.err;
    EXPECT_EQ(pseudo_stats.out.substr(pseudo_stats.out.find('\n')), copy_stats.out.substr(copy_stats.out.find('\n')));
  }
  // A bare build chroot may have neither filesystem mounted; wherever they
  // are (every machine that runs the whole suite), both cases must be found.
  if (access("/sys/devices", F_OK) != 0 || access("/proc/self", F_OK) != 0)
    GTEST_SKIP() << "sysfs or procfs is not mounted here";
  EXPECT_GT(larger, 0) << "no pseudo-file reporting more than its content was found";
  EXPECT_GT(smaller, 0) << "no pseudo-file reporting less than its content was found";
}

TEST_F(Commands, BuildRefusesBadTextsAndLeavesNoFileBehind)
{
  std::string row(40, '.');
  write("bad.txt", row + "\n" + row + "\n" + row.substr(0, 16) + "Q" + row.substr(17) + "\n");
  write("old", "old contents");
  expect_one_line_failure(kit({"build", path("bad.txt"), path("new")}), 1, path("bad.txt") + ":3:17: bad character 'Q'");
  expect_one_line_failure(kit({"build", path("bad.txt"), path("old")}), 1, ":3:17:");
  EXPECT_EQ(read("new"), "<missing>");
  EXPECT_EQ(read("old"), "old contents");
  EXPECT_EQ(entries(), 2);  // bad.txt and old: no temporary file left

  write("short-row.txt", row + "\n" + row.substr(1) + "\n");
  expect_one_line_failure(kit({"build", path("short-row.txt"), path("new")}), 1, "short-row.txt:2: row has only 39 cells");
  expect_one_line_failure(kit({"build", path("missing.txt"), path("new")}), 1, "missing.txt: No such file");
  write("good.txt", row + "\n");
  expect_one_line_failure(kit({"build", path("good.txt"), path("no/such/dir/map")}), 1, "no/such/dir");
  expect_one_line_failure(kit({"build", path("good.txt"), dir}), 1, "is a directory");
  EXPECT_EQ(entries(), 4);

  RUN ok = kit({"build", path("good.txt"), path("old")});
  EXPECT_EQ(ok.status, 0) << ok.err;
  EXPECT_EQ(read("old"), std::string(40, '\0'));
  EXPECT_EQ(entries(), 4);
  struct stat st;
  ASSERT_EQ(stat(path("old").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST_F(Commands, GenerateIsDeterministicAndChecksItsNumbers)
{
  std::vector<std::string> opts = {"--seed", "77", "--find", "6=2%", "--traps=30", "--find", "1=0"};
  std::vector<std::string> a = opts, b = opts;
  a.insert(a.begin(), "generate");
  a.push_back(path("a"));
  b.insert(b.begin(), "generate");
  b.push_back(path("b"));
  ASSERT_EQ(kit(a).status, 0);
  ASSERT_EQ(kit(b).status, 0);
  EXPECT_EQ(read("a").size(), 1400u);
  EXPECT_EQ(read("a"), read("b"));
  std::string map = read("a");
  int sixes = 0, traps = 0, ones = 0;
  for (char c : map) {
    sixes += c == 6;
    traps += c == 10;
    ones += c == 1;
  }
  EXPECT_EQ(sixes, 28);
  EXPECT_EQ(traps, 30);
  EXPECT_EQ(ones, 0);

  ASSERT_EQ(kit({"generate", "--seed", "77", "--rows", "3", path("c")}).status, 0);
  EXPECT_EQ(read("c").size(), 120u);

  expect_one_line_failure(kit({"generate", path("x")}), 2, "--seed is required");
  expect_one_line_failure(kit({"generate", "--seed", "12ab", path("x")}), 2, "bad seed '12ab'");
  expect_one_line_failure(kit({"generate", "--seed", "-5", path("x")}), 2, "bad seed");
  expect_one_line_failure(kit({"generate", "--seed", "1", "--rows", "36", path("x")}), 2, "bad row count");
  expect_one_line_failure(kit({"generate", "--seed", "1", "--find", "0=5", path("x")}), 2, "bad --find '0=5'");
  expect_one_line_failure(kit({"generate", "--seed", "1", "--find", "2", path("x")}), 2, "bad --find");
  expect_one_line_failure(kit({"generate", "--seed", "1", "--traps", "-1", path("x")}), 2, "bad trap amount");
  expect_one_line_failure(kit({"generate", "--seed", "1", "--traps", "1%%", path("x")}), 2, "bad trap amount");
  expect_one_line_failure(kit({"generate", "--seed", "1", "--traps", "90%", path("x")}), 2, "do not fit");
  expect_one_line_failure(kit({"generate", "--seed"}), 2, "--seed needs a value");
  EXPECT_EQ(read("x"), "<missing>");
}

TEST_F(Commands, StatsOnAnAllZeroMapAndOnBadArguments)
{
  write("zero", std::string(1400, '\0'));
  RUN r = kit({"stats", path("zero"), "--players", "4", "--matches", "3"});
  ASSERT_EQ(r.status, 0) << r.err;
  for (int seat = 1; seat <= 4; seat++) {
    char line[64];
    snprintf(line, sizeof line, "%4d        0.00    0.0%%\n", seat);
    EXPECT_NE(r.out.find(line), std::string::npos) << r.out;
  }
  EXPECT_NE(r.out.find("no winner: 100.0%"), std::string::npos);

  RUN again = kit({"stats", path("zero"), "--players", "4", "--matches", "3"});
  EXPECT_EQ(again.out, r.out);

  expect_one_line_failure(kit({"stats", path("zero"), "--matches", "3"}), 2, "--players needs a number 1..8");
  expect_one_line_failure(kit({"stats", path("zero"), "--players", "9", "--matches", "3"}), 2, "--players");
  expect_one_line_failure(kit({"stats", path("zero"), "--players", "2", "--matches", "0"}), 2, "--matches");
  expect_one_line_failure(kit({"stats", path("zero"), "--players", "2", "--matches", "x"}), 2, "--matches");
  expect_one_line_failure(kit({"stats", path("zero"), "--players", "2", "--matches", "1", "--seed", "4294967296"}),
                          2, "bad seed");
  expect_one_line_failure(kit({"stats", path("gone"), "--players", "2", "--matches", "1"}), 1, "gone: No such file");
}

TEST_F(Commands, StatsIsRepeatableForASeed)
{
  ASSERT_EQ(kit({"generate", "--seed", "5", path("m")}).status, 0);
  RUN a = kit({"stats", path("m"), "--players", "3", "--matches", "20", "--seed", "9"});
  RUN b = kit({"stats", path("m"), "--players", "3", "--matches", "20", "--seed", "9"});
  ASSERT_EQ(a.status, 0);
  EXPECT_EQ(a.out, b.out);
}

}  // namespace
