#include "gateway/korva_error.h"
#include "model/field_read.h"
#include "model/model_arguments.h"

void getA(ModelArguments *arguments, const mxArray *value) {
  if (!mxIsSparse(value)) {
    korvaError("A", "It should be sparse.");
  }
  SparseView view = viewSparse("A", value);
  matlabSparse2csc(view.nzmax, view.numRows, view.numCols, view.jc, view.ir,
                   view.vals, &arguments->A);
  releaseSparseView(&view);
}

void getQ(ModelArguments *arguments, const mxArray *value) {
  if (!mxIsSparse(value)) {
    korvaError("Q", "It should be sparse.");
  }
  if (mxGetM(value) != mxGetN(value)) {
    korvaError("Q", "It should be square!");
  }
  SparseView view = viewSparse("Q", value);
  matlabSparse2coo(view.nzmax, view.numCols, view.numCols, view.jc, view.ir,
                   view.vals, &arguments->Q);
  releaseSparseView(&view);
}
