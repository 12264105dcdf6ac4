#include "libkorva/store_checks.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

bool isSense(int sense) { return sense == '<' || sense == '>' || sense == '='; }

bool isSenseSide(int sense, double rhs) {
  if (!isSense(sense) || std::isnan(rhs)) return false;
  double lhs = 0.0;
  double upper = 0.0;
  sense2sides(sense, rhs, &lhs, &upper);
  return lhs < KVA_INFINITY && upper > -KVA_INFINITY;
}

bool isCoefficient(double value) {
  return std::isfinite(value) && std::fabs(value) < KVA_INFINITY;
}

bool isVarType(char type) { return type == 'C' || type == 'B' || type == 'I'; }

namespace {

bool hasRepeats(int count, const int *idx) {
  // The host's sparse columns arrive in ascending order: no copy for them.
  if (std::adjacent_find(idx, idx + count, std::greater_equal<int>()) ==
      idx + count) {
    return false;
  }
  std::vector<int> sorted(idx, idx + count);
  std::sort(sorted.begin(), sorted.end());
  return std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end();
}

}  // namespace

int checkIndices(int count, const int *idx, int limit) {
  if (count < 0) return KVA_ERROR_INVALID_ARGUMENT;
  if (count > 0 && idx == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  for (int k = 0; k < count; ++k) {
    if (idx[k] < 0 || idx[k] >= limit) return KVA_ERROR_INDEX_OUT_OF_RANGE;
  }
  return hasRepeats(count, idx) ? KVA_ERROR_INVALID_ARGUMENT : KVA_OK;
}

int checkCoefficients(int count, const double *vals) {
  if (count < 0) return KVA_ERROR_INVALID_ARGUMENT;
  if (count > 0 && vals == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  for (int k = 0; k < count; ++k) {
    if (!isCoefficient(vals[k])) return KVA_ERROR_INVALID_ARGUMENT;
  }
  return KVA_OK;
}

int checkSparseTerms(int count, const int *idx, const double *vals, int limit) {
  int code = checkIndices(count, idx, limit);
  return code != KVA_OK ? code : checkCoefficients(count, vals);
}

int checkQuadTerms(int count, const int *row, const int *col,
                   const double *vals, int limit) {
  if (count < 0) return KVA_ERROR_INVALID_ARGUMENT;
  if (count > 0 && (row == nullptr || col == nullptr)) {
    return KVA_ERROR_NULL_ARGUMENT;
  }
  for (int k = 0; k < count; ++k) {
    if (row[k] < 0 || row[k] >= limit || col[k] < 0 || col[k] >= limit) {
      return KVA_ERROR_INDEX_OUT_OF_RANGE;
    }
  }
  return checkCoefficients(count, vals);
}

int checkSides(int count, const double *vals) {
  if (count < 0) return KVA_ERROR_INVALID_ARGUMENT;
  if (count > 0 && vals == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  for (int k = 0; k < count; ++k) {
    if (std::isnan(vals[k])) return KVA_ERROR_INVALID_ARGUMENT;
  }
  return KVA_OK;
}

int checkBounds(int count, const double *lb, const double *ub) {
  int code = checkSides(count, lb);
  if (code == KVA_OK) code = checkSides(count, ub);
  if (code != KVA_OK) return code;
  for (int k = 0; k < count; ++k) {
    if (lb[k] >= KVA_INFINITY || ub[k] <= -KVA_INFINITY) {
      return KVA_ERROR_INVALID_ARGUMENT;
    }
  }
  return KVA_OK;
}

int checkVarTypes(int count, const char *types) {
  if (count < 0) return KVA_ERROR_INVALID_ARGUMENT;
  if (count > 0 && types == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  for (int k = 0; k < count; ++k) {
    if (!isVarType(types[k])) return KVA_ERROR_INVALID_ARGUMENT;
  }
  return KVA_OK;
}

int checkNames(int count, const char *const *names) {
  for (int k = 0; k < count; ++k) {
    if (names[k] == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  }
  return KVA_OK;
}

int checkSymmetricEntries(int dim, int count, const int *flatIdx,
                          const double *vals) {
  if (dim <= 0 || count < 0) return KVA_ERROR_INVALID_ARGUMENT;
  if (count > 0 && flatIdx == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  long long size = static_cast<long long>(dim) * dim;
  for (int k = 0; k < count; ++k) {
    if (flatIdx[k] < 0 || flatIdx[k] >= size) {
      return KVA_ERROR_INDEX_OUT_OF_RANGE;
    }
    if (flatIdx[k] / dim > flatIdx[k] % dim) return KVA_ERROR_INVALID_ARGUMENT;
  }
  if (hasRepeats(count, flatIdx)) return KVA_ERROR_INVALID_ARGUMENT;
  return checkCoefficients(count, vals);
}

void sense2sides(int sense, double rhs, double *lhs, double *upper) {
  *lhs = sense == '<' ? -KVA_INFINITY : rhs;
  *upper = sense == '>' ? KVA_INFINITY : rhs;
}
