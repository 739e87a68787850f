// How big each picture of the image set may be: the room the screens leave
// it, from the screen layout and the controls' hit rectangles. Shared by the
// painter program, which refuses a picture that outgrows its room, and the
// image set tests.
#pragma once

#include "shell/images.h"

struct IMAGE_ROOM { int min_w, min_h, max_w, max_h; };

inline IMAGE_ROOM image_room(int index)
{
  if (index >= IMG_PLAYER_1 && index < IMG_PLAYER_1 + 8)
    return {100, 40, 120, 50};             // a player slot; its label sits at (7, 38)
  if (index >= IMG_WINNER_1 && index < IMG_WINNER_1 + 8)
    return {120, 120, 280, 318};           // from (520, 282) to the screen's corner
  switch (index) {
  case IMG_MENU_STRIP: return {800, 10, 800, 25};           // y 575 to the bottom edge
  case IMG_RESULTS_CLOSING: return {100, 16, 194, 210};      // centred under the caption, left of the winner
  case IMG_HELP_OVERLAY: return {200, 120, 543, 400};       // stays over the board
  case IMG_END_BUTTON: case IMG_END_BUTTON_HOVER:
  case IMG_HELP_BUTTON: case IMG_HELP_BUTTON_HOVER: return {100, 20, 120, 23};
  case IMG_TITLE: return {200, 40, 368, 100};               // centred, above the slots at y 150
  case IMG_BACKGROUND: return {100, 100, 100, 100};         // the tile pitch, nothing less
  case IMG_NO_WINNER: return {200, 30, 564, 98};            // centred, above the closing picture
  case IMG_CELL_FRAME: return {16, 16, 16, 16};             // the cell pitch
  case IMG_MAP_FIELD: return {183, 14, 183, 14};            // x 310 up to the next-map arrow
  case IMG_PREV_ARROW: case IMG_PREV_ARROW_HOVER:
  case IMG_NEXT_ARROW: case IMG_NEXT_ARROW_HOVER: return {5, 10, 7, 14};
  case IMG_START: case IMG_START_HOVER: return {100, 12, 125, 14};
  case IMG_QUIT: case IMG_QUIT_HOVER: return {100, 12, 129, 17};
  case IMG_WINNER_CAPTION: return {150, 30, 303, 98};       // left of the winner, above the closing picture
  case IMG_HIGHLIGHT: return {120, 50, 120, 50};            // rings the whole slot
  default: return {15, 15, 15, 15};                         // a cell, one pixel inside its frame
  }
}
