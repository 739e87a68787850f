// The Windows game under Wine never hangs at exit: thirty starts and quits
// in a row, and the window's close button from the menu, a match and the
// results screen, each ending with status 0 within a few seconds.
#include "game_driver.h"
#include "shell/images.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <string>

namespace {

enum { QUIT_X = 400, QUIT_Y = 438, START_X = 400, START_Y = 407, END_X = 70, END_Y = 568 };
// The close button of the frame Wine draws around the 800 x 600 window.
enum { CLOSE_X = 790, CLOSE_Y = -11 };

auto menu_shown = [](const SCREEN_SHOT *s) { return image_on_screen(s, 217, 51) == IMG_TITLE; };
auto board_shown = [](const SCREEN_SHOT *s) { return image_on_screen(s, 141, 20) == IMG_CELL_FRAME; };
auto results_shown = [](const SCREEN_SHOT *s) { return image_on_screen(s, 304, 381) == IMG_RESULTS_CLOSING; };

// Waits until Wine's own processes (the virtual desktop) have ended too: a
// game started while the desktop is closing down never shows its window.
void wine_settle(void)
{
  (void)!system("wineserver -w");
}

class WindowsExit : public ::testing::Test {
protected:
  std::string dir;
  pid_t pid = 0;

  void SetUp() override
  {
    ASSERT_TRUE(getenv("POKLAD") && getenv("POKLAD_WINE") && getenv("ALLEGRO"));
    dir = make_game_dir();
    write_game_file(dir, "mapy/prazdna", "");
  }
  // The game's status, or -1 while it still runs after timeout_ms.
  int wait_game_alive(int timeout_ms)
  {
    for (int waited = 0; waited <= timeout_ms; waited += 50) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) {
        pid = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      sleep_ms(50);
    }
    return -1;
  }
  void TearDown() override
  {
    if (pid > 0) {
      wait_game(pid, 0);
      (void)!system("wineserver -k");  // leave no half-closed desktop behind
    }
    (void)!system(("rm -rf '" + dir + "'").c_str());
  }
  // Starts the game and waits for its menu; the window's place is found
  // from where the title picture shows. A start whose menu never comes has
  // hung on its way in.
  void start()
  {
    ASSERT_TRUE(start_game_anywhere(dir, &pid)) << "the menu never appeared";
    ASSERT_TRUE(move_pointer(5, 5)) << "the game never showed the pointer";
  }
  // Presses until the screen shows what the click leads to (a press can
  // fall between two reads of a slow frame under Wine).
  template <class CHECK> void click_until(int x, int y, CHECK shown)
  {
    for (int attempt = 0; attempt < 5 && !wait_screen(shown, attempt ? 2000 : 0); attempt++)
      click_at(x, y, 1, 250);
    ASSERT_TRUE(wait_screen(shown, 0));
  }
  void close_by_button()
  {
    pointer_to(CLOSE_X, CLOSE_Y);
    sleep_ms(100);
    button_down(1);
    sleep_ms(100);
    button_up(1);
  }
};

TEST_F(WindowsExit, ThirtyStartsAndQuits)
{
  for (int run = 0; run < 30; run++) {
    SCOPED_TRACE("run " + std::to_string(run));
    start();
    int status = -1;
    // The quit press is repeated only while the menu still shows (a press
    // can fall between two reads of a slow frame); a game whose menu is gone
    // but which still runs has hung on its way out.
    for (int attempt = 0; attempt < 5 && status == -1; attempt++) {
      if (attempt > 0) {
        ASSERT_TRUE(wait_screen(menu_shown, 0)) << "the menu is gone but the game still runs: it hung at exit";
      }
      click_at(QUIT_X, QUIT_Y, 1, 250);
      status = wait_game_alive(4000);
    }
    ASSERT_EQ(status, 0) << "the game did not end (-1: killed after the wait)";
    wine_settle();
  }
}

TEST_F(WindowsExit, CloseButtonEndsTheGameFromEveryScreen)
{
  for (int screen = 0; screen < 3; screen++) {
    SCOPED_TRACE("screen " + std::to_string(screen));
    start();
    if (screen >= 1)
      click_until(START_X, START_Y, board_shown);
    if (screen == 2)
      click_until(END_X, END_Y, results_shown);
    close_by_button();
    EXPECT_EQ(wait_game(pid, 5000), 0);
    pid = 0;
    wine_settle();
  }
}

}  // namespace

namespace {

// Run by installer_test.sh with INSTALLED_DIR, the installed game's folder
// (its shortcuts' working folder): a player's map put into its mapy shows
// in the menu beside the shipped ones. The arrows step through the list.
TEST(WindowsInstalled, ListsAPlayersMap)
{
  const char *installed = getenv("INSTALLED_DIR");
  const char *name = getenv("PLAYER_MAP");
  if (!installed || !name)
    GTEST_SKIP() << "run by installer_test.sh";
  pid_t pid = 0;
  ASSERT_TRUE(start_game_anywhere(installed, &pid)) << "the menu never appeared";
  ASSERT_TRUE(move_pointer(5, 5));
  auto label_is = [](const char *text) {
    return [=](const SCREEN_SHOT *s) { return text_on_screen(s, 314, 354, text); };
  };
  int listed = wait_screen(label_is(name), 1000);
  static SCREEN_SHOT before, after;
  for (int step = 0; step < 12 && !listed; step++) {
    grab_screen(&before);
    // Press the next arrow until the picture changes or the list's end holds
    // it: once the game has caught up with a press, its picture shows all the
    // press did; three that changed nothing mean the end (or missed presses).
    for (int attempt = 0; attempt < 3; attempt++) {
      click_at(496, 357, 1, 150);
      ASSERT_TRUE(input_caught_up(5, 5)) << "the game stopped drawing the pointer";
      grab_screen(&after);
      if (memcmp(&before, &after, sizeof before) != 0)
        break;
    }
    listed = wait_screen(label_is(name), 500);
  }
  EXPECT_TRUE(listed) << "the player's map '" << name << "' is not in the menu";
  click_at(QUIT_X, QUIT_Y, 1, 250);
  int status = wait_game(pid, 5000);
  if (status == -1) {
    click_at(QUIT_X, QUIT_Y, 1, 250);
    status = wait_game(pid, 5000);
  }
  EXPECT_EQ(status, 0);
}

}  // namespace

namespace {

// Run by zip_test.sh with WAIT_FOR_MENU set, while it starts the game its own
// way (a double-click, okno.bat): ends once the menu's title shows anywhere
// on the X screen, so that the script then reads how the game shows it.
TEST(WindowsInstalled, MenuShows)
{
  if (!getenv("WAIT_FOR_MENU"))
    GTEST_SKIP() << "run by zip_test.sh";
  int x = 0, y = 0, shown = 0;
  for (int waited = 0; waited < 60000 && !shown; waited += 100) {
    sleep_ms(100);
    shown = locate_image_on_root(IMG_TITLE, &x, &y);
  }
  EXPECT_TRUE(shown) << "the menu never appeared";
}

}  // namespace
