// Filling a fresh model store from the creation calls' arguments. On a
// nonzero code the store is to be discarded.
#ifndef LIBKORVA_STORE_CREATE_H
#define LIBKORVA_STORE_CREATE_H

#include "libkorva/model_store.h"

// Variables, objective sense and constant, and linear rows from a
// compressed-column matrix when hasMatrix is set. Only vtype, varnames,
// constrnames and sense may be null (all 'C', no names, all '<').
struct LinearInput {
  bool hasMatrix;
  const char *name;
  int numVars;
  int numConss;
  int objSense;
  double objConst;
  const double *obj;
  const char *sense;
  const double *rhs;
  const int *colBegin;
  const int *colCount;
  const int *rowIdx;
  const double *vals;
  const double *lb;
  const double *ub;
  const char *vtype;
  const char *const *varnames;
  const char *const *constrnames;
};

int fillStore(ModelStore &store, const LinearInput &input);

#endif
