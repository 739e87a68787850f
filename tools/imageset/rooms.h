// How big each picture of the image set may be: the room the screens leave
// it, read from the screens' layouts and the controls' hit rectangles. Shared
// by the painter program, which refuses a picture that outgrows its room, and
// the image set tests. The smallest sizes keep a picture big enough to read.
#pragma once

#include "match/board_layout.h"
#include "match/match.h"
#include "match/results_layout.h"
#include "menu/menu_layout.h"
#include "shell/frame.h"
#include "shell/images.h"

struct IMAGE_ROOM { int min_w, min_h, max_w, max_h; };

inline IMAGE_ROOM image_room(int index)
{
  if (index >= IMG_PLAYER_1 && index < IMG_PLAYER_1 + PLAYER_COUNT)
    return {100, 40, PLAYER_CARD_W, PLAYER_CARD_H};  // a player slot, its plate at the card's text corner
  if (index >= IMG_WINNER_1 && index < IMG_WINNER_1 + PLAYER_COUNT)  // from its corner to the screen's
    return {120, 120, SCREEN_WIDTH - RESULTS_WINNER_X, SCREEN_HEIGHT - RESULTS_WINNER_Y};
  switch (index) {
  case IMG_MENU_STRIP:  // from its corner to the screen's right and bottom edges
    return {SCREEN_WIDTH - MENU_STRIP_X, 10, SCREEN_WIDTH - MENU_STRIP_X, SCREEN_HEIGHT - MENU_STRIP_Y};
  case IMG_RESULTS_CLOSING:  // centred on the screen, down to its bottom edge
    return {100, 16, 2 * (SCREEN_WIDTH / 2 - RESULTS_CLOSING_X), SCREEN_HEIGHT - RESULTS_CLOSING_Y};
  case IMG_HELP_OVERLAY:  // stays over the board
    return {200, 120, BOARD_FRAME_X1 - BOARD_OVERLAY_X, BOARD_FRAME_Y1 - BOARD_OVERLAY_Y};
  case IMG_END_BUTTON: case IMG_END_BUTTON_HOVER:
  case IMG_HELP_BUTTON: case IMG_HELP_BUTTON_HOVER: return {100, 20, BOARD_BUTTON_W, BOARD_BUTTON_H};
  case IMG_TITLE:  // centred, above the slots
    return {200, 40, SCREEN_WIDTH - 2 * MENU_TITLE_X, MENU_SLOT_Y0 - MENU_TITLE_Y};
  case IMG_BACKGROUND: return {TILE_SIZE, TILE_SIZE, TILE_SIZE, TILE_SIZE};  // the tile pitch, nothing less
  case IMG_NO_WINNER:  // centred, above the closing picture
    return {200, 30, SCREEN_WIDTH - 2 * RESULTS_NO_WINNER_X, RESULTS_CLOSING_Y - RESULTS_NO_WINNER_Y};
  case IMG_CELL_FRAME: return {BOARD_PITCH, BOARD_PITCH, BOARD_PITCH, BOARD_PITCH};  // the cell pitch
  case IMG_MAP_FIELD:  // between the arrows
    return {MENU_MAP_FIELD_W, MENU_MAP_FIELD_H, MENU_NEXT_X - MENU_MAP_FIELD_X, MENU_MAP_FIELD_H};
  case IMG_PREV_ARROW: case IMG_PREV_ARROW_HOVER:
  case IMG_NEXT_ARROW: case IMG_NEXT_ARROW_HOVER: return {5, 10, MENU_ARROW_W, MENU_ARROW_H};
  case IMG_START: case IMG_START_HOVER: return {100, 12, MENU_START_W, MENU_START_H};
  case IMG_QUIT: case IMG_QUIT_HOVER: return {100, 12, MENU_QUIT_W, MENU_QUIT_H};
  case IMG_WINNER_CAPTION:  // left of the winner, above the closing picture
    return {150, 30, RESULTS_WINNER_X - RESULTS_CAPTION_X, RESULTS_CLOSING_Y - RESULTS_CAPTION_Y};
  case IMG_HIGHLIGHT: return {MENU_SLOT_W, MENU_SLOT_H, MENU_SLOT_W, MENU_SLOT_H};  // rings the whole slot
  default:  // a cell, one pixel inside its frame
    return {BOARD_CELL_SIZE, BOARD_CELL_SIZE, BOARD_CELL_SIZE, BOARD_CELL_SIZE};
  }
}
