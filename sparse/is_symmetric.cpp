#include <algorithm>
#include <cstddef>

#include "sparse/sparse_matrix.h"

namespace {

// Every off-diagonal entry (i, j) needs an entry (j, i) of exactly the same
// value; NaN never equals itself, so a NaN off the diagonal fails.
//
// Each entry is read once. An entry below the diagonal, (i, j) with i > j,
// must be the next unmatched entry above the diagonal of column i, which
// matched[i] counts: column i is asked for rows j in ascending order, and its
// rows ascend, so in a symmetric matrix its upper entries are met in their
// stored order. Once no column left of j can ask any more, only column j's
// lower entries are left to read.
template <typename Value>
struct MirrorScan {
  const mwIndex *jc;
  const mwIndex *ir;
  const Value *values;
  int32_t *matched;
};

// Where column j's lower entries begin: past its matched upper entries and
// the diagonal. An upper entry left unmatched is then taken for a lower one,
// and its mirror fails: a lower entry in the mirror's place would have asked
// for it already.
template <typename Value>
mwIndex lowerBegin(const MirrorScan<Value> &scan, mwIndex j) {
  const mwIndex k = scan.jc[j] + mwIndex(scan.matched[j]);
  return k < scan.jc[j + 1] && scan.ir[k] == j ? k + 1 : k;
}

// Matches column j's lower entries from *next on whose rows lie below rowEnd.
template <typename Value>
bool matchLower(const MirrorScan<Value> &scan, mwIndex j, mwIndex rowEnd,
                mwIndex *next) {
  const mwIndex end = scan.jc[j + 1];
  mwIndex k = *next;
  for (; k < end && scan.ir[k] < rowEnd; ++k) {
    const mwIndex i = scan.ir[k];
    const mwIndex mirror = scan.jc[i] + mwIndex(scan.matched[i]);
    // Column i will be asked for the rows after j soon: fetch them now.
    __builtin_prefetch(scan.ir + mirror + 8);
    __builtin_prefetch(scan.values + mirror + 8);
    if (mirror == scan.jc[i + 1] || scan.ir[mirror] != j ||
        scan.values[mirror] != scan.values[k]) {
      return false;
    }
    ++scan.matched[i];
  }
  *next = k;
  return true;
}

// Columns go in blocks. A block with many entries is matched tile by tile,
// rows of the next block after rows of this one, so that the mirrors read
// at one time lie in a few columns' neighbouring entries rather than one
// entry of every column; a column still sees its rows asked in ascending
// order. The tiles of a block cost one step per column per row block, which
// the block's entries pay for when it is tiled.
constexpr mwIndex blockSize = 32;

template <typename Value>
bool mirrorsMatch(mwIndex numCols, const MirrorScan<Value> &scan) {
  for (mwIndex j = 0; j < numCols; ++j) {
    scan.matched[j] = 0;
  }
  mwIndex next[blockSize];
  for (mwIndex first = 0; first < numCols; first += blockSize) {
    const mwIndex last = std::min(first + blockSize, numCols);
    const bool tiled = scan.jc[last] - scan.jc[first] >= numCols - last;
    const mwIndex rowEnd = tiled ? last : numCols;
    for (mwIndex j = first; j < last; ++j) {
      next[j - first] = lowerBegin(scan, j);
      if (!matchLower(scan, j, rowEnd, &next[j - first])) {
        return false;
      }
    }
    for (mwIndex rows = rowEnd; rows < numCols; rows += blockSize) {
      const mwIndex tileEnd = std::min(rows + blockSize, numCols);
      for (mwIndex j = first; j < last; ++j) {
        if (!matchLower(scan, j, tileEnd, &next[j - first])) {
          return false;
        }
      }
    }
  }
  return true;
}

}  // namespace

// Sparse logical arrays are accepted too, since the readers take them as
// doubles with true = 1. The counts are 32-bit: a column holds fewer than
// 2^31 entries in any array the readers accept.
bool isSymmetric(const mxArray *array) {
  if (mxGetM(array) != mxGetN(array)) {
    return false;
  }
  const mwIndex numCols = static_cast<mwIndex>(mxGetN(array));
  if (numCols == 0) {
    return true;
  }
  const mwIndex *jc = mxGetJc(array);
  const mwIndex *ir = mxGetIr(array);
  int32_t *matched = static_cast<int32_t *>(
      mxMalloc(sizeof(int32_t) * static_cast<size_t>(numCols)));
  const bool symmetric =
      mxIsLogical(array)
          ? mirrorsMatch(
                numCols,
                MirrorScan<mxLogical>{jc, ir, mxGetLogicals(array), matched})
          : mirrorsMatch(numCols, MirrorScan<double>{
                                      jc, ir, mxGetDoubles(array), matched});
  mxFree(matched);
  return symmetric;
}
