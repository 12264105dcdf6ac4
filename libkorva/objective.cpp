#include "libkorva/objective.h"

#include <algorithm>
#include <map>
#include <utility>

double objectiveValue(const ModelStore &store, const std::vector<double> &x) {
  double value = store.objConst;
  for (int j = 0; j < numVars(store); ++j) value += store.obj[j] * x[j];
  for (const QuadTerm &term : store.objQuad) {
    value += term.val * x[term.row] * x[term.col];
  }
  return value;
}

HessianTriangle objectiveHessian(const ModelStore &store) {
  // Keyed (smaller index, larger index), so iteration runs start by start.
  std::map<std::pair<int, int>, double> entries;
  for (const QuadTerm &term : store.objQuad) {
    int first = std::min(term.row, term.col);
    int second = std::max(term.row, term.col);
    double factor = first == second ? 2.0 : 1.0;
    entries[{first, second}] += factor * store.sense * term.val;
  }
  HessianTriangle hessian;
  int n = numVars(store);
  hessian.colStart.assign(n + 1, 0);
  for (const auto &[key, value] : entries) {
    hessian.idx.push_back(key.second);
    hessian.vals.push_back(value);
    ++hessian.colStart[key.first + 1];
  }
  for (int j = 0; j < n; ++j) hessian.colStart[j + 1] += hessian.colStart[j];
  return hessian;
}
