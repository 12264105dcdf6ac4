#include <cmath>
#include <cstring>

#include "libkorva/attribute_table.h"
#include "libkorva/attributes.h"
#include "libkorva/store_checks.h"

namespace {

bool is(const char *name, const char *attribute) {
  return std::strcmp(name, attribute) == 0;
}

// Whether value may stand in the named array: objective coefficients and
// start values are plain numbers; a lower bound or side may be -infinity but
// not +infinity, an upper one the reverse.
bool fitsArray(const char *name, double value) {
  if (std::isnan(value)) return false;
  if (is(name, "Obj") || is(name, "Start")) return isCoefficient(value);
  if (is(name, "LB") || is(name, "LHS")) return value < KVA_INFINITY;
  return value > -KVA_INFINITY;
}

void writeSide(ModelStore &store, bool lower, int i, double value) {
  if (i < numRows(store)) {
    (lower ? store.rowLhs : store.rowRhs)[i] = value;
  } else {
    QuadConstraint &q = store.quadConstrs[i - numRows(store)];
    (lower ? q.lhs : q.rhs) = value;
  }
}

}  // namespace

int setIntAttr(ModelStore &store, const char *name, int value) {
  int code = checkAttribute(name, AttrKind::Int, true);
  if (code != KVA_OK) return code;
  if (value != 1 && value != -1) return KVA_ERROR_INVALID_ARGUMENT;
  store.sense = value;
  return KVA_OK;
}

int setDblAttr(ModelStore &store, const char *name, double value) {
  int code = checkAttribute(name, AttrKind::Dbl, true);
  if (code != KVA_OK) return code;
  if (!isCoefficient(value)) return KVA_ERROR_INVALID_ARGUMENT;
  store.objConst = value;
  return KVA_OK;
}

int setStrAttr(ModelStore &store, const char *name, const char *value) {
  int code = checkAttribute(name, AttrKind::Str, true);
  if (code != KVA_OK) return code;
  if (value == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  store.name = value;
  return KVA_OK;
}

int setDblArrayAttr(ModelStore &store, const char *name, int first, int count,
                    const double *values) {
  int code = checkAttribute(name, AttrKind::DblArray, true);
  if (code != KVA_OK) return code;
  bool sides = is(name, "LHS") || is(name, "RHS");
  code = checkSlice(first, count,
                    sides ? numConstraints(store) : numVars(store), values);
  if (code != KVA_OK) return code;
  for (int k = 0; k < count; ++k) {
    if (!fitsArray(name, values[k])) return KVA_ERROR_INVALID_ARGUMENT;
  }
  for (int k = 0; k < count; ++k) {
    int i = first + k;
    if (sides) {
      writeSide(store, is(name, "LHS"), i, values[k]);
    } else if (is(name, "Start")) {
      store.start[i] = values[k];
    } else {
      (is(name, "Obj")  ? store.obj
       : is(name, "LB") ? store.lb
                        : store.ub)[i] = values[k];
    }
  }
  return KVA_OK;
}

int setCharArrayAttr(ModelStore &store, const char *name, int first, int count,
                     const char *values) {
  int code = checkAttribute(name, AttrKind::CharArray, true);
  if (code == KVA_OK) code = checkSlice(first, count, numVars(store), values);
  if (code == KVA_OK) code = checkVarTypes(count, values);
  if (code != KVA_OK) return code;
  for (int k = 0; k < count; ++k) store.vtype[first + k] = values[k];
  return KVA_OK;
}
