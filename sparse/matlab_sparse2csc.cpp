#include <cstddef>
#include <cstring>

#include "sparse/sparse_matrix.h"

// Host indices are narrowed by keeping their low 32 bits; the readers have
// already rejected matrices too large for the record.
void matlabSparse2csc(int32_t nzmax, int32_t numRows, int32_t numCols,
                      const mwIndex *jc, const mwIndex *ir, const double *pr,
                      CscMatrix *out) {
  out->numCols = numCols;
  out->numRows = numRows;
  out->nnz = static_cast<int32_t>(jc[numCols]);
  out->colBegin = static_cast<int32_t *>(
      mxMalloc(sizeof(int32_t) * (static_cast<size_t>(numCols) + 1)));
  out->rowIdx = static_cast<int32_t *>(
      mxMalloc(sizeof(int32_t) * static_cast<size_t>(nzmax)));
  out->colCount = static_cast<int32_t *>(
      mxMalloc(sizeof(int32_t) * static_cast<size_t>(numCols)));
  out->vals = static_cast<double *>(
      mxMalloc(sizeof(double) * static_cast<size_t>(nzmax)));
  for (int32_t k = 0; k < nzmax; ++k) {
    out->rowIdx[k] = static_cast<int32_t>(ir[k]);
  }
  for (int32_t j = 0; j <= numCols; ++j) {
    out->colBegin[j] = static_cast<int32_t>(jc[j]);
  }
  for (int32_t j = 0; j < numCols; ++j) {
    out->colCount[j] = out->colBegin[j + 1] - out->colBegin[j];
  }
  // memcpy may use the copy the C library tunes for large blocks; it must
  // not see a null source, which an array without storage may have.
  if (nzmax > 0) {
    std::memcpy(out->vals, pr, sizeof(double) * static_cast<size_t>(nzmax));
  }
}
