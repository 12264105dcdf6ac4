#include "sparse/sparse_matrix.h"

// Room for `capacity` triplets; the counts are the caller's to set.
void alloc_coo(CooMatrix *coo, int32_t capacity) {
  const size_t n = static_cast<size_t>(capacity);
  coo->rowIdx = static_cast<int32_t *>(mxMalloc(sizeof(int32_t) * n));
  coo->colIdx = static_cast<int32_t *>(mxMalloc(sizeof(int32_t) * n));
  coo->vals = static_cast<double *>(mxMalloc(sizeof(double) * n));
}
