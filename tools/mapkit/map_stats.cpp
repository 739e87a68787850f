// Whole matches of computer players, run by the game's rules code, in
// slices of moves or all at once.
#include "map_stats.h"
#include "map_generate.h"

#include <cstdio>

void map_stats_begin(MAP_STATS_RUN *run, const int cells[BOARD_CELLS], int players, int matches, uint64_t seed)
{
  run->match = new MATCH();
  run->random = seed;
  for (int i = 0; i < BOARD_CELLS; i++)
    run->cells[i] = cells[i];
  run->playing = 0;
  run->stats = MAP_STATS();
  run->stats.players = players;
  run->stats.matches = matches;
  for (int p = 1; p <= PLAYER_COUNT; p++)
    run->match->player_kind[p] = p <= players ? PLAYER_COMPUTER : PLAYER_OFF;
}

// Adds the finished match to the totals.
static void count_match(MAP_STATS *stats, const MATCH *m)
{
  for (int p = 1; p <= stats->players; p++)
    stats->total[p] += m->scores[p];
  int winner = match_winner(m);
  if (winner)
    stats->wins[winner]++;
  else
    stats->no_winner++;
}

// A pick for the computer player from the run's own generator.
static int draw_cell(void *random)
{
  return static_cast<int>(kit_random_below(static_cast<uint64_t *>(random), BOARD_CELLS));
}

static int matches_done(const MAP_STATS *stats)
{
  int done = stats->no_winner;
  for (int p = 1; p <= stats->players; p++)
    done += stats->wins[p];
  return done;
}

int map_stats_step(MAP_STATS_RUN *run, int moves)
{
  MATCH *m = run->match;
  while (moves > 0) {
    if (!run->playing) {
      if (matches_done(&run->stats) >= run->stats.matches)
        return 1;
      match_reset(m);
      for (int i = 0; i < BOARD_CELLS; i++)
        m->cells[i] = run->cells[i];
      next_player(m);  // from player 0: seat 1 opens, as in the game
      run->playing = 1;
    }
    while (moves > 0 && m->revealed_count < BOARD_CELLS) {
      computer_move_drawn(m, draw_cell, &run->random);
      moves--;
    }
    if (m->revealed_count == BOARD_CELLS) {
      count_match(&run->stats, m);
      run->playing = 0;
    }
  }
  return !run->playing && matches_done(&run->stats) >= run->stats.matches;
}

void map_stats_end(MAP_STATS_RUN *run)
{
  delete run->match;
  run->match = nullptr;
}

std::string map_stats_seat_line(const MAP_STATS *stats, int seat)
{
  char line[64];
  snprintf(line, sizeof line, "%4d  %10.2f  %5.1f%%", seat, double(stats->total[seat]) / stats->matches,
           100.0 * stats->wins[seat] / stats->matches);
  return line;
}

std::string map_stats_no_winner_line(const MAP_STATS *stats)
{
  char line[64];
  snprintf(line, sizeof line, "no winner: %.1f%%", 100.0 * stats->no_winner / stats->matches);
  return line;
}

MAP_STATS map_play_matches(const int cells[BOARD_CELLS], int players, int matches, uint64_t seed)
{
  MAP_STATS_RUN run;
  map_stats_begin(&run, cells, players, matches, seed);
  while (!map_stats_step(&run, 1 << 20)) {
  }
  MAP_STATS stats = run.stats;
  map_stats_end(&run);
  return stats;
}
