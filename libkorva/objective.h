// The model's objective at a point, and the quadratic objective as the
// symmetric matrix Coin's quadratic solvers take.
#ifndef LIBKORVA_OBJECTIVE_H
#define LIBKORVA_OBJECTIVE_H

#include <vector>

#include "libkorva/model_store.h"

// c'x + sum of v * x_i * x_j over the quadratic terms + the constant.
double objectiveValue(const ModelStore &store, const std::vector<double> &x);

// H with 0.5 x'Hx equal to the quadratic terms times the model's sense, as
// one triangle in Clp's layout: for each j, the entries H_ji with i >= j at
// colStart[j] .. colStart[j+1]-1. A term (i, j, v) with i != j adds v to
// H_ij; a diagonal term adds 2v.
struct HessianTriangle {
  std::vector<int> colStart;
  std::vector<int> idx;
  std::vector<double> vals;
};

HessianTriangle objectiveHessian(const ModelStore &store);

#endif
