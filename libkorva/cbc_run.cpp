#include "libkorva/cbc_run.h"

#include <CbcModel.hpp>
#include <CbcSOS.hpp>
#include <CbcSolver.hpp>
#include <OsiClpSolverInterface.hpp>
#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "libkorva/api_export.h"
#include "libkorva/cbc_arguments.h"
#include "libkorva/cbc_events.h"
#include "libkorva/clp_events.h"
#include "libkorva/coin_log.h"

namespace {

// Cbc's secondary statuses for a search that stopped early.
constexpr int stoppedOnNodes = 3;
constexpr int stoppedOnTime = 4;
constexpr int stoppedOnSolutions = 6;
constexpr int stoppedOnIterations = 8;

void loadSolver(OsiClpSolverInterface &solver, const LinearProblem &problem) {
  solver.loadProblem(problem.matrix, problem.colLower.data(),
                     problem.colUpper.data(), problem.obj.data(),
                     problem.rowLower.data(), problem.rowUpper.data());
  for (size_t j = 0; j < problem.integer.size(); ++j) {
    if (problem.integer[j]) solver.setInteger(static_cast<int>(j));
  }
}

void addSosObjects(CbcModel &model, const ModelStore &store) {
  std::vector<std::unique_ptr<CbcObject>> objects;
  for (size_t k = 0; k < store.sos.size(); ++k) {
    const SosSet &set = store.sos[k];
    objects.emplace_back(new CbcSOS(
        &model, static_cast<int>(set.members.size()), set.members.data(),
        set.weights.data(), static_cast<int>(k), set.type));
  }
  std::vector<CbcObject *> pointers;
  for (auto &object : objects) pointers.push_back(object.get());
  // Cbc keeps clones.
  model.addObjects(static_cast<int>(pointers.size()), pointers.data());
}

bool hasGeneralIntegers(const LinearProblem &problem) {
  for (size_t j = 0; j < problem.integer.size(); ++j) {
    if (problem.integer[j] && problem.colUpper[j] - problem.colLower[j] > 1.0) {
      return true;
    }
  }
  return false;
}

CbcOutcome outcomeOf(CbcModel &model, int numCols) {
  CbcOutcome outcome;
  outcome.status = model.status();
  outcome.secondary = model.secondaryStatus();
  outcome.provenOptimal = model.isProvenOptimal();
  outcome.provenInfeasible = model.isProvenInfeasible();
  outcome.relaxationUnbounded = model.isContinuousUnbounded();
  const double *best = model.bestSolution();
  if (best != nullptr) {
    outcome.hasPoint = true;
    outcome.x.assign(best, best + numCols);
  }
  outcome.bound = model.getBestPossibleObjValue();
  outcome.iterations = model.getIterationCount();
  return outcome;
}

}  // namespace

CbcOutcome runCbc(const LinearProblem &problem, SolveJob &job, double cutoff) {
  // Cbc runs silent (its own lines echo its command line, show the
  // minimised form and its internals); the watch writes the library's.
  SilentCoinHandler silent;
  CbcWatch watch;
  ClpStopEvents clpEvents(job.signal, &watch.searchOver);
  watch.signal = &job.signal;
  watch.progress = ProgressLog(job.log, job.store);
  CbcStopEvents cbcEvents(watch);

  OsiClpSolverInterface solver;
  solver.passInMessageHandler(&silent);
  loadSolver(solver, problem);
  // Long LP solves inside the search stop too, not only between nodes.
  solver.getModelPtr()->passInEventHandler(&clpEvents);
  CbcModel model(solver);
  model.passInMessageHandler(&silent);
  model.passInEventHandler(&cbcEvents);
  if (!job.store.sos.empty()) addSosObjects(model, job.store);

  CbcSolverUsefulData data;
  data.useSignalHandler_ = false;  // Ctrl+C belongs to the host
  data.noPrinting_ = true;
  CbcMain0(model, data);
  CbcRunOptions options{
      job.settings.maxTime < KVA_INFINITY ? secondsLeft(job.signal)
                                          : KVA_INFINITY,
      cutoff, !job.store.sos.empty(), problem.matrix.getNumCols(),
      hasGeneralIntegers(problem)};
  std::vector<std::string> args = cbcArguments(job.settings, options);
  std::vector<const char *> argv;
  for (const std::string &arg : args) argv.push_back(arg.c_str());
  {
    CbcWatchScope scope(watch);
    CbcMain1(static_cast<int>(argv.size()), argv.data(), model, cbcProgress,
             data);
  }
  CbcOutcome outcome = outcomeOf(model, problem.matrix.getNumCols());
  outcome.preprocessSeconds = watch.preprocessSeconds;
  outcome.iterations =
      std::max(outcome.iterations, watch.searchIterations.load());
  return outcome;
}

int cbcOutcome2kva(const CbcOutcome &outcome, const StopSignal &signal) {
  // A search ended by the gap criteria counts as finished, so it is proven
  // optimal here too.
  if (outcome.provenOptimal) return KVA_OPTIMAL;
  if (outcome.provenInfeasible) return KVA_INFEASIBLE;
  if (outcome.relaxationUnbounded) {
    return outcome.hasPoint ? KVA_UNBOUNDED : KVA_INF_OR_UBD;
  }
  if (signal.terminate->load()) return KVA_INTERRUPTED;
  int limit;
  if (signal.timeUp.load() || outcome.secondary == stoppedOnTime) {
    limit = KVA_TIME_LIMIT;
  } else if (outcome.secondary == stoppedOnNodes) {
    limit = KVA_NODE_LIMIT;
  } else if (outcome.secondary == stoppedOnIterations) {
    limit = KVA_ITERATION_LIMIT;
  } else if (outcome.secondary == stoppedOnSolutions) {
    limit = KVA_SUB_OPTIMAL;
  } else {
    return KVA_NUMERICAL;
  }
  return outcome.hasPoint ? KVA_SUB_OPTIMAL : limit;
}
