#include <BonBonminSetup.hpp>
#include <BonCbc.hpp>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "libkorva/quadratic_convexity.h"
#include "libkorva/quadratic_minlp.h"
#include "libkorva/sigint_keeper.h"
#include "libkorva/solve_job.h"
#include "libkorva/watched_interface.h"
#include "libkorva/watched_nlp.h"

namespace {

// How often the watcher passes a stop request on to Bonmin's search.
constexpr auto stopPollInterval = std::chrono::milliseconds(10);
// Bonmin's and Ipopt's "no limit".
constexpr double noTimeLimit = 1e10;
// Ipopt takes only a positive time limit; a solve whose time is up runs
// this long.
constexpr double shortestTimeLimit = 1e-3;

void applySettings(Bonmin::BonminSetup &setup, const SolveJob &job) {
  const Settings &s = job.settings;
  Ipopt::SmartPtr<Ipopt::OptionsList> options = setup.options();
  double timeLimit = std::max(std::min(secondsLeft(job.signal), noTimeLimit),
                              shortestTimeLimit);
  // Everything Bonmin and Ipopt would print goes to stdout; the library
  // writes its own lines instead.
  options->SetIntegerValue("bonmin.bb_log_level", 0);
  options->SetIntegerValue("bonmin.nlp_log_level", 0);
  options->SetIntegerValue("print_level", 0);
  options->SetStringValue("sb", "yes");
  options->SetStringValue("bonmin.algorithm", "B-BB");
  // Bonmin turns it on unless told: a MILP search of its own at the root
  // that no stop request reaches, only its time limit.
  options->SetStringValue("bonmin.heuristic_dive_MIP_fractional", "no");
  options->SetNumericValue("bonmin.time_limit", timeLimit);
  options->SetNumericValue("max_cpu_time", timeLimit);
  options->SetNumericValue("bonmin.allowable_gap", s.mipGapAbs);
  options->SetNumericValue("bonmin.allowable_fraction_gap", s.mipGapRel);
  options->SetNumericValue("bonmin.integer_tolerance", s.mipIntegerTolerance);
  options->SetIntegerValue("bonmin.node_limit", s.mipMaxNodes);
  options->SetIntegerValue("bonmin.solution_limit", s.mipMaxSols);
  options->SetNumericValue("tol", s.ipmGapTolerance);
  options->SetIntegerValue("max_iter", s.ipmMaxIterations);
  // Ipopt otherwise widens every side by 1e-8 relative and reports points
  // that far outside.
  options->SetNumericValue("bound_relax_factor", 0.0);
}

int mipStatus2kva(Bonmin::Bab::MipStatuses status, const StopSignal &signal) {
  bool stopped = signal.terminate->load() || signal.timeUp.load() ||
                 secondsLeft(signal) <= 0.0;
  switch (status) {
    case Bonmin::Bab::FeasibleOptimal:
      return KVA_OPTIMAL;
    case Bonmin::Bab::ProvenInfeasible:
      return KVA_INFEASIBLE;
    case Bonmin::Bab::Feasible:
      return KVA_SUB_OPTIMAL;
    case Bonmin::Bab::UnboundedOrInfeasible:
      return KVA_INF_OR_UBD;
    default:
      return stopped ? KVA_TIME_LIMIT : KVA_NUMERICAL;
  }
}

// Runs Bonmin's search, on the model's objective or on none (to find any
// feasible point); false when a terminate request came before it started.
bool runSearch(Bonmin::Bab &search, SolveJob &job, bool withObjective) {
  // A request that came while the model was checked ends the solve before
  // Bonmin's set-up, which a dense model makes long.
  if (job.signal.terminate->load()) return false;
  Bonmin::BonminSetup setup;
  setup.initializeOptionsAndJournalist();
  // Ipopt's journals print to stdout, option errors included: there are
  // none. The library writes its own iteration lines.
  setup.journalist()->DeleteAllJournals();
  applySettings(setup, job);
  Ipopt::SmartPtr<Bonmin::TMINLP> problem =
      new QuadraticMinlp(job.store, withObjective);
  // Ipopt's iterations are logged when there is one search to follow; at
  // every node of a branch and bound they would drown the log.
  bool integer = std::any_of(job.store.vtype.begin(), job.store.vtype.end(),
                             [](char t) { return t == 'B' || t == 'I'; });
  ProgressLog progress(job.log, job.store);
  WatchedInterface nlp(*job.signal.terminate);
  nlp.initialize(setup.roptions(), setup.options(), setup.journalist(),
                 setup.prefix(), problem);
  nlp.use(new WatchedNlp(problem, *job.signal.terminate,
                         !integer && withObjective ? &progress : nullptr,
                         !integer));
  // The setup solves on copies of nlp.
  setup.initialize(nlp);
  // Without integers the search is one Ipopt solve, which would see the
  // request only at its first iteration, after its costliest step.
  if (!integer && job.signal.terminate->load()) return false;

  // Bonmin has no stop callback; its search checks the Cbc event flag
  // between nodes, which the watcher keeps raising once a stop is due. It
  // also hands SIGINT back to the host's handler once Bonmin has taken it.
  SigintKeeper sigint;
  std::atomic<bool> searching{true};
  std::thread watcher([&] {
    while (searching.load()) {
      if (shouldStop(job.signal)) search.model().sayEventHappened();
      sigint.keep();
      std::this_thread::sleep_for(stopPollInterval);
    }
  });
  // The search throws on some models (Ipopt's own errors); the watcher is
  // joined on that path too, since a joinable thread left to its destructor
  // ends the whole process.
  try {
    search(setup);
  } catch (...) {
    searching.store(false);
    watcher.join();
    throw;
  }
  searching.store(false);
  watcher.join();
  return true;
}

// Ipopt gives up on a convex model whose objective falls without bound
// (its iterates diverge); a search for any feasible point tells that apart
// from infeasibility.
int settleFailure(SolveJob &job) {
  Bonmin::Bab search;
  if (!runSearch(search, job, false)) return KVA_INTERRUPTED;
  switch (search.mipStatus()) {
    case Bonmin::Bab::FeasibleOptimal:
    case Bonmin::Bab::Feasible:
      logLine(job.log,
              "The search failed on a feasible convex model: its objective "
              "is unbounded");
      return KVA_UNBOUNDED;
    case Bonmin::Bab::ProvenInfeasible:
      return KVA_INFEASIBLE;
    default:
      return mipStatus2kva(search.mipStatus(), job.signal);
  }
}

// Without variables every constraint is a constant: it holds when 0 lies
// between its sides. Bonmin cannot take such a model.
int statusWithoutVariables(const ModelStore &store) {
  auto holds = [](double lhs, double rhs) { return lhs <= 0.0 && 0.0 <= rhs; };
  for (int i = 0; i < numRows(store); ++i) {
    if (!holds(store.rowLhs[i], store.rowRhs[i])) return KVA_INFEASIBLE;
  }
  for (const QuadConstraint &q : store.quadConstrs) {
    if (!holds(q.lhs, q.rhs)) return KVA_INFEASIBLE;
  }
  return KVA_OPTIMAL;
}

}  // namespace

void solveQuadraticMinlp(SolveJob &job, Solution &solution) {
  const ModelStore &store = job.store;
  if (numVars(store) == 0) {
    solution.status = statusWithoutVariables(store);
    solution.hasPoint = solution.status == KVA_OPTIMAL;
    return;
  }
  std::string nonConvex = nonConvexPart(store, job.signal.terminate);
  if (!nonConvex.empty()) {
    logLine(job.log, "Unsupported: " + nonConvex);
    solution.status = KVA_UNSUPPORTED;
    return;
  }
  SolveClock::time_point start = SolveClock::now();
  Bonmin::Bab search;
  if (!runSearch(search, job, true)) return;
  solution.solutionTime = secondsSince(start);
  solution.status = mipStatus2kva(search.mipStatus(), job.signal);
  if (solution.status == KVA_NUMERICAL) solution.status = settleFailure(job);
  solution.isMip = std::any_of(store.vtype.begin(), store.vtype.end(),
                               [](char t) { return t == 'B' || t == 'I'; });
  if (search.bestSolution() == nullptr ||
      (solution.status != KVA_OPTIMAL && solution.status != KVA_SUB_OPTIMAL)) {
    return;
  }
  solution.x.assign(search.bestSolution(),
                    search.bestSolution() + numVars(store));
  solution.hasPoint = true;
  solution.mipBound = store.sense * search.bestBound() + store.objConst;
  char line[160];
  std::snprintf(line, sizeof line,
                "Bonmin: %d nodes, best objective %.10g, best bound %.10g",
                search.numNodes(),
                store.sense * search.bestObj() + store.objConst,
                solution.mipBound);
  logLine(job.log, line);
}
