#include "libkorva/clp_events.h"

ClpStopEvents::ClpStopEvents(StopSignal &signal,
                             const std::atomic<bool> *wrappingUp)
    : signal_(&signal), wrappingUp_(wrappingUp) {}

int ClpStopEvents::event(Event whichEvent) {
  // Other events carry their own meaning for the return value (presolve
  // sizing, pivot choice); only the per-iteration ones may stop.
  bool iterationEvent = whichEvent == endOfIteration ||
                        whichEvent == endOfFactorization ||
                        whichEvent == endOfValuesPass;
  if (!iterationEvent) return -1;
  if (wrappingUp_ != nullptr && wrappingUp_->load()) {
    return signal_->terminate->load() ? 0 : -1;
  }
  return shouldStop(*signal_) ? 0 : -1;
}

ClpEventHandler *ClpStopEvents::clone() const {
  return new ClpStopEvents(*this);
}
