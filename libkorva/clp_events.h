// Stops Clp's simplex between iterations when the solve has to stop, and
// writes its periodic progress line when given a progress log.
#ifndef LIBKORVA_CLP_EVENTS_H
#define LIBKORVA_CLP_EVENTS_H

#include <ClpEventHandler.hpp>
#include <atomic>

#include "libkorva/progress_log.h"
#include "libkorva/stop_signal.h"

class ClpStopEvents : public ClpEventHandler {
 public:
  // While *wrappingUp is true the run rebuilds an answer that is already
  // found (Cbc's postprocessing, the fixed LP of a MIP point): a terminate
  // request still stops it, the passed deadline does not, or the answer of
  // a search stopped by the time limit would be lost.
  explicit ClpStopEvents(StopSignal &signal,
                         const std::atomic<bool> *wrappingUp = nullptr,
                         ProgressLog *progress = nullptr);
  int event(Event whichEvent) override;
  ClpEventHandler *clone() const override;

 private:
  StopSignal *signal_;
  const std::atomic<bool> *wrappingUp_;
  ProgressLog *progress_;
};

#endif
