// Watching a Cbc run: stopping it between nodes, keeping it silent, writing
// the library's own lines on its search, and timing its preprocessing.
#ifndef LIBKORVA_CBC_EVENTS_H
#define LIBKORVA_CBC_EVENTS_H

#include <CbcEventHandler.hpp>
#include <atomic>

#include "libkorva/progress_log.h"
#include "libkorva/stop_signal.h"

struct CbcWatch {
  StopSignal *signal = nullptr;
  ProgressLog progress;
  // The incumbent of the last line written, so that each new one is shown.
  double loggedIncumbent = 1e300;
  // The model that runs the search, known once preprocessing is over.
  std::atomic<const CbcModel *> searchModel{nullptr};
  // Set once the search is over and Cbc turns its result back into a point
  // of the original problem.
  std::atomic<bool> searchOver{false};
  // The search's simplex iterations; Cbc does not copy them back to the
  // model it was given.
  std::atomic<int> searchIterations{0};
  SolveClock::time_point preprocessStart;
  double preprocessSeconds = 0.0;
};

class CbcStopEvents : public CbcEventHandler {
 public:
  explicit CbcStopEvents(CbcWatch &watch);
  CbcAction event(CbcEvent whichEvent) override;
  CbcEventHandler *clone() const override;

 private:
  CbcWatch *watch_;
};

// The progress callback of CbcMain1. It has no user data, so the watch of
// the run on the calling thread is found through watchOnThisThread.
int cbcProgress(CbcModel *model, int whereFrom);

// Makes watch the one cbcProgress sees on this thread while it lives.
struct CbcWatchScope {
  explicit CbcWatchScope(CbcWatch &watch);
  ~CbcWatchScope();
};

#endif
