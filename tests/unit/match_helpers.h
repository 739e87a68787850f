// Small helpers shared by the match tests: a fresh match record with chosen
// player kinds, board coordinates of cells, and one input step of a pass.
#pragma once

#include "match/play.h"

#include <cstring>
#include <initializer_list>

// Clears m, gives players 1.. the kinds listed (the rest off) and starts the
// match the way match_init does, without a map file: player 1 to move.
inline void start_match(MATCH *m, const int *kinds, int count)
{
  memset(m, 0, sizeof *m);
  for (int p = 1; p <= count && p <= PLAYER_COUNT; p++)
    m->player_kind[p] = kinds[p - 1];
  match_reset(m);
  next_player(m);
}
inline void start_match(MATCH *m, std::initializer_list<int> kinds)
{
  start_match(m, kinds.begin(), static_cast<int>(kinds.size()));
}

// The top-left pixel of cell image i, and a pixel well inside it.
inline int cell_left(int i) { return 141 + 16 * (i % BOARD_COLUMNS); }
inline int cell_top(int i) { return 21 + 16 * (i / BOARD_COLUMNS); }
inline int cell_mid_x(int i) { return cell_left(i) + 4; }
inline int cell_mid_y(int i) { return cell_top(i) + 4; }

// The input half of one pass of the match loop.
inline void input_pass(MATCH *m)
{
  match_buttons(m);
  take_turn(m);
}
