#include "libkorva/clp_events.h"

#include <ClpSimplex.hpp>

ClpStopEvents::ClpStopEvents(StopSignal &signal,
                             const std::atomic<bool> *wrappingUp,
                             ProgressLog *progress)
    : signal_(&signal), wrappingUp_(wrappingUp), progress_(progress) {}

int ClpStopEvents::event(Event whichEvent) {
  // Other events carry their own meaning for the return value (presolve
  // sizing, pivot choice); only the per-iteration ones may stop.
  bool iterationEvent = whichEvent == endOfIteration ||
                        whichEvent == endOfFactorization ||
                        whichEvent == endOfValuesPass;
  if (!iterationEvent) return -1;
  if (whichEvent == endOfIteration && progress_ != nullptr &&
      progress_->due()) {
    logFormatted(*progress_->log,
                 "Simplex iteration %d: objective %.10g, primal "
                 "infeasibility %.3g",
                 model_->numberIterations(),
                 progress_->modelValue(model_->objectiveValue()),
                 model_->sumPrimalInfeasibilities());
  }
  if (wrappingUp_ != nullptr && wrappingUp_->load()) {
    return signal_->terminate->load() ? 0 : -1;
  }
  return shouldStop(*signal_) ? 0 : -1;
}

ClpEventHandler *ClpStopEvents::clone() const {
  return new ClpStopEvents(*this);
}
