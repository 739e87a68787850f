// Playing a map many times with computer players only, using the game's own
// rules, to see how scores and wins fall per seat.
#pragma once

#include "match/match.h"

struct MAP_STATS {
  int players;                      // seats 1..players take part
  int matches;
  long long total[PLAYER_SLOTS];    // points per seat over all matches
  int wins[PLAYER_SLOTS];           // matches each seat won outright
  int no_winner;                    // matches with a shared top score
};

// Plays matches on the board cells with players computer players (1..8),
// each match until every cell is revealed. The caller seeds rand(), which
// the game's computer player draws from.
MAP_STATS map_play_matches(const int cells[BOARD_CELLS], int players, int matches);
