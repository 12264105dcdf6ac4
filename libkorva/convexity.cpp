#include "libkorva/convexity.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// Cholesky with diagonal pivoting on a dense symmetric k x k matrix (row
// major). It stops when the largest remaining pivot is about zero: the
// rest is then semidefinite only if it is about zero throughout. Its cubic
// work is watched for a terminate request step by step.
Convexity positiveSemidefinite(std::vector<double> a, int k,
                               const std::atomic<bool> *terminate) {
  double scale = 0.0;
  for (double value : a) scale = std::max(scale, std::fabs(value));
  if (scale == 0.0) return Convexity::Convex;
  double pivotTol = 1e-10 * scale;
  double restTol = 1e-7 * scale;
  auto at = [&](int i, int j) -> double & { return a[i * k + j]; };
  for (int s = 0; s < k; ++s) {
    if (terminate->load(std::memory_order_relaxed)) return Convexity::Stopped;
    int p = s;
    for (int i = s + 1; i < k; ++i) {
      if (at(i, i) > at(p, p)) p = i;
    }
    if (p != s) {
      for (int j = 0; j < k; ++j) std::swap(at(s, j), at(p, j));
      for (int i = 0; i < k; ++i) std::swap(at(i, s), at(i, p));
    }
    double d = at(s, s);
    if (d < -pivotTol) return Convexity::NotConvex;
    if (d <= pivotTol) {
      for (int i = s; i < k; ++i) {
        for (int j = s; j < k; ++j) {
          if (std::fabs(at(i, j)) > restTol) return Convexity::NotConvex;
        }
      }
      return Convexity::Convex;
    }
    for (int i = s + 1; i < k; ++i) {
      double factor = at(i, s) / d;
      if (factor == 0.0) continue;
      for (int j = s + 1; j < k; ++j) at(i, j) -= factor * at(s, j);
    }
  }
  return Convexity::Convex;
}

}  // namespace

Convexity hessianConvexity(const HessianTriangle &hessian,
                           const std::atomic<bool> *terminate) {
  // Dense positions only for the variables the quadratic terms touch, in
  // the order of their indices.
  int n = static_cast<int>(hessian.colStart.size()) - 1;
  std::vector<int> position(static_cast<size_t>(std::max(n, 0)), -1);
  for (int j = 0; j < n; ++j) {
    for (int p = hessian.colStart[j]; p < hessian.colStart[j + 1]; ++p) {
      position[j] = 0;
      position[hessian.idx[p]] = 0;
    }
  }
  int k = 0;
  for (int &at : position) {
    if (at == 0) at = k++;
  }
  if (k > maxConvexityCheckSize) return Convexity::NotChecked;
  std::vector<double> dense(static_cast<size_t>(k) * k, 0.0);
  for (int j = 0; j < n; ++j) {
    for (int p = hessian.colStart[j]; p < hessian.colStart[j + 1]; ++p) {
      int r = position[j];
      int c = position[hessian.idx[p]];
      dense[r * k + c] = hessian.vals[p];
      dense[c * k + r] = hessian.vals[p];
    }
  }
  return positiveSemidefinite(std::move(dense), k, terminate);
}
