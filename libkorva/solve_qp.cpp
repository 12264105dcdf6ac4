#include <algorithm>
#include <cmath>
#include <vector>

#include "libkorva/api_export.h"
#include "libkorva/clp_run.h"
#include "libkorva/clp_setup.h"
#include "libkorva/clp_status.h"
#include "libkorva/convexity.h"
#include "libkorva/objective.h"
#include "libkorva/qp_polish.h"
#include "libkorva/quadratic_settle.h"
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

// The barrier's answer when it is believable: optimal, or stopped by a
// limit. -1 when the model has to be settled otherwise.
int runQuadraticBarrier(ClpSimplex &model, const LinearProblem &problem,
                        SolveJob &job, Solution &solution) {
  int iterations = 0;
  int status = runBarrier(model, job.settings, true, &iterations);
  solution.ipmIters = iterations;
  logFormatted(job.log, "Barrier: %d iterations", iterations);
  // The barrier also calls infeasible and unbounded models solved; only a
  // feasible, finite point is believed.
  bool believable = status == 0 && !ranOff(model, numVars(job.store)) &&
                    isFeasiblePoint(problem, model.getColSolution(), 1e-6);
  if (believable) return clpOptimal;
  if (job.signal.terminate->load() || job.signal.timeUp.load()) {
    return clpStoppedByEvent;
  }
  if (iterations >= job.settings.ipmMaxIterations) {
    return clpStoppedOnIterations;
  }
  return -1;
}

// The status of a model with a ray along which its objective falls.
int statusWithRay(const LinearProblem &problem, SolveJob &job) {
  switch (isFeasible(problem, job.signal)) {
    case LpAnswer::Yes:
      logLine(job.log,
              "The objective falls without bound along a ray of the "
              "feasible set");
      return KVA_UNBOUNDED;
    case LpAnswer::No:
      return KVA_INFEASIBLE;
    case LpAnswer::Stopped:
      break;
  }
  return clpStatus2kva(clpStoppedByEvent, false, job.signal);
}

// The status of a bounded model the barrier did not solve.
int settleQuadratic(ClpSimplex &model, const LinearProblem &problem,
                    SolveJob &job, Solution &solution) {
  switch (isFeasible(problem, job.signal)) {
    case LpAnswer::No:
      return KVA_INFEASIBLE;
    case LpAnswer::Stopped:
      return clpStatus2kva(clpStoppedByEvent, false, job.signal);
    case LpAnswer::Yes:
      break;
  }
  // Feasible and bounded: the quadratic primal, which needs both, settles
  // it from the barrier's point.
  logLine(job.log,
          "Barrier did not end optimal; Clp's quadratic primal settles "
          "the model");
  model.primal(1);
  solution.spxIters = model.numberIterations();
  logFormatted(job.log, "Quadratic primal: %d iterations",
               model.numberIterations());
  bool feasible = isFeasiblePoint(problem, model.getColSolution(), 1e-6);
  return clpStatus2kva(model.status(), feasible, job.signal);
}

// Makes an optimal point exact. When the sides the barrier's point holds
// are not those of the optimum, Ipopt's point (accurate where Clp's barrier
// ends far from the optimum) is polished instead; if that fails too, the
// barrier's point stands.
void polish(ClpSimplex &model, const LinearProblem &problem,
            const HessianTriangle &hessian, SolveJob &job) {
  if (polishQuadratic(model, problem, hessian, job.signal)) {
    logLine(job.log, "Point and duals polished by an LP over the held sides");
    return;
  }
  logLine(job.log,
          "The barrier's point does not polish; Ipopt solves the "
          "model for another");
  Solution ipopt;
  solveQuadraticMinlp(job, ipopt);
  int n = model.numberColumns();
  int m = model.numberRows();
  std::vector<double> x(model.getColSolution(), model.getColSolution() + n);
  std::vector<double> y(model.getRowPrice(), model.getRowPrice() + m);
  std::vector<double> z(model.getReducedCost(), model.getReducedCost() + n);
  if (ipopt.status == KVA_OPTIMAL) {
    // Ipopt's duals are not passed on: the guess of held sides takes the
    // barrier's, and then none (the point alone).
    std::copy(ipopt.x.begin(), ipopt.x.end(), model.primalColumnSolution());
    bool polished = polishQuadratic(model, problem, hessian, job.signal);
    if (!polished) {
      std::fill_n(model.dualRowSolution(), m, 0.0);
      std::fill_n(model.dualColumnSolution(), n, 0.0);
      polished = polishQuadratic(model, problem, hessian, job.signal);
    }
    if (polished) {
      logLine(job.log, "Ipopt's point and duals polished");
      return;
    }
  }
  logLine(job.log, "No point polished; the barrier's point stands");
  std::copy(x.begin(), x.end(), model.primalColumnSolution());
  std::copy(y.begin(), y.end(), model.dualRowSolution());
  std::copy(z.begin(), z.end(), model.dualColumnSolution());
}

}  // namespace

void solveQuadratic(SolveJob &job, Solution &solution) {
  HessianTriangle hessian = objectiveHessian(job.store);
  Convexity convexity = hessianConvexity(hessian, job.signal.terminate);
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
  LpAnswer ray = hasFallingRay(problem, hessian, job.signal);
  if (ray != LpAnswer::No) {
    solution.status = ray == LpAnswer::Yes
                          ? statusWithRay(problem, job)
                          : clpStatus2kva(clpStoppedByEvent, false, job.signal);
    solution.solutionTime = secondsSince(start);
    return;
  }
  if (stoppedBeforePhase(job.signal, &solution.status)) {
    solution.solutionTime = secondsSince(start);
    return;
  }
  int decided = runQuadraticBarrier(model, problem, job, solution);
  if (decided < 0) {
    solution.status = settleQuadratic(model, problem, job, solution);
  } else {
    bool feasible = isFeasiblePoint(problem, model.getColSolution(), 1e-6);
    solution.status = clpStatus2kva(decided, feasible, job.signal);
  }
  if (solution.status == KVA_OPTIMAL) polish(model, problem, hessian, job);
  if (hasUsablePoint(solution.status)) takeClpPoint(model, job.store, solution);
  solution.solutionTime = secondsSince(start);
}
