// Exact optimality for a convex QP from an interior point. Clp's barrier
// stops where the optimality conditions hold to its tolerances (1e-6 ..
// 1e-8, and worse on badly scaled models); the bounds and sides its point
// holds make those conditions linear, and one LP over (x, row duals,
// reduced costs) then gives the point and its duals to the simplex's
// precision, or shows that the guess of held sides was wrong. Sides the
// point is near but does not clearly hold are, in a second guess, left to
// that LP.
#ifndef LIBKORVA_QP_POLISH_H
#define LIBKORVA_QP_POLISH_H

#include <ClpSimplex.hpp>

#include "libkorva/linear_problem.h"
#include "libkorva/objective.h"
#include "libkorva/stop_signal.h"

// Replaces model's point, row duals and reduced costs with the polished
// ones and returns true, or leaves them and returns false.
bool polishQuadratic(ClpSimplex &model, const LinearProblem &problem,
                     const HessianTriangle &hessian, StopSignal &signal);

#endif
