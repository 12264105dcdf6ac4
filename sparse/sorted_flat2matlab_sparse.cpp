#include <cstring>

#include "sparse/sparse_matrix.h"

static_assert(sizeof(mwIndex) >= 2 * sizeof(int32_t),
              "a row index has room for two flat indices");

namespace {

unsigned char *roomOf(mxArray *array) {
  return reinterpret_cast<unsigned char *>(mxGetIr(array)) +
         sizeof(int32_t) * static_cast<size_t>(mxGetNzmax(array));
}

}  // namespace

int32_t *flatIndexRoom(mxArray *array) {
  return reinterpret_cast<int32_t *>(roomOf(array));
}

// Entry k has flat index r * n + c of an n x n matrix and goes to column r,
// row c of the host array: the transpose, as coo2MatlabSparse assembles
// "PSD" triplets. With the indices ascending that is already the host's
// order, so one pass writes the rows and column starts, stepping from row to
// row of the triplets instead of dividing. An index below the one before it,
// or outside the matrix, stops the pass.
//
// Row k covers flat indices 2k - nzmax and the one after, both read by then
// since k < nzmax. The indices are read bytewise, as the rows overwrite them.
bool sortedFlat2MatlabSparse(int32_t nnz, mxArray *array) {
  const int64_t n = static_cast<int64_t>(mxGetN(array));
  const int64_t size = n * n;
  const unsigned char *flatIdx = roomOf(array);
  mwIndex *jc = mxGetJc(array);
  mwIndex *ir = mxGetIr(array);
  int64_t column = 0;
  int64_t columnStart = 0;
  int32_t previous = 0;
  jc[0] = 0;
  for (int32_t k = 0; k < nnz; ++k) {
    int32_t flat;
    std::memcpy(&flat, flatIdx + sizeof flat * static_cast<size_t>(k),
                sizeof flat);
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
