// The LP that remains when every integer column of a mixed-integer problem
// is fixed at its (rounded) value in a point: it gives a search's point its
// reduced costs, and completes a start that fixes the integer columns.
#ifndef LIBKORVA_FIXED_LP_H
#define LIBKORVA_FIXED_LP_H

#include <vector>

#include "libkorva/linear_problem.h"
#include "libkorva/stop_signal.h"

// The point and reduced costs of that LP, in the minimised objective; false
// when it does not solve to optimality, also when a fixed value lies outside
// its column's bounds.
bool solveFixedLp(const LinearProblem &problem, const std::vector<double> &x,
                  StopSignal &signal, std::vector<double> *point,
                  std::vector<double> *rc);

#endif
