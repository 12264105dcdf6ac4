#include "libkorva/watched_interface.h"

OsiSolverInterface *WatchedInterface::clone(bool copyData) const {
  return copyData ? new WatchedInterface(*this)
                  : new WatchedInterface(*terminate_);
}

void WatchedInterface::resolve(const char *whereFrom) {
  // A solve that failed, whether by the request or not, leaves the same
  // status as one the request stops at once.
  if (stopsAtOnce() && isAbandoned()) return;
  OsiTMINLPInterface::resolve(whereFrom);
}

void WatchedInterface::resolveForRobustness(int numRetry) {
  if (stopsAtOnce()) return;
  OsiTMINLPInterface::resolveForRobustness(numRetry);
}
