#include <ClpFactorization.hpp>
#include <ClpPresolve.hpp>
#include <ClpPrimalColumnDantzig.hpp>
#include <CoinFinite.hpp>
#include <cmath>
#include <memory>

#include "libkorva/api_export.h"
#include "libkorva/clp_run.h"
#include "libkorva/clp_setup.h"
#include "libkorva/clp_status.h"
#include "libkorva/solve_job.h"

namespace {

// Below this many rows Clp's presolve and postsolve cost more than they
// save (netlib's afiro 0.32 against 0.18 ms, blend 0.96 against 0.81 ms);
// above it they paid off (bandm, scagr25: half the time) or came even.
constexpr int presolveMinRows = 200;

bool presolveWanted(const Settings &settings, const LinearProblem &problem) {
  if (settings.presolve == -1) {
    return problem.matrix.getNumRows() >= presolveMinRows;
  }
  return settings.presolve != 0;
}

// Below this many rows Clp's simple factorization (CoinSimpFactorization)
// is the faster one: netlib's sc50a 0.10 against 0.17 ms, blend 0.44
// against 0.53, adlittle 0.50 against 0.64; share1b (117 rows) about even;
// e226 (223 rows) 7% and agg (488 rows) 2.5 times slower with it.
constexpr int smallFactorizationRows = 150;

// Below this many rows and columns the primal simplex prices the plain
// reduced costs (Dantzig) faster than Clp's steepest edge, whose weights
// cost more to keep than they save in iterations: blend 0.29 against 0.38
// ms, adlittle 0.36 against 0.45, afiro, sc50a and sc50b 8 to 13% less;
// share1b (117 x 225) and scsd1 (77 x 760) take longer with it.
constexpr int tinyPricingSize = 100;

// The automatic pricing and factorization of the simplex for a small
// model; the ones a user chose stay.
void tuneForSize(ClpSimplex &model, const Settings &settings) {
  if (model.numberRows() < smallFactorizationRows) {
    model.factorization()->forceOtherFactorization(2);
  }
  if (settings.spxPrimalPricing == -1 && model.numberRows() < tinyPricingSize &&
      model.numberColumns() < tinyPricingSize) {
    ClpPrimalColumnDantzig dantzig;
    model.setPrimalColumnPivotAlgorithm(dantzig);
  }
}

// Clp's dual simplex hands a small model whose slack basis is dual
// infeasible at a column without the bound its cost heads for to the
// primal at once, after its own start-up: on afiro, sc50a and share1b the
// primal alone took 10 to 40% less time. Larger models presolve first.
bool primalFirst(const Settings &settings, const LinearProblem &problem) {
  if (settings.method != -1) return settings.method == 0;
  if (problem.matrix.getNumRows() >= presolveMinRows) return false;
  for (size_t j = 0; j < problem.obj.size(); ++j) {
    double cost = problem.obj[j];
    if ((cost < 0.0 && problem.colUpper[j] >= COIN_DBL_MAX) ||
        (cost > 0.0 && problem.colLower[j] <= -COIN_DBL_MAX)) {
      return true;
    }
  }
  return false;
}

// Runs the algorithm Method asks for; returns the Clp status of the run
// that decided the outcome.
int runMethod(ClpSimplex &model, SolveJob &job, bool primal,
              Solution &solution) {
  const Settings &settings = job.settings;
  if (settings.method == 2) {
    int iterations = 0;
    int status = runBarrier(model, settings, false, &iterations);
    solution.ipmIters += iterations;
    logFormatted(job.log, "Barrier: %d iterations", iterations);
    if (status != 0 && iterations >= settings.ipmMaxIterations) {
      return clpStoppedOnIterations;
    }
    if (status == 0) {
      // Crossover from the barrier's point to a basic solution.
      model.primal(1);
      // On an unbounded model the barrier runs off along the ray and the
      // crossover calls the far point optimal; its objective gives it away.
      bool believable = model.status() == clpOptimal &&
                        std::fabs(model.objectiveValue()) < KVA_INFINITY;
      if (believable || model.status() == clpStoppedByEvent) {
        solution.spxIters += model.numberIterations();
        logFormatted(job.log, "Crossover: %d simplex iterations",
                     model.numberIterations());
        return model.status();
      }
    }
    // Anything but a believable optimum is settled by the dual simplex.
    logLine(job.log,
            "Barrier did not end optimal; the dual simplex settles "
            "the model from a slack basis");
    model.allSlackBasis(true);
    model.dual();
    logFormatted(job.log, "Dual simplex: %d iterations",
                 model.numberIterations());
  } else {
    if (settings.spxCrashStart == 1) model.crash(1000.0, 1);
    if (primal) {
      model.primal();
    } else {
      model.dual();
    }
    logFormatted(job.log, "%s simplex: %d iterations",
                 primal ? "Primal" : "Dual", model.numberIterations());
  }
  solution.spxIters += model.numberIterations();
  return model.status();
}

}  // namespace

void solveLinear(SolveJob &job, Solution &solution) {
  const Settings &settings = job.settings;
  LinearProblem problem = store2linearProblem(job.store);
  ClpRun run(job);
  prepareClpRun(run, problem, settings);
  ClpSimplex &model = run.model;

  SolveClock::time_point start = SolveClock::now();
  ClpPresolve presolve;
  std::unique_ptr<ClpSimplex> reduced;
  if (presolveWanted(settings, problem)) {
    if (stoppedBeforePhase(job.signal, &solution.status)) return;
    reduced.reset(presolve.presolvedModel(model, 1e-8, false, 5));
    solution.presolverTime = secondsSince(start);
    if (reduced == nullptr) {
      logLine(job.log,
              "Presolve found the model infeasible or unbounded; "
              "it is solved without presolve to tell which");
    } else {
      attachClpRun(*reduced, run);
      applySimplexSettings(*reduced, settings);
      logFormatted(job.log, "Presolve: %d rows, %d columns, %d nonzeros left",
                   reduced->numberRows(), reduced->numberColumns(),
                   reduced->getNumElements());
    }
  }
  if (stoppedBeforePhase(job.signal, &solution.status)) return;
  ClpSimplex &work = reduced != nullptr ? *reduced : model;
  tuneForSize(work, settings);
  int decided = runMethod(work, job, primalFirst(settings, problem), solution);
  bool reachedFeasibility = work.numberPrimalInfeasibilities() == 0;
  // Infeasible and unbounded answers have no point to carry back.
  bool hasPoint = decided == clpOptimal || decided == clpStoppedOnIterations ||
                  decided == clpStoppedByEvent;
  if (reduced != nullptr && hasPoint) {
    presolve.postsolve(true);
    reduced.reset();
    if (decided == clpOptimal) {
      // Postsolve can leave small infeasibilities; a primal pass from the
      // restored basis removes them.
      model.primal(1);
      solution.spxIters += model.numberIterations();
      decided = model.status();
      if (model.numberIterations() > 0) {
        logFormatted(job.log, "Postsolve cleanup: %d primal simplex iterations",
                     model.numberIterations());
      }
    }
  }
  bool feasible =
      decided == clpDualInfeasible
          ? reachedFeasibility
          : hasPoint && isFeasiblePoint(problem, model.getColSolution(), 1e-6);
  solution.status = clpStatus2kva(decided, feasible, job.signal);
  if (hasUsablePoint(solution.status)) takeClpPoint(model, job.store, solution);
  solution.solutionTime = secondsSince(start) - solution.presolverTime;
}
