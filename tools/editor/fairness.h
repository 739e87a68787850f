// The fairness check: matches of computer players on the edited board,
// played by the game's rules a slice at a time between frames, restarted
// whenever the board changes. The numbers equal `mapkit stats` for the same
// board, players, matches and seed.
#pragma once

#include "map_stats.h"

enum { FAIR_MATCHES = 1000, FAIR_SEED = 1, FAIR_PLAYERS_MIN = 2, FAIR_PLAYERS_MAX = 8 };

struct FAIRNESS {
  int players;        // 2..8
  int matches;
  unsigned int seed;
  int running;        // 1 while matches are being played
  int done;           // 1 once stats hold a finished run for the board
  MAP_STATS_RUN run;
  MAP_STATS stats;    // the last finished run
};

void fairness_init(FAIRNESS *fair, int players);
// Starts over for the board cells (from the seed again).
void fairness_restart(FAIRNESS *fair, const int cells[BOARD_CELLS]);
// Plays on for about budget_us microseconds; 1 when the run has finished.
int fairness_slice(FAIRNESS *fair, int budget_us);
// Matches finished so far in the running run, 0..matches.
int fairness_progress(const FAIRNESS *fair);
// The seat with the largest share of wins in the finished run, 0 when the
// top share is shared.
int fairness_favoured(const FAIRNESS *fair);
void fairness_free(FAIRNESS *fair);
