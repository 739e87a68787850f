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
  int done;           // 1 once stats hold a finished run: for the board, or
                      // while running, for the board before (shown meanwhile)
  MAP_STATS_RUN run;
  MAP_STATS stats;    // the last finished run
};

// What the win shares say. The seats' wins share one count of matches, so
// they pull against each other: for seats of equal chances p of n matches,
// the difference of two seats' shares varies by chance by sqrt(2 p / n),
// not sqrt(2 p (1 - p) / n). The map is balanced while the spread of the
// shares (the most wins less the fewest) stays within the spread that equal
// seats reach in 95 of 100 runs, however many seats play, and favours the
// seat with the most wins beyond it.
enum { VERDICT_NO_FINDS, VERDICT_BALANCED, VERDICT_FAVOURED, VERDICT_UNEVEN };
struct FAIR_VERDICT {
  int verdict;    // VERDICT_*; VERDICT_UNEVEN when the top share is shared
  int seat;       // the favoured seat for VERDICT_FAVOURED, else 0
  double spread;  // most less fewest wins, in percentage points
  double noise;   // the largest spread chance gives, in percentage points
};

void fairness_init(FAIRNESS *fair, int players);
// Starts over for the board cells (from the seed again).
void fairness_restart(FAIRNESS *fair, const int cells[BOARD_CELLS]);
// Plays on for about budget_us microseconds; 1 when the run has finished.
int fairness_slice(FAIRNESS *fair, int budget_us);
// Matches finished so far in the running run, 0..matches.
int fairness_progress(const FAIRNESS *fair);
// The verdict on finished numbers; a board on which nobody scores has no finds.
FAIR_VERDICT fairness_verdict(const MAP_STATS *stats);
void fairness_free(FAIRNESS *fair);
