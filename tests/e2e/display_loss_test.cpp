// The real game never outlives its display: its X server killed, SIGTERM,
// SIGHUP and SIGINT, and both at once, on the menu, a match, the help and a
// results screen, each many times in a row; and `timeout ... xvfb-run`
// around the game, which signals the game while its server is dying.
#include "game_driver.h"
#include "match/board_layout.h"
#include "match/results_layout.h"
#include "menu/menu_layout.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

// Limits on how long the game may take to end, and how long a test waits
// for it before counting it as stuck (it is then killed).
enum { DISPLAY_LOST_LIMIT_MS = 2000, SIGNAL_LIMIT_MS = 1000, STUCK_MS = 5000 };

enum { ON_MENU, ON_MATCH, ON_HELP, ON_RESULTS, SCREENS };
const char *const screen_names[SCREENS] = {"menu", "match", "help", "results"};

const int ending_signals[] = {SIGTERM, SIGHUP, SIGINT};

// Whether image shows just inside its corner (x, y).
bool shows(const SCREEN_SHOT *s, int image, int x, int y) { return image_on_screen(s, x + 1, y + 1) == image; }

auto menu_shown = [](const SCREEN_SHOT *s) { return shows(s, IMG_TITLE, MENU_TITLE_X, MENU_TITLE_Y); };
auto board_shown = [](const SCREEN_SHOT *s) {
  return image_on_screen(s, BOARD_FRAME_X0 + 1, BOARD_FRAME_Y0) == IMG_CELL_FRAME;
};
auto help_shown = [](const SCREEN_SHOT *s) { return shows(s, IMG_HELP_OVERLAY, BOARD_OVERLAY_X, BOARD_OVERLAY_Y); };
auto results_shown = [](const SCREEN_SHOT *s) {
  return shows(s, IMG_RESULTS_CLOSING, RESULTS_CLOSING_X, RESULTS_CLOSING_Y);
};

double now_ms(void)
{
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// Drives a game that has just started to screen; false if it never got there.
bool reach(int screen)
{
  if (!wait_screen(menu_shown, 10000))
    return false;
  if (screen == ON_MENU)
    return true;
  const MENU_CONTROL *start = menu_control(HOVER_START);
  int start_x = start->x + start->w / 2, start_y = start->y + start->h / 2;
  if (!click_until(start_x, start_y, 1, start_x, start_y, board_shown, menu_shown))
    return false;
  int button_x = BOARD_BUTTON_X + BOARD_BUTTON_W / 2;
  int help_y = BOARD_HELP_Y + BOARD_BUTTON_H / 2, end_y = BOARD_END_Y + BOARD_BUTTON_H / 2;
  if (screen == ON_HELP)
    return click_until(button_x, help_y, 1, button_x, help_y, help_shown, board_shown);
  if (screen == ON_RESULTS)
    return click_until(button_x, end_y, 1, button_x, end_y, results_shown, board_shown);
  return true;
}

// How a game ended and how long after the cause it took.
struct ENDING {
  int status;  // as wait_game gives it, -1 for still running after STUCK_MS
  double ms;
};

ENDING wait_ending(pid_t game, double since)
{
  ENDING end;
  end.status = wait_game(game, STUCK_MS);
  end.ms = now_ms() - since;
  return end;
}

std::string describe(const char *what, int screen, int round)
{
  return std::string(what) + " on the " + screen_names[screen] + ", round " + std::to_string(round);
}

// The running processes whose parent is parent.
std::vector<pid_t> children_of(pid_t parent)
{
  std::vector<pid_t> found;
  DIR *proc = opendir("/proc");
  while (dirent *e = readdir(proc)) {
    pid_t pid = atoi(e->d_name);
    if (pid <= 0)
      continue;
    char path[64], state = 0;
    int their_parent = 0;
    snprintf(path, sizeof path, "/proc/%d/stat", pid);
    FILE *f = fopen(path, "r");
    if (!f)
      continue;
    // pid (comm) state ppid: comm may hold spaces, so read from its ')'.
    char line[512] = {};
    (void)!fgets(line, sizeof line, f);
    fclose(f);
    const char *close = strrchr(line, ')');
    if (close && sscanf(close + 1, " %c %d", &state, &their_parent) == 2 && their_parent == parent &&
        state != 'Z')
      found.push_back(pid);
  }
  closedir(proc);
  return found;
}

std::string command_name(pid_t pid)
{
  char path[64], name[64] = {};
  snprintf(path, sizeof path, "/proc/%d/comm", pid);
  FILE *f = fopen(path, "r");
  if (f) {
    (void)!fgets(name, sizeof name, f);
    fclose(f);
  }
  return std::string(name, strcspn(name, "\n"));
}

class DisplayLoss : public ::testing::Test {
protected:
  std::string dir;
  pid_t server = -1;
  double slowest = 0;

  void SetUp() override
  {
    dir = make_game_dir();
    server = start_server();
    ASSERT_GT(server, 0) << "Xvfb did not start";
  }
  void TearDown() override
  {
    if (server > 0)
      stop_server(server, SIGTERM);
    printf("slowest ending: %.0f ms\n", slowest);
    (void)!system(("rm -rf '" + dir + "'").c_str());
  }
  // A fresh server, after the test killed the last one.
  void restart_server()
  {
    server = start_server();
    ASSERT_GT(server, 0) << "Xvfb did not start";
  }
  // The game started and driven to screen; -1 when it never got there.
  pid_t game_on(int screen)
  {
    pid_t game = start_game(dir);
    if (!reach(screen)) {
      wait_game(game, 0);
      return -1;
    }
    return game;
  }
  void note(const ENDING &end) { slowest = end.ms > slowest ? end.ms : slowest; }
};

// Whichever of the server's deaths, on every screen: the game ends on its own
// and says the display was lost.
TEST_F(DisplayLoss, KilledServerEndsTheGameOnEveryScreen)
{
  const int server_deaths[] = {SIGKILL, SIGTERM};
  for (int round = 0; round < 2; round++)
    for (int screen = 0; screen < SCREENS; screen++) {
      if (round + screen > 0)
        restart_server();
      pid_t game = game_on(screen);
      ASSERT_GT(game, 0) << describe("driving", screen, round);
      double since = now_ms();
      stop_server(server, server_deaths[round]);
      server = -1;
      ENDING end = wait_ending(game, since);
      note(end);
      EXPECT_EQ(end.status, EXIT_DISPLAY_LOST) << describe("server killed", screen, round);
      EXPECT_LE(end.ms, DISPLAY_LOST_LIMIT_MS) << describe("server killed", screen, round);
    }
}

// Each signal on every screen, the server staying up: the game dies by that
// signal, as its sender expects.
TEST_F(DisplayLoss, SignalsEndTheGameOnEveryScreen)
{
  int round = 0;
  for (int sig : ending_signals)
    for (int screen = 0; screen < SCREENS; screen++, round++) {
      pid_t game = game_on(screen);
      ASSERT_GT(game, 0) << describe("driving", screen, round);
      double since = now_ms();
      kill(game, sig);
      ENDING end = wait_ending(game, since);
      note(end);
      EXPECT_EQ(end.status, 128 + sig) << describe(strsignal(sig), screen, round);
      EXPECT_LE(end.ms, SIGNAL_LIMIT_MS) << describe(strsignal(sig), screen, round);
    }
}

// A signal and the server's death at the same moment, in either order: the
// game ends in time, by the signal or as having lost its display.
TEST_F(DisplayLoss, SignalWhileTheServerGoesAway)
{
  int round = 0;
  for (int sig : ending_signals)
    for (int screen = 0; screen < SCREENS; screen++, round++) {
      if (round > 0)
        restart_server();
      pid_t game = game_on(screen);
      ASSERT_GT(game, 0) << describe("driving", screen, round);
      double since = now_ms();
      close_test_display();
      if (round % 2)
        kill(game, sig);
      kill(server, round % 4 < 2 ? SIGTERM : SIGKILL);
      if (round % 2 == 0)
        kill(game, sig);
      ENDING end = wait_ending(game, since);
      stop_server(server, SIGKILL);
      server = -1;
      note(end);
      EXPECT_TRUE(end.status == 128 + sig || end.status == EXIT_DISPLAY_LOST)
          << describe(strsignal(sig), screen, round) << ": status " << end.status;
      EXPECT_LE(end.ms, SIGNAL_LIMIT_MS) << describe(strsignal(sig), screen, round);
    }
}

// Behind its start-up message box the game waits for the box to close, so
// only the guard's own deadline can end it in time.
TEST_F(DisplayLoss, SignalsEndTheGameBehindItsMessageBox)
{
  write_game_file(dir, "tarkoni.dat", "");  // the image set fails to load
  for (int sig : ending_signals) {
    pid_t game = start_game(dir);
    pid_t box = 0;  // the game's child running xmessage (the image set's trial load comes first)
    for (double deadline = now_ms() + 10000; !box && now_ms() < deadline; sleep_ms(10))
      for (pid_t child : children_of(game))
        if (command_name(child) == "xmessage")
          box = child;
    ASSERT_NE(box, 0) << "no message box came up";
    double since = now_ms();
    kill(game, sig);
    ENDING end = wait_ending(game, since);
    kill(box, SIGTERM);
    note(end);
    EXPECT_EQ(end.status, 128 + sig) << strsignal(sig);
    EXPECT_LE(end.ms, SIGNAL_LIMIT_MS) << strsignal(sig);
  }
}

// Started under nohup, the game keeps SIGHUP ignored.
TEST_F(DisplayLoss, IgnoredHangupStaysIgnored)
{
  signal(SIGHUP, SIG_IGN);  // inherited by the game
  pid_t game = start_game(dir);
  signal(SIGHUP, SIG_DFL);
  ASSERT_TRUE(reach(ON_MENU));
  kill(game, SIGHUP);
  // A handled SIGHUP ends the game within SIGNAL_LIMIT_MS; running all
  // through twice that means it was ignored.
  for (double deadline = now_ms() + 2 * SIGNAL_LIMIT_MS; now_ms() < deadline; sleep_ms(10)) {
    int status = 0;
    ASSERT_EQ(waitpid(game, &status, WNOHANG), 0) << "the game ended on SIGHUP, status " << status;
  }
  kill(game, SIGTERM);
  EXPECT_EQ(wait_game(game, STUCK_MS), 128 + SIGTERM);
}

// The command of the report: `timeout` signals its whole process group, so
// the game gets SIGTERM while xvfb-run takes its server down. Each run ends
// at another moment, from start-up into the menu.
TEST(TimeoutAroundXvfbRun, LeavesNoGameBehind)
{
  enum { RUNS = 12, ALL_GONE_MS = 1500 };
  ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
  std::string dir = make_game_dir();
  // xvfb-run keeps its files in a folder of TMPDIR that a timed-out run
  // leaves behind: here it is inside the test's own folder.
  std::string tmpdir = "TMPDIR=" + dir + "/tmp";
  ASSERT_EQ(mkdir((dir + "/tmp").c_str(), 0700), 0);
  int left_behind = 0;
  for (int run = 0; run < RUNS; run++) {
    std::string seconds = std::to_string(1.0 + 0.1 * (run % 11));
    const char *const command[] = {"env", tmpdir.c_str(), "timeout", seconds.c_str(), "xvfb-run", "-a", "-s",
                                   "-screen 0 800x600x16", getenv("POKLAD"), nullptr};
    waitpid(start_in_dir(dir, command), nullptr, 0);
    double deadline = now_ms() + ALL_GONE_MS;
    std::vector<pid_t> left;
    do {
      sleep_ms(10);
      while (waitpid(-1, nullptr, WNOHANG) > 0) {  // orphans come to the test, its own subreaper
      }
      left = children_of(getpid());
    } while (!left.empty() && now_ms() < deadline);
    for (pid_t pid : left) {
      std::string name = command_name(pid);
      ADD_FAILURE() << "run " << run << " (" << seconds << " s): " << name << " still running";
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    left_behind += !left.empty();
  }
  printf("runs that left a process behind: %d of %d\n", left_behind, RUNS);
  (void)!system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
