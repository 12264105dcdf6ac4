#include "sparse/sparse_matrix.h"

// Entry k has flat index r * n + c of an n x n matrix and goes to column r,
// row c of the host array: the transpose, as coo2MatlabSparse assembles
// "PSD" triplets. With the indices ascending that is already the host's
// order, so one pass writes the rows and column starts, stepping from row to
// row of the triplets instead of dividing. An index below the one before it,
// or outside the matrix, stops the pass.
bool sortedFlat2MatlabSparse(int32_t nnz, const int32_t *flatIdx,
                             mxArray *array) {
  const int64_t n = static_cast<int64_t>(mxGetN(array));
  const int64_t size = n * n;
  mwIndex *jc = mxGetJc(array);
  mwIndex *ir = mxGetIr(array);
  int64_t column = 0;
  int64_t columnStart = 0;
  int32_t previous = 0;
  jc[0] = 0;
  for (int32_t k = 0; k < nnz; ++k) {
    const int32_t flat = flatIdx[k];
    if (flat < previous || flat >= size) {
      return false;
    }
    previous = flat;
    while (flat - columnStart >= n) {
      ++column;
      jc[column] = static_cast<mwIndex>(k);
      columnStart += n;
    }
    ir[k] = static_cast<mwIndex>(flat - columnStart);
  }
  while (column < n) {
    ++column;
    jc[column] = static_cast<mwIndex>(nnz);
  }
  return true;
}
