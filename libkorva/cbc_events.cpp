#include "libkorva/cbc_events.h"

#include <CbcModel.hpp>

namespace {

thread_local CbcWatch *watchOnThisThread = nullptr;

// CbcMain1's progress points.
constexpr int afterInitialSolve = 1;
constexpr int afterPreprocessing = 2;
constexpr int beforeSearch = 3;

}  // namespace

CbcStopEvents::CbcStopEvents(CbcWatch &watch) : watch_(&watch) {}

CbcEventHandler::CbcAction CbcStopEvents::event(CbcEvent whichEvent) {
  if (whichEvent == endSearch && model_ == watch_->searchModel.load()) {
    watch_->searchIterations.store(model_->getIterationCount());
    watch_->searchOver.store(true);
  }
  // Cbc's heuristics run small searches on copies of the model that share
  // its message handler and set its log level to 0 without restoring it;
  // the search model's own events put it back.
  if (model_ != nullptr && model_ == watch_->searchModel.load()) {
    model_->messageHandler()->setLogLevel(watch_->logLevel);
  }
  return shouldStop(*watch_->signal) ? stop : noAction;
}

CbcEventHandler *CbcStopEvents::clone() const {
  return new CbcStopEvents(*this);
}

int cbcProgress(CbcModel *model, int whereFrom) {
  CbcWatch *watch = watchOnThisThread;
  if (watch == nullptr) return 0;
  if (whereFrom == afterInitialSolve) {
    watch->preprocessStart = SolveClock::now();
  } else if (whereFrom == afterPreprocessing) {
    watch->preprocessSeconds = secondsSince(watch->preprocessStart);
  } else if (whereFrom == beforeSearch) {
    watch->searchModel.store(model);
  }
  return 0;
}

CbcWatchScope::CbcWatchScope(CbcWatch &watch) { watchOnThisThread = &watch; }

CbcWatchScope::~CbcWatchScope() { watchOnThisThread = nullptr; }
