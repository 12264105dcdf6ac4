#include "bench/cost/bench_models.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "testhost.h"

namespace {

// The module rejects an array whose rows times columns reach 2^31, also a
// sparse one, so the matrices stay below that: "A" has few rows and "Q" a
// bounded side, with more entries per column as nnz grows.
constexpr size_t perColumn = 10;
constexpr size_t linearRows = 1000;
constexpr size_t maxQuadraticSide = 40000;
constexpr size_t doubleBytes = sizeof(double);
constexpr size_t indexBytes = sizeof(mwIndex);

size_t sparseBytes(size_t numCols, size_t nnz) {
  return (numCols + 1) * indexBytes + nnz * (indexBytes + doubleBytes);
}

// `perColumn` distinct rows per column, ascending: base, base + step, ...
mxArray *banded(size_t numRows, size_t numCols, size_t perColumn) {
  const size_t step = numRows / perColumn;
  mxArray *out = mxCreateSparse(numRows, numCols, numCols * perColumn, mxREAL);
  mwIndex *jc = mxGetJc(out);
  mwIndex *ir = mxGetIr(out);
  double *pr = mxGetDoubles(out);
  size_t k = 0;
  for (size_t j = 0; j < numCols; ++j) {
    jc[j] = k;
    for (size_t t = 0; t < perColumn; ++t, ++k) {
      ir[k] = j % step + t * step;
      pr[k] = 1.0 + double(k % 7);
    }
  }
  jc[numCols] = k;
  return out;
}

mxArray *filled(size_t n, double value) {
  mxArray *out = mxCreateDoubleMatrix(n, 1, mxREAL);
  double *target = mxGetDoubles(out);
  for (size_t i = 0; i < n; ++i) {
    target[i] = value;
  }
  return out;
}

// Entry (i, j) = 1 + (i + j) mod 7, every entry stored.
mxArray *denseSymmetric(size_t dim) {
  mxArray *out = mxCreateSparse(dim, dim, dim * dim, mxREAL);
  mwIndex *jc = mxGetJc(out);
  mwIndex *ir = mxGetIr(out);
  double *pr = mxGetDoubles(out);
  size_t k = 0;
  for (size_t j = 0; j < dim; ++j) {
    jc[j] = k;
    for (size_t i = 0; i < dim; ++i, ++k) {
      ir[k] = i;
      pr[k] = 1.0 + double((i + j) % 7);
    }
  }
  jc[dim] = k;
  return out;
}

size_t solutionBytes(size_t numVars) { return 2 * numVars * doubleBytes; }

size_t psdResultBytes(size_t dim) {
  return sparseBytes(dim, dim * (dim + 1) / 2);
}

}  // namespace

BenchModel linearModel(size_t nnz) {
  const size_t n = nnz / perColumn;
  const std::string senses(linearRows, '<');
  mxArray *model = testhost::structure({{"A", banded(linearRows, n, perColumn)},
                                        {"obj", filled(n, 1.0)},
                                        {"rhs", filled(linearRows, 1.0)},
                                        {"lhsorsense", testhost::text(senses)},
                                        {"lb", filled(n, 0.0)},
                                        {"ub", filled(n, 1.0)}});
  const size_t hostBytes = sparseBytes(n, nnz) + 3 * n * doubleBytes +
                           linearRows * (doubleBytes + sizeof(mxChar));
  return {model, hostBytes, int(n), int(linearRows), 0, solutionBytes(n)};
}

BenchModel quadraticModel(size_t nnz) {
  const size_t n = std::min(nnz / perColumn, maxQuadraticSide);
  mxArray *model = testhost::structure(
      {{"Q", banded(n, n, nnz / n)}, {"obj", filled(n, 1.0)}});
  const size_t hostBytes = sparseBytes(n, nnz) + n * doubleBytes;
  return {model, hostBytes, int(n), 0, 0, solutionBytes(n)};
}

BenchModel semidefiniteModel(size_t nnz) {
  const size_t dim = size_t(std::sqrt(double(nnz) / 2.0));
  mxArray *psdvar = testhost::structArray(1, {"obj"});
  testhost::setField(psdvar, 0, "obj", denseSymmetric(dim));
  mxArray *psdcon =
      testhost::structArray(1, {"psdmats", "indices", "rhs", "lhsorsense"});
  testhost::setField(psdcon, 0, "psdmats",
                     testhost::cell({denseSymmetric(dim)}));
  testhost::setField(psdcon, 0, "indices", testhost::scalar(1));
  testhost::setField(psdcon, 0, "rhs", testhost::scalar(1));
  testhost::setField(psdcon, 0, "lhsorsense", testhost::text("="));
  mxArray *model =
      testhost::structure({{"psdvar", psdvar}, {"psdcon", psdcon}});
  const size_t hostBytes = 2 * sparseBytes(dim, dim * dim);
  return {model, hostBytes, 0, 0, int(dim), psdResultBytes(dim)};
}

mxArray *symmetricBand(size_t nnz) {
  // Rows j-5 .. j+5 taken cyclically: eleven entries per column, and (i, j)
  // and (j, i) are both stored with the same value.
  constexpr size_t halfWidth = 5;
  constexpr size_t width = 2 * halfWidth + 1;
  const size_t n = nnz / width;
  mxArray *out = mxCreateSparse(n, n, n * width, mxREAL);
  mwIndex *jc = mxGetJc(out);
  mwIndex *ir = mxGetIr(out);
  double *pr = mxGetDoubles(out);
  size_t k = 0;
  for (size_t j = 0; j < n; ++j) {
    jc[j] = k;
    size_t rows[width];
    for (size_t t = 0; t < width; ++t) {
      rows[t] = (j + n + t - halfWidth) % n;
    }
    std::sort(rows, rows + width);
    for (size_t i : rows) {
      ir[k] = i;
      pr[k] = 1.0 + double((i + j) % 7);
      ++k;
    }
  }
  jc[n] = k;
  return out;
}

bool upperTriangle(const mxArray *matrix, CooMatrix *upper) {
  return matlabSparse2cooSymmetric(
      int32_t(mxGetNzmax(matrix)), int32_t(mxGetM(matrix)),
      int32_t(mxGetN(matrix)), mxGetJc(matrix), mxGetIr(matrix),
      mxGetDoubles(matrix), upper);
}
