// Whether a quadratic objective is convex, so that Clp's quadratic solvers
// (which assume it) give the true optimum.
#ifndef LIBKORVA_CONVEXITY_H
#define LIBKORVA_CONVEXITY_H

#include "libkorva/objective.h"

// Variables that take part in the quadratic objective beyond which the test
// is not run (its dense work grows with the cube of their number).
constexpr int maxConvexityCheckSize = 2000;

enum class Convexity { Convex, NotConvex, NotChecked };

Convexity hessianConvexity(const HessianTriangle &hessian);

#endif
