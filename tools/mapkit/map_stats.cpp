// Whole matches of computer players, run by the game's rules code.
#include "map_stats.h"

#include <vector>

MAP_STATS map_play_matches(const int cells[BOARD_CELLS], int players, int matches)
{
  MAP_STATS stats = {};
  stats.players = players;
  stats.matches = matches;
  std::vector<MATCH> storage(1);  // the record is large; keep it off the stack
  MATCH *m = storage.data();
  for (int p = 1; p <= PLAYER_COUNT; p++)
    m->player_kind[p] = p <= players ? PLAYER_COMPUTER : PLAYER_OFF;
  for (int n = 0; n < matches; n++) {
    match_reset(m);
    for (int i = 0; i < BOARD_CELLS; i++)
      m->cells[i] = cells[i];
    next_player(m);  // from player 0: seat 1 opens, as in the game
    while (m->revealed_count < BOARD_CELLS)
      computer_move(m);
    for (int p = 1; p <= players; p++)
      stats.total[p] += m->scores[p];
    int winner = match_winner(m);
    if (winner)
      stats.wins[winner]++;
    else
      stats.no_winner++;
  }
  return stats;
}
