// The linear part of a model as the Coin solvers take it: minimisation,
// Coin's infinity, integer columns flagged.
#ifndef LIBKORVA_LINEAR_PROBLEM_H
#define LIBKORVA_LINEAR_PROBLEM_H

#include <CoinPackedMatrix.hpp>
#include <vector>

#include "libkorva/model_store.h"

struct LinearProblem {
  CoinPackedMatrix matrix;  // column-ordered
  std::vector<double> colLower;
  std::vector<double> colUpper;
  // The model's objective times its sense, so that minimising it solves the
  // model.
  std::vector<double> obj;
  std::vector<double> rowLower;
  std::vector<double> rowUpper;
  std::vector<char> integer;
};

// ±KVA_INFINITY and beyond become Coin's infinity.
double side2coin(double value);

LinearProblem store2linearProblem(const ModelStore &store);

// 'B' and 'I' columns; a 'B' column's bounds are cut to [0, 1].
bool isIntegerType(char type);

#endif
