// Where the board screen puts things: the tiles around the board, the player
// column, the two buttons, the grid of cells and the help overlay. Drawing,
// the pointer tests and the frame benchmark all read the layout from here.
#pragma once

#include "match/match.h"
#include "shell/frame.h"

// The grid: a 16 x 16 frame per cell, the cell's image one pixel inside it.
enum {
  BOARD_FRAME_X0 = 140, BOARD_FRAME_Y0 = 20,  // frame of column 0, row 0
  BOARD_CELL_X0 = 141, BOARD_CELL_Y0 = 21,    // image of column 0, row 0
  BOARD_PITCH = 16,                           // from one column or row to the next
  BOARD_CELL_HIT = 15  // a cell reacts strictly inside this square at its image's corner
};

// Player p's slot in the column left of the board, the current player's
// highlight beneath it, and the score printed inside it.
enum { BOARD_SLOT_X = 10, BOARD_SLOT_Y0 = 20, BOARD_SLOT_PITCH = 65, BOARD_SCORE_DX = 7, BOARD_SCORE_DY = 38 };

// The help and end-match buttons below the player column.
enum { BOARD_BUTTON_X = 10, BOARD_HELP_Y = 530, BOARD_END_Y = 557, BOARD_BUTTON_W = 120, BOARD_BUTTON_H = 23 };

enum { BOARD_OVERLAY_X = 237, BOARD_OVERLAY_Y = 180 };  // the help overlay

enum { BOARD_TILES = 28 };  // background tiles around the board

// The corner of cell's image, and of its frame.
inline int board_cell_x(int cell) { return BOARD_CELL_X0 + BOARD_PITCH * (cell % BOARD_COLUMNS); }
inline int board_cell_y(int cell) { return BOARD_CELL_Y0 + BOARD_PITCH * (cell / BOARD_COLUMNS); }
inline int board_frame_x(int cell) { return BOARD_FRAME_X0 + BOARD_PITCH * (cell % BOARD_COLUMNS); }
inline int board_frame_y(int cell) { return BOARD_FRAME_Y0 + BOARD_PITCH * (cell / BOARD_COLUMNS); }

// The top of player p's slot (1..8).
inline int board_slot_y(int player) { return BOARD_SLOT_Y0 + BOARD_SLOT_PITCH * (player - 1); }

// The corner of background tile i (0..27), in drawing order: the top row of
// eight, the columns at x = 0, 100 and 700 four tiles down, the bottom row.
inline void board_tile(int i, int *x, int *y)
{
  static const int side_columns[] = {0, 100, 700};
  if (i < 8) {
    *x = TILE_SIZE * i;
    *y = 0;
  } else if (i < 20) {
    *x = side_columns[(i - 8) / 4];
    *y = TILE_SIZE + TILE_SIZE * ((i - 8) % 4);
  } else {
    *x = TILE_SIZE * (i - 20);
    *y = 5 * TILE_SIZE;
  }
}
