// Timing for the frame benchmark: a monotonic clock, samples of frame times
// and their median and 95th percentile, and the process's resident memory.
#pragma once

#include <vector>

// Microseconds on the system-wide monotonic clock, comparable across processes.
double now_us(void);

struct SAMPLES {
  std::vector<double> us;  // one entry per timed frame, in microseconds
};

struct STATS {
  double median_us;
  double p95_us;
  int count;
};

// Median and nearest-rank 95th percentile of the samples (zeros when empty).
STATS samples_stats(const SAMPLES *samples);

// Resident set size of this process in KiB, from /proc/self/statm.
long resident_kib(void);
