#include <cmath>

#include "libkorva/store_additions.h"
#include "libkorva/store_checks.h"

namespace {

void appendQuadTerms(std::vector<QuadTerm> &terms, int count, const int *row,
                     const int *col, const double *vals) {
  for (int k = 0; k < count; ++k) terms.push_back({row[k], col[k], vals[k]});
}

}  // namespace

int addObjectiveTerms(ModelStore &store, int numTerms, const int *row,
                      const int *col, const double *vals) {
  int code = checkQuadTerms(numTerms, row, col, vals, numVars(store));
  if (code != KVA_OK) return code;
  appendQuadTerms(store.objQuad, numTerms, row, col, vals);
  return KVA_OK;
}

int addQuadConstraint(ModelStore &store, int numLinear, const int *linearIdx,
                      const double *linearVals, int numQuad, const int *quadRow,
                      const int *quadCol, const double *quadVals, int sense,
                      double rhs, const char *name) {
  int n = numVars(store);
  int code = checkSparseTerms(numLinear, linearIdx, linearVals, n);
  if (code == KVA_OK)
    code = checkQuadTerms(numQuad, quadRow, quadCol, quadVals, n);
  if (code != KVA_OK) return code;
  if (!isSenseSide(sense, rhs)) return KVA_ERROR_INVALID_ARGUMENT;
  QuadConstraint constraint;
  constraint.linear.idx.assign(linearIdx, linearIdx + numLinear);
  constraint.linear.vals.assign(linearVals, linearVals + numLinear);
  appendQuadTerms(constraint.quad, numQuad, quadRow, quadCol, quadVals);
  sense2sides(sense, rhs, &constraint.lhs, &constraint.rhs);
  constraint.name = name != nullptr ? name : "";
  store.quadConstrs.push_back(std::move(constraint));
  return KVA_OK;
}
