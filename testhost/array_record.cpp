#include "array_record.h"

#include <algorithm>
#include <cstdint>
#include <new>

namespace testhost {

namespace {

void *zeroedBlock(size_t count, size_t size) {
  void *block = std::calloc(std::max<size_t>(count, 1), size);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  return block;
}

}  // namespace

size_t elementSize(mxClassID classId) {
  switch (classId) {
    case mxDOUBLE_CLASS:
    case mxINT64_CLASS:
    case mxUINT64_CLASS:
      return 8;
    case mxSINGLE_CLASS:
    case mxINT32_CLASS:
    case mxUINT32_CLASS:
      return 4;
    case mxINT16_CLASS:
    case mxUINT16_CLASS:
    case mxCHAR_CLASS:
      return 2;
    case mxINT8_CLASS:
    case mxUINT8_CLASS:
      return 1;
    case mxLOGICAL_CLASS:
      return sizeof(mxLogical);
    default:
      return 0;
  }
}

mxArray *newDense(mxClassID classId, size_t m, size_t n, bool isComplex) {
  mxArray *array = new mxArray;
  array->classId = classId;
  array->m = m;
  array->n = n;
  array->isComplex = isComplex;
  array->data.reset(
      zeroedBlock(m * n * (isComplex ? 2 : 1), elementSize(classId)));
  return array;
}

mxArray *newSparse(mxClassID classId, size_t m, size_t n, size_t nzmax,
                   bool isComplex) {
  mxArray *array = new mxArray;
  array->classId = classId;
  array->m = m;
  array->n = n;
  array->isComplex = isComplex;
  array->isSparse = true;
  array->nzmax = std::max<size_t>(nzmax, 1);
  array->data.reset(
      zeroedBlock(array->nzmax * (isComplex ? 2 : 1), elementSize(classId)));
  array->jc.assign(n + 1, 0);
  array->ir.assign(array->nzmax, 0);
  return array;
}

mxArray *newContainer(mxClassID classId, size_t m, size_t n,
                      std::vector<std::string> fieldNames) {
  mxArray *array = new mxArray;
  array->classId = classId;
  array->m = m;
  array->n = n;
  array->fieldNames = std::move(fieldNames);
  size_t perElement = classId == mxSTRUCT_CLASS ? array->fieldNames.size() : 1;
  array->children.resize(m * n * perElement);
  return array;
}

void shapeOf(mwSize ndim, const mwSize *dims, size_t *m, size_t *n) {
  *m = ndim >= 1 ? dims[0] : 1;
  *n = 1;
  for (mwSize k = 1; k < ndim; ++k) {
    *n *= dims[k];
  }
}

double elementAsDouble(const mxArray *array, size_t index) {
  const void *data = array->data.get();
  size_t k = array->isComplex ? 2 * index : index;
  switch (array->classId) {
    case mxDOUBLE_CLASS:
      return static_cast<const double *>(data)[k];
    case mxSINGLE_CLASS:
      return static_cast<const float *>(data)[k];
    case mxLOGICAL_CLASS:
      return static_cast<const mxLogical *>(data)[k] ? 1.0 : 0.0;
    case mxCHAR_CLASS:
      return static_cast<const mxChar *>(data)[k];
    case mxINT8_CLASS:
      return static_cast<const int8_t *>(data)[k];
    case mxUINT8_CLASS:
      return static_cast<const uint8_t *>(data)[k];
    case mxINT16_CLASS:
      return static_cast<const int16_t *>(data)[k];
    case mxUINT16_CLASS:
      return static_cast<const uint16_t *>(data)[k];
    case mxINT32_CLASS:
      return static_cast<const int32_t *>(data)[k];
    case mxUINT32_CLASS:
      return static_cast<const uint32_t *>(data)[k];
    case mxINT64_CLASS:
      return double(static_cast<const int64_t *>(data)[k]);
    case mxUINT64_CLASS:
      return double(static_cast<const uint64_t *>(data)[k]);
    default:
      return 0.0;
  }
}

}  // namespace testhost
