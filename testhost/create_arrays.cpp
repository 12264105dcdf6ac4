#include <cstring>
#include <string>

#include "array_record.h"
#include "host_state.h"

using testhost::newDense;
using testhost::newSparse;

extern "C" {

// Children go with their parent: the record's Array handles destroy them.
void mxDestroyArray(mxArray *array) { delete array; }

mxArray *mxCreateDoubleMatrix(mwSize m, mwSize n, mxComplexity complexity) {
  return newDense(mxDOUBLE_CLASS, m, n, complexity == mxCOMPLEX);
}

mxArray *mxCreateDoubleScalar(double value) {
  mxArray *array = newDense(mxDOUBLE_CLASS, 1, 1, false);
  *static_cast<double *>(array->data.get()) = value;
  return array;
}

mxArray *mxCreateNumericMatrix(mwSize m, mwSize n, mxClassID classid,
                               mxComplexity complexity) {
  if (testhost::elementSize(classid) == 0 || classid == mxCHAR_CLASS) {
    testhost::recordFault("mxCreateNumericMatrix of a non-numeric class");
    return nullptr;
  }
  return newDense(classid, m, n, complexity == mxCOMPLEX);
}

mxArray *mxCreateLogicalScalar(mxLogical value) {
  mxArray *array = newDense(mxLOGICAL_CLASS, 1, 1, false);
  *static_cast<mxLogical *>(array->data.get()) = value;
  return array;
}

mxArray *mxCreateCharArray(mwSize ndim, const mwSize *dims) {
  size_t m = 0;
  size_t n = 0;
  testhost::shapeOf(ndim, dims, &m, &n);
  return newDense(mxCHAR_CLASS, m, n, false);
}

mxArray *mxCreateString(const char *text) {
  if (text == nullptr) {
    testhost::recordFault("mxCreateString of a null text");
    text = "";
  }
  size_t length = std::strlen(text);
  mxArray *array = newDense(mxCHAR_CLASS, 1, length, false);
  mxChar *chars = static_cast<mxChar *>(array->data.get());
  for (size_t k = 0; k < length; ++k) {
    chars[k] = mxChar(static_cast<unsigned char>(text[k]));
  }
  return array;
}

mxArray *mxCreateSparse(mwSize m, mwSize n, mwSize nzmax,
                        mxComplexity complexity) {
  return newSparse(mxDOUBLE_CLASS, m, n, nzmax, complexity == mxCOMPLEX);
}

mxArray *mxCreateSparseLogicalMatrix(mwSize m, mwSize n, mwSize nzmax) {
  return newSparse(mxLOGICAL_CLASS, m, n, nzmax, false);
}
}
