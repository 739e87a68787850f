// Where the board screen puts things: the tiles around the board, the player
// column, the two buttons, the grid of cells and the help overlay. Drawing,
// the pointer tests and the frame benchmark all read the layout from here.
#pragma once

#include "match/match.h"
#include "shell/frame.h"
#include "shell/images.h"

// The grid: a 16 x 16 frame per cell, the cell's image one pixel inside it.
enum {
  BOARD_FRAME_X0 = 140, BOARD_FRAME_Y0 = 20,  // frame of column 0, row 0
  BOARD_PITCH = 16,                           // from one column or row to the next
  BOARD_CELL_X0 = BOARD_FRAME_X0 + 1, BOARD_CELL_Y0 = BOARD_FRAME_Y0 + 1,  // image of column 0, row 0
  BOARD_CELL_SIZE = BOARD_PITCH - 1,  // a cell's image: the frame's top row and left column show
  BOARD_CELL_HIT = BOARD_CELL_SIZE,   // a cell reacts strictly inside this square at its image's corner
  // the edges the grid's frames reach, right and below
  BOARD_FRAME_X1 = BOARD_FRAME_X0 + BOARD_PITCH * BOARD_COLUMNS,
  BOARD_FRAME_Y1 = BOARD_FRAME_Y0 + BOARD_PITCH * BOARD_ROWS
};

// Player p's slot in the column left of the board, the current player's
// highlight beneath it, and the score printed on the card's plate.
enum { BOARD_SLOT_X = 10, BOARD_SLOT_Y0 = 20, BOARD_SLOT_PITCH = 65,
       BOARD_SCORE_DX = PLAYER_CARD_TEXT_X, BOARD_SCORE_DY = PLAYER_CARD_TEXT_Y };

// The help and end-match buttons below the player column.
enum { BOARD_BUTTON_X = 10, BOARD_HELP_Y = 530, BOARD_END_Y = 557, BOARD_BUTTON_W = 120, BOARD_BUTTON_H = 23 };

// The help overlay, which stays over the board.
enum { BOARD_OVERLAY_X = 237, BOARD_OVERLAY_Y = 180 };

// The corner of cell's image, and of its frame.
inline int board_cell_x(int cell) { return BOARD_CELL_X0 + BOARD_PITCH * (cell % BOARD_COLUMNS); }
inline int board_cell_y(int cell) { return BOARD_CELL_Y0 + BOARD_PITCH * (cell / BOARD_COLUMNS); }
inline int board_frame_x(int cell) { return BOARD_FRAME_X0 + BOARD_PITCH * (cell % BOARD_COLUMNS); }
inline int board_frame_y(int cell) { return BOARD_FRAME_Y0 + BOARD_PITCH * (cell / BOARD_COLUMNS); }

// The top of player p's slot (1..8).
inline int board_slot_y(int player) { return BOARD_SLOT_Y0 + BOARD_SLOT_PITCH * (player - 1); }

// The background tiles that show beside the board: of the screen's tiles,
// column by column, every one the grid's frames do not cover whole.
enum { BOARD_TILE_SPOTS = ((SCREEN_WIDTH + TILE_SIZE - 1) / TILE_SIZE) * ((SCREEN_HEIGHT + TILE_SIZE - 1) / TILE_SIZE) };
struct BOARD_TILE_LIST {
  int count;
  int x[BOARD_TILE_SPOTS], y[BOARD_TILE_SPOTS];
};

constexpr BOARD_TILE_LIST board_tile_list(void)
{
  BOARD_TILE_LIST list = {};
  for (int x = 0; x < SCREEN_WIDTH; x += TILE_SIZE)
    for (int y = 0; y < SCREEN_HEIGHT; y += TILE_SIZE)
      if (x < BOARD_FRAME_X0 || y < BOARD_FRAME_Y0 || x + TILE_SIZE > BOARD_FRAME_X1 || y + TILE_SIZE > BOARD_FRAME_Y1) {
        list.x[list.count] = x;
        list.y[list.count] = y;
        list.count++;
      }
  return list;
}

inline constexpr BOARD_TILE_LIST board_tiles = board_tile_list();
enum { BOARD_TILES = board_tiles.count };  // 28 around the board as it lies

// The corner of background tile i (0 .. BOARD_TILES - 1).
inline void board_tile(int i, int *x, int *y)
{
  *x = board_tiles.x[i];
  *y = board_tiles.y[i];
}
