// When a running solve has to stop: a terminate request or the time limit.
#ifndef LIBKORVA_STOP_SIGNAL_H
#define LIBKORVA_STOP_SIGNAL_H

#include <atomic>
#include <chrono>

using SolveClock = std::chrono::steady_clock;

struct StopSignal {
  const std::atomic<bool> *terminate;
  SolveClock::time_point deadline;
  // Set once the deadline has been seen passed, from any solver thread.
  std::atomic<bool> timeUp{false};
};

// Asked by the backends' event handlers, as often as they are called.
bool shouldStop(StopSignal &signal);

// Seconds left before the deadline (at least 0).
double secondsLeft(const StopSignal &signal);

double secondsSince(SolveClock::time_point start);

#endif
