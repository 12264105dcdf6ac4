#include <cstddef>

#include "sparse/sparse_matrix.h"

// Compresses by row: triplet (r, c, v) becomes the entry in column r, row c,
// so the record is the transpose of the triplets. After the sort each
// compressed column lists its rows ascending, as the host requires. The
// record borrows coo's column indices and values.
void coo2csc_row_major(CooMatrix *coo, CscMatrix *out) {
  sort(coo);
  out->numRows = coo->numRows;
  out->numCols = coo->numCols;
  out->nnz = coo->nnz;
  out->vals = coo->vals;
  out->rowIdx = coo->colIdx;
  out->colBegin = static_cast<int32_t *>(
      mxMalloc(sizeof(int32_t) * (static_cast<size_t>(out->numCols) + 1)));
  out->colCount = static_cast<int32_t *>(
      mxMalloc(sizeof(int32_t) * static_cast<size_t>(out->numCols)));
  for (int32_t j = 0; j < out->numCols; ++j) {
    out->colCount[j] = 0;
  }
  out->colBegin[0] = 0;
  for (int32_t k = 0; k < coo->nnz; ++k) {
    ++out->colCount[coo->rowIdx[k]];
  }
  for (int32_t j = 0; j < out->numCols; ++j) {
    out->colBegin[j + 1] = out->colBegin[j] + out->colCount[j];
  }
}

// "PSD", the one kind the module builds, is assembled row-major, so the kind
// is not inspected. The working record is not given to free_csc because its
// rows and values belong to coo.
mxArray *coo2MatlabSparse(CooMatrix *coo, const char * /*kind*/) {
  CscMatrix working;
  coo2csc_row_major(coo, &working);
  mxArray *array = csc2MatlabSparse(&working);
  mxFree(working.colBegin);
  mxFree(working.colCount);
  return array;
}
