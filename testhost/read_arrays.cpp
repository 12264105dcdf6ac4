#include <string>

#include "array_record.h"
#include "host_state.h"

using testhost::present;
using testhost::recordFault;

namespace {

bool isClass(const mxArray *array, mxClassID classId, const char *function) {
  return present(array, function) && array->classId == classId;
}

// The data pointer of an array of class `classId`, or null and a fault.
void *dataOf(const mxArray *array, mxClassID classId, const char *function,
             const char *fault) {
  if (!present(array, function)) {
    return nullptr;
  }
  if (array->classId != classId || array->isComplex) {
    recordFault(std::string(function) + fault);
    return nullptr;
  }
  return array->data.get();
}

mwIndex *sparseIndices(const mxArray *array, const char *function,
                       bool columns) {
  if (!present(array, function)) {
    return nullptr;
  }
  if (!array->isSparse) {
    recordFault(std::string(function) + " of a full array");
    return nullptr;
  }
  // The record's index vectors never change size after creation.
  mxArray *writable = const_cast<mxArray *>(array);
  return columns ? writable->jc.data() : writable->ir.data();
}

}  // namespace

extern "C" {

mxClassID mxGetClassID(const mxArray *array) {
  return present(array, "mxGetClassID") ? array->classId : mxUNKNOWN_CLASS;
}

bool mxIsStruct(const mxArray *array) {
  return isClass(array, mxSTRUCT_CLASS, "mxIsStruct");
}

bool mxIsDouble(const mxArray *array) {
  return isClass(array, mxDOUBLE_CLASS, "mxIsDouble");
}

bool mxIsChar(const mxArray *array) {
  return isClass(array, mxCHAR_CLASS, "mxIsChar");
}

bool mxIsCell(const mxArray *array) {
  return isClass(array, mxCELL_CLASS, "mxIsCell");
}

bool mxIsLogical(const mxArray *array) {
  return isClass(array, mxLOGICAL_CLASS, "mxIsLogical");
}

bool mxIsSparse(const mxArray *array) {
  return present(array, "mxIsSparse") && array->isSparse;
}

bool mxIsComplex(const mxArray *array) {
  return present(array, "mxIsComplex") && array->isComplex;
}

bool mxIsScalar(const mxArray *array) {
  return present(array, "mxIsScalar") && array->m * array->n == 1;
}

bool mxIsEmpty(const mxArray *array) {
  return present(array, "mxIsEmpty") && array->m * array->n == 0;
}

size_t mxGetM(const mxArray *array) {
  return present(array, "mxGetM") ? array->m : 0;
}

size_t mxGetN(const mxArray *array) {
  return present(array, "mxGetN") ? array->n : 0;
}

size_t mxGetNumberOfElements(const mxArray *array) {
  return present(array, "mxGetNumberOfElements") ? array->m * array->n : 0;
}

mwSize mxGetNzmax(const mxArray *array) {
  if (!present(array, "mxGetNzmax")) {
    return 0;
  }
  if (!array->isSparse) {
    recordFault("mxGetNzmax of a full array");
    return 0;
  }
  return array->nzmax;
}

mxDouble *mxGetDoubles(const mxArray *array) {
  return static_cast<mxDouble *>(dataOf(array, mxDOUBLE_CLASS, "mxGetDoubles",
                                        " of a non-double or complex array"));
}

mxLogical *mxGetLogicals(const mxArray *array) {
  return static_cast<mxLogical *>(dataOf(
      array, mxLOGICAL_CLASS, "mxGetLogicals", " of a non-logical array"));
}

mxChar *mxGetChars(const mxArray *array) {
  return static_cast<mxChar *>(
      dataOf(array, mxCHAR_CLASS, "mxGetChars", " of a non-char array"));
}

mwIndex *mxGetIr(const mxArray *array) {
  return sparseIndices(array, "mxGetIr", false);
}

mwIndex *mxGetJc(const mxArray *array) {
  return sparseIndices(array, "mxGetJc", true);
}

// A sparse array's first stored value; an unstored one is 0.
double mxGetScalar(const mxArray *array) {
  if (!present(array, "mxGetScalar")) {
    return 0.0;
  }
  if (testhost::elementSize(array->classId) == 0) {
    recordFault("mxGetScalar of a structure or cell");
    return 0.0;
  }
  if (array->isSparse) {
    return array->jc[array->n] > 0 ? testhost::elementAsDouble(array, 0) : 0.0;
  }
  if (array->m * array->n == 0) {
    recordFault("mxGetScalar of an empty array");
    return 0.0;
  }
  return testhost::elementAsDouble(array, 0);
}

// Copies at most length - 1 characters and a NUL; nonzero when the text did
// not fit or is not text at all.
int mxGetString(const mxArray *array, char *buffer, mwSize length) {
  if (length > 0 && buffer == nullptr) {
    recordFault("mxGetString into a null buffer");
    return 1;
  }
  if (!present(array, "mxGetString") || array->classId != mxCHAR_CLASS) {
    if (length > 0) {
      buffer[0] = '\0';
    }
    return 1;
  }
  if (length == 0) {
    return 1;
  }
  size_t count = array->m * array->n;
  size_t copied = count < length ? count : length - 1;
  const mxChar *chars = static_cast<const mxChar *>(array->data.get());
  for (size_t k = 0; k < copied; ++k) {
    buffer[k] = char(chars[k] & 0xFF);
  }
  buffer[copied] = '\0';
  return copied < count ? 1 : 0;
}
}
