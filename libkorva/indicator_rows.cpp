#include "libkorva/indicator_rows.h"

#include <CoinFinite.hpp>
#include <CoinPackedVector.hpp>
#include <algorithm>

#include "libkorva/api_export.h"

namespace {

// The smallest or largest value the linear part can take within the bounds;
// Coin's infinity when unbounded that way.
double activityBound(const LinearProblem &problem, const SparseTerms &terms,
                     bool largest) {
  double total = 0.0;
  for (size_t k = 0; k < terms.idx.size(); ++k) {
    double a = terms.vals[k];
    int j = terms.idx[k];
    if (a == 0.0) continue;
    double bound =
        (a > 0) == largest ? problem.colUpper[j] : problem.colLower[j];
    if (bound >= COIN_DBL_MAX || bound <= -COIN_DBL_MAX) {
      return largest ? COIN_DBL_MAX : -COIN_DBL_MAX;
    }
    total += a * bound;
  }
  return total;
}

// terms + coef * z, with z's coefficient merged if z is among the terms.
CoinPackedVector withIndicatorTerm(const SparseTerms &terms, int z,
                                   double coef) {
  CoinPackedVector row;
  bool merged = false;
  for (size_t k = 0; k < terms.idx.size(); ++k) {
    double value = terms.vals[k];
    if (terms.idx[k] == z) {
      value += coef;
      merged = true;
    }
    row.insert(terms.idx[k], value);
  }
  if (!merged) row.insert(z, coef);
  return row;
}

// One side of the implication: while z == binVal, terms <= side (upper) or
// terms >= side (lower). With z at the other value the row must be slack
// over the whole box, which costs bigM = the distance from side to the
// activity bound.
void appendSideRow(LinearProblem &problem, const Indicator &ind, bool upper,
                   double side, double bigM) {
  // upper, binVal 1: terms + M z <= side + M;  binVal 0: terms - M z <= side.
  // lower, binVal 1: terms - M z >= side - M;  binVal 0: terms + M z >= side.
  double direction = upper ? 1.0 : -1.0;
  double coef = (ind.binVal == 1 ? 1.0 : -1.0) * direction * bigM;
  double bound = side + (ind.binVal == 1 ? direction * bigM : 0.0);
  problem.matrix.appendRow(withIndicatorTerm(ind.linear, ind.binVar, coef));
  problem.rowLower.push_back(upper ? -COIN_DBL_MAX : bound);
  problem.rowUpper.push_back(upper ? bound : COIN_DBL_MAX);
}

bool appendIndicator(LinearProblem &problem, const Indicator &ind,
                     std::string *failure) {
  double sides[2] = {ind.rhs, ind.lhs};
  for (bool upper : {true, false}) {
    double side = sides[upper ? 0 : 1];
    if (side >= KVA_INFINITY || side <= -KVA_INFINITY) continue;
    double activity = activityBound(problem, ind.linear, upper);
    if (activity >= COIN_DBL_MAX || activity <= -COIN_DBL_MAX) {
      *failure = "indicator constraint" +
                 (ind.name.empty() ? std::string() : " " + ind.name) +
                 " has a variable without the finite bound its big-M row "
                 "needs";
      return false;
    }
    double bigM = upper ? activity - side : side - activity;
    if (bigM > 0.0) appendSideRow(problem, ind, upper, side, bigM);
  }
  return true;
}

}  // namespace

bool appendIndicatorRows(LinearProblem &problem, const ModelStore &store,
                         std::string *failure) {
  for (const Indicator &ind : store.indicators) {
    int z = ind.binVar;
    problem.integer[z] = true;
    problem.colLower[z] = std::max(problem.colLower[z], 0.0);
    problem.colUpper[z] = std::min(problem.colUpper[z], 1.0);
  }
  for (const Indicator &ind : store.indicators) {
    if (!appendIndicator(problem, ind, failure)) return false;
  }
  return true;
}
