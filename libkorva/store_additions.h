// Additions to an existing model. Each validates all its arguments first and
// changes the store only when it returns KVA_OK.
#ifndef LIBKORVA_STORE_ADDITIONS_H
#define LIBKORVA_STORE_ADDITIONS_H

#include "libkorva/model_store.h"

int addObjectiveTerms(ModelStore &store, int numTerms, const int *row,
                      const int *col, const double *vals);

int addQuadConstraint(ModelStore &store, int numLinear, const int *linearIdx,
                      const double *linearVals, int numQuad, const int *quadRow,
                      const int *quadCol, const double *quadVals, int sense,
                      double rhs, const char *name);

// Set k has the members from begins[k] up to begins[k+1] (numMembers for
// the last set); only numSos entries of begins are read.
int addSosSets(ModelStore &store, int numSos, int numMembers, const int *types,
               const int *begins, const int *indices, const double *weights);

int addIndicator(ModelStore &store, const char *name, int binVar, int binVal,
                 int numLinear, const int *linearIdx, const double *linearVals,
                 int sense, double rhs);

int addPsdVariable(ModelStore &store, int dim, int numEntries,
                   const int *flatIdx, const double *vals, const char *name);

// The matrix of term m holds entries matBegin[m] to matBegin[m+1]-1.
struct PsdConstraintInput {
  int numLinear;
  int numPsdTerms;
  int numEntries;
  const int *linearIdx;
  const double *linearVals;
  const int *psdVarIdx;
  const int *matBegin;
  const int *flatIdx;
  const double *vals;
  const char *name;
};

int addPsdConstraint(ModelStore &store, const PsdConstraintInput &input,
                     double lhs, double rhs);

#endif
