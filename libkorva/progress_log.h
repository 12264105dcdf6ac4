// Progress lines of a running backend. Backends minimise sense times the
// objective less its constant; these lines show values in the model's own
// sense, and at most one a second, so a long solve shows it is alive
// without drowning the log.
#ifndef LIBKORVA_PROGRESS_LOG_H
#define LIBKORVA_PROGRESS_LOG_H

#include "libkorva/log_sink.h"
#include "libkorva/model_store.h"
#include "libkorva/stop_signal.h"

struct ProgressLog {
  LogRoute *log = nullptr;
  double sense = 1.0;
  double constant = 0.0;
  SolveClock::time_point last = SolveClock::now();

  ProgressLog() = default;
  ProgressLog(LogRoute &route, const ModelStore &store)
      : log(&route), sense(store.sense), constant(store.objConst) {}

  // The model's objective for a backend's minimised one.
  double modelValue(double minimised) const {
    return sense * minimised + constant;
  }
  // Whether a periodic line is due now (and counts it as written).
  bool due();
};

#endif
