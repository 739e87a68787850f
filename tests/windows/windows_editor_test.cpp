// The Windows map editor under Wine: it starts in a folder holding the image
// set, its window shows the palette and the empty board, and the window's
// close button ends it with status 0 (no changes, so no question).
#include "game_driver.h"
#include "shell/images.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace {

// Where the editor draws (tools/editor/editor_ui.h): the first palette
// entry's cell frame is its top-left-most frame pixel.
enum { FIRST_FRAME_X = 9, FIRST_FRAME_Y = 7 };
// The close button of the frame Wine draws around the 800 x 600 window.
enum { CLOSE_X = 790, CLOSE_Y = -11 };

auto board_shown = [](const SCREEN_SHOT *s) {
  return image_on_screen(s, 140, 20) == IMG_CELL_FRAME && image_on_screen(s, 144, 24) == IMG_CELL_EMPTY &&
         image_on_screen(s, 141 + 16 * 20 + 3, 21 + 16 * 10 + 3) == IMG_CELL_EMPTY;
};

TEST(WindowsEditor, ShowsTheBoardAndClosesCleanly)
{
  ASSERT_TRUE(getenv("POKLAD") && getenv("POKLAD_WINE"));
  std::string dir = make_game_dir();
  set_game_origin(0, 0);
  pid_t pid = start_game(dir);
  int x = 0, y = 0, found = 0;
  for (int waited = 0; waited < 30000 && !found; waited += 100) {
    sleep_ms(100);
    found = locate_image_on_root(IMG_CELL_FRAME, &x, &y);
  }
  ASSERT_TRUE(found) << "the editor's window never showed";
  set_game_origin(x - FIRST_FRAME_X, y - FIRST_FRAME_Y);
  EXPECT_TRUE(wait_screen(board_shown, 10000)) << "the window shows no empty board";

  // The close press is repeated while the editor still runs (a press can
  // fall between two reads of a slow frame under Wine).
  int status = -1;
  for (int attempt = 0; attempt < 5 && status == -1; attempt++) {
    pointer_to(CLOSE_X, CLOSE_Y);
    sleep_ms(100);
    button_down(1);
    sleep_ms(100);
    button_up(1);
    for (int waited = 0; waited <= 3000 && status == -1; waited += 50) {
      int raw = 0;
      if (waitpid(pid, &raw, WNOHANG) == pid)
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
      else
        sleep_ms(50);
    }
  }
  if (status == -1)
    wait_game(pid, 0);  // kills it
  EXPECT_EQ(status, 0) << "the close button did not end the editor with status 0";
  (void)!system("wineserver -k");
  (void)!system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
