// The model as the caller built it: variables, linear rows, quadratic parts,
// special constraints and semidefinite parts. Sides of ±KVA_INFINITY (or
// beyond) are absent sides. Everything here has been validated on entry.
#ifndef LIBKORVA_MODEL_STORE_H
#define LIBKORVA_MODEL_STORE_H

#include <optional>
#include <string>
#include <vector>

struct SparseTerms {
  std::vector<int> idx;
  std::vector<double> vals;
};

// v * x_row * x_col.
struct QuadTerm {
  int row;
  int col;
  double val;
};

struct QuadConstraint {
  SparseTerms linear;
  std::vector<QuadTerm> quad;
  double lhs;
  double rhs;
  std::string name;
};

struct SosSet {
  int type;  // 1 or 2
  std::vector<int> members;
  std::vector<double> weights;
};

// When variable binVar equals binVal, lhs <= linear <= rhs must hold.
struct Indicator {
  std::string name;
  int binVar;
  int binVal;
  SparseTerms linear;
  double lhs;
  double rhs;
};

// Upper triangle with diagonal of a symmetric matrix, as flat indices
// r * dim + c with r <= c.
struct SymmetricEntries {
  std::vector<int> flatIdx;
  std::vector<double> vals;
};

struct PsdVar {
  int dim;
  SymmetricEntries obj;
  std::string name;
};

struct PsdTerm {
  int var;
  SymmetricEntries coef;
};

struct PsdConstraint {
  SparseTerms linear;
  std::vector<PsdTerm> terms;
  double lhs;
  double rhs;
  std::string name;
};

struct ModelStore {
  std::string name;
  int sense = 1;  // 1 minimise, -1 maximise
  double objConst = 0.0;

  std::vector<double> obj;
  std::vector<double> lb;
  std::vector<double> ub;
  std::vector<char> vtype;
  std::vector<std::string> varNames;
  std::vector<std::optional<double>> start;

  // Linear rows, column-wise: column j holds entries colStart[j] to
  // colStart[j+1]-1.
  std::vector<int> colStart{0};
  std::vector<int> rowIdx;
  std::vector<double> vals;
  std::vector<double> rowLhs;
  std::vector<double> rowRhs;
  std::vector<std::string> rowNames;

  std::vector<QuadTerm> objQuad;
  std::vector<QuadConstraint> quadConstrs;
  std::vector<SosSet> sos;
  std::vector<Indicator> indicators;
  std::vector<PsdVar> psdVars;
  std::vector<PsdConstraint> psdConstrs;
};

inline int numVars(const ModelStore &store) {
  return static_cast<int>(store.obj.size());
}
inline int numRows(const ModelStore &store) {
  return static_cast<int>(store.rowLhs.size());
}
// Linear rows followed by quadratic constraints: the index space of the
// "LHS" and "RHS" attributes.
inline int numConstraints(const ModelStore &store) {
  return numRows(store) + static_cast<int>(store.quadConstrs.size());
}

#endif
