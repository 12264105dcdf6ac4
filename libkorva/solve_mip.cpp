#include <algorithm>
#include <cmath>

#include "libkorva/api_export.h"
#include "libkorva/cbc_run.h"
#include "libkorva/fixed_lp.h"
#include "libkorva/indicator_rows.h"
#include "libkorva/solve_job.h"

namespace {

// MIP/Cutoff is in the model's sense and includes the constant.
double minimisedCutoff(const SolveJob &job) {
  double cutoff = job.settings.mipCutoff;
  if (std::fabs(cutoff) >= KVA_INFINITY) return KVA_INFINITY;
  return job.store.sense * (cutoff - job.store.objConst);
}

// An unbounded relaxation leaves the model unbounded if any integer point
// is feasible (the data are rational), and infeasible otherwise; a search
// for any feasible point tells which.
int settleUnboundedRelaxation(const LinearProblem &problem, SolveJob &job) {
  logLine(job.log,
          "The LP relaxation is unbounded; searching for a feasible "
          "point to tell an unbounded model from an infeasible one");
  LinearProblem feasibility = problem;
  std::fill(feasibility.obj.begin(), feasibility.obj.end(), 0.0);
  CbcOutcome outcome = runCbc(feasibility, job, KVA_INFINITY);
  if (outcome.hasPoint) return KVA_UNBOUNDED;
  if (outcome.provenInfeasible) return KVA_INFEASIBLE;
  return KVA_INF_OR_UBD;
}

// Cbc's branching on a set assumes members that may be zero.
bool sosMembersMayBeZero(const LinearProblem &problem, const ModelStore &store,
                         std::string *failure) {
  for (size_t k = 0; k < store.sos.size(); ++k) {
    for (int j : store.sos[k].members) {
      if (problem.colLower[j] > 0.0 || problem.colUpper[j] < 0.0) {
        *failure = "SOS set " + std::to_string(k + 1) +
                   " has a member whose bounds exclude zero";
        return false;
      }
    }
  }
  return true;
}

// A start that gives every integer column a value, completed by the LP over
// the other columns. Cbc is not given it: an incumbent known before its root
// makes it crash when preprocessing or the cutoff leaves nothing to search.
// Without SOS sets only, where the integer columns fix the point.
bool completedStart(const LinearProblem &problem, SolveJob &job,
                    std::vector<double> *point) {
  const ModelStore &store = job.store;
  if (store.start.empty() || !store.sos.empty()) return false;
  std::vector<double> x(problem.integer.size(), 0.0);
  for (size_t j = 0; j < x.size(); ++j) {
    bool given = j < store.start.size() && store.start[j];
    if (problem.integer[j] && !given) return false;
    if (given) x[j] = *store.start[j];
  }
  std::vector<double> rc;
  return solveFixedLp(problem, x, job.signal, point, &rc);
}

double minimisedObjective(const LinearProblem &problem,
                          const std::vector<double> &x) {
  double total = 0.0;
  for (size_t j = 0; j < x.size(); ++j) total += problem.obj[j] * x[j];
  return total;
}

// The start replaces the search's point when the search ended early without
// a better one; the solve then ends with a point short of proof.
void preferStart(const LinearProblem &problem, const std::vector<double> &start,
                 CbcOutcome *outcome, int *status) {
  bool early = *status == KVA_SUB_OPTIMAL || *status == KVA_TIME_LIMIT ||
               *status == KVA_NODE_LIMIT || *status == KVA_ITERATION_LIMIT;
  if (!early || start.empty()) return;
  if (outcome->hasPoint && minimisedObjective(problem, outcome->x) <=
                               minimisedObjective(problem, start)) {
    return;
  }
  outcome->hasPoint = true;
  outcome->x = start;
  *status = KVA_SUB_OPTIMAL;
}

void takeMipPoint(const CbcOutcome &outcome, const LinearProblem &problem,
                  SolveJob &job, Solution &solution) {
  const ModelStore &store = job.store;
  int n = numVars(store);
  solution.hasPoint = true;
  solution.x.assign(outcome.x.begin(), outcome.x.begin() + n);
  solution.isMip = true;
  solution.mipBound = store.sense * outcome.bound + store.objConst;
  // With SOS sets the integer columns do not fix the point, so the fixed
  // LP would not be the point's LP.
  std::vector<double> point;
  std::vector<double> rc;
  if (store.sos.empty() &&
      solveFixedLp(problem, outcome.x, job.signal, &point, &rc)) {
    solution.hasRc = true;
    solution.rc.resize(n);
    // Adding 0.0 turns a negated zero into +0.
    for (int j = 0; j < n; ++j) solution.rc[j] = store.sense * rc[j] + 0.0;
  }
}

}  // namespace

void solveMixedInteger(SolveJob &job, Solution &solution) {
  LinearProblem problem = store2linearProblem(job.store);
  std::string failure;
  if (!appendIndicatorRows(problem, job.store, &failure) ||
      !sosMembersMayBeZero(problem, job.store, &failure)) {
    logLine(job.log, "Unsupported: " + failure);
    solution.status = KVA_UNSUPPORTED;
    return;
  }
  SolveClock::time_point start = SolveClock::now();
  std::vector<double> startPoint;
  if (!completedStart(problem, job, &startPoint)) startPoint.clear();
  CbcOutcome outcome = runCbc(problem, job, minimisedCutoff(job));
  solution.presolverTime = outcome.preprocessSeconds;
  solution.spxIters = outcome.iterations;
  solution.status = cbcOutcome2kva(outcome, job.signal);
  if (solution.status == KVA_INF_OR_UBD && !job.signal.terminate->load()) {
    solution.status = settleUnboundedRelaxation(problem, job);
  }
  preferStart(problem, startPoint, &outcome, &solution.status);
  bool usable =
      solution.status == KVA_OPTIMAL || solution.status == KVA_SUB_OPTIMAL;
  if (usable && outcome.hasPoint) takeMipPoint(outcome, problem, job, solution);
  solution.solutionTime = secondsSince(start) - solution.presolverTime;
}
