#include "libkorva/quadratic_settle.h"

#include <ClpSimplex.hpp>
#include <algorithm>

#include "libkorva/clp_run.h"
#include "libkorva/clp_setup.h"

namespace {

// A ray whose objective falls by less than this (|d| <= 1) is rounding.
constexpr double rayTolerance = 1e-9;

// Dual simplex on problem; Clp's status (0 optimal, 1 infeasible, 5
// stopped) and its objective.
int solveLp(const LinearProblem &problem, StopSignal &signal,
            double *objective) {
  QuietClp lp(signal);
  loadClpModel(lp.model, problem);
  lp.model.initialSolve();
  *objective = lp.model.objectiveValue();
  return lp.model.status();
}

// Directions d of the feasible set's recession cone with H d = 0, in the
// box |d| <= 1; the objective is the problem's linear one.
LinearProblem rayProblem(const LinearProblem &problem,
                         const HessianTriangle &hessian) {
  LinearProblem rays;
  int n = problem.matrix.getNumCols();
  int m = problem.matrix.getNumRows();
  rays.obj = problem.obj;
  for (int j = 0; j < n; ++j) {
    rays.colLower.push_back(problem.colLower[j] > -COIN_DBL_MAX ? 0.0 : -1.0);
    rays.colUpper.push_back(problem.colUpper[j] < COIN_DBL_MAX ? 0.0 : 1.0);
  }
  for (int i = 0; i < m; ++i) {
    rays.rowLower.push_back(
        problem.rowLower[i] > -COIN_DBL_MAX ? 0.0 : -COIN_DBL_MAX);
    rays.rowUpper.push_back(problem.rowUpper[i] < COIN_DBL_MAX ? 0.0
                                                               : COIN_DBL_MAX);
  }
  std::vector<int> rowIdx, colIdx;
  std::vector<double> vals;
  const CoinPackedMatrix &a = problem.matrix;
  for (int j = 0; j < n; ++j) {
    for (CoinBigIndex p = a.getVectorStarts()[j];
         p < a.getVectorStarts()[j] + a.getVectorLengths()[j]; ++p) {
      rowIdx.push_back(a.getIndices()[p]);
      colIdx.push_back(j);
      vals.push_back(a.getElements()[p]);
    }
  }
  // Row m + i is row i of the symmetric H.
  for (int j = 0; j < n; ++j) {
    for (int p = hessian.colStart[j]; p < hessian.colStart[j + 1]; ++p) {
      int i = hessian.idx[p];
      rowIdx.push_back(m + i);
      colIdx.push_back(j);
      vals.push_back(hessian.vals[p]);
      if (i == j) continue;
      rowIdx.push_back(m + j);
      colIdx.push_back(i);
      vals.push_back(hessian.vals[p]);
    }
  }
  rays.rowLower.resize(m + n, 0.0);
  rays.rowUpper.resize(m + n, 0.0);
  rays.matrix = CoinPackedMatrix(true, rowIdx.data(), colIdx.data(),
                                 vals.data(), static_cast<int>(vals.size()));
  rays.matrix.setDimensions(m + n, n);
  return rays;
}

}  // namespace

LpAnswer hasFallingRay(const LinearProblem &problem,
                       const HessianTriangle &hessian, StopSignal &signal) {
  double objective = 0.0;
  int status = solveLp(rayProblem(problem, hessian), signal, &objective);
  if (status != 0) return LpAnswer::Stopped;
  return objective < -rayTolerance ? LpAnswer::Yes : LpAnswer::No;
}

LpAnswer isFeasible(const LinearProblem &problem, StopSignal &signal) {
  LinearProblem feasibility = problem;
  std::fill(feasibility.obj.begin(), feasibility.obj.end(), 0.0);
  double objective = 0.0;
  int status = solveLp(feasibility, signal, &objective);
  if (status == 1) return LpAnswer::No;
  return status == 0 ? LpAnswer::Yes : LpAnswer::Stopped;
}
