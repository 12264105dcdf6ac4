#include "bench/cost/timing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

double secondsBetween(BenchClock::time_point from, BenchClock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

Stats statsOf(std::vector<double> seconds) {
  std::sort(seconds.begin(), seconds.end());
  const size_t n = seconds.size();
  const double median =
      n % 2 == 1 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2.0;
  return {median, seconds.front(), seconds.back()};
}

Stats memcpyTime(size_t bytes, int repetitions) {
  std::vector<char> source(bytes, 1);
  std::vector<double> seconds;
  for (int r = -1; r < repetitions; ++r) {
    char *target = static_cast<char *>(std::malloc(bytes));
    const auto start = BenchClock::now();
    std::memcpy(target, source.data(), bytes);
    const auto end = BenchClock::now();
    // Reading one byte back keeps the copy from being optimised away.
    volatile char last = target[bytes - 1];
    (void)last;
    std::free(target);
    if (r >= 0) {
      seconds.push_back(secondsBetween(start, end));
    }
  }
  return statsOf(seconds);
}

double growthExponent(const std::vector<double> &sizes,
                      const std::vector<double> &times) {
  const size_t n = sizes.size();
  double meanX = 0, meanY = 0;
  for (size_t i = 0; i < n; ++i) {
    meanX += std::log(sizes[i]) / double(n);
    meanY += std::log(times[i]) / double(n);
  }
  double covariance = 0, variance = 0;
  for (size_t i = 0; i < n; ++i) {
    const double dx = std::log(sizes[i]) - meanX;
    covariance += dx * (std::log(times[i]) - meanY);
    variance += dx * dx;
  }
  return covariance / variance;
}

std::string millis(const Stats &stats) {
  char text[96];
  std::snprintf(text, sizeof text, "%.3g [%.3g-%.3g]", stats.median * 1e3,
                stats.min * 1e3, stats.max * 1e3);
  return text;
}
