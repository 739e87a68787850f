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

// The 95th percentile of the spread (largest less smallest) of k independent
// normal samples, in standard deviations (the studentized range with
// unlimited degrees of freedom), for k = 2..8 seats. One look at the spread
// of all seats is one test, so equal seats are flagged in 5 runs of 100
// whatever their number.
static const double spread_95[FAIR_PLAYERS_MAX + 1] = {0, 0, 2.772, 3.314, 3.633, 3.858, 4.030, 4.170, 4.286};

// The chance spread in percentage points. Given the d matches someone won,
// equal seats' wins are multinomial (d; 1/k, ..., 1/k): a seat's count has
// variance d (1/k)(1 - 1/k) and two seats' counts covariance -d / k^2, so
// their difference has variance 2 d / k = 2 n p with p = d / (k n), a seat's
// share of all n matches. Differences of the seats' counts thus spread as
// those of independent counts of variance n p, which the table above takes;
// matches nobody won count for no seat and only lower p.
static double chance_spread(int seats, int matches, int no_winner)
{
  double p = double(matches - no_winner) / (double(seats) * matches);
  return 100.0 * spread_95[seats] * std::sqrt(p / matches);
}

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
  v.spread = 100.0 * (s->wins[most] - s->wins[fewest]) / s->matches;
  v.noise = chance_spread(k, s->matches, s->no_winner);
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
