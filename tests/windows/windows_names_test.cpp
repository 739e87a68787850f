// The Windows game under Wine in a Western code page (1252, which lacks the
// Czech hooked r), installed in a folder named with that letter and started
// from another folder: it finds its image set beside the program, its menu
// draws the map "Řeka" by its name as the Linux game draws it, and a match on
// that map plays the map's finds.
#include "game_driver.h"
#include "match/match.h"
#include "shell/images.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

enum { START_X = 400, START_Y = 407, MAP_LABEL_X = 314, MAP_LABEL_Y = 354 };

auto board_shown = [](const SCREEN_SHOT *s) { return image_on_screen(s, 141, 20) == IMG_CELL_FRAME; };
// The first cell's picture, at its top-left inside the frame.
int first_cell(const SCREEN_SHOT *s) { return image_on_screen(s, 142, 22); }

TEST(WindowsNames, GameInACzechFolderPlaysACzechNamedMap)
{
  ASSERT_TRUE(getenv("POKLAD") && getenv("POKLAD_WINE"));
  // The player's folder holds nothing of the game; the game, its image set
  // and its maps lie in "Hra ř" inside it.
  std::string started_in = make_game_dir();
  std::string game = started_in + u8"/Hra ř";
  std::string setup = "mkdir '" + game + "' && mv '" + started_in + "/tarkoni.dat' '" + started_in + "/mapy' '" +
                      game + "/' && cp '" + getenv("POKLAD") + "' '" + game + "/'";
  ASSERT_EQ(system(setup.c_str()), 0) << setup;
  write_game_file(game, u8"mapy/Řeka", std::string(BOARD_CELLS, '\x05'));
  std::string program = game + "/" + std::string(getenv("POKLAD")).substr(std::string(getenv("POKLAD")).rfind('/') + 1);
  setenv("POKLAD", program.c_str(), 1);

  pid_t pid = 0;
  ASSERT_TRUE(start_game_anywhere(started_in, &pid)) << "no menu: the image set beside the program was not loaded";
  ASSERT_TRUE(move_pointer(5, 5));
  EXPECT_TRUE(wait_screen([](const SCREEN_SHOT *s) { return text_on_screen(s, MAP_LABEL_X, MAP_LABEL_Y, u8"Řeka"); }))
    << "the menu does not show the map's name as the Linux game draws it";

  for (int attempt = 0; attempt < 5 && !wait_screen(board_shown, attempt ? 2000 : 0); attempt++)
    click_at(START_X, START_Y, 1, 250);
  ASSERT_TRUE(wait_screen(board_shown, 0));
  // Every cell of the map is a find of 5: whoever uncovers the first cell
  // (the player by a click, or a computer player) shows that find.
  auto uncovered = [](const SCREEN_SHOT *s) {
    return first_cell(s) != IMG_CELL_COVERED && first_cell(s) != IMG_CELL_HOVER;
  };
  for (int attempt = 0; attempt < 5 && !wait_screen(uncovered, attempt ? 2000 : 0); attempt++) {
    click_at(148, 28, 1, 250);
    move_pointer(5, 5);  // off the board: no highlight over the cell
  }
  static SCREEN_SHOT shot;
  grab_screen(&shot);
  EXPECT_EQ(first_cell(&shot), IMG_FIND_5) << "the map's finds were not loaded";

  EXPECT_EQ(wait_game(pid, 0), -1) << "the game ended by itself";
  (void)!system("wineserver -k");
  (void)!system(("rm -rf '" + started_in + "'").c_str());
}

}  // namespace
