#include "result/create_return_mx_array.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "sparse/sparse_matrix.h"

namespace {

// Positions in resultFieldNames, which is also the structure's field order.
enum ResultField {
  statusField,
  xField,
  rcField,
  objValField,
  solverTimeField,
  presolverTimeField,
  solutionTimeField,
  mipGapAbsField,
  mipGapRelField,
  ipmNumItersField,
  spxNumItersField,
  psdXField,
  numResultFields
};

// Each name is its attribute's name with "/" written as "_". Not const
// because the host's structure creation takes the names as const char **.
const char *resultFieldNames[numResultFields] = {
    "Status",       "X",
    "RC",           "ObjVal",
    "SolverTime",   "PresolverTime",
    "SolutionTime", "MIP_GapAbs",
    "MIP_GapRel",   "IPM_NumIters",
    "SPX_NumIters", "PsdX"};

// Indexed by the status value; other statuses have no name.
const char *const statusNames[] = {"UNKNOWN",   "OPTIMAL",    "INFEASIBLE",
                                   "UNBOUNDED", "INF_OR_UBD", "SUB_OPTIMAL"};
constexpr int numStatusNames = sizeof statusNames / sizeof statusNames[0];

struct AttributeField {
  const char *attribute;
  ResultField field;
};

const AttributeField vectorAttributes[] = {{"X", xField}, {"RC", rcField}};

const AttributeField doubleAttributes[] = {
    {"ObjVal", objValField},
    {"SolverTime", solverTimeField},
    {"PresolverTime", presolverTimeField},
    {"SolutionTime", solutionTimeField},
    {"MIP/GapAbs", mipGapAbsField},
    {"MIP/GapRel", mipGapRelField}};

const AttributeField countAttributes[] = {{"IPM/NumIters", ipmNumItersField},
                                          {"SPX/NumIters", spxNumItersField}};

constexpr double notAvailable = std::numeric_limits<double>::quiet_NaN();

void setResultField(mxArray *result, ResultField field, mxArray *value) {
  mxSetFieldByNumber(result, 0, field, value);
}

// A size the library cannot report counts as nothing to return.
int readCount(KVAmodel model, const char *attribute) {
  int count = 0;
  if (KVAgetintattr(model, attribute, &count) != KVA_OK || count < 0) {
    return 0;
  }
  return count;
}

void setVector(mxArray *result, KVAmodel model, const AttributeField &entry,
               int n) {
  mxArray *vector = mxCreateDoubleMatrix(static_cast<mwSize>(n), 1, mxREAL);
  double *values = mxGetDoubles(vector);
  // The library writes into the result itself; whatever it wrote before
  // failing is overwritten.
  if (KVAgetdblattrarray(model, entry.attribute, 0, n, values) != KVA_OK) {
    std::fill(values, values + n, notAvailable);
  }
  setResultField(result, entry.field, vector);
}

void setDouble(mxArray *result, KVAmodel model, const AttributeField &entry) {
  double read = 0;
  const double value = KVAgetdblattr(model, entry.attribute, &read) == KVA_OK
                           ? read
                           : notAvailable;
  setResultField(result, entry.field, mxCreateDoubleScalar(value));
}

void setIntegerCount(mxArray *result, KVAmodel model,
                     const AttributeField &entry) {
  int count = 0;
  const double value = KVAgetintattr(model, entry.attribute, &count) == KVA_OK
                           ? static_cast<double>(count)
                           : notAvailable;
  setResultField(result, entry.field, mxCreateDoubleScalar(value));
}

mxArray *zeroSparse(int numRows, int numCols) {
  return mxCreateSparse(static_cast<mwSize>(numRows),
                        static_cast<mwSize>(numCols), 0, mxREAL);
}

// coo2MatlabSparse counts the entries of each row in an array one column
// count long, so only square sizes are usable; entries need columns for their
// flat indices to be split by.
bool usableSizes(int numEntries, int numRows, int numCols) {
  return numEntries >= 0 && numRows >= 0 && numRows == numCols &&
         (numEntries == 0 || numCols > 0);
}

// Splits each flat index r * numCols + c into its row and column, in place
// of the index and in colIdx. An index outside the matrix makes the entries
// unreadable, for the same reason as above.
bool splitFlatIndices(CooMatrix *value) {
  const int64_t size = int64_t{value->numRows} * value->numCols;
  for (int32_t k = 0; k < value->nnz; ++k) {
    const int32_t flat = value->rowIdx[k];
    if (flat < 0 || flat >= size) {
      return false;
    }
    value->colIdx[k] = flat % value->numCols;
    value->rowIdx[k] = flat / value->numCols;
  }
  return true;
}

// Entries out of order are sorted as triplets; the record takes over the
// flat indices, and the values are copied out of the array, which goes.
mxArray *assembleUnsorted(int32_t numEntries, int32_t side, int32_t *flatIdx,
                          mxArray *array) {
  const size_t slots = static_cast<size_t>(numEntries);
  CooMatrix value = {numEntries,
                     side,
                     side,
                     flatIdx,
                     static_cast<int32_t *>(mxMalloc(sizeof(int32_t) * slots)),
                     static_cast<double *>(mxMalloc(sizeof(double) * slots))};
  std::copy(mxGetDoubles(array), mxGetDoubles(array) + slots, value.vals);
  mxDestroyArray(array);
  mxArray *matrix = splitFlatIndices(&value) ? coo2MatlabSparse(&value, "PSD")
                                             : zeroSparse(side, side);
  free_coo(&value);
  return matrix;
}

// Entries that are not in ascending order are read again, into an array
// of their own, and sorted; the library reports the same entries each time.
mxArray *readUnsorted(KVAmodel model, int element, int numEntries, int side,
                      mxArray *array) {
  int32_t *flatIdx = static_cast<int32_t *>(
      mxMalloc(sizeof(int32_t) * static_cast<size_t>(numEntries)));
  int reported[3] = {0, 0, 0};
  if (KVAgetmatattrelement(model, "PsdX", element, &reported[0], &reported[1],
                           &reported[2], flatIdx,
                           mxGetDoubles(array)) != KVA_OK) {
    mxDestroyArray(array);
    mxFree(flatIdx);
    return zeroSparse(side, side);
  }
  return assembleUnsorted(numEntries, side, flatIdx, array);
}

// The sizes are asked for first, then the entries, whose values and flat
// indices go straight into the host array. A value without usable sizes is
// a 0x0 matrix; one whose entries cannot be read is all zero. Entries come
// in ascending order from the library, which needs no sort.
mxArray *readPsdValue(KVAmodel model, int element) {
  int numEntries = 0;
  int numRows = 0;
  int numCols = 0;
  if (KVAgetmatattrelement(model, "PsdX", element, &numEntries, &numRows,
                           &numCols, nullptr, nullptr) != KVA_OK ||
      !usableSizes(numEntries, numRows, numCols)) {
    return zeroSparse(0, 0);
  }
  if (numEntries == 0) {
    return zeroSparse(numRows, numCols);
  }
  mxArray *matrix =
      mxCreateSparse(static_cast<mwSize>(numRows), static_cast<mwSize>(numCols),
                     static_cast<mwSize>(numEntries), mxREAL);
  int reported[3] = {0, 0, 0};
  if (KVAgetmatattrelement(model, "PsdX", element, &reported[0], &reported[1],
                           &reported[2], flatIndexRoom(matrix),
                           mxGetDoubles(matrix)) != KVA_OK) {
    mxDestroyArray(matrix);
    return zeroSparse(numRows, numCols);
  }
  if (!sortedFlat2MatlabSparse(numEntries, matrix)) {
    return readUnsorted(model, element, numEntries, numCols, matrix);
  }
  return matrix;
}

void setPsdValues(mxArray *result, KVAmodel model) {
  const int count = readCount(model, "NumPsdVars");
  const mwSize dims[] = {1, static_cast<mwSize>(count)};
  mxArray *cells = mxCreateCellArray(2, dims);
  for (int j = 0; j < count; ++j) {
    mxSetCell(cells, static_cast<mwIndex>(j), readPsdValue(model, j));
  }
  setResultField(result, psdXField, cells);
}

}  // namespace

// The structure goes into plhs[0] before any field is filled, so the host
// owns it from the start.
void createReturnMxArray(KVAmodel model, mxArray *plhs[]) {
  int status = -1;
  const bool statusRead = KVAgetintattr(model, "Status", &status) == KVA_OK;
  const mwSize dims[] = {1, 1};
  mxArray *result =
      mxCreateStructArray(2, dims, numResultFields, resultFieldNames);
  plhs[0] = result;
  if (statusRead && status >= 0 && status < numStatusNames) {
    setResultField(result, statusField, mxCreateString(statusNames[status]));
  }
  const int n = readCount(model, "NumVars");
  for (const AttributeField &entry : vectorAttributes) {
    setVector(result, model, entry, n);
  }
  for (const AttributeField &entry : doubleAttributes) {
    setDouble(result, model, entry);
  }
  for (const AttributeField &entry : countAttributes) {
    setIntegerCount(result, model, entry);
  }
  setPsdValues(result, model);
}
