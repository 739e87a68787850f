// Playing a map many times with computer players only, using the game's own
// rules, to see how scores and wins fall per seat.
#pragma once

#include "match/match.h"

#include <cstdint>
#include <string>

struct MAP_STATS {
  int players;                      // seats 1..players take part
  int matches;
  long long total[PLAYER_SLOTS];    // points per seat over all matches
  int wins[PLAYER_SLOTS];           // matches each seat won outright
  int no_winner;                    // matches with a shared top score
};

// A run of matches played a slice at a time, so a program can go on
// drawing between slices. The computer players' picks come from the kit's
// own generator seeded by the run's seed, never from the C library's rand(),
// so one seed gives the same numbers on every system.
struct MAP_STATS_RUN {
  MATCH *match;     // the match being played (owned by the run)
  uint64_t random;  // the generator's state
  int cells[BOARD_CELLS];
  int playing;      // 1 while a match is under way
  MAP_STATS stats;  // the matches finished so far
};

// Prepares a run of matches with players computer players on cells.
void map_stats_begin(MAP_STATS_RUN *run, const int cells[BOARD_CELLS], int players, int matches, uint64_t seed);
// Plays up to moves computer moves; 1 once every match is finished.
int map_stats_step(MAP_STATS_RUN *run, int moves);
// Frees what the run holds.
void map_stats_end(MAP_STATS_RUN *run);

// The seat's line of the report: seat, mean score and share of wins.
std::string map_stats_seat_line(const MAP_STATS *stats, int seat);
// The report's last line: the share of matches with no winner.
std::string map_stats_no_winner_line(const MAP_STATS *stats);

// Plays matches on the board cells with players computer players (1..8),
// each match until every cell is revealed, the picks drawn from seed.
MAP_STATS map_play_matches(const int cells[BOARD_CELLS], int players, int matches, uint64_t seed);
