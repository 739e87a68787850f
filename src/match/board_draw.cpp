// The board screen: tiles around the board, the player column, the two
// buttons, the cells, the pointer highlight and the help overlay.
#include "match/play.h"
#include "shell/frame.h"
#include "shell/images.h"

enum { SLOT_X = 10, SLOT_Y0 = 20, SLOT_PITCH = 65, SCORE_DX = 7, SCORE_DY = 38 };
enum { FRAME_X0 = 140, FRAME_Y0 = 20, CELL_X0 = 141, CELL_Y0 = 21, CELL_PITCH = 16 };
enum { TILE = 100 };

struct CELL_PICTURE { int value; int image; };
static const CELL_PICTURE cell_pictures[] = {
  {1, IMG_FIND_1}, {2, IMG_FIND_2}, {3, IMG_FIND_3}, {4, IMG_FIND_4},
  {5, IMG_FIND_5}, {6, IMG_FIND_6}, {CELL_TRAP, IMG_TRAP},
  {CELL_HOVER, IMG_CELL_HOVER}, {CELL_COVERED, IMG_CELL_COVERED},
};

int cell_image(int value)
{
  for (const CELL_PICTURE &entry : cell_pictures)
    if (entry.value == value)
      return entry.image;
  return IMG_CELL_EMPTY;
}

void draw_cell(const MATCH *match, int cell, int value)
{
  (void)match;
  int column = cell % BOARD_COLUMNS;
  int row = cell / BOARD_COLUMNS;
  draw_image(cell_image(value), CELL_X0 + CELL_PITCH * column, CELL_Y0 + CELL_PITCH * row);
}

// The 28 tiles that lie around the board: top row, the columns at x = 0,
// 100 and 700, bottom row.
static void draw_background(void)
{
  for (int x = 0; x < 800; x += TILE)
    draw_image(IMG_BACKGROUND, x, 0);
  static const int side_columns[] = {0, 100, 700};
  for (int x : side_columns)
    for (int y = 100; y <= 400; y += TILE)
      draw_image(IMG_BACKGROUND, x, y);
  for (int x = 0; x < 800; x += TILE)
    draw_image(IMG_BACKGROUND, x, 500);
}

static void draw_players(const MATCH *match)
{
  draw_image(IMG_HIGHLIGHT, SLOT_X, SLOT_PITCH * match->current_player - 45);
  for (int p = 1; p <= PLAYER_COUNT; p++) {
    if (match->player_kind[p] == PLAYER_OFF)
      continue;
    int y = SLOT_Y0 + SLOT_PITCH * (p - 1);
    draw_image(IMG_PLAYER_1 + p - 1, SLOT_X, y);
    draw_number(SLOT_X + SCORE_DX, y + SCORE_DY, match->scores[p]);
  }
}

void match_draw(const MATCH *match)
{
  frame_begin();
  draw_background();
  draw_players(match);
  draw_image(match->hover_help ? IMG_HELP_BUTTON_HOVER : IMG_HELP_BUTTON, 10, 530);
  draw_image(match->hover_end ? IMG_END_BUTTON_HOVER : IMG_END_BUTTON, 10, 557);
  for (int row = 0; row < BOARD_ROWS; row++)
    for (int column = 0; column < BOARD_COLUMNS; column++)
      draw_image(IMG_CELL_FRAME, FRAME_X0 + CELL_PITCH * column, FRAME_Y0 + CELL_PITCH * row);
  for (int cell = 0; cell < BOARD_CELLS; cell++)
    draw_cell(match, cell, match->revealed[cell] ? match->cells[cell] : CELL_COVERED);
  if (match->hover_cell != -1)
    draw_cell(match, match->hover_cell, CELL_HOVER);
  if (match->help_shown)
    draw_image(IMG_HELP_OVERLAY, 237, 180);
  frame_end();
}
