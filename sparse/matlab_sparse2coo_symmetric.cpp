#include <algorithm>
#include <cstddef>

#include "sparse/sparse_matrix.h"

namespace {

// One pass over the entries both copies the upper triangle and tests the
// symmetry. Each upper entry (i, j), i < j, must match the next unmatched
// entry below the diagonal of column i, which cursor[i] points at (an offset
// from the column's start): column i is asked for rows j in ascending order
// and its rows ascend, so in a symmetric matrix its lower entries are met in
// their stored order. The matrix is symmetric when every lower entry has
// been matched. NaN never equals itself, so a NaN off the diagonal fails.
struct UpperCopy {
  const mwIndex *jc;
  const mwIndex *ir;
  const double *values;
  int32_t *cursor;
  CooMatrix *out;
};

// One past the last entry of column j whose row, narrowed to 32 bits, is at
// most j.
mwIndex upperEnd(const mwIndex *jc, const mwIndex *ir, int32_t j) {
  return mwIndex(std::upper_bound(ir + jc[j], ir + jc[j + 1], j,
                                  [](int32_t column, mwIndex row) {
                                    return column < static_cast<int32_t>(row);
                                  }) -
                 ir);
}

// Column j's upper entries, held in the copy from *next up to `end`, are
// matched with their mirrors while their rows lie below rowEnd.
bool matchMirrors(const UpperCopy &copy, int32_t j, int32_t rowEnd, int32_t end,
                  int32_t *next) {
  const CooMatrix &out = *copy.out;
  int32_t t = *next;
  for (; t < end && out.rowIdx[t] < rowEnd; ++t) {
    const int32_t i = out.rowIdx[t];
    if (i == j) {
      continue;
    }
    const mwIndex mirror = copy.jc[i] + mwIndex(copy.cursor[i]);
    // Column i will be asked for the rows after j soon: fetch them now.
    __builtin_prefetch(copy.ir + mirror + 8);
    __builtin_prefetch(copy.values + mirror + 8);
    if (mirror == copy.jc[i + 1] || copy.ir[mirror] != mwIndex(j) ||
        copy.values[mirror] != out.vals[t]) {
      return false;
    }
    ++copy.cursor[i];
  }
  *next = t;
  return true;
}

// Columns go in blocks, each copied first, as one stream. A block with many
// entries is then matched tile by tile, rows 0 to 31 of its columns, then
// rows 32 to 63, ..., so that the mirrors read at one time lie in a few
// columns' neighbouring entries rather than one entry of every column; a
// column still sees its rows asked in ascending order. The tiles of a block
// cost one step per column per row block, which the block's entries pay for
// when it is tiled. The block's copy is still in the cache when it is read.
constexpr int32_t blockSize = 32;

bool copyUpper(int32_t numCols, const UpperCopy &copy) {
  CooMatrix &out = *copy.out;
  int32_t next[blockSize];
  int32_t end[blockSize];
  int32_t written = 0;
  for (int32_t first = 0; first < numCols; first += blockSize) {
    const int32_t last = std::min(first + blockSize, numCols);
    for (int32_t j = first; j < last; ++j) {
      const mwIndex begin = copy.jc[j];
      const int32_t count = copy.cursor[j];
      next[j - first] = written;
      for (int32_t k = 0; k < count; ++k) {
        out.rowIdx[written + k] = static_cast<int32_t>(copy.ir[begin + k]);
        out.colIdx[written + k] = j;
      }
      std::copy_n(copy.values + begin, count, out.vals + written);
      written += count;
      end[j - first] = written;
    }
    const bool tiled = copy.jc[last] - copy.jc[first] >= mwIndex(last);
    const int32_t rowStep = tiled ? blockSize : last;
    for (int32_t rows = 0; rows < last; rows += rowStep) {
      const int32_t rowEnd = std::min(rows + rowStep, last);
      for (int32_t j = first; j < last; ++j) {
        if (!matchMirrors(copy, j, rowEnd, end[j - first], &next[j - first])) {
          return false;
        }
      }
    }
  }
  for (int32_t i = 0; i < numCols; ++i) {
    if (copy.jc[i] + mwIndex(copy.cursor[i]) != copy.jc[i + 1]) {
      return false;
    }
  }
  return true;
}

}  // namespace

// The counts are 32-bit: a column holds fewer than 2^31 entries in any array
// the readers accept. cursor[j] first holds column j's count of upper
// entries, from which its lower entries begin.
bool matlabSparse2cooSymmetric(int32_t /*nzmax*/, int32_t numRows,
                               int32_t numCols, const mwIndex *jc,
                               const mwIndex *ir, const double *pr,
                               CooMatrix *out) {
  *out = CooMatrix{0, 0, 0, nullptr, nullptr, nullptr};
  if (numRows != numCols) {
    return false;
  }
  int32_t *cursor = static_cast<int32_t *>(
      mxMalloc(sizeof(int32_t) * static_cast<size_t>(numCols)));
  int32_t count = 0;
  for (int32_t j = 0; j < numCols; ++j) {
    cursor[j] = int32_t(upperEnd(jc, ir, j) - jc[j]);
    count += cursor[j];
  }
  alloc_coo(out, count);
  out->numCols = numCols;
  out->numRows = numRows;
  out->nnz = count;
  const bool symmetric = copyUpper(numCols, {jc, ir, pr, cursor, out});
  mxFree(cursor);
  if (!symmetric) {
    mxFree(out->rowIdx);
    mxFree(out->colIdx);
    mxFree(out->vals);
    *out = CooMatrix{0, 0, 0, nullptr, nullptr, nullptr};
  }
  return symmetric;
}
