// The test image set's colours and sizes, shared by the program that writes
// it and the tests that read frames composed with it.
#pragma once

#include "shell/images.h"

enum { TEST_IMAGE_COUNT = IMG_COUNT };

struct TEST_RGB { unsigned char r, g, b; };
struct TEST_SIZE { int w, h; };

// Red and green step by 24 (three 16-bit levels apart), blue is fixed: no
// two images share a colour at 16 bits, none is black or near magenta.
inline TEST_RGB test_colour(int index)
{
  return TEST_RGB{static_cast<unsigned char>(32 + (index % 8) * 24),
                  static_cast<unsigned char>(32 + (index / 8) * 24), 64};
}

// The bottom-right quarter of every test image is magenta.
inline bool test_is_masked_part(int x, int y, int w, int h)
{
  return x >= w / 2 && y >= h / 2;
}

// Each picture fills the room the screens give it.
inline TEST_SIZE test_image_size(int index)
{
  switch (index) {
  case IMG_MENU_STRIP: return {800, 25};
  case IMG_RESULTS_CLOSING: return {194, 40};
  case IMG_HELP_OVERLAY: return {326, 240};
  case IMG_END_BUTTON: case IMG_END_BUTTON_HOVER:
  case IMG_HELP_BUTTON: case IMG_HELP_BUTTON_HOVER: return {120, 23};
  case IMG_TITLE: return {368, 80};
  case IMG_BACKGROUND: return {100, 100};
  case IMG_NO_WINNER: return {400, 80};
  case IMG_CELL_FRAME: return {16, 16};
  case IMG_MAP_FIELD: return {183, 14};
  case IMG_PREV_ARROW: case IMG_PREV_ARROW_HOVER:
  case IMG_NEXT_ARROW: case IMG_NEXT_ARROW_HOVER: return {7, 14};
  case IMG_START: case IMG_START_HOVER: return {125, 14};
  case IMG_QUIT: case IMG_QUIT_HOVER: return {129, 17};
  case IMG_WINNER_CAPTION: return {280, 60};
  case IMG_HIGHLIGHT: return {120, 50};
  case IMG_FIND_1: case IMG_FIND_2: case IMG_FIND_3: case IMG_FIND_4: case IMG_FIND_5:
  case IMG_FIND_6: case IMG_TRAP: case IMG_CELL_COVERED: case IMG_CELL_EMPTY:
  case IMG_CELL_HOVER: return {14, 14};
  default:
    if (index >= IMG_PLAYER_1 && index < IMG_PLAYER_1 + 8)
      return {120, 50};
    return {200, 150};  // winner pictures
  }
}
