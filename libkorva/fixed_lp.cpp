#include "libkorva/fixed_lp.h"

#include <ClpSimplex.hpp>
#include <cmath>

#include "libkorva/clp_events.h"
#include "libkorva/clp_setup.h"

bool solveFixedLp(const LinearProblem &problem, const std::vector<double> &x,
                  StopSignal &signal, std::vector<double> *point,
                  std::vector<double> *rc) {
  LinearProblem fixed = problem;
  for (size_t j = 0; j < fixed.integer.size(); ++j) {
    if (!fixed.integer[j]) continue;
    double value = std::round(x[j]);
    if (value < fixed.colLower[j] || value > fixed.colUpper[j]) return false;
    fixed.colLower[j] = value;
    fixed.colUpper[j] = value;
  }
  // Only a terminate request stops this LP: it is small work on the way out.
  const std::atomic<bool> wrappingUp{true};
  ClpStopEvents events(signal, &wrappingUp);
  ClpSimplex model;
  model.setLogLevel(0);
  model.passInEventHandler(&events);
  loadClpModel(model, fixed);
  model.dual();
  if (model.status() != 0) return false;
  int n = fixed.matrix.getNumCols();
  point->assign(model.getColSolution(), model.getColSolution() + n);
  rc->assign(model.getReducedCost(), model.getReducedCost() + n);
  return true;
}
