#include "libkorva/clp_events.h"

ClpStopEvents::ClpStopEvents(StopSignal &signal) : signal_(&signal) {}

int ClpStopEvents::event(Event whichEvent) {
  // Other events carry their own meaning for the return value (presolve
  // sizing, pivot choice); only the per-iteration ones may stop.
  bool iterationEvent = whichEvent == endOfIteration ||
                        whichEvent == endOfFactorization ||
                        whichEvent == endOfValuesPass;
  return iterationEvent && shouldStop(*signal_) ? 0 : -1;
}

ClpEventHandler *ClpStopEvents::clone() const {
  return new ClpStopEvents(*this);
}
