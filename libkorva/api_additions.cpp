// Adding quadratic, special and semidefinite parts through the C interface.
#include "libkorva/api_export.h"
#include "libkorva/api_guard.h"
#include "libkorva/store_additions.h"
#include "libkorva/store_checks.h"

int KVAaddqpterms(KVAmodel model, int numTerms, const int *rowIdx,
                  const int *colIdx, const double *vals) {
  return editModel(model, [&](KVAmodelData &data) {
    return addObjectiveTerms(data.store, numTerms, rowIdx, colIdx, vals);
  });
}

int KVAaddqconstr(KVAmodel model, int numLinear, const int *linearIdx,
                  const double *linearVals, int numQuad, const int *quadRow,
                  const int *quadCol, const double *quadVals, int sense,
                  double rhs, const char *name) {
  return editModel(model, [&](KVAmodelData &data) {
    return addQuadConstraint(data.store, numLinear, linearIdx, linearVals,
                             numQuad, quadRow, quadCol, quadVals, sense, rhs,
                             name);
  });
}

int KVAaddsos(KVAmodel model, int numSos, int numMembers, const int *types,
              const int *begins, const int *indices, const double *weights) {
  return editModel(model, [&](KVAmodelData &data) {
    return addSosSets(data.store, numSos, numMembers, types, begins, indices,
                      weights);
  });
}

int KVAaddgenconstrIndicator(KVAmodel model, const char *name, int binVar,
                             int binVal, int numLinear, const int *linearIdx,
                             const double *linearVals, int sense, double rhs) {
  return editModel(model, [&](KVAmodelData &data) {
    return addIndicator(data.store, name, binVar, binVal, numLinear, linearIdx,
                        linearVals, sense, rhs);
  });
}

int KVAaddpsdvar(KVAmodel model, int dim, int numEntries, const int *flatIdx,
                 const double *vals, const char *name) {
  return editModel(model, [&](KVAmodelData &data) {
    return addPsdVariable(data.store, dim, numEntries, flatIdx, vals, name);
  });
}

int KVAaddpsdconstr(KVAmodel model, int numLinear, int numPsdTerms,
                    int numEntries, const int *linearIdx,
                    const double *linearVals, const int *psdVarIdx,
                    const int *matBegin, const int *flatIdx, const double *vals,
                    int sense, double rhs, const char *name) {
  if (!isSenseSide(sense, rhs)) return KVA_ERROR_INVALID_ARGUMENT;
  double lhs = 0.0;
  double upper = 0.0;
  sense2sides(sense, rhs, &lhs, &upper);
  return KVAaddrangepsdconstr(model, numLinear, numPsdTerms, numEntries,
                              linearIdx, linearVals, psdVarIdx, matBegin,
                              flatIdx, vals, lhs, upper, name);
}

int KVAaddrangepsdconstr(KVAmodel model, int numLinear, int numPsdTerms,
                         int numEntries, const int *linearIdx,
                         const double *linearVals, const int *psdVarIdx,
                         const int *matBegin, const int *flatIdx,
                         const double *vals, double lhs, double rhs,
                         const char *name) {
  PsdConstraintInput input{numLinear,  numPsdTerms, numEntries, linearIdx,
                           linearVals, psdVarIdx,   matBegin,   flatIdx,
                           vals,       name};
  return editModel(model, [&](KVAmodelData &data) {
    return addPsdConstraint(data.store, input, lhs, rhs);
  });
}
