#include "sparse/sparse_matrix.h"

namespace {

template <typename Element>
void freeArray(Element **array) {
  if (*array != nullptr) {
    mxFree(*array);
    *array = nullptr;
  }
}

}  // namespace

// A record with no entries counts as empty, so an owner that only zeroed the
// counts may release it without having nulled the pointers. The counts are
// kept, and nulling what was freed makes a second release harmless.
void free_csc(CscMatrix *csc) {
  if (csc->nnz == 0) {
    return;
  }
  freeArray(&csc->colBegin);
  freeArray(&csc->rowIdx);
  freeArray(&csc->colCount);
  freeArray(&csc->vals);
}

void free_coo(CooMatrix *coo) {
  if (coo->nnz == 0) {
    return;
  }
  freeArray(&coo->rowIdx);
  freeArray(&coo->colIdx);
  freeArray(&coo->vals);
}
