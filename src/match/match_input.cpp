// The mouse in a match: the two buttons left of the board and the cells.
#include "match/board_layout.h"
#include "match/play.h"
#include "shell/input.h"

void match_buttons(MATCH *match)
{
  match->hover_end = 0;
  match->hover_help = 0;
  if (mouse_in_rect(BOARD_BUTTON_X, BOARD_END_Y, BOARD_BUTTON_W, BOARD_BUTTON_H)) {
    match->hover_end = -1;
    if (left_button_down())
      match->end_requested = -1;
  }
  if (mouse_in_rect(BOARD_BUTTON_X, BOARD_HELP_Y, BOARD_BUTTON_W, BOARD_BUTTON_H)) {
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
  for (int cell = 0; cell < BOARD_CELLS; cell++) {
    if (!mouse_in_rect(board_cell_x(cell), board_cell_y(cell), BOARD_CELL_HIT, BOARD_CELL_HIT))
      continue;
    match->hover_cell = cell;
    if (left_button_down() && match->revealed[cell] == 0)
      reveal_cell(match, cell);
  }
}
