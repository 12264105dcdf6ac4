#include "libkorva/conic_form.h"

#include <algorithm>
#include <cmath>

#include "libkorva/api_export.h"

namespace {

// Scale below which a row emptied by the eliminations counts as 0 = 0.
constexpr double emptyRowTolerance = 1e-9;

int newLinear(ConicForm &form) { return form.linearStart + form.numLinear++; }

// Off-diagonal psd entries stand for two matrix entries.
double columnWeight(const ConicForm &form, int column) {
  for (size_t j = 0; j < form.psdDims.size(); ++j) {
    int dim = form.psdDims[j];
    int flat = column - form.psdStart[j];
    if (flat >= 0 && flat < dim * dim) return flat / dim == flat % dim ? 1 : 2;
  }
  return 1;
}

void addScalarTerm(const ConicForm &form, ConicRow &row, double &constant,
                   int j, double coef) {
  const ScalarImage &image = form.scalars[j];
  constant += coef * image.offset;
  if (image.column >= 0) row[image.column] += coef * image.scale;
}

void addMatrixTerm(const ConicForm &form, ConicRow &row, int block,
                   const SymmetricEntries &entries, double factor) {
  for (size_t t = 0; t < entries.flatIdx.size(); ++t) {
    row[form.psdStart[block] + entries.flatIdx[t]] += factor * entries.vals[t];
  }
}

// lhs <= row + constant <= rhs as equations with slack columns; records
// the equation that holds the row as the constraint's.
void addSides(ConicForm &form, ConicRow row, double constant, double lhs,
              double rhs) {
  form.constraintRow.push_back(-1);
  if (row.empty()) {
    // Nothing of the solver's: the constant alone meets its sides or not.
    double slack = emptyRowTolerance * std::max(1.0, std::fabs(constant));
    if (constant < lhs - slack || constant > rhs + slack) {
      form.emptyRowInfeasible = true;
    }
    return;
  }
  bool hasLower = lhs > -KVA_INFINITY;
  bool hasUpper = rhs < KVA_INFINITY;
  if (hasLower || hasUpper) {
    form.constraintRow.back() = static_cast<int>(form.rows.size());
  }
  if (hasLower && hasUpper && lhs == rhs) {
    form.rows.push_back({std::move(row), rhs - constant});
  } else if (hasLower) {
    int s = newLinear(form);
    row[s] = -1.0;
    form.rows.push_back({std::move(row), lhs - constant});
    if (hasUpper) {
      int t = newLinear(form);
      form.rows.push_back({{{s, 1.0}, {t, 1.0}}, rhs - lhs});
    }
  } else if (hasUpper) {
    row[newLinear(form)] = 1.0;
    form.rows.push_back({std::move(row), rhs - constant});
  }
}

// Scalars in no row and no psd constraint.
std::vector<bool> idleScalars(const ModelStore &store) {
  std::vector<bool> idle(numVars(store));
  for (int j = 0; j < numVars(store); ++j) {
    idle[j] = store.colStart[j] == store.colStart[j + 1];
  }
  for (const PsdConstraint &constraint : store.psdConstrs) {
    for (int j : constraint.linear.idx) idle[j] = false;
  }
  return idle;
}

// An idle scalar takes its best value at once: 0 clipped into its bounds
// without a cost, else the cheaper bound. A column of zeros would leave
// DSDP's dual without an interior.
double idleValue(ConicForm &form, const ModelStore &store, int j) {
  double cost = store.sense * store.obj[j];
  if (cost == 0.0) return std::min(std::max(0.0, store.lb[j]), store.ub[j]);
  double bound = cost > 0 ? store.lb[j] : store.ub[j];
  if (std::fabs(bound) >= KVA_INFINITY) form.freeRay = true;
  return std::fabs(bound) >= KVA_INFINITY ? 0.0 : bound;
}

void addScalars(ConicForm &form, const ModelStore &store) {
  std::vector<bool> idle = idleScalars(store);
  int numFree = 0;
  for (int j = 0; j < numVars(store); ++j) {
    bool isFree = store.lb[j] <= -KVA_INFINITY && store.ub[j] >= KVA_INFINITY;
    if (isFree && !idle[j]) ++numFree;
  }
  form.linearStart = form.freeStart + numFree;
  int nextFree = form.freeStart;
  for (int j = 0; j < numVars(store); ++j) {
    double lb = store.lb[j];
    double ub = store.ub[j];
    bool hasLower = lb > -KVA_INFINITY;
    bool hasUpper = ub < KVA_INFINITY;
    if (idle[j]) {
      form.scalars.push_back({idleValue(form, store, j), 0.0, -1});
    } else if (hasLower && hasUpper && lb == ub) {
      form.scalars.push_back({lb, 0.0, -1});
    } else if (hasLower) {
      int s = newLinear(form);
      form.scalars.push_back({lb, 1.0, s});
      if (hasUpper) {
        int t = newLinear(form);
        form.rows.push_back({{{s, 1.0}, {t, 1.0}}, ub - lb});
      }
    } else if (hasUpper) {
      form.scalars.push_back({ub, -1.0, newLinear(form)});
    } else {
      form.scalars.push_back({0.0, 1.0, nextFree++});
    }
  }
}

void addLinearRows(ConicForm &form, const ModelStore &store) {
  std::vector<ConicRow> rows(numRows(store));
  std::vector<double> constants(numRows(store), 0.0);
  for (int j = 0; j < numVars(store); ++j) {
    for (int p = store.colStart[j]; p < store.colStart[j + 1]; ++p) {
      int i = store.rowIdx[p];
      addScalarTerm(form, rows[i], constants[i], j, store.vals[p]);
    }
  }
  for (int i = 0; i < numRows(store); ++i) {
    addSides(form, std::move(rows[i]), constants[i], store.rowLhs[i],
             store.rowRhs[i]);
  }
}

void addPsdRows(ConicForm &form, const ModelStore &store) {
  for (const PsdConstraint &constraint : store.psdConstrs) {
    ConicRow row;
    double constant = 0.0;
    for (size_t t = 0; t < constraint.linear.idx.size(); ++t) {
      addScalarTerm(form, row, constant, constraint.linear.idx[t],
                    constraint.linear.vals[t]);
    }
    for (const PsdTerm &term : constraint.terms) {
      addMatrixTerm(form, row, term.var, term.coef, 1.0);
    }
    addSides(form, std::move(row), constant, constraint.lhs, constraint.rhs);
  }
}

void addCost(ConicForm &form, const ModelStore &store) {
  for (int j = 0; j < numVars(store); ++j) {
    addScalarTerm(form, form.cost, form.costConstant, j,
                  store.sense * store.obj[j]);
  }
  for (size_t v = 0; v < store.psdVars.size(); ++v) {
    addMatrixTerm(form, form.cost, static_cast<int>(v), store.psdVars[v].obj,
                  store.sense);
  }
}

// target -= ratio * source, dropping entries that cancel exactly.
void subtractRow(ConicRow &target, const ConicRow &source, double ratio) {
  for (const auto &[column, value] : source) {
    double &entry = target[column];
    entry -= ratio * value;
    if (entry == 0.0) target.erase(column);
  }
}

void eliminateFree(ConicForm &form, int column) {
  int pivotRow = -1;
  double pivot = 0.0;
  for (size_t i = 0; i < form.rows.size(); ++i) {
    auto found = form.rows[i].row.find(column);
    if (found != form.rows[i].row.end() &&
        std::fabs(found->second) > std::fabs(pivot)) {
      pivotRow = static_cast<int>(i);
      pivot = found->second;
    }
  }
  if (pivotRow < 0) {
    auto cost = form.cost.find(column);
    if (cost != form.cost.end() && cost->second != 0.0) form.freeRay = true;
    return;
  }
  ConicEquation equation = std::move(form.rows[pivotRow]);
  form.rows.erase(form.rows.begin() + pivotRow);
  Elimination elimination{column, {}, 0.0, {}};
  for (ConicEquation &other : form.rows) {
    auto found = other.row.find(column);
    if (found == other.row.end()) continue;
    elimination.uses.push_back({other.id, found->second});
    double ratio = found->second / pivot;
    subtractRow(other.row, equation.row, ratio);
    other.row.erase(column);
    other.rhs -= ratio * equation.rhs;
  }
  auto cost = form.cost.find(column);
  if (cost != form.cost.end()) {
    elimination.cost = cost->second;
    form.costConstant += cost->second / pivot * equation.rhs;
    subtractRow(form.cost, equation.row, cost->second / pivot);
    form.cost.erase(column);
  }
  elimination.equation = std::move(equation);
  form.eliminated.push_back(std::move(elimination));
}

void dropEmptyRows(ConicForm &form) {
  double scale = 1.0;
  for (const ConicEquation &equation : form.rows) {
    scale = std::max(scale, std::fabs(equation.rhs));
  }
  std::vector<ConicEquation> kept;
  for (ConicEquation &equation : form.rows) {
    if (!equation.row.empty()) {
      kept.push_back(std::move(equation));
    } else if (std::fabs(equation.rhs) > emptyRowTolerance * scale) {
      form.emptyRowInfeasible = true;
    }
  }
  form.rows = std::move(kept);
}

}  // namespace

ConicForm store2conicForm(const ModelStore &store) {
  ConicForm form;
  int next = 0;
  for (const PsdVar &var : store.psdVars) {
    form.psdDims.push_back(var.dim);
    form.psdStart.push_back(next);
    next += var.dim * var.dim;
  }
  form.freeStart = next;
  addScalars(form, store);
  addLinearRows(form, store);
  addPsdRows(form, store);
  addCost(form, store);
  for (ConicEquation &equation : form.rows) equation.id = form.numRowIds++;
  for (int column = form.freeStart; column < form.linearStart; ++column) {
    eliminateFree(form, column);
  }
  dropEmptyRows(form);
  return form;
}

std::vector<double> conicColumnValues(
    const ConicForm &form, const std::vector<double> &linear,
    const std::vector<std::vector<double>> &psd) {
  std::vector<double> z(form.linearStart + form.numLinear, 0.0);
  for (size_t j = 0; j < form.psdDims.size(); ++j) {
    int dim = form.psdDims[j];
    for (int r = 0; r < dim; ++r) {
      for (int c = r; c < dim; ++c) {
        z[form.psdStart[j] + r * dim + c] = psd[j][r * dim + c];
      }
    }
  }
  for (int k = 0; k < form.numLinear; ++k) z[form.linearStart + k] = linear[k];
  for (auto e = form.eliminated.rbegin(); e != form.eliminated.rend(); ++e) {
    double rest = 0.0;
    double pivot = 0.0;
    for (const auto &[column, value] : e->equation.row) {
      if (column == e->column) {
        pivot = value;
      } else {
        rest += columnWeight(form, column) * value * z[column];
      }
    }
    z[e->column] = (e->equation.rhs - rest) / pivot;
  }
  return z;
}

std::vector<double> conicConstraintDuals(const ConicForm &form,
                                         const std::vector<double> &rowDuals) {
  std::vector<double> y(form.numRowIds, 0.0);
  for (size_t i = 0; i < form.rows.size(); ++i) {
    y[form.rows[i].id] = rowDuals[i];
  }
  // The eliminated column's reduced cost is 0: cost = sum of y_r a_r over
  // the rows that held it, its pivot row's among them.
  for (auto e = form.eliminated.rbegin(); e != form.eliminated.rend(); ++e) {
    double rest = e->cost;
    for (const auto &[id, coef] : e->uses) rest -= coef * y[id];
    y[e->equation.id] = rest / e->equation.row.at(e->column);
  }
  std::vector<double> duals;
  for (int id : form.constraintRow) duals.push_back(id < 0 ? 0.0 : y[id]);
  return duals;
}

std::vector<double> conicScalars(const ConicForm &form,
                                 const std::vector<double> &columns) {
  std::vector<double> x;
  for (const ScalarImage &image : form.scalars) {
    x.push_back(image.column < 0
                    ? image.offset
                    : image.offset + image.scale * columns[image.column]);
  }
  return x;
}

double psdInnerProduct(int dim, const SymmetricEntries &a,
                       const std::vector<double> &x) {
  double sum = 0.0;
  for (size_t t = 0; t < a.flatIdx.size(); ++t) {
    int r = a.flatIdx[t] / dim;
    int c = a.flatIdx[t] % dim;
    sum += (r == c ? 1.0 : 2.0) * a.vals[t] * x[r * dim + c];
  }
  return sum;
}

double psdObjectiveValue(const ModelStore &store,
                         const std::vector<std::vector<double>> &psdX) {
  double sum = 0.0;
  for (size_t j = 0; j < psdX.size(); ++j) {
    sum += psdInnerProduct(store.psdVars[j].dim, store.psdVars[j].obj, psdX[j]);
  }
  return sum;
}
