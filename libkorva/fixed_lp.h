// Reduced costs for a mixed-integer point: those of the LP that remains
// when every integer column is fixed at its value in the point.
#ifndef LIBKORVA_FIXED_LP_H
#define LIBKORVA_FIXED_LP_H

#include <vector>

#include "libkorva/linear_problem.h"
#include "libkorva/stop_signal.h"

// In the minimised objective; false when that LP does not solve to
// optimality.
bool fixedLpReducedCosts(const LinearProblem &problem,
                         const std::vector<double> &x, StopSignal &signal,
                         std::vector<double> *rc);

#endif
