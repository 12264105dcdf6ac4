#include "libkorva/fixed_lp.h"

#include <ClpSimplex.hpp>
#include <cmath>

#include "libkorva/clp_events.h"
#include "libkorva/clp_setup.h"

bool fixedLpReducedCosts(const LinearProblem &problem,
                         const std::vector<double> &x, StopSignal &signal,
                         std::vector<double> *rc) {
  LinearProblem fixed = problem;
  for (size_t j = 0; j < fixed.integer.size(); ++j) {
    if (!fixed.integer[j]) continue;
    double value = std::round(x[j]);
    fixed.colLower[j] = value;
    fixed.colUpper[j] = value;
  }
  // The point is found already; only a terminate request stops this LP.
  const std::atomic<bool> wrappingUp{true};
  ClpStopEvents events(signal, &wrappingUp);
  ClpSimplex model;
  model.setLogLevel(0);
  model.passInEventHandler(&events);
  loadClpModel(model, fixed);
  model.dual();
  if (model.status() != 0) return false;
  const double *reduced = model.getReducedCost();
  rc->assign(reduced, reduced + fixed.matrix.getNumCols());
  return true;
}
