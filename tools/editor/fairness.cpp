// Fairness numbers computed in slices between frames.
#include "fairness.h"

#include <chrono>

enum { MOVES_PER_CHECK = 100 };  // moves between looks at the clock

void fairness_init(FAIRNESS *fair, int players)
{
  fair->players = players;
  fair->matches = FAIR_MATCHES;
  fair->seed = FAIR_SEED;
  fair->running = 0;
  fair->done = 0;
  fair->run.match = nullptr;
  fair->stats = MAP_STATS();
}

void fairness_restart(FAIRNESS *fair, const int cells[BOARD_CELLS])
{
  fairness_free(fair);
  map_stats_begin(&fair->run, cells, fair->players, fair->matches, fair->seed);
  fair->running = 1;
  fair->done = 0;
}

int fairness_slice(FAIRNESS *fair, int budget_us)
{
  if (!fair->running)
    return fair->done;
  auto start = std::chrono::steady_clock::now();
  for (;;) {
    if (map_stats_step(&fair->run, MOVES_PER_CHECK)) {
      fair->stats = fair->run.stats;
      fair->running = 0;
      fair->done = 1;
      map_stats_end(&fair->run);
      return 1;
    }
    auto spent = std::chrono::steady_clock::now() - start;
    if (std::chrono::duration_cast<std::chrono::microseconds>(spent).count() >= budget_us)
      return 0;
  }
}

int fairness_progress(const FAIRNESS *fair)
{
  if (!fair->running)
    return fair->done ? fair->matches : 0;
  const MAP_STATS *s = &fair->run.stats;
  int done = s->no_winner;
  for (int p = 1; p <= s->players; p++)
    done += s->wins[p];
  return done;
}

int fairness_favoured(const FAIRNESS *fair)
{
  int best = 0, shared = 0;
  for (int p = 1; p <= fair->stats.players; p++) {
    if (!best || fair->stats.wins[p] > fair->stats.wins[best]) {
      best = p;
      shared = 0;
    } else if (fair->stats.wins[p] == fair->stats.wins[best]) {
      shared = 1;
    }
  }
  return shared ? 0 : best;
}

void fairness_free(FAIRNESS *fair)
{
  if (fair->run.match)
    map_stats_end(&fair->run);
  fair->running = 0;
}
