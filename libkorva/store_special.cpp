#include <algorithm>
#include <cmath>

#include "libkorva/store_additions.h"
#include "libkorva/store_checks.h"

namespace {

int checkSosLayout(int numSos, int numMembers, const int *types,
                   const int *begins) {
  if (numSos < 0 || numMembers < 0) return KVA_ERROR_INVALID_ARGUMENT;
  if (numSos == 0) {
    return numMembers == 0 ? KVA_OK : KVA_ERROR_INVALID_ARGUMENT;
  }
  if (types == nullptr || begins == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  if (begins[0] != 0) return KVA_ERROR_INVALID_ARGUMENT;
  for (int k = 0; k < numSos; ++k) {
    if (types[k] != 1 && types[k] != 2) return KVA_ERROR_INVALID_ARGUMENT;
    int end = k + 1 < numSos ? begins[k + 1] : numMembers;
    if (end < begins[k] || end > numMembers) return KVA_ERROR_INVALID_ARGUMENT;
  }
  return KVA_OK;
}

// Members once each; weights order the members, so they must differ.
int checkSosMembers(int count, const int *indices, const double *weights,
                    int limit) {
  int code = checkSparseTerms(count, indices, weights, limit);
  if (code != KVA_OK) return code;
  std::vector<double> sorted(weights, weights + count);
  std::sort(sorted.begin(), sorted.end());
  if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) {
    return KVA_ERROR_INVALID_ARGUMENT;
  }
  return KVA_OK;
}

}  // namespace

int addSosSets(ModelStore &store, int numSos, int numMembers, const int *types,
               const int *begins, const int *indices, const double *weights) {
  int code = checkSosLayout(numSos, numMembers, types, begins);
  if (code != KVA_OK) return code;
  if (numMembers > 0 && (indices == nullptr || weights == nullptr)) {
    return KVA_ERROR_NULL_ARGUMENT;
  }
  std::vector<SosSet> sets;
  for (int k = 0; k < numSos; ++k) {
    int begin = begins[k];
    int end = k + 1 < numSos ? begins[k + 1] : numMembers;
    int count = end - begin;
    const int *members = count > 0 ? indices + begin : nullptr;
    const double *setWeights = count > 0 ? weights + begin : nullptr;
    code = checkSosMembers(count, members, setWeights, numVars(store));
    if (code != KVA_OK) return code;
    sets.push_back({types[k], std::vector<int>(members, members + count),
                    std::vector<double>(setWeights, setWeights + count)});
  }
  store.sos.insert(store.sos.end(), sets.begin(), sets.end());
  return KVA_OK;
}

int addIndicator(ModelStore &store, const char *name, int binVar, int binVal,
                 int numLinear, const int *linearIdx, const double *linearVals,
                 int sense, double rhs) {
  if (binVar < 0 || binVar >= numVars(store)) {
    return KVA_ERROR_INDEX_OUT_OF_RANGE;
  }
  if (binVal != 0 && binVal != 1) return KVA_ERROR_INVALID_ARGUMENT;
  int code = checkSparseTerms(numLinear, linearIdx, linearVals, numVars(store));
  if (code != KVA_OK) return code;
  if (!isSenseSide(sense, rhs)) return KVA_ERROR_INVALID_ARGUMENT;
  Indicator indicator;
  indicator.name = name != nullptr ? name : "";
  indicator.binVar = binVar;
  indicator.binVal = binVal;
  indicator.linear.idx.assign(linearIdx, linearIdx + numLinear);
  indicator.linear.vals.assign(linearVals, linearVals + numLinear);
  sense2sides(sense, rhs, &indicator.lhs, &indicator.rhs);
  store.indicators.push_back(std::move(indicator));
  return KVA_OK;
}
