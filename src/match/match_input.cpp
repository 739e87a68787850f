// The mouse in a match: the two buttons left of the board and the cells.
#include "match/play.h"
#include "shell/input.h"

enum { BUTTON_X = 10, END_BUTTON_Y = 557, HELP_BUTTON_Y = 530, BUTTON_W = 120, BUTTON_H = 23 };
// A cell reacts strictly inside the 15 x 15 square at its image's corner.
enum { CELL_X0 = 141, CELL_Y0 = 21, CELL_PITCH = 16, CELL_HIT = 15 };

void match_buttons(MATCH *match)
{
  match->hover_end = 0;
  match->hover_help = 0;
  if (mouse_in_rect(BUTTON_X, END_BUTTON_Y, BUTTON_W, BUTTON_H)) {
    match->hover_end = -1;
    if (left_button_down())
      match->end_requested = -1;
  }
  if (mouse_in_rect(BUTTON_X, HELP_BUTTON_Y, BUTTON_W, BUTTON_H)) {
    match->hover_help = -1;
    if (left_button_down())
      match->help_shown = -1;
  }
  // The overlay is hidden only by the right button, tested last.
  if (right_button_down())
    match->help_shown = 0;
}

void take_turn(MATCH *match)
{
  match->hover_cell = -1;
  if (match->player_kind[match->current_player] == PLAYER_COMPUTER)
    computer_move(match);
  else
    human_turn(match);
}

void human_turn(MATCH *match)
{
  // Every cell is visited and the pointer read afresh for each, so a drag
  // reveals every cell it crosses while a human holds the turn.
  match->hover_cell = -1;
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      if (!mouse_in_rect(CELL_X0 + CELL_PITCH * column, CELL_Y0 + CELL_PITCH * row, CELL_HIT, CELL_HIT))
        continue;
      int cell = column + BOARD_COLUMNS * row;
      match->hover_cell = cell;
      if (left_button_down() && match->revealed[cell] == 0)
        reveal_cell(match, cell);
    }
  }
}
