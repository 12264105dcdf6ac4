// Host models of a chosen number of stored entries, built directly in the
// test host's arrays, with the byte counts a copy of them would move.
#ifndef KORVA_BENCH_MODELS_H
#define KORVA_BENCH_MODELS_H

#include <cstddef>

#include "mex.h"
#include "sparse/sparse_matrix.h"

struct BenchModel {
  mxArray *model;
  size_t hostBytes;  // bytes of every array in the model structure
  int numVars;       // sizes of the solution the result reports
  int numConss;
  int psdDim;          // side of the one semidefinite variable, or 0
  size_t resultBytes;  // bytes of every array in the result
};

// nnz entries in "A": nnz/10 variables and 1000 rows, ten per column.
BenchModel linearModel(size_t nnz);
// nnz entries in "Q" over nnz/10 variables (at most 40000), no rows.
BenchModel quadraticModel(size_t nnz);
// One semidefinite variable and one semidefinite constraint, each with a
// full symmetric matrix of about nnz/2 entries.
BenchModel semidefiniteModel(size_t nnz);

// A symmetric host sparse array of about nnz entries, eleven per column.
mxArray *symmetricBand(size_t nnz);

// The module's copy of the upper triangle, which tests the symmetry too.
bool upperTriangle(const mxArray *matrix, CooMatrix *upper);

#endif
