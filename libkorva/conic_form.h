// A semidefinite model rewritten as the standard conic primal
//   min cost'z  s.t.  row_i'z = b_i,  z in (nonnegative orthant) x (psd cones)
// which is what DSDP solves. Bounded scalars become shifted nonnegative
// columns, inequalities get slack columns, and free scalars are eliminated
// exactly by pivoting on a row that holds them, so no pair of opposed
// inequalities ever reaches the solver. Scalars in no row and rows without
// columns never reach it either: they are settled here.
#ifndef LIBKORVA_CONIC_FORM_H
#define LIBKORVA_CONIC_FORM_H

#include <map>
#include <utility>
#include <vector>

#include "libkorva/model_store.h"

// Columns: the upper triangle entries of each psd block first (block j,
// entry r <= c at psdStart[j] + r * dim + c), then the free scalars, which
// are gone once the form is built, then the nonnegative ones.
using ConicRow = std::map<int, double>;

struct ConicEquation {
  ConicRow row;  // psd entries hold the symmetric matrix's entry value
  double rhs;
  int id = -1;  // the row's place when the form was first built
};

// A scalar of the model as offset + scale * column (column -1: fixed).
struct ScalarImage {
  double offset;
  double scale;
  int column;
};

// Kept to recover an eliminated free column: pivot * z_free + rest = rhs;
// and its row's dual, from the column's cost and its coefficients in the
// other rows (by id) as they stood then.
struct Elimination {
  int column;
  ConicEquation equation;
  double cost = 0.0;
  std::vector<std::pair<int, double>> uses;
};

struct ConicForm {
  std::vector<int> psdDims;
  std::vector<int> psdStart;
  int freeStart = 0;
  int linearStart = 0;
  int numLinear = 0;
  std::vector<ScalarImage> scalars;
  std::vector<ConicEquation> rows;
  ConicRow cost;  // the minimised objective (model sense applied), less
                  // its constant
  // What the scalars' offsets and the eliminations add to cost'z (the
  // model's own constant apart).
  double costConstant = 0.0;
  std::vector<Elimination> eliminated;  // in elimination order
  int numRowIds = 0;
  // The id of each model constraint's row (linear rows, then psd
  // constraints); -1 for one that put no row in the form.
  std::vector<int> constraintRow;
  // A scalar in no row whose cost falls towards an infinite bound: the
  // model is unbounded when the rest is feasible.
  bool freeRay = false;
  // A row without columns (at the start or once the free scalars are
  // eliminated) whose sides exclude its constant.
  bool emptyRowInfeasible = false;
};

ConicForm store2conicForm(const ModelStore &store);

// Column values from the solver's nonnegative and psd parts (each psd block
// as its full dim x dim row-major matrix); free columns are filled in from
// the eliminations.
std::vector<double> conicColumnValues(
    const ConicForm &form, const std::vector<double> &linear,
    const std::vector<std::vector<double>> &psd);

// Each model constraint's dual in the minimised form, from the duals of
// the rows given to the solver (form.rows order).
std::vector<double> conicConstraintDuals(const ConicForm &form,
                                         const std::vector<double> &rowDuals);

// The model's scalars at the given column values.
std::vector<double> conicScalars(const ConicForm &form,
                                 const std::vector<double> &columns);

// <A, X> for symmetric A given as its upper triangle and X full and
// row-major: off-diagonal entries count twice.
double psdInnerProduct(int dim, const SymmetricEntries &a,
                       const std::vector<double> &x);

// The psd variables' share of the objective, sum of <C_j, X_j>.
double psdObjectiveValue(const ModelStore &store,
                         const std::vector<std::vector<double>> &psdX);

#endif
