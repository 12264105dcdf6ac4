#include "libkorva/store_create.h"

#include <climits>

#include "libkorva/store_checks.h"

namespace {

int fillVariables(ModelStore &store, const LinearInput &in) {
  int n = in.numVars;
  int code = checkCoefficients(n, in.obj);
  if (code == KVA_OK) code = checkBounds(n, in.lb, in.ub);
  if (code == KVA_OK && in.vtype != nullptr) code = checkVarTypes(n, in.vtype);
  if (code == KVA_OK && in.varnames != nullptr) {
    code = checkNames(n, in.varnames);
  }
  if (code != KVA_OK) return code;
  store.obj.assign(in.obj, in.obj + n);
  store.lb.assign(in.lb, in.lb + n);
  store.ub.assign(in.ub, in.ub + n);
  if (in.vtype != nullptr) {
    store.vtype.assign(in.vtype, in.vtype + n);
  } else {
    store.vtype.assign(n, 'C');
  }
  if (in.varnames != nullptr) {
    store.varNames.assign(in.varnames, in.varnames + n);
  }
  store.start.assign(n, std::nullopt);
  store.colStart.assign(n + 1, 0);
  return KVA_OK;
}

int fillMatrix(ModelStore &store, const LinearInput &in) {
  int n = in.numVars;
  if (n > 0 && (in.colBegin == nullptr || in.colCount == nullptr)) {
    return KVA_ERROR_NULL_ARGUMENT;
  }
  store.colStart.assign(1, 0);
  for (int j = 0; j < n; ++j) {
    int begin = in.colBegin[j];
    int count = in.colCount[j];
    if (begin < 0 || count < 0 || begin > INT_MAX - count) {
      return KVA_ERROR_INVALID_ARGUMENT;
    }
    if (count == 0) {
      store.colStart.push_back(static_cast<int>(store.rowIdx.size()));
      continue;
    }
    if (in.rowIdx == nullptr || in.vals == nullptr) {
      return KVA_ERROR_NULL_ARGUMENT;
    }
    const int *rows = in.rowIdx + begin;
    const double *vals = in.vals + begin;
    int code = checkSparseTerms(count, rows, vals, in.numConss);
    if (code != KVA_OK) return code;
    store.rowIdx.insert(store.rowIdx.end(), rows, rows + count);
    store.vals.insert(store.vals.end(), vals, vals + count);
    store.colStart.push_back(static_cast<int>(store.rowIdx.size()));
  }
  return KVA_OK;
}

int fillRows(ModelStore &store, const LinearInput &in) {
  int m = in.numConss;
  int code = checkSides(m, in.rhs);
  if (code != KVA_OK) return code;
  for (int i = 0; i < m; ++i) {
    if (!isSenseSide(in.sense != nullptr ? in.sense[i] : '<', in.rhs[i])) {
      return KVA_ERROR_INVALID_ARGUMENT;
    }
  }
  if (in.constrnames != nullptr) {
    code = checkNames(m, in.constrnames);
    if (code != KVA_OK) return code;
    store.rowNames.assign(in.constrnames, in.constrnames + m);
  }
  store.rowLhs.resize(m);
  store.rowRhs.resize(m);
  for (int i = 0; i < m; ++i) {
    sense2sides(in.sense != nullptr ? in.sense[i] : '<', in.rhs[i],
                &store.rowLhs[i], &store.rowRhs[i]);
  }
  return KVA_OK;
}

}  // namespace

int fillStore(ModelStore &store, const LinearInput &in) {
  if (in.numVars < 0 || in.numConss < 0) return KVA_ERROR_INVALID_ARGUMENT;
  if (in.objSense != 1 && in.objSense != -1) return KVA_ERROR_INVALID_ARGUMENT;
  if (!isCoefficient(in.objConst)) return KVA_ERROR_INVALID_ARGUMENT;
  store.name = in.name != nullptr ? in.name : "";
  store.sense = in.objSense;
  store.objConst = in.objConst;
  int code = fillVariables(store, in);
  if (code == KVA_OK) code = fillRows(store, in);
  if (code == KVA_OK && in.hasMatrix) code = fillMatrix(store, in);
  return code;
}
