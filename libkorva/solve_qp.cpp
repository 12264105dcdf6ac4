#include <cmath>

#include "libkorva/api_export.h"
#include "libkorva/clp_run.h"
#include "libkorva/clp_setup.h"
#include "libkorva/clp_status.h"
#include "libkorva/convexity.h"
#include "libkorva/objective.h"
#include "libkorva/solve_job.h"

namespace {

// Clp's quadratic solvers can end "optimal" with a variable moved out to
// their infinity when the objective falls without bound along a ray.
bool ranOff(const ClpSimplex &model, int n) {
  const double *x = model.getColSolution();
  for (int j = 0; j < n; ++j) {
    if (std::fabs(x[j]) >= KVA_INFINITY) return true;
  }
  return false;
}

// Returns the Clp status of the run that decided the outcome.
int runQuadratic(ClpSimplex &model, const LinearProblem &problem, SolveJob &job,
                 Solution &solution) {
  const Settings &settings = job.settings;
  if (settings.method == 2) {
    int iterations = 0;
    int status = runBarrier(model, settings, true, &iterations);
    solution.ipmIters = iterations;
    // The barrier also calls infeasible and unbounded models solved; only a
    // feasible, finite point is believed.
    bool believable = status == 0 && !ranOff(model, numVars(job.store)) &&
                      isFeasiblePoint(problem, model.getColSolution(), 1e-6);
    if (believable) return clpOptimal;
    if (status != 0 && iterations >= settings.ipmMaxIterations) {
      return clpStoppedOnIterations;
    }
    logLine(job.log,
            "Barrier did not end optimal; Clp's quadratic primal settles "
            "the model");
  }
  // With a quadratic objective Clp's primal is its reduced-gradient method;
  // there is no dual counterpart, so Methods 0 and 1 both come here.
  model.primal();
  solution.spxIters = model.numberIterations();
  return model.status();
}

}  // namespace

void solveQuadratic(SolveJob &job, Solution &solution) {
  HessianTriangle hessian = objectiveHessian(job.store);
  Convexity convexity = hessianConvexity(hessian);
  if (convexity == Convexity::NotConvex) {
    logLine(job.log, job.store.sense == 1
                         ? "Unsupported: the quadratic objective of this "
                           "minimisation is not convex"
                         : "Unsupported: the quadratic objective of this "
                           "maximisation is not concave");
    solution.status = KVA_UNSUPPORTED;
    return;
  }
  if (convexity == Convexity::NotChecked) {
    logLine(job.log, "More than " + std::to_string(maxConvexityCheckSize) +
                         " variables in the quadratic objective: its "
                         "convexity is assumed, not checked");
  }
  LinearProblem problem = store2linearProblem(job.store);
  ClpRun run(job);
  prepareClpRun(run, problem, job.settings);
  ClpSimplex &model = run.model;
  model.loadQuadraticObjective(numVars(job.store), hessian.colStart.data(),
                               hessian.idx.data(), hessian.vals.data());

  SolveClock::time_point start = SolveClock::now();
  int decided = runQuadratic(model, problem, job, solution);
  bool feasible = decided == clpDualInfeasible
                      ? model.numberPrimalInfeasibilities() == 0
                      : isFeasiblePoint(problem, model.getColSolution(), 1e-6);
  if (decided == clpOptimal && ranOff(model, numVars(job.store))) {
    // Phase 2 had been reached, so the model is feasible.
    decided = clpDualInfeasible;
    feasible = true;
  }
  solution.status = clpStatus2kva(decided, feasible, job.signal);
  if (hasUsablePoint(solution.status)) takeClpPoint(model, job.store, solution);
  solution.solutionTime = secondsSince(start);
}
