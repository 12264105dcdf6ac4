#include <algorithm>
#include <cstddef>
#include <cstring>

#include "sparse/sparse_matrix.h"

namespace {

// One past the last entry of column j whose row, narrowed to 32 bits, is at
// most j.
mwIndex upperEnd(const mwIndex *jc, const mwIndex *ir, int32_t j) {
  return mwIndex(std::upper_bound(ir + jc[j], ir + jc[j + 1], j,
                                  [](int32_t column, mwIndex row) {
                                    return column < static_cast<int32_t>(row);
                                  }) -
                 ir);
}

}  // namespace

// Both conversions emit triplets in the host's order: column after column,
// rows ascending within a column. Host row indices keep their low 32 bits.

void matlabSparse2coo(int32_t nzmax, int32_t numRows, int32_t numCols,
                      const mwIndex *jc, const mwIndex *ir, const double *pr,
                      CooMatrix *out) {
  out->rowIdx = static_cast<int32_t *>(
      mxMalloc(sizeof(int32_t) * static_cast<size_t>(nzmax)));
  out->colIdx = static_cast<int32_t *>(
      mxMalloc(sizeof(int32_t) * static_cast<size_t>(nzmax)));
  out->vals = static_cast<double *>(
      mxMalloc(sizeof(double) * static_cast<size_t>(nzmax)));
  out->nnz = static_cast<int32_t>(jc[numCols]);
  for (int32_t j = 0; j < numCols; ++j) {
    for (mwIndex k = jc[j]; k < jc[j + 1]; ++k) {
      out->rowIdx[k] = static_cast<int32_t>(ir[k]);
      out->colIdx[k] = j;
    }
  }
  // memcpy may use the copy the C library tunes for large blocks; it must
  // not see a null source, which an array without storage may have.
  if (nzmax > 0) {
    std::memcpy(out->vals, pr, sizeof(double) * static_cast<size_t>(nzmax));
  }
  out->numRows = numRows;
  out->numCols = numCols;
}

// The caller has checked symmetry, so the upper triangle with the diagonal
// determines the matrix. Rows ascend within a column, so each column's part
// is a prefix found by binary search, and the entries are read once.
void matlabSparse2cooSymmetric(int32_t /*nzmax*/, int32_t numRows,
                               int32_t numCols, const mwIndex *jc,
                               const mwIndex *ir, const double *pr,
                               CooMatrix *out) {
  int32_t count = 0;
  for (int32_t j = 0; j < numCols; ++j) {
    count += int32_t(upperEnd(jc, ir, j) - jc[j]);
  }
  out->rowIdx = static_cast<int32_t *>(
      mxMalloc(sizeof(int32_t) * static_cast<size_t>(count)));
  out->colIdx = static_cast<int32_t *>(
      mxMalloc(sizeof(int32_t) * static_cast<size_t>(count)));
  out->vals = static_cast<double *>(
      mxMalloc(sizeof(double) * static_cast<size_t>(count)));
  int32_t next = 0;
  for (int32_t j = 0; j < numCols; ++j) {
    const mwIndex end = upperEnd(jc, ir, j);
    for (mwIndex k = jc[j]; k < end; ++k, ++next) {
      out->rowIdx[next] = static_cast<int32_t>(ir[k]);
      out->colIdx[next] = j;
      out->vals[next] = pr[k];
    }
  }
  out->numCols = numCols;
  out->numRows = numRows;
  out->nnz = count;
}
