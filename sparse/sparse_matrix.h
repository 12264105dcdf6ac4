// The module's sparse records and their conversions to and from host sparse
// arrays. Indices are 0-based signed 32-bit; `nnz` doubles as the filled
// flag: a record whose nnz is 0 holds nothing the release functions touch.
#ifndef KORVA_SPARSE_MATRIX_H
#define KORVA_SPARSE_MATRIX_H

#include <cstdint>

#include "host/host.h"

struct CscMatrix {
  int32_t numCols;
  int32_t numRows;
  int32_t nnz;
  int32_t *colBegin;
  int32_t *rowIdx;
  int32_t *colCount;
  double *vals;
};

struct CooMatrix {
  int32_t nnz;
  int32_t numRows;
  int32_t numCols;
  int32_t *rowIdx;
  int32_t *colIdx;
  double *vals;
};

// Host sparse array -> records. Callers pass mxGetNzmax, mxGetM, mxGetN,
// mxGetJc, mxGetIr and the values (doubles) of the host array.
void matlabSparse2csc(int32_t nzmax, int32_t numRows, int32_t numCols,
                      const mwIndex *jc, const mwIndex *ir, const double *pr,
                      CscMatrix *out);
void matlabSparse2coo(int32_t nzmax, int32_t numRows, int32_t numCols,
                      const mwIndex *jc, const mwIndex *ir, const double *pr,
                      CooMatrix *out);
// Keeps the upper triangle with the diagonal (row <= column) of a symmetric
// array: every entry off the diagonal has its mirror, of equal value. False,
// with the record holding nothing, when the array is not symmetric.
bool matlabSparse2cooSymmetric(int32_t nzmax, int32_t numRows, int32_t numCols,
                               const mwIndex *jc, const mwIndex *ir,
                               const double *pr, CooMatrix *out);

mxArray *csc2MatlabSparse(const CscMatrix *csc);

void alloc_coo(CooMatrix *coo, int32_t capacity);
void free_csc(CscMatrix *csc);
void free_coo(CooMatrix *coo);

// Triplets -> host sparse array.
void sort(CooMatrix *coo);
void coo2csc_row_major(CooMatrix *coo, CscMatrix *out);
mxArray *coo2MatlabSparse(CooMatrix *coo, const char *kind);
// A square host array created with nzmax entries has room for nzmax flat
// indices r * n + c in the upper half of its row array, where the solver can
// write them. With the values in place, sortedFlat2MatlabSparse turns the
// first nnz of them into the rows and column starts, as coo2MatlabSparse
// would for "PSD" triplets. False, with the array half filled, when the
// indices do not ascend or leave the matrix.
int32_t *flatIndexRoom(mxArray *array);
bool sortedFlat2MatlabSparse(int32_t nnz, mxArray *array);

#endif
