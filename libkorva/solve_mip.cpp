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
  std::vector<double> rc;
  if (store.sos.empty() &&
      fixedLpReducedCosts(problem, outcome.x, job.signal, &rc)) {
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
  if (!appendIndicatorRows(problem, job.store, &failure)) {
    logLine(job.log, "Unsupported: " + failure);
    solution.status = KVA_UNSUPPORTED;
    return;
  }
  SolveClock::time_point start = SolveClock::now();
  CbcOutcome outcome = runCbc(problem, job, minimisedCutoff(job));
  solution.presolverTime = outcome.preprocessSeconds;
  solution.spxIters = outcome.iterations;
  solution.status = cbcOutcome2kva(outcome, job.signal);
  if (solution.status == KVA_INF_OR_UBD && !job.signal.terminate->load()) {
    solution.status = settleUnboundedRelaxation(problem, job);
  }
  bool usable =
      solution.status == KVA_OPTIMAL || solution.status == KVA_SUB_OPTIMAL;
  if (usable && outcome.hasPoint) takeMipPoint(outcome, problem, job, solution);
  solution.solutionTime = secondsSince(start) - solution.presolverTime;
}
