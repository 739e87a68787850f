// The image set: every picture the game shows, by its index in "tarkoni.dat".
// Screens name images only through these constants.
#pragma once

enum {
  IMG_MENU_STRIP = 0,        // bottom strip of the menu
  IMG_FIND_6 = 1,
  IMG_RESULTS_CLOSING = 2,   // closing picture of the results screen
  IMG_PLAYER_1 = 3,          // picture of player p is IMG_PLAYER_1 + p - 1 (3..10)
  IMG_HELP_OVERLAY = 11,
  IMG_END_BUTTON = 12,
  IMG_END_BUTTON_HOVER = 13,
  IMG_TITLE = 14,
  IMG_FIND_3 = 15,
  IMG_CELL_COVERED = 16,
  IMG_CELL_EMPTY = 17,       // revealed cell with nothing, or a value with no picture
  IMG_BACKGROUND = 18,       // 100 x 100 tile
  IMG_NO_WINNER = 19,
  IMG_CELL_FRAME = 20,
  IMG_MAP_FIELD = 21,        // field behind the selected map's name
  IMG_PREV_ARROW = 22,
  IMG_PREV_ARROW_HOVER = 23,
  IMG_NEXT_ARROW = 24,
  IMG_NEXT_ARROW_HOVER = 25,
  IMG_START = 26,
  IMG_START_HOVER = 27,
  IMG_FIND_4 = 28,
  IMG_FIND_1 = 29,
  IMG_QUIT = 30,
  IMG_QUIT_HOVER = 31,
  IMG_WINNER_1 = 32,         // winner picture of player p is IMG_WINNER_1 + p - 1 (32..39)
  IMG_WINNER_CAPTION = 40,
  IMG_TRAP = 41,
  IMG_HELP_BUTTON = 42,
  IMG_HELP_BUTTON_HOVER = 43,
  IMG_FIND_2 = 44,
  IMG_FIND_5 = 45,
  IMG_HIGHLIGHT = 46,        // frame under the hovered menu slot and the current player
  IMG_CELL_HOVER = 47,       // pointer highlight over a board cell
  IMG_COUNT = 48
};

// A player's picture is a card of PLAYER_CARD_W x PLAYER_CARD_H with a
// black plate on which the menu prints the player's kind and the board the
// score, starting at (PLAYER_CARD_TEXT_X, PLAYER_CARD_TEXT_Y) on the card.
enum { PLAYER_CARD_W = 120, PLAYER_CARD_H = 50, PLAYER_CARD_TEXT_X = 7, PLAYER_CARD_TEXT_Y = 38 };

// Backgrounds, the cell frames and the map name field are copied opaque;
// every other image is drawn over them with its magenta parts left out.
inline int image_is_opaque(int index)
{
  return index == IMG_BACKGROUND || index == IMG_CELL_FRAME || index == IMG_MAP_FIELD;
}
