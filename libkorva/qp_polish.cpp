#include "libkorva/qp_polish.h"

#include <algorithm>
#include <cmath>

#include "libkorva/clp_events.h"
#include "libkorva/clp_setup.h"
#include "libkorva/coin_log.h"

namespace {

// The polished point is a vertex of the LP: its equations hold to rounding,
// its bounds to this.
constexpr double polishTolerance = 1e-10;
constexpr double polishCheckTolerance = 1e-9;
// Relative distance within which the second guess takes a side as held.
constexpr double nearSide = 1e-6;

enum class Held { None, Lower, Upper, Both };

// A side is held where the point's distance to it is smaller than its dual
// (minimisation: a positive dual holds the lower side), or, in the second
// guess, where the point is within nearSide of it whatever its dual says.
Held heldSide(double value, double lower, double upper, double dual,
              bool byDistance) {
  if (lower == upper) return Held::Both;
  double toLower = byDistance ? nearSide * (1 + std::fabs(lower)) : dual;
  double toUpper = byDistance ? nearSide * (1 + std::fabs(upper)) : -dual;
  if ((byDistance || dual > 0) && lower > -COIN_DBL_MAX &&
      value - lower <= toLower) {
    return Held::Lower;
  }
  if ((byDistance || dual < 0) && upper < COIN_DBL_MAX &&
      upper - value <= toUpper) {
    return Held::Upper;
  }
  return Held::None;
}

// The primal interval and the dual's sign range of a side held as `held`.
void heldBounds(Held held, double lower, double upper, double *primalLower,
                double *primalUpper, double *dualLower, double *dualUpper) {
  *primalLower = held == Held::Upper ? upper : lower;
  *primalUpper = held == Held::Lower ? lower : upper;
  *dualLower = held == Held::Lower || held == Held::Both ? 0.0 : -COIN_DBL_MAX;
  *dualUpper = held == Held::Upper || held == Held::Both ? 0.0 : COIN_DBL_MAX;
  if (held == Held::None) *dualLower = *dualUpper = 0.0;
  if (held == Held::Both) *dualLower = -COIN_DBL_MAX, *dualUpper = COIN_DBL_MAX;
}

}  // namespace

namespace {

bool polishWithGuess(ClpSimplex &model, const LinearProblem &problem,
                     const HessianTriangle &hessian, StopSignal &signal,
                     bool byDistance) {
  int n = problem.matrix.getNumCols();
  int m = problem.matrix.getNumRows();
  const double *x = model.getColSolution();
  const double *rowDual = model.getRowPrice();
  const double *reduced = model.getReducedCost();
  std::vector<double> activity(m);
  problem.matrix.times(x, activity.data());

  // Columns x (n), row duals y (m), reduced costs z (n). Rows: H x - A'y -
  // z = -c (n), then the model's rows over x with their held sides.
  LinearProblem kkt;
  kkt.colLower.resize(2 * n + m);
  kkt.colUpper.resize(2 * n + m);
  kkt.obj.assign(2 * n + m, 0.0);
  for (int j = 0; j < n; ++j) {
    Held held = heldSide(x[j], problem.colLower[j], problem.colUpper[j],
                         reduced[j], byDistance);
    heldBounds(held, problem.colLower[j], problem.colUpper[j], &kkt.colLower[j],
               &kkt.colUpper[j], &kkt.colLower[n + m + j],
               &kkt.colUpper[n + m + j]);
    kkt.rowLower.push_back(-problem.obj[j]);
    kkt.rowUpper.push_back(-problem.obj[j]);
  }
  for (int i = 0; i < m; ++i) {
    Held held = heldSide(activity[i], problem.rowLower[i], problem.rowUpper[i],
                         rowDual[i], byDistance);
    double lower, upper;
    heldBounds(held, problem.rowLower[i], problem.rowUpper[i], &lower, &upper,
               &kkt.colLower[n + i], &kkt.colUpper[n + i]);
    kkt.rowLower.push_back(lower);
    kkt.rowUpper.push_back(upper);
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
    const CoinPackedMatrix &a = problem.matrix;
    for (CoinBigIndex p = a.getVectorFirst(j); p < a.getVectorLast(j); ++p) {
      add(j, n + a.getIndices()[p], -a.getElements()[p]);
      add(n + a.getIndices()[p], j, a.getElements()[p]);
    }
    add(j, n + m + j, -1.0);
  }
  kkt.matrix = CoinPackedMatrix(true, rows.data(), cols.data(), vals.data(),
                                static_cast<int>(vals.size()));
  kkt.matrix.setDimensions(n + m, 2 * n + m);

  SilentCoinHandler silent;
  ClpStopEvents events(signal);
  ClpSimplex lp;
  lp.passInMessageHandler(&silent);
  lp.setLogLevel(0);
  lp.passInEventHandler(&events);
  loadClpModel(lp, kkt);
  lp.setPrimalTolerance(polishTolerance);
  lp.setDualTolerance(polishTolerance);
  lp.initialSolve();
  const double *z = lp.getColSolution();
  // Clp can call an infeasible guess optimal after presolve; the point
  // itself decides.
  if (lp.status() != 0 || !isFeasiblePoint(kkt, z, polishCheckTolerance)) {
    return false;
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
