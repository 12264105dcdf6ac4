#include "libkorva/linear_problem.h"

#include <CoinFinite.hpp>
#include <algorithm>

#include "libkorva/api_export.h"

double side2coin(double value) {
  if (value >= KVA_INFINITY) return COIN_DBL_MAX;
  if (value <= -KVA_INFINITY) return -COIN_DBL_MAX;
  return value;
}

bool isIntegerType(char type) { return type == 'B' || type == 'I'; }

LinearProblem store2linearProblem(const ModelStore &store) {
  int n = numVars(store);
  LinearProblem problem;
  std::vector<int> lengths(n);
  for (int j = 0; j < n; ++j) {
    lengths[j] = store.colStart[j + 1] - store.colStart[j];
  }
  problem.matrix = CoinPackedMatrix(
      true, numRows(store), n, static_cast<CoinBigIndex>(store.vals.size()),
      store.vals.data(), store.rowIdx.data(), store.colStart.data(),
      lengths.data());
  for (int j = 0; j < n; ++j) {
    double lower = side2coin(store.lb[j]);
    double upper = side2coin(store.ub[j]);
    if (store.vtype[j] == 'B') {
      lower = std::max(lower, 0.0);
      upper = std::min(upper, 1.0);
    }
    problem.colLower.push_back(lower);
    problem.colUpper.push_back(upper);
    problem.obj.push_back(store.sense * store.obj[j]);
    problem.integer.push_back(isIntegerType(store.vtype[j]));
  }
  for (int i = 0; i < numRows(store); ++i) {
    problem.rowLower.push_back(side2coin(store.rowLhs[i]));
    problem.rowUpper.push_back(side2coin(store.rowRhs[i]));
  }
  return problem;
}
