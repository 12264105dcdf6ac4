#include "libkorva/stop_signal.h"

#include <algorithm>

bool shouldStop(StopSignal &signal) {
  if (signal.terminate->load()) return true;
  if (SolveClock::now() >= signal.deadline) {
    signal.timeUp.store(true);
    return true;
  }
  return false;
}

double secondsLeft(const StopSignal &signal) {
  std::chrono::duration<double> left = signal.deadline - SolveClock::now();
  return std::max(0.0, left.count());
}

double secondsSince(SolveClock::time_point start) {
  return std::chrono::duration<double>(SolveClock::now() - start).count();
}
