#include "libkorva/qp_polish.h"

#include <algorithm>
#include <cmath>

#include "libkorva/clp_run.h"
#include "libkorva/clp_setup.h"

namespace {

// The polished point is a vertex of the LP: its equations hold to rounding,
// its bounds to this (the LP runs unscaled, so the tolerance is the
// model's own).
constexpr double polishTolerance = 1e-10;
constexpr double polishCheckTolerance = 1e-9;
// Relative distance within which the second guess lets the LP decide
// whether a side is held.
constexpr double nearSide = 1e-3;

// Maybe: the point is near the side, and the LP decides.
enum class Held { None, Lower, Upper, Both, MaybeLower, MaybeUpper };

// A side is held where the point's distance to it is smaller than its dual
// (minimisation: a positive dual holds the lower side). In the second guess
// a side within nearSide that is not held so is left to the LP.
Held heldSide(double value, double lower, double upper, double dual,
              bool elastic) {
  if (lower == upper) return Held::Both;
  bool hasLower = lower > -COIN_DBL_MAX, hasUpper = upper < COIN_DBL_MAX;
  if (dual > 0 && hasLower && value - lower <= dual) return Held::Lower;
  if (dual < 0 && hasUpper && upper - value <= -dual) return Held::Upper;
  if (!elastic) return Held::None;
  double toLower = hasLower ? (value - lower) / (1 + std::fabs(lower)) : 1.0;
  double toUpper = hasUpper ? (upper - value) / (1 + std::fabs(upper)) : 1.0;
  if (std::min(toLower, toUpper) > nearSide) return Held::None;
  return toLower <= toUpper ? Held::MaybeLower : Held::MaybeUpper;
}

struct Range {
  double lower, upper;
};

// The primal interval of a side held as `held`.
Range primalRange(Held held, double lower, double upper) {
  if (held == Held::Lower) return {lower, lower};
  if (held == Held::Upper) return {upper, upper};
  return {lower, upper};
}

// The dual's sign range.
Range dualRange(Held held) {
  switch (held) {
    case Held::None:
      return {0.0, 0.0};
    case Held::Lower:
    case Held::MaybeLower:
      return {0.0, COIN_DBL_MAX};
    case Held::Upper:
    case Held::MaybeUpper:
      return {-COIN_DBL_MAX, 0.0};
    case Held::Both:
      break;
  }
  return {-COIN_DBL_MAX, COIN_DBL_MAX};
}

// A column's or row's part of the polish LP: which side it holds, the
// range of its value and the range of its dual.
struct SidePart {
  Held held;
  Range primal, dual;
};

SidePart sidePart(double value, double lower, double upper, double dual,
                  bool elastic) {
  Held held = heldSide(value, lower, upper, dual, elastic);
  return {held, primalRange(held, lower, upper), dualRange(held)};
}

// The direction in which the LP pushes a side left to it (towards the side
// and towards a zero dual), 0 for the others.
double push(Held held) {
  return held == Held::MaybeLower ? 1.0 : held == Held::MaybeUpper ? -1.0 : 0;
}

// Whether a side left to the LP ended held or with a zero dual.
bool complementary(Held held, double value, double lower, double upper,
                   double dual) {
  if (push(held) == 0.0) return true;
  double bound = held == Held::MaybeLower ? lower : upper;
  double gap = std::fabs(value - bound) / (1 + std::fabs(bound));
  return std::min(gap, std::fabs(dual)) <= polishCheckTolerance;
}

bool polishWithGuess(ClpSimplex &model, const LinearProblem &problem,
                     const HessianTriangle &hessian, StopSignal &signal,
                     bool elastic) {
  int n = problem.matrix.getNumCols();
  int m = problem.matrix.getNumRows();
  const CoinPackedMatrix &a = problem.matrix;
  const double *x = model.getColSolution();
  const double *rowDual = model.getRowPrice();
  const double *reduced = model.getReducedCost();
  std::vector<double> activity(m);
  a.times(x, activity.data());

  // Columns x (n), row duals y (m), reduced costs z (n). Rows: H x - A'y -
  // z = -c (n), then the model's rows over x with their held sides. The
  // objective pushes sides left to the LP towards complementarity.
  std::vector<Held> colHeld(n), rowHeld(m);
  LinearProblem kkt;
  kkt.colLower.resize(2 * n + m);
  kkt.colUpper.resize(2 * n + m);
  kkt.obj.assign(2 * n + m, 0.0);
  for (int j = 0; j < n; ++j) {
    SidePart part = sidePart(x[j], problem.colLower[j], problem.colUpper[j],
                             reduced[j], elastic);
    colHeld[j] = part.held;
    kkt.colLower[j] = part.primal.lower;
    kkt.colUpper[j] = part.primal.upper;
    kkt.colLower[n + m + j] = part.dual.lower;
    kkt.colUpper[n + m + j] = part.dual.upper;
    kkt.obj[j] += push(colHeld[j]);
    kkt.obj[n + m + j] = push(colHeld[j]);
    kkt.rowLower.push_back(-problem.obj[j]);
    kkt.rowUpper.push_back(-problem.obj[j]);
  }
  for (int i = 0; i < m; ++i) {
    SidePart part = sidePart(activity[i], problem.rowLower[i],
                             problem.rowUpper[i], rowDual[i], elastic);
    rowHeld[i] = part.held;
    kkt.colLower[n + i] = part.dual.lower;
    kkt.colUpper[n + i] = part.dual.upper;
    kkt.obj[n + i] = push(rowHeld[i]);
    kkt.rowLower.push_back(part.primal.lower);
    kkt.rowUpper.push_back(part.primal.upper);
  }
  std::vector<int> rows, cols;
  std::vector<double> vals;
  auto add = [&](int row, int col, double value) {
    rows.push_back(row);
    cols.push_back(col);
    vals.push_back(value);
  };
  for (int j = 0; j < n; ++j) {
    for (int p = hessian.colStart[j]; p < hessian.colStart[j + 1]; ++p) {
      add(hessian.idx[p], j, hessian.vals[p]);
      if (hessian.idx[p] != j) add(j, hessian.idx[p], hessian.vals[p]);
    }
    for (CoinBigIndex p = a.getVectorFirst(j); p < a.getVectorLast(j); ++p) {
      int i = a.getIndices()[p];
      add(j, n + i, -a.getElements()[p]);
      add(n + i, j, a.getElements()[p]);
      kkt.obj[j] += push(rowHeld[i]) * a.getElements()[p];
    }
    add(j, n + m + j, -1.0);
  }
  kkt.matrix = CoinPackedMatrix(true, rows.data(), cols.data(), vals.data(),
                                static_cast<int>(vals.size()));
  kkt.matrix.setDimensions(n + m, 2 * n + m);

  QuietClp quiet(signal);
  ClpSimplex &lp = quiet.model;
  loadClpModel(lp, kkt);
  lp.scaling(0);
  lp.setPrimalTolerance(polishTolerance);
  lp.setDualTolerance(polishTolerance);
  lp.initialSolve();
  const double *z = lp.getColSolution();
  // Clp can call an infeasible guess optimal after presolve; the point
  // itself decides.
  if (lp.status() != 0 || !isFeasiblePoint(kkt, z, polishCheckTolerance)) {
    return false;
  }
  std::vector<double> polished(z, z + n);
  a.times(polished.data(), activity.data());
  for (int j = 0; j < n; ++j) {
    if (!complementary(colHeld[j], z[j], problem.colLower[j],
                       problem.colUpper[j], z[n + m + j])) {
      return false;
    }
  }
  for (int i = 0; i < m; ++i) {
    if (!complementary(rowHeld[i], activity[i], problem.rowLower[i],
                       problem.rowUpper[i], z[n + i])) {
      return false;
    }
  }
  std::copy(z, z + n, model.primalColumnSolution());
  std::copy(z + n, z + n + m, model.dualRowSolution());
  std::copy(z + n + m, z + 2 * n + m, model.dualColumnSolution());
  return true;
}

}  // namespace

bool polishQuadratic(ClpSimplex &model, const LinearProblem &problem,
                     const HessianTriangle &hessian, StopSignal &signal) {
  return polishWithGuess(model, problem, hessian, signal, false) ||
         polishWithGuess(model, problem, hessian, signal, true);
}
