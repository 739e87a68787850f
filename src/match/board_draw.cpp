// The board screen: tiles around the board, the player column, the two
// buttons, the cells, the pointer highlight and the help overlay.
#include "match/board_layout.h"
#include "match/play.h"
#include "shell/frame.h"
#include "shell/images.h"

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
  draw_image(cell_image(value), board_cell_x(cell), board_cell_y(cell));
}

void draw_board_cells(const int cells[BOARD_CELLS], const int revealed[BOARD_CELLS])
{
  for (int cell = 0; cell < BOARD_CELLS; cell++)
    draw_image(IMG_CELL_FRAME, board_frame_x(cell), board_frame_y(cell));
  for (int cell = 0; cell < BOARD_CELLS; cell++)
    draw_cell(nullptr, cell, !revealed || revealed[cell] ? cells[cell] : CELL_COVERED);
}

// The 28 tiles that lie around the board.
void draw_board_background(void)
{
  for (int i = 0; i < BOARD_TILES; i++) {
    int x, y;
    board_tile(i, &x, &y);
    draw_image(IMG_BACKGROUND, x, y);
  }
}

static void draw_players(const MATCH *match)
{
  draw_image(IMG_HIGHLIGHT, BOARD_SLOT_X, board_slot_y(match->current_player));
  for (int p = 1; p <= PLAYER_COUNT; p++) {
    if (match->player_kind[p] == PLAYER_OFF)
      continue;
    int y = board_slot_y(p);
    draw_image(IMG_PLAYER_1 + p - 1, BOARD_SLOT_X, y);
    draw_number(BOARD_SLOT_X + BOARD_SCORE_DX, y + BOARD_SCORE_DY, match->scores[p]);
  }
}

void match_draw(const MATCH *match)
{
  frame_begin();
  draw_board_background();
  draw_players(match);
  draw_image(match->hover_help ? IMG_HELP_BUTTON_HOVER : IMG_HELP_BUTTON, BOARD_BUTTON_X, BOARD_HELP_Y);
  draw_image(match->hover_end ? IMG_END_BUTTON_HOVER : IMG_END_BUTTON, BOARD_BUTTON_X, BOARD_END_Y);
  draw_board_cells(match->cells, match->revealed);
  if (match->hover_cell != -1)
    draw_cell(match, match->hover_cell, CELL_HOVER);
  if (match->help_shown)
    draw_image(IMG_HELP_OVERLAY, BOARD_OVERLAY_X, BOARD_OVERLAY_Y);
  frame_end();
}
