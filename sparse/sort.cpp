#include <utility>

#include "sparse/sparse_matrix.h"

namespace {

// Triplets are ordered by row, then column.
bool tripletLess(const CooMatrix *coo, int32_t a, int32_t b) {
  return coo->rowIdx[a] < coo->rowIdx[b] ||
         (coo->rowIdx[a] == coo->rowIdx[b] && coo->colIdx[a] < coo->colIdx[b]);
}

void swapTriplets(CooMatrix *coo, int32_t a, int32_t b) {
  std::swap(coo->rowIdx[a], coo->rowIdx[b]);
  std::swap(coo->colIdx[a], coo->colIdx[b]);
  std::swap(coo->vals[a], coo->vals[b]);
}

bool isSorted(const CooMatrix *coo) {
  for (int32_t i = 1; i < coo->nnz; ++i) {
    if (tripletLess(coo, i, i - 1)) {
      return false;
    }
  }
  return true;
}

// On equal keys the left child is taken and the parent stays. The loop test
// is 2i+1 < size written so that it cannot overflow.
void siftDown(CooMatrix *coo, int32_t i, int32_t size) {
  while (i < size / 2) {
    int32_t child = 2 * i + 1;
    if (child + 1 < size && tripletLess(coo, child, child + 1)) {
      ++child;
    }
    if (!tripletLess(coo, i, child)) {
      return;
    }
    swapTriplets(coo, i, child);
    i = child;
  }
}

}  // namespace

// Heap sort in place. Triplets usually arrive already in order, which the
// first scan detects without moving anything.
void sort(CooMatrix *coo) {
  const int32_t n = coo->nnz;
  if (n < 2 || isSorted(coo)) {
    return;
  }
  for (int32_t i = n / 2 - 1; i >= 0; --i) {
    siftDown(coo, i, n);
  }
  for (int32_t size = n; size >= 2; --size) {
    swapTriplets(coo, 0, size - 1);
    if (size - 1 >= 2) {
      siftDown(coo, 0, size - 1);
    }
  }
}
