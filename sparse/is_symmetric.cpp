#include <algorithm>

#include "sparse/sparse_matrix.h"

namespace {

// Every off-diagonal entry (i, j) needs an entry (j, i) of exactly the same
// value; NaN never equals itself, so a NaN off the diagonal fails. Rows
// ascend within a column, so the mirror is found by binary search.
template <typename Value>
bool mirrorsMatch(mwIndex numCols, const mwIndex *jc, const mwIndex *ir,
                  const Value *values) {
  for (mwIndex j = 0; j < numCols; ++j) {
    for (mwIndex k = jc[j]; k < jc[j + 1]; ++k) {
      const mwIndex i = ir[k];
      if (i == j) {
        continue;
      }
      const mwIndex *first = ir + jc[i];
      const mwIndex *last = ir + jc[i + 1];
      const mwIndex *mirror = std::lower_bound(first, last, j);
      if (mirror == last || *mirror != j || values[mirror - ir] != values[k]) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

// Sparse logical arrays are accepted too, since the readers take them as
// doubles with true = 1.
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
  if (mxIsLogical(array)) {
    return mirrorsMatch(numCols, jc, ir, mxGetLogicals(array));
  }
  return mirrorsMatch(numCols, jc, ir, mxGetDoubles(array));
}
