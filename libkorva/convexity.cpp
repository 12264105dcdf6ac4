#include "libkorva/convexity.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace {

// Cholesky with diagonal pivoting on a dense symmetric k x k matrix (row
// major). It stops when the largest remaining pivot is about zero: the
// rest is then semidefinite only if it is about zero throughout.
bool isPositiveSemidefinite(std::vector<double> a, int k) {
  double scale = 0.0;
  for (double value : a) scale = std::max(scale, std::fabs(value));
  if (scale == 0.0) return true;
  double pivotTol = 1e-10 * scale;
  double restTol = 1e-7 * scale;
  auto at = [&](int i, int j) -> double & { return a[i * k + j]; };
  for (int s = 0; s < k; ++s) {
    int p = s;
    for (int i = s + 1; i < k; ++i) {
      if (at(i, i) > at(p, p)) p = i;
    }
    if (p != s) {
      for (int j = 0; j < k; ++j) std::swap(at(s, j), at(p, j));
      for (int i = 0; i < k; ++i) std::swap(at(i, s), at(i, p));
    }
    double d = at(s, s);
    if (d < -pivotTol) return false;
    if (d <= pivotTol) {
      for (int i = s; i < k; ++i) {
        for (int j = s; j < k; ++j) {
          if (std::fabs(at(i, j)) > restTol) return false;
        }
      }
      return true;
    }
    for (int i = s + 1; i < k; ++i) {
      double factor = at(i, s) / d;
      if (factor == 0.0) continue;
      for (int j = s + 1; j < k; ++j) at(i, j) -= factor * at(s, j);
    }
  }
  return true;
}

}  // namespace

Convexity hessianConvexity(const HessianTriangle &hessian) {
  // Dense positions only for the variables the quadratic terms touch.
  std::map<int, int> position;
  int n = static_cast<int>(hessian.colStart.size()) - 1;
  for (int j = 0; j < n; ++j) {
    for (int p = hessian.colStart[j]; p < hessian.colStart[j + 1]; ++p) {
      position.emplace(j, 0);
      position.emplace(hessian.idx[p], 0);
    }
  }
  int k = static_cast<int>(position.size());
  if (k > maxConvexityCheckSize) return Convexity::NotChecked;
  int next = 0;
  for (auto &entry : position) entry.second = next++;
  std::vector<double> dense(static_cast<size_t>(k) * k, 0.0);
  for (int j = 0; j < n; ++j) {
    for (int p = hessian.colStart[j]; p < hessian.colStart[j + 1]; ++p) {
      int r = position[j];
      int c = position[hessian.idx[p]];
      dense[r * k + c] = hessian.vals[p];
      dense[c * k + r] = hessian.vals[p];
    }
  }
  return isPositiveSemidefinite(std::move(dense), k) ? Convexity::Convex
                                                     : Convexity::NotConvex;
}
