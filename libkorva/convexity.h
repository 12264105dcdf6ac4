// Whether a quadratic objective is convex, so that Clp's quadratic solvers
// (which assume it) give the true optimum.
#ifndef LIBKORVA_CONVEXITY_H
#define LIBKORVA_CONVEXITY_H

#include <atomic>

#include "libkorva/objective.h"

// Variables that take part in the quadratic objective beyond which the test
// is not run (its dense work grows with the cube of their number).
constexpr int maxConvexityCheckSize = 2000;

// Stopped: a terminate request came during the test, which then ends at
// once; the solve that follows stops at its first check.
enum class Convexity { Convex, NotConvex, NotChecked, Stopped };

Convexity hessianConvexity(const HessianTriangle &hessian,
                           const std::atomic<bool> *terminate);

#endif
