#include <cmath>
#include <cstring>
#include <limits>

#include "libkorva/attribute_table.h"
#include "libkorva/attributes.h"

namespace {

bool is(const char *name, const char *attribute) {
  return std::strcmp(name, attribute) == 0;
}

int count2int(size_t count) { return static_cast<int>(count); }

int readSlice(bool available, const std::vector<double> &source, int first,
              int count, double *values) {
  if (!available) return KVA_ERROR_DATA_NOT_AVAILABLE;
  int code = checkSlice(first, count, count2int(source.size()), values);
  if (code != KVA_OK) return code;
  for (int k = 0; k < count; ++k) values[k] = source[first + k];
  return KVA_OK;
}

int readStart(const ModelStore &store, int first, int count, double *values) {
  int code = checkSlice(first, count, numVars(store), values);
  if (code != KVA_OK) return code;
  for (int k = 0; k < count; ++k) {
    if (!store.start[first + k]) return KVA_ERROR_DATA_NOT_AVAILABLE;
  }
  for (int k = 0; k < count; ++k) values[k] = *store.start[first + k];
  return KVA_OK;
}

// Sides of linear rows, then of quadratic constraints.
int readSides(const ModelStore &store, bool lower, int first, int count,
              double *values) {
  int code = checkSlice(first, count, numConstraints(store), values);
  if (code != KVA_OK) return code;
  for (int k = 0; k < count; ++k) {
    int i = first + k;
    if (i < numRows(store)) {
      values[k] = lower ? store.rowLhs[i] : store.rowRhs[i];
    } else {
      const QuadConstraint &q = store.quadConstrs[i - numRows(store)];
      values[k] = lower ? q.lhs : q.rhs;
    }
  }
  return KVA_OK;
}

double mipGapAbs(const Solution &solution) {
  return std::fabs(solution.objVal - solution.mipBound);
}

double mipGapRel(const Solution &solution) {
  double gap = mipGapAbs(solution);
  if (gap == 0.0) return 0.0;
  if (solution.objVal == 0.0) return std::numeric_limits<double>::infinity();
  return gap / std::fabs(solution.objVal);
}

}  // namespace

int getIntAttr(const KVAmodelData &model, const char *name, int *value) {
  int code = checkAttribute(name, AttrKind::Int, false);
  if (code != KVA_OK) return code;
  if (value == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  const ModelStore &store = model.store;
  const Solution &solution = model.solution;
  if (is(name, "Status")) {
    *value = solution.status;
  } else if (is(name, "NumVars")) {
    *value = numVars(store);
  } else if (is(name, "NumConss")) {
    *value = numConstraints(store);
  } else if (is(name, "NumQConstrs")) {
    *value = count2int(store.quadConstrs.size());
  } else if (is(name, "NumSOS")) {
    *value = count2int(store.sos.size());
  } else if (is(name, "NumGenConstrs")) {
    *value = count2int(store.indicators.size());
  } else if (is(name, "NumPsdVars")) {
    *value = count2int(store.psdVars.size());
  } else if (is(name, "NumPsdConstrs")) {
    *value = count2int(store.psdConstrs.size());
  } else if (is(name, "ModelSense")) {
    *value = store.sense;
  } else if (!solution.solved) {
    return KVA_ERROR_DATA_NOT_AVAILABLE;
  } else {
    *value = is(name, "IPM/NumIters") ? solution.ipmIters : solution.spxIters;
  }
  return KVA_OK;
}

int getDblAttr(const KVAmodelData &model, const char *name, double *value) {
  int code = checkAttribute(name, AttrKind::Dbl, false);
  if (code != KVA_OK) return code;
  if (value == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  const Solution &solution = model.solution;
  if (is(name, "ObjConst")) {
    *value = model.store.objConst;
  } else if (is(name, "ObjVal")) {
    if (!solution.hasPoint) return KVA_ERROR_DATA_NOT_AVAILABLE;
    *value = solution.objVal;
  } else if (is(name, "MIP/GapAbs") || is(name, "MIP/GapRel")) {
    if (!solution.isMip || !solution.hasPoint) {
      return KVA_ERROR_DATA_NOT_AVAILABLE;
    }
    *value = is(name, "MIP/GapAbs") ? mipGapAbs(solution) : mipGapRel(solution);
  } else if (!solution.solved) {
    return KVA_ERROR_DATA_NOT_AVAILABLE;
  } else if (is(name, "SolverTime")) {
    *value = solution.solverTime;
  } else if (is(name, "PresolverTime")) {
    *value = solution.presolverTime;
  } else {
    *value = solution.solutionTime;
  }
  return KVA_OK;
}

int getDblArrayAttr(const KVAmodelData &model, const char *name, int first,
                    int count, double *values) {
  int code = checkAttribute(name, AttrKind::DblArray, false);
  if (code != KVA_OK) return code;
  const ModelStore &store = model.store;
  const Solution &solution = model.solution;
  if (is(name, "X")) {
    return readSlice(solution.hasPoint, solution.x, first, count, values);
  }
  if (is(name, "RC")) {
    return readSlice(solution.hasRc, solution.rc, first, count, values);
  }
  if (is(name, "Pi")) {
    return readSlice(solution.hasPi, solution.pi, first, count, values);
  }
  if (is(name, "Start")) return readStart(store, first, count, values);
  if (is(name, "LHS")) return readSides(store, true, first, count, values);
  if (is(name, "RHS")) return readSides(store, false, first, count, values);
  const std::vector<double> &source = is(name, "Obj")  ? store.obj
                                      : is(name, "LB") ? store.lb
                                                       : store.ub;
  code = checkSlice(first, count, numVars(store), values);
  if (code != KVA_OK) return code;
  for (int k = 0; k < count; ++k) values[k] = source[first + k];
  return KVA_OK;
}

int getMatAttrElement(const KVAmodelData &model, const char *name, int element,
                      int *numEntries, int *numRows, int *numCols, int *flatIdx,
                      double *vals) {
  int code = checkAttribute(name, AttrKind::Matrix, false);
  if (code != KVA_OK) return code;
  if (numEntries == nullptr || numRows == nullptr || numCols == nullptr) {
    return KVA_ERROR_NULL_ARGUMENT;
  }
  if (element < 0 || element >= count2int(model.store.psdVars.size())) {
    return KVA_ERROR_INDEX_OUT_OF_RANGE;
  }
  const Solution &solution = model.solution;
  if (!solution.hasPoint || solution.psdX.empty()) {
    return KVA_ERROR_DATA_NOT_AVAILABLE;
  }
  // Both triangles: the caller may read the flat index either way round.
  const std::vector<double> &x = solution.psdX[element];
  int dim = model.store.psdVars[element].dim;
  int count = 0;
  for (int f = 0; f < dim * dim; ++f) {
    if (x[f] == 0.0) continue;
    if (flatIdx != nullptr && vals != nullptr) {
      flatIdx[count] = f;
      vals[count] = x[f];
    }
    ++count;
  }
  *numEntries = count;
  *numRows = dim;
  *numCols = dim;
  return KVA_OK;
}
