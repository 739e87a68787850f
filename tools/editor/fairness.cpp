// Fairness numbers computed in slices between frames.
#include "fairness.h"

#include <chrono>
#include <cmath>

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

// The 95th percentile of the spread of k equal normal samples, in standard
// deviations (the studentized range with unlimited degrees of freedom), for
// k = 2..8 seats.
static const double spread_95[FAIR_PLAYERS_MAX + 1] = {0, 0, 2.77, 3.31, 3.63, 3.86, 4.03, 4.17, 4.29};

FAIR_VERDICT fairness_verdict(const MAP_STATS *s)
{
  FAIR_VERDICT v = {VERDICT_NO_FINDS, 0, 0.0, 0.0};
  int k = s->players;
  long long points = 0;
  for (int p = 1; p <= k; p++)
    points += s->total[p];
  if (s->matches <= 0 || k < FAIR_PLAYERS_MIN || k > FAIR_PLAYERS_MAX || points == 0)
    return v;
  int most = 1, fewest = 1, shared = 0;
  for (int p = 2; p <= k; p++) {
    if (s->wins[p] > s->wins[most]) {
      most = p;
      shared = 0;
    } else if (s->wins[p] == s->wins[most]) {
      shared = 1;
    }
    if (s->wins[p] < s->wins[fewest])
      fewest = p;
  }
  double share = double(s->matches - s->no_winner) / (double(k) * s->matches);
  v.spread = 100.0 * (s->wins[most] - s->wins[fewest]) / s->matches;
  v.noise = 100.0 * spread_95[k] * std::sqrt(share * (1 - share) / s->matches);
  if (v.spread <= v.noise)
    v.verdict = VERDICT_BALANCED;
  else if (shared)
    v.verdict = VERDICT_UNEVEN;
  else
    v.verdict = VERDICT_FAVOURED, v.seat = most;
  return v;
}

void fairness_free(FAIRNESS *fair)
{
  if (fair->run.match)
    map_stats_end(&fair->run);
  fair->running = 0;
}
