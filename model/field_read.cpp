#include "model/field_read.h"

#include <cmath>
#include <cstring>

#include "gateway/korva_error.h"

namespace {

constexpr size_t sizeLimit = size_t(1) << 31;

template <typename T>
void releaseArray(T **array) {
  if (*array != nullptr) {
    mxFree(*array);
    *array = nullptr;
  }
}

}  // namespace

namespace {

const char *sizeOrRealProblem(const mxArray *value, size_t entries) {
  if (mxGetM(value) >= sizeLimit || mxGetN(value) >= sizeLimit ||
      entries >= sizeLimit) {
    return "It is too large.";
  }
  if (mxIsComplex(value)) {
    return "It should be real.";
  }
  return nullptr;
}

}  // namespace

// A sparse matrix is as large as its storage, not its rows times columns.
void checkRealAndSize(const char *subject, const mxArray *value) {
  size_t entries = mxIsSparse(value) ? size_t(mxGetNzmax(value))
                                     : mxGetNumberOfElements(value);
  const char *problem = sizeOrRealProblem(value, entries);
  if (problem != nullptr) {
    korvaError(subject, problem);
  }
}

// Rows times columns cannot overflow: each is below 2^31 once checked.
size_t denseElements(const mxArray *value) {
  size_t rows = mxGetM(value);
  size_t cols = mxGetN(value);
  return rows < sizeLimit && cols < sizeLimit ? rows * cols : sizeLimit;
}

const char *denseCopyProblem(const mxArray *value) {
  return sizeOrRealProblem(value, denseElements(value));
}

int32_t elementCount(const char *subject, const mxArray *value) {
  size_t count = denseElements(value);
  if (count >= sizeLimit) {
    korvaError(subject, "It is too large.");
  }
  return int32_t(count);
}

void checkDenseCopy(const char *subject, const mxArray *value) {
  const char *problem = denseCopyProblem(value);
  if (problem != nullptr) {
    korvaError(subject, problem);
  }
}

SparseView viewSparse(const char *subject, const mxArray *value) {
  checkRealAndSize(subject, value);
  SparseView view;
  view.nzmax = int32_t(mxGetNzmax(value));
  view.numRows = int32_t(mxGetM(value));
  view.numCols = int32_t(mxGetN(value));
  view.jc = mxGetJc(value);
  view.ir = mxGetIr(value);
  view.ownedVals = nullptr;
  if (mxIsLogical(value)) {
    const mxLogical *flags = mxGetLogicals(value);
    view.ownedVals =
        static_cast<double *>(mxMalloc(sizeof(double) * size_t(view.nzmax)));
    for (int32_t k = 0; k < view.nzmax; ++k) {
      view.ownedVals[k] = flags[k] ? 1.0 : 0.0;
    }
    view.vals = view.ownedVals;
  } else {
    view.vals = mxGetDoubles(value);
  }
  return view;
}

void releaseSparseView(SparseView *view) {
  if (view->ownedVals != nullptr) {
    mxFree(view->ownedVals);
    view->ownedVals = nullptr;
  }
}

double *copyDoubles(const char *subject, const mxArray *value, int32_t *count) {
  checkDenseCopy(subject, value);
  size_t n = mxGetNumberOfElements(value);
  double *copy = static_cast<double *>(mxMalloc(sizeof(double) * n));
  const double *data = mxGetDoubles(value);
  if (mxIsSparse(value)) {
    size_t rows = mxGetM(value);
    size_t cols = mxGetN(value);
    const mwIndex *jc = mxGetJc(value);
    const mwIndex *ir = mxGetIr(value);
    std::memset(copy, 0, sizeof(double) * n);
    for (size_t j = 0; j < cols; ++j) {
      for (mwIndex p = jc[j]; p < jc[j + 1]; ++p) {
        copy[j * rows + size_t(ir[p])] = data[p];
      }
    }
  } else if (n > 0) {
    std::memcpy(copy, data, sizeof(double) * n);
  }
  *count = int32_t(n);
  return copy;
}

char *copyWholeString(const mxArray *value) {
  size_t size = mxGetNumberOfElements(value) + 1;
  char *text = static_cast<char *>(mxMalloc(size));
  mxGetString(value, text, mwSize(size));
  return text;
}

char *copyName(const mxArray *value) {
  char *name = static_cast<char *>(mxMalloc(nameBufferSize));
  mxGetString(value, name, nameBufferSize);
  return name;
}

char firstChar(const mxArray *value, char otherwise) {
  if (mxGetNumberOfElements(value) == 0) {
    return otherwise;
  }
  return char(mxGetChars(value)[0] & 0xFF);
}

int32_t truncateToInt32(double value) {
  if (std::isnan(value) || value <= double(INT32_MIN + 1)) {
    return INT32_MIN + 1;
  }
  if (value >= double(INT32_MAX)) {
    return INT32_MAX;
  }
  return int32_t(value);
}

int32_t oneBasedIndex(const char *subject, double value) {
  int32_t index = truncateToInt32(value);
  if (index == 0) {
    korvaError(subject, "Indices start from 1.");
  }
  return index - 1;
}

// Unstored entries of a sparse array are zeros, never valid indices; with
// every entry stored, the storage order is the column order.
void readOneBasedIndices(const char *subject, const mxArray *value,
                         int32_t *out) {
  size_t n = mxGetNumberOfElements(value);
  if (mxIsSparse(value) && size_t(mxGetJc(value)[mxGetN(value)]) < n) {
    korvaError(subject, "Indices start from 1.");
  }
  const double *data = mxGetDoubles(value);
  for (size_t k = 0; k < n; ++k) {
    out[k] = oneBasedIndex(subject, data[k]);
  }
}

double readScalarDouble(const char *subject, const mxArray *value) {
  if (!mxIsScalar(value)) {
    korvaError(subject, "It should be scalar.");
  }
  if (!mxIsDouble(value)) {
    korvaError(subject, "It should be double.");
  }
  return realScalar(subject, value);
}

double realScalar(const char *subject, const mxArray *value) {
  if (mxIsComplex(value)) {
    korvaError(subject, "It should be real.");
  }
  return mxGetScalar(value);
}

void releaseTripletArrays(CooMatrix *coo) {
  releaseArray(&coo->rowIdx);
  releaseArray(&coo->colIdx);
  releaseArray(&coo->vals);
}

// A matrix without entries keeps no arrays: the release step skips a record
// whose nnz is 0.
void readSymmetricSparse(const char *subject, const mxArray *value,
                         CooMatrix *out) {
  if (!mxIsSparse(value)) {
    korvaError(subject, "It should be sparse.");
  }
  SparseView view = viewSparse(subject, value);
  const bool symmetric = matlabSparse2cooSymmetric(
      view.nzmax, view.numRows, view.numCols, view.jc, view.ir, view.vals, out);
  releaseSparseView(&view);
  if (!symmetric) {
    korvaError(subject, "It should be symmetric.");
  }
  if (out->nnz == 0) {
    releaseTripletArrays(out);
  }
}

void readLinearTerms(const char *sparseSubject, const char *denseSubject,
                     const mxArray *value, int32_t *count, int32_t **indices,
                     double **values) {
  if (mxIsSparse(value)) {
    if (mxGetM(value) != 1) {
      korvaError(sparseSubject, "It should be 1*n sparse.");
    }
    SparseView view = viewSparse(sparseSubject, value);
    if (view.numCols == 0) {
      releaseSparseView(&view);
      return;
    }
    int32_t n = int32_t(view.jc[view.numCols]);
    int32_t *termIndices =
        static_cast<int32_t *>(mxMalloc(sizeof(int32_t) * size_t(n)));
    double *termValues =
        static_cast<double *>(mxMalloc(sizeof(double) * size_t(n)));
    for (int32_t j = 0; j < view.numCols; ++j) {
      for (mwIndex p = view.jc[j]; p < view.jc[j + 1]; ++p) {
        termIndices[p] = j;
        termValues[p] = view.vals[p];
      }
    }
    releaseSparseView(&view);
    *count = n;
    *indices = termIndices;
    *values = termValues;
    return;
  }
  if (!mxIsDouble(value)) {
    korvaError(denseSubject, "It should be sparse.");
  }
  int32_t n = 0;
  double *termValues = copyDoubles(denseSubject, value, &n);
  int32_t *termIndices =
      static_cast<int32_t *>(mxMalloc(sizeof(int32_t) * size_t(n)));
  for (int32_t j = 0; j < n; ++j) {
    termIndices[j] = j;
  }
  *count = n;
  *indices = termIndices;
  *values = termValues;
}
