#include <cstddef>
#include <cstring>

#include "sparse/sparse_matrix.h"

// Triplets in the host's order: column after column, rows ascending within
// a column. Host row indices keep their low 32 bits.
void matlabSparse2coo(int32_t nzmax, int32_t numRows, int32_t numCols,
                      const mwIndex *jc, const mwIndex *ir, const double *pr,
                      CooMatrix *out) {
  alloc_coo(out, nzmax);
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
