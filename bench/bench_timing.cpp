// Timing for the frame benchmark.
#include "bench_timing.h"

#include <algorithm>
#include <cstdio>
#include <time.h>
#include <unistd.h>

double now_us(void)
{
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e6 + t.tv_nsec / 1e3;
}

STATS samples_stats(const SAMPLES *samples)
{
  STATS stats = {0.0, 0.0, static_cast<int>(samples->us.size())};
  if (stats.count == 0)
    return stats;
  std::vector<double> sorted = samples->us;
  std::sort(sorted.begin(), sorted.end());
  int n = stats.count;
  stats.median_us = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2.0;
  int rank = (95 * n + 99) / 100;  // nearest rank: ceil(0.95 n), 1-based
  stats.p95_us = sorted[rank - 1];
  return stats;
}

long resident_kib(void)
{
  FILE *f = fopen("/proc/self/statm", "r");
  if (!f)
    return -1;
  long size = 0, resident = 0;
  int got = fscanf(f, "%ld %ld", &size, &resident);
  fclose(f);
  if (got != 2)
    return -1;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}
