// Setting up a Clp model: data, parameters, log and stop events, and the
// barrier run both linear and quadratic solves use.
#ifndef LIBKORVA_CLP_SETUP_H
#define LIBKORVA_CLP_SETUP_H

#include <ClpSimplex.hpp>
#include <vector>

#include "libkorva/linear_problem.h"
#include "libkorva/settings.h"

void loadClpModel(ClpSimplex &model, const LinearProblem &problem);

// Tolerances, iteration limit and pricing of the simplex.
void applySimplexSettings(ClpSimplex &model, const Settings &settings);

// Runs Clp's barrier on model (with a KKT factorization when the objective
// is quadratic) and leaves its point in model. Returns the barrier's status
// (0 optimal) and sets *iterations.
int runBarrier(ClpSimplex &model, const Settings &settings, bool quadratic,
               int *iterations);

// Whether x satisfies the problem's bounds and rows within tolerance.
bool isFeasiblePoint(const LinearProblem &problem, const double *x,
                     double tolerance);

#endif
