// model = read_mps(file): reads a free or fixed MPS file, gzip'd or not,
// into a korva_mex model structure.
//
// Rows come back with "lhsorsense" as senses ('<', '>', '=') and "rhs",
// unless some row has two finite, different sides; then "lhsorsense" is the
// numeric vector of lower sides and "rhs" the upper sides of every row.
// Absent sides and bounds are +-1e20, the value the module reads as
// unbounded. An objective row's right-hand side r means the constant -r.
#include <coin/CoinMpsIO.hpp>
#include <coin/CoinPackedMatrix.hpp>

#include <string>

#include "mex.h"

namespace {

constexpr double unbounded = 1e20;

const char *fieldNames[] = {"modelname", "A",          "obj",        "objcon",
                            "rhs",       "lhsorsense", "lb",         "ub",
                            "vtype",     "varnames",   "constrnames"};

double clampSide(double value) {
  if (value >= unbounded) {
    return unbounded;
  }
  return value <= -unbounded ? -unbounded : value;
}

mxArray *column(const double *values, int count) {
  mxArray *out = mxCreateDoubleMatrix(count, 1, mxREAL);
  double *target = mxGetDoubles(out);
  for (int i = 0; i < count; ++i) {
    target[i] = clampSide(values[i]);
  }
  return out;
}

// The file's entry order is kept by the reader; a host sparse array needs
// ascending rows within each column.
mxArray *sparseMatrix(const CoinPackedMatrix &matrix) {
  CoinPackedMatrix byCol(matrix);
  byCol.orderMatrix();
  const int numRows = byCol.getNumRows();
  const int numCols = byCol.getNumCols();
  const CoinBigIndex *starts = byCol.getVectorStarts();
  const int *lengths = byCol.getVectorLengths();
  const int *rows = byCol.getIndices();
  const double *values = byCol.getElements();
  const mwSize nnz = mwSize(byCol.getNumElements());
  mxArray *out = mxCreateSparse(numRows, numCols, nnz > 0 ? nnz : 1, mxREAL);
  mwIndex *jc = mxGetJc(out);
  mwIndex *ir = mxGetIr(out);
  double *pr = mxGetDoubles(out);
  mwIndex next = 0;
  for (int j = 0; j < numCols; ++j) {
    jc[j] = next;
    for (CoinBigIndex k = starts[j]; k < starts[j] + lengths[j]; ++k) {
      ir[next] = mwIndex(rows[k]);
      pr[next] = values[k];
      ++next;
    }
  }
  jc[numCols] = next;
  return out;
}

bool hasRangedRow(const double *lower, const double *upper, int count) {
  for (int i = 0; i < count; ++i) {
    if (lower[i] > -unbounded && upper[i] < unbounded && lower[i] != upper[i]) {
      return true;
    }
  }
  return false;
}

char senseOf(double lower, double upper) {
  if (lower == upper) {
    return '=';
  }
  return lower > -unbounded && upper >= unbounded ? '>' : '<';
}

// Sense rows keep one side: the upper one for '<' (also free rows, whose
// side is then 1e20) and the lower one otherwise.
void setRows(mxArray *model, const CoinMpsIO &mps) {
  const int numRows = mps.getNumRows();
  const double *lower = mps.getRowLower();
  const double *upper = mps.getRowUpper();
  if (hasRangedRow(lower, upper, numRows)) {
    mxSetField(model, 0, "lhsorsense", column(lower, numRows));
    mxSetField(model, 0, "rhs", column(upper, numRows));
    return;
  }
  std::string senses(numRows, '<');
  mxArray *rhs = mxCreateDoubleMatrix(numRows, 1, mxREAL);
  double *side = mxGetDoubles(rhs);
  for (int i = 0; i < numRows; ++i) {
    const double low = clampSide(lower[i]);
    const double up = clampSide(upper[i]);
    senses[i] = senseOf(low, up);
    side[i] = senses[i] == '>' ? low : up;
  }
  mxSetField(model, 0, "lhsorsense", mxCreateString(senses.c_str()));
  mxSetField(model, 0, "rhs", rhs);
}

mxArray *nameList(const CoinMpsIO &mps, int count, bool rows) {
  mxArray *out = mxCreateCellMatrix(count, 1);
  for (int i = 0; i < count; ++i) {
    mxSetCell(out, i,
              mxCreateString(rows ? mps.rowName(i) : mps.columnName(i)));
  }
  return out;
}

mxArray *types(const CoinMpsIO &mps) {
  std::string vtype(mps.getNumCols(), 'C');
  for (int j = 0; j < mps.getNumCols(); ++j) {
    if (mps.isInteger(j)) {
      vtype[j] = 'I';
    }
  }
  return mxCreateString(vtype.c_str());
}

mxArray *modelOf(const CoinMpsIO &mps) {
  const int numCols = mps.getNumCols();
  const int numRows = mps.getNumRows();
  mxArray *model = mxCreateStructMatrix(
      1, 1, sizeof fieldNames / sizeof fieldNames[0], fieldNames);
  mxSetField(model, 0, "modelname", mxCreateString(mps.getProblemName()));
  mxSetField(model, 0, "A", sparseMatrix(*mps.getMatrixByCol()));
  mxSetField(model, 0, "obj", column(mps.getObjCoefficients(), numCols));
  mxSetField(model, 0, "objcon",
             mxCreateDoubleScalar(0.0 - mps.objectiveOffset()));
  setRows(model, mps);
  mxSetField(model, 0, "lb", column(mps.getColLower(), numCols));
  mxSetField(model, 0, "ub", column(mps.getColUpper(), numCols));
  mxSetField(model, 0, "vtype", types(mps));
  mxSetField(model, 0, "varnames", nameList(mps, numCols, false));
  mxSetField(model, 0, "constrnames", nameList(mps, numRows, true));
  return model;
}

}  // namespace

void mexFunction(int nlhs, mxArray *plhs[], int nrhs, const mxArray *prhs[]) {
  if (nrhs != 1 || !mxIsChar(prhs[0]) || nlhs > 1) {
    mexErrMsgIdAndTxt("read_mps:usage", "Usage: model = read_mps(file)");
  }
  char *file = mxArrayToString(prhs[0]);
  CoinMpsIO mps;
  mps.messageHandler()->setLogLevel(0);
  mps.setInfinity(unbounded);
  // An empty extension reads the name as given; a gzip'd file is recognised
  // by its contents.
  const int errors = mps.readMps(file, "");
  mxFree(file);
  if (errors != 0) {
    mexErrMsgIdAndTxt("read_mps:file", "Could not read the MPS file.");
  }
  plhs[0] = modelOf(mps);
}
