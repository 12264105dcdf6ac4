// Repeated timings summarised as median, minimum and maximum, and the
// memcpy reference every gateway figure is divided by.
#ifndef KORVA_BENCH_TIMING_H
#define KORVA_BENCH_TIMING_H

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

using BenchClock = std::chrono::steady_clock;

struct Stats {
  double median;  // seconds
  double min;
  double max;
};

double secondsBetween(BenchClock::time_point from, BenchClock::time_point to);
Stats statsOf(std::vector<double> seconds);
// memcpy of `bytes` into a block allocated for it, as the module's copies
// write into mxMalloc blocks; a first, uncounted run warms up.
Stats memcpyTime(size_t bytes, int repetitions);
// Slope of log(time) over log(size): 1 for linear growth.
double growthExponent(const std::vector<double> &sizes,
                      const std::vector<double> &times);
// "12.3 [11.9-13.0]" in milliseconds.
std::string millis(const Stats &stats);

#endif
