#include <cmath>

#include "libkorva/store_additions.h"
#include "libkorva/store_checks.h"

namespace {

SymmetricEntries copyEntries(int count, const int *flatIdx,
                             const double *vals) {
  return {std::vector<int>(flatIdx, flatIdx + count),
          std::vector<double>(vals, vals + count)};
}

int checkPsdTerms(const ModelStore &store, const PsdConstraintInput &in) {
  if (in.numPsdTerms < 0 || in.numEntries < 0) {
    return KVA_ERROR_INVALID_ARGUMENT;
  }
  if (in.numPsdTerms > 0 &&
      (in.psdVarIdx == nullptr || in.matBegin == nullptr)) {
    return KVA_ERROR_NULL_ARGUMENT;
  }
  int code = checkIndices(in.numPsdTerms, in.psdVarIdx,
                          static_cast<int>(store.psdVars.size()));
  if (code != KVA_OK) return code;
  if (in.numPsdTerms == 0) {
    return in.numEntries == 0 ? KVA_OK : KVA_ERROR_INVALID_ARGUMENT;
  }
  if (in.matBegin[0] != 0 || in.matBegin[in.numPsdTerms] != in.numEntries) {
    return KVA_ERROR_INVALID_ARGUMENT;
  }
  if (in.numEntries > 0 && (in.flatIdx == nullptr || in.vals == nullptr)) {
    return KVA_ERROR_NULL_ARGUMENT;
  }
  for (int m = 0; m < in.numPsdTerms; ++m) {
    int begin = in.matBegin[m];
    int count = in.matBegin[m + 1] - begin;
    if (count < 0) return KVA_ERROR_INVALID_ARGUMENT;
    int dim = store.psdVars[in.psdVarIdx[m]].dim;
    code =
        checkSymmetricEntries(dim, count, in.flatIdx + begin, in.vals + begin);
    if (code != KVA_OK) return code;
  }
  return KVA_OK;
}

}  // namespace

int addPsdVariable(ModelStore &store, int dim, int numEntries,
                   const int *flatIdx, const double *vals, const char *name) {
  int code = checkSymmetricEntries(dim, numEntries, flatIdx, vals);
  if (code != KVA_OK) return code;
  store.psdVars.push_back({dim, copyEntries(numEntries, flatIdx, vals),
                           name != nullptr ? name : ""});
  return KVA_OK;
}

int addPsdConstraint(ModelStore &store, const PsdConstraintInput &in,
                     double lhs, double rhs) {
  int code = checkSparseTerms(in.numLinear, in.linearIdx, in.linearVals,
                              numVars(store));
  if (code == KVA_OK) code = checkPsdTerms(store, in);
  if (code != KVA_OK) return code;
  if (std::isnan(lhs) || std::isnan(rhs)) return KVA_ERROR_INVALID_ARGUMENT;
  PsdConstraint constraint;
  constraint.linear.idx.assign(in.linearIdx, in.linearIdx + in.numLinear);
  constraint.linear.vals.assign(in.linearVals, in.linearVals + in.numLinear);
  for (int m = 0; m < in.numPsdTerms; ++m) {
    int begin = in.matBegin[m];
    int count = in.matBegin[m + 1] - begin;
    constraint.terms.push_back(
        {in.psdVarIdx[m],
         copyEntries(count, in.flatIdx + begin, in.vals + begin)});
  }
  constraint.lhs = lhs;
  constraint.rhs = rhs;
  constraint.name = in.name != nullptr ? in.name : "";
  store.psdConstrs.push_back(std::move(constraint));
  return KVA_OK;
}
