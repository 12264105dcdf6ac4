#include "sparse/sparse_matrix.h"

// Counts and indices are sign-extended into the host's 64-bit fields.
// colCount is redundant with colBegin and is not read.
mxArray *csc2MatlabSparse(const CscMatrix *csc) {
  mxArray *array = mxCreateSparse(static_cast<mwSize>(csc->numRows),
                                  static_cast<mwSize>(csc->numCols),
                                  static_cast<mwSize>(csc->nnz), mxREAL);
  mwIndex *ir = mxGetIr(array);
  mwIndex *jc = mxGetJc(array);
  double *pr = mxGetDoubles(array);
  for (int32_t k = 0; k < csc->nnz; ++k) {
    ir[k] = static_cast<mwIndex>(csc->rowIdx[k]);
  }
  for (int32_t j = 0; j <= csc->numCols; ++j) {
    jc[j] = static_cast<mwIndex>(csc->colBegin[j]);
  }
  for (int32_t k = 0; k < csc->nnz; ++k) {
    pr[k] = csc->vals[k];
  }
  return array;
}
