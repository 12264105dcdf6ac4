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
  int m = numRows(store);
  LinearProblem problem;
  // Copied straight into the matrix: building a temporary and assigning it
  // cost a small LP a tenth of its solve time.
  problem.matrix.copyOf(
      true, m, n, static_cast<CoinBigIndex>(store.vals.size()),
      store.vals.data(), store.rowIdx.data(), store.colStart.data(), nullptr);
  problem.colLower.resize(n);
  problem.colUpper.resize(n);
  problem.obj.resize(n);
  problem.integer.resize(n);
  for (int j = 0; j < n; ++j) {
    double lower = side2coin(store.lb[j]);
    double upper = side2coin(store.ub[j]);
    if (store.vtype[j] == 'B') {
      lower = std::max(lower, 0.0);
      upper = std::min(upper, 1.0);
    }
    problem.colLower[j] = lower;
    problem.colUpper[j] = upper;
    problem.obj[j] = store.sense * store.obj[j];
    problem.integer[j] = isIntegerType(store.vtype[j]);
  }
  problem.rowLower.resize(m);
  problem.rowUpper.resize(m);
  for (int i = 0; i < m; ++i) {
    problem.rowLower[i] = side2coin(store.rowLhs[i]);
    problem.rowUpper[i] = side2coin(store.rowRhs[i]);
  }
  return problem;
}
