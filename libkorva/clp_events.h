// Stops Clp's simplex between iterations when the solve has to stop.
#ifndef LIBKORVA_CLP_EVENTS_H
#define LIBKORVA_CLP_EVENTS_H

#include <ClpEventHandler.hpp>

#include "libkorva/stop_signal.h"

class ClpStopEvents : public ClpEventHandler {
 public:
  explicit ClpStopEvents(StopSignal &signal);
  int event(Event whichEvent) override;
  ClpEventHandler *clone() const override;

 private:
  StopSignal *signal_;
};

#endif
