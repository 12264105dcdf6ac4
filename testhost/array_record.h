// The test host's array record: one plain layout for every class, so each
// accessor only differs in which members it looks at.
#ifndef KORVA_TESTHOST_ARRAY_RECORD_H
#define KORVA_TESTHOST_ARRAY_RECORD_H

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "mex.h"
#include "testhost.h"

struct FreeDeleter {
  void operator()(void *block) const { std::free(block); }
};

struct mxArray_tag {
  mxClassID classId = mxUNKNOWN_CLASS;
  size_t m = 0;
  size_t n = 0;
  bool isComplex = false;
  bool isSparse = false;
  // Dense: m*n elements of the class (real/imaginary pairs when complex).
  // Sparse: nzmax values. Never null for a class that carries data, so that
  // an empty array still has a data pointer.
  std::unique_ptr<void, FreeDeleter> data;
  size_t nzmax = 0;
  std::vector<mwIndex> jc;  // sparse: n + 1 column starts
  std::vector<mwIndex> ir;  // sparse: nzmax row indices
  std::vector<std::string> fieldNames;
  // Cells: one per element. Structures: element by element, one per field.
  // Null holds no value.
  std::vector<testhost::Array> children;
};

namespace testhost {

// Bytes per element of a class that carries numeric, logical or char data;
// 0 for the others.
size_t elementSize(mxClassID classId);

// Zero-filled dense array of a data-carrying class.
mxArray *newDense(mxClassID classId, size_t m, size_t n, bool isComplex);

// Sparse array with every column empty; nzmax is raised to at least 1.
mxArray *newSparse(mxClassID classId, size_t m, size_t n, size_t nzmax,
                   bool isComplex);

// Cell or structure array with every element holding no value.
mxArray *newContainer(mxClassID classId, size_t m, size_t n,
                      std::vector<std::string> fieldNames);

// The 2-D shape of a host dimension list: no dimensions is 1x1, one is a
// column, the trailing ones fold into the column count.
void shapeOf(mwSize ndim, const mwSize *dims, size_t *m, size_t *n);

// Element `index` of a dense numeric, logical or char array as a double.
double elementAsDouble(const mxArray *array, size_t index);

}  // namespace testhost

#endif
