#include "libkorva/clp_setup.h"

#include <ClpCholeskyBase.hpp>
#include <ClpDualRowDantzig.hpp>
#include <ClpDualRowSteepest.hpp>
#include <ClpInterior.hpp>
#include <ClpPrimalColumnDantzig.hpp>
#include <ClpPrimalColumnSteepest.hpp>
#include <algorithm>
#include <cmath>

void loadClpModel(ClpSimplex &model, const LinearProblem &problem) {
  model.loadProblem(problem.matrix, problem.colLower.data(),
                    problem.colUpper.data(), problem.obj.data(),
                    problem.rowLower.data(), problem.rowUpper.data());
}

void applySimplexSettings(ClpSimplex &model, const Settings &settings) {
  model.setPrimalTolerance(settings.spxPrimalTolerance);
  model.setDualTolerance(settings.spxDualTolerance);
  model.setMaximumIterations(settings.spxMaxIterations);
  if (settings.spxDualPricing == 0) {
    ClpDualRowDantzig dantzig;
    model.setDualRowPivotAlgorithm(dantzig);
  } else if (settings.spxDualPricing > 0) {
    // Clp's steepest-edge modes: 1 full, 2 partial.
    ClpDualRowSteepest steepest(settings.spxDualPricing);
    model.setDualRowPivotAlgorithm(steepest);
  }
  if (settings.spxPrimalPricing == 0) {
    ClpPrimalColumnDantzig dantzig;
    model.setPrimalColumnPivotAlgorithm(dantzig);
  } else if (settings.spxPrimalPricing > 0) {
    // Clp's modes: 1 steepest edge, 0 devex.
    ClpPrimalColumnSteepest steepest(settings.spxPrimalPricing == 1 ? 1 : 0);
    model.setPrimalColumnPivotAlgorithm(steepest);
  }
}

int runBarrier(ClpSimplex &model, const Settings &settings, bool quadratic,
               int *iterations) {
  double primalTolerance = model.primalTolerance();
  double dualTolerance = model.dualTolerance();
  ClpInterior barrier;
  barrier.borrowModel(model);
  // Clp prints its factor's size to std::cout unless the model is silent,
  // which Clp models here always are.
  ClpCholeskyBase *cholesky = new ClpCholeskyBase();
  cholesky->setKKT(quadratic);
  barrier.setCholesky(cholesky);  // the barrier owns it from here
  barrier.setMaximumBarrierIterations(settings.ipmMaxIterations);
  barrier.setPrimalTolerance(settings.ipmPrimalTolerance);
  barrier.setDualTolerance(settings.ipmDualTolerance);
  barrier.primalDual();
  *iterations = barrier.numberIterations();
  int status = barrier.status();
  barrier.returnModel(model);
  // The simplex that may follow keeps its own tolerances.
  model.setPrimalTolerance(primalTolerance);
  model.setDualTolerance(dualTolerance);
  return status;
}

bool isFeasiblePoint(const LinearProblem &problem, const double *x,
                     double tolerance) {
  auto within = [tolerance](double value, double lower, double upper) {
    double slack = tolerance * std::max(1.0, std::fabs(value));
    return value >= lower - slack && value <= upper + slack;
  };
  int n = problem.matrix.getNumCols();
  for (int j = 0; j < n; ++j) {
    if (!within(x[j], problem.colLower[j], problem.colUpper[j])) return false;
  }
  std::vector<double> activity(problem.matrix.getNumRows());
  problem.matrix.times(x, activity.data());
  for (size_t i = 0; i < activity.size(); ++i) {
    if (!within(activity[i], problem.rowLower[i], problem.rowUpper[i])) {
      return false;
    }
  }
  return true;
}
