#include "libkorva/quadratic_minlp.h"

#include <algorithm>
#include <map>

namespace {

double valueOf(const std::vector<QuadTerm> &terms, const Ipopt::Number *x) {
  double sum = 0.0;
  for (const QuadTerm &t : terms) sum += t.val * x[t.row] * x[t.col];
  return sum;
}

// Adds factor times the gradient of the terms.
void addGradient(const std::vector<QuadTerm> &terms, const Ipopt::Number *x,
                 double factor, Ipopt::Number *out) {
  for (const QuadTerm &t : terms) {
    out[t.row] += factor * t.val * x[t.col];
    out[t.col] += factor * t.val * x[t.row];
  }
}

}  // namespace

QuadraticMinlp::QuadraticMinlp(const ModelStore &store, bool withObjective)
    : store_(store), objectiveFactor_(withObjective ? store.sense : 0.0) {
  int rows = numRows(store);
  std::vector<std::map<int, double>> entries(numConstraints(store));
  for (int j = 0; j < numVars(store); ++j) {
    for (int p = store.colStart[j]; p < store.colStart[j + 1]; ++p) {
      entries[store.rowIdx[p]][j] += store.vals[p];
    }
  }
  for (size_t k = 0; k < store.quadConstrs.size(); ++k) {
    const QuadConstraint &q = store.quadConstrs[k];
    std::map<int, double> &row = entries[rows + k];
    for (size_t t = 0; t < q.linear.idx.size(); ++t) {
      row[q.linear.idx[t]] += q.linear.vals[t];
    }
    for (const QuadTerm &t : q.quad) {
      row.emplace(t.row, 0.0);
      row.emplace(t.col, 0.0);
      hessian_.emplace_back(std::max(t.row, t.col), std::min(t.row, t.col));
    }
  }
  for (const QuadTerm &t : store.objQuad) {
    hessian_.emplace_back(std::max(t.row, t.col), std::min(t.row, t.col));
  }
  std::sort(hessian_.begin(), hessian_.end());
  hessian_.erase(std::unique(hessian_.begin(), hessian_.end()), hessian_.end());
  for (const std::map<int, double> &row : entries) {
    JacobianRow jacobianRow{{}, {}, jacobianCount_};
    for (const auto &[col, value] : row) {
      jacobianRow.cols.push_back(col);
      jacobianRow.linear.push_back(value);
    }
    jacobianCount_ += static_cast<int>(row.size());
    jacobian_.push_back(std::move(jacobianRow));
  }
  for (const QuadTerm &t : store.objQuad) {
    objectiveHessian_.push_back(hessianPosition(t.row, t.col));
  }
  for (size_t k = 0; k < store.quadConstrs.size(); ++k) {
    const std::vector<int> &cols = jacobian_[rows + k].cols;
    auto place = [&cols](int j) {
      return static_cast<int>(std::lower_bound(cols.begin(), cols.end(), j) -
                              cols.begin());
    };
    TermPlaces places;
    for (const QuadTerm &t : store.quadConstrs[k].quad) {
      places.hessian.push_back(hessianPosition(t.row, t.col));
      places.jacobian.emplace_back(place(t.row), place(t.col));
    }
    constraintPlaces_.push_back(std::move(places));
  }
}

int QuadraticMinlp::hessianPosition(int row, int col) const {
  auto entry =
      std::lower_bound(hessian_.begin(), hessian_.end(),
                       std::make_pair(std::max(row, col), std::min(row, col)));
  return static_cast<int>(entry - hessian_.begin());
}

bool QuadraticMinlp::get_nlp_info(Ipopt::Index &n, Ipopt::Index &m,
                                  Ipopt::Index &nnzJac,
                                  Ipopt::Index &nnzHessian,
                                  Ipopt::TNLP::IndexStyleEnum &style) {
  n = numVars(store_);
  m = numConstraints(store_);
  nnzJac = jacobianCount_;
  nnzHessian = static_cast<int>(hessian_.size());
  style = Ipopt::TNLP::C_STYLE;
  return true;
}

bool QuadraticMinlp::get_variables_types(Ipopt::Index n, VariableType *types) {
  for (int j = 0; j < n; ++j) {
    char type = store_.vtype[j];
    types[j] = type == 'B' ? BINARY : type == 'I' ? INTEGER : CONTINUOUS;
  }
  return true;
}

bool QuadraticMinlp::get_variables_linearity(
    Ipopt::Index n, Ipopt::TNLP::LinearityType *types) {
  std::fill(types, types + n, Ipopt::TNLP::LINEAR);
  for (const auto &[row, col] : hessian_) {
    types[row] = Ipopt::TNLP::NON_LINEAR;
    types[col] = Ipopt::TNLP::NON_LINEAR;
  }
  return true;
}

bool QuadraticMinlp::get_constraints_linearity(
    Ipopt::Index m, Ipopt::TNLP::LinearityType *types) {
  for (int i = 0; i < m; ++i) {
    types[i] =
        i < numRows(store_) ? Ipopt::TNLP::LINEAR : Ipopt::TNLP::NON_LINEAR;
  }
  return true;
}

// Ipopt takes sides of 1e19 and beyond as absent, so ±KVA_INFINITY passes
// as it is.
bool QuadraticMinlp::get_bounds_info(Ipopt::Index n, Ipopt::Number *xl,
                                     Ipopt::Number *xu, Ipopt::Index m,
                                     Ipopt::Number *gl, Ipopt::Number *gu) {
  for (int j = 0; j < n; ++j) {
    xl[j] = store_.lb[j];
    xu[j] = store_.ub[j];
    if (store_.vtype[j] == 'B') {
      xl[j] = std::max(xl[j], 0.0);
      xu[j] = std::min(xu[j], 1.0);
    }
  }
  int rows = numRows(store_);
  for (int i = 0; i < m; ++i) {
    if (i < rows) {
      gl[i] = store_.rowLhs[i];
      gu[i] = store_.rowRhs[i];
    } else {
      gl[i] = store_.quadConstrs[i - rows].lhs;
      gu[i] = store_.quadConstrs[i - rows].rhs;
    }
  }
  return true;
}

bool QuadraticMinlp::get_starting_point(Ipopt::Index n, bool, Ipopt::Number *x,
                                        bool, Ipopt::Number *, Ipopt::Number *,
                                        Ipopt::Index, bool, Ipopt::Number *) {
  for (int j = 0; j < n; ++j) {
    double start = store_.start[j].value_or(0.0);
    x[j] = std::min(std::max(start, store_.lb[j]), store_.ub[j]);
  }
  return true;
}

bool QuadraticMinlp::eval_f(Ipopt::Index n, const Ipopt::Number *x, bool,
                            Ipopt::Number &value) {
  double sum = valueOf(store_.objQuad, x);
  for (int j = 0; j < n; ++j) sum += store_.obj[j] * x[j];
  value = objectiveFactor_ * sum;
  return true;
}

bool QuadraticMinlp::eval_grad_f(Ipopt::Index n, const Ipopt::Number *x, bool,
                                 Ipopt::Number *grad) {
  for (int j = 0; j < n; ++j) grad[j] = objectiveFactor_ * store_.obj[j];
  addGradient(store_.objQuad, x, objectiveFactor_, grad);
  return true;
}

bool QuadraticMinlp::eval_g(Ipopt::Index, const Ipopt::Number *x, bool,
                            Ipopt::Index m, Ipopt::Number *g) {
  int rows = numRows(store_);
  for (int i = 0; i < m; ++i) {
    const JacobianRow &row = jacobian_[i];
    double sum = 0.0;
    for (size_t p = 0; p < row.cols.size(); ++p) {
      sum += row.linear[p] * x[row.cols[p]];
    }
    if (i >= rows) sum += valueOf(store_.quadConstrs[i - rows].quad, x);
    g[i] = sum;
  }
  return true;
}

bool QuadraticMinlp::eval_jac_g(Ipopt::Index, const Ipopt::Number *x, bool,
                                Ipopt::Index m, Ipopt::Index,
                                Ipopt::Index *rows, Ipopt::Index *cols,
                                Ipopt::Number *values) {
  int linearRows = numRows(store_);
  for (int i = 0; i < m; ++i) {
    const JacobianRow &row = jacobian_[i];
    int count = static_cast<int>(row.cols.size());
    if (values == nullptr) {
      for (int p = 0; p < count; ++p) {
        rows[row.first + p] = i;
        cols[row.first + p] = row.cols[p];
      }
      continue;
    }
    Ipopt::Number *out = values + row.first;
    std::copy(row.linear.begin(), row.linear.end(), out);
    if (i < linearRows) continue;
    const std::vector<QuadTerm> &quad = store_.quadConstrs[i - linearRows].quad;
    const TermPlaces &places = constraintPlaces_[i - linearRows];
    for (size_t t = 0; t < quad.size(); ++t) {
      out[places.jacobian[t].first] += quad[t].val * x[quad[t].col];
      out[places.jacobian[t].second] += quad[t].val * x[quad[t].row];
    }
  }
  return true;
}

void QuadraticMinlp::addHessianTerms(const std::vector<QuadTerm> &terms,
                                     const std::vector<int> &positions,
                                     double factor,
                                     Ipopt::Number *values) const {
  // v x_r x_c has second derivative v at (r, c) and (c, r), 2v on the
  // diagonal; only the lower entry is stored.
  for (size_t t = 0; t < terms.size(); ++t) {
    values[positions[t]] +=
        (terms[t].row == terms[t].col ? 2.0 : 1.0) * factor * terms[t].val;
  }
}

bool QuadraticMinlp::eval_h(Ipopt::Index, const Ipopt::Number *, bool,
                            Ipopt::Number objFactor, Ipopt::Index,
                            const Ipopt::Number *lambda, bool, Ipopt::Index,
                            Ipopt::Index *rows, Ipopt::Index *cols,
                            Ipopt::Number *values) {
  if (values == nullptr) {
    for (size_t p = 0; p < hessian_.size(); ++p) {
      rows[p] = hessian_[p].first;
      cols[p] = hessian_[p].second;
    }
    return true;
  }
  std::fill(values, values + hessian_.size(), 0.0);
  addHessianTerms(store_.objQuad, objectiveHessian_,
                  objFactor * objectiveFactor_, values);
  int linearRows = numRows(store_);
  for (size_t k = 0; k < store_.quadConstrs.size(); ++k) {
    addHessianTerms(store_.quadConstrs[k].quad, constraintPlaces_[k].hessian,
                    lambda[linearRows + k], values);
  }
  return true;
}

void QuadraticMinlp::finalize_solution(TMINLP::SolverReturn, Ipopt::Index,
                                       const Ipopt::Number *, Ipopt::Number) {
  // Bonmin keeps the best point itself; it is read from there.
}
