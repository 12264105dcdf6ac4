// Why a convex QP has no optimum, decided by LPs: Clp's quadratic primal
// can cycle without end on an unbounded model (printing to stdout), and its
// barrier ends "optimal" far out along the ray.
#ifndef LIBKORVA_QUADRATIC_SETTLE_H
#define LIBKORVA_QUADRATIC_SETTLE_H

#include "libkorva/linear_problem.h"
#include "libkorva/objective.h"
#include "libkorva/stop_signal.h"

enum class LpAnswer { Yes, No, Stopped };

// Whether the linear objective falls along a ray d of the feasible set's
// recession cone with H d = 0 (the model is then unbounded if feasible).
LpAnswer hasFallingRay(const LinearProblem &problem,
                       const HessianTriangle &hessian, StopSignal &signal);

// Whether the rows and bounds have a common point.
LpAnswer isFeasible(const LinearProblem &problem, StopSignal &signal);

#endif
