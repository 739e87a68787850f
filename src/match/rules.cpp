// The rules of a turn: revealing, passing the turn, the computer's pick and
// the winner.
#include "match/match.h"

#include <cstdlib>

void match_reset(MATCH *match)
{
  match->finished = 0;
  match->help_shown = 0;
  match->end_requested = 0;
  match->winner_image = 0;
  for (int i = 0; i < BOARD_CELLS; i++) {
    match->cells[i] = CELL_EMPTY;
    match->revealed[i] = 0;
  }
  for (int p = 0; p < PLAYER_SLOTS; p++) {
    match->scores[p] = 0;
    match->skip_turn[p] = 0;
  }
  match->revealed_count = 0;
  match->current_player = 0;
}

void reveal_cell(MATCH *match, int cell)
{
  match->revealed_count++;
  match->revealed[cell] = 1;
  int value = match->cells[cell];
  if (value >= CELL_FIND_MIN && value <= CELL_FIND_MAX) {
    match->scores[match->current_player] += value;
  } else if (value == CELL_TRAP) {
    match->skip_turn[match->current_player] = 1;
    next_player(match);
  } else {
    next_player(match);
  }
}

void next_player(MATCH *match)
{
  // Player 1 is always human, so the loop meets a player who is on within
  // one round, and clears each skip flag it meets: at most two rounds.
  for (;;) {
    match->current_player = match->current_player > PLAYER_COUNT - 1 ? 1 : match->current_player + 1;
    int p = match->current_player;
    if (match->player_kind[p] == PLAYER_OFF)
      continue;
    if (match->skip_turn[p] == 1) {
      match->skip_turn[p] = 0;
      continue;
    }
    return;
  }
}

static int any_cell_unrevealed(const MATCH *match)
{
  for (int i = 0; i < BOARD_CELLS; i++)
    if (!match->revealed[i])
      return 1;
  return 0;
}

static int draw_from_rand(void *source)
{
  (void)source;
  return rand() % BOARD_CELLS;
}

void computer_move(MATCH *match)
{
  computer_move_drawn(match, draw_from_rand, nullptr);
}

void computer_move_drawn(MATCH *match, int (*draw)(void *source), void *source)
{
  // The redraw below ends only because an unrevealed cell exists.
  if (!any_cell_unrevealed(match))
    return;
  for (;;) {
    int cell = draw(source);
    if (!match->revealed[cell]) {
      reveal_cell(match, cell);
      return;
    }
  }
}

int match_winner(const MATCH *match)
{
  for (int p = 1; p <= PLAYER_COUNT; p++) {
    int above_all = 1;
    for (int q = 1; q <= PLAYER_COUNT; q++)
      if (q != p && !(match->scores[p] > match->scores[q]))
        above_all = 0;
    if (above_all)
      return p;
  }
  return 0;
}
