#include "libkorva/cbc_events.h"

#include <CbcModel.hpp>
#include <OsiSolverInterface.hpp>
#include <cmath>
#include <string>

namespace {

// Cbc's "no bound" and "no incumbent" are near DBL_MAX.
constexpr double noValue = 1e50;

thread_local CbcWatch *watchOnThisThread = nullptr;

// CbcMain1's progress points.
constexpr int afterInitialSolve = 1;
constexpr int afterPreprocessing = 2;
constexpr int beforeSearch = 3;

std::string valueText(const ProgressLog &progress, double minimised) {
  if (std::fabs(minimised) >= noValue) return "none";
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", progress.modelValue(minimised));
  return text;
}

// Nodes, incumbent, bound and relative gap of the search, in the model's
// sense.
void logSearch(CbcWatch &watch, const CbcModel &model, const char *what) {
  const ProgressLog &progress = watch.progress;
  double incumbent = model.getObjValue();
  double bound = model.getBestPossibleObjValue();
  std::string gap = "-";
  if (std::fabs(incumbent) < noValue && std::fabs(bound) < noValue) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f%%",
                  100.0 * std::fabs(incumbent - bound) /
                      std::max(1e-10, std::fabs(incumbent)));
    gap = text;
  }
  logFormatted(*progress.log, "%s: %d nodes, incumbent %s, bound %s, gap %s",
               what, model.getNodeCount(),
               valueText(progress, incumbent).c_str(),
               valueText(progress, bound).c_str(), gap.c_str());
  watch.loggedIncumbent = incumbent;
}

}  // namespace

CbcStopEvents::CbcStopEvents(CbcWatch &watch) : watch_(&watch) {}

CbcEventHandler::CbcAction CbcStopEvents::event(CbcEvent whichEvent) {
  // Cbc's heuristics run small searches on copies of the model, with their
  // own events; only the search model's are the search's progress.
  bool search = model_ != nullptr && model_ == watch_->searchModel.load();
  if (search && whichEvent == endSearch) {
    watch_->searchIterations.store(model_->getIterationCount());
    watch_->searchOver.store(true);
    // Cbc's bound is not brought up to date at this point; the footer
    // gives the outcome.
    logFormatted(*watch_->progress.log,
                 "Branch and cut done: %d nodes, %d simplex iterations, "
                 "incumbent %s",
                 model_->getNodeCount(), model_->getIterationCount(),
                 valueText(watch_->progress, model_->getObjValue()).c_str());
  } else if (search && whichEvent == node) {
    bool better = model_->getObjValue() < watch_->loggedIncumbent;
    if (better || watch_->progress.due()) {
      logSearch(*watch_, *model_, better ? "New incumbent" : "Search");
    }
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
    const OsiSolverInterface &lp = *model->solver();
    logFormatted(*watch->progress.log,
                 "Root relaxation: objective %s, %d rows, %d columns",
                 valueText(watch->progress, lp.getObjValue()).c_str(),
                 lp.getNumRows(), lp.getNumCols());
  }
  return 0;
}

CbcWatchScope::CbcWatchScope(CbcWatch &watch) { watchOnThisThread = &watch; }

CbcWatchScope::~CbcWatchScope() { watchOnThisThread = nullptr; }
