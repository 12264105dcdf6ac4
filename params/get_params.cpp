#include <cmath>
#include <cstring>

#include "gateway/korva_error.h"
#include "model/field_read.h"
#include "params/params.h"

namespace {

// Host field names have at most 63 characters. A longer one is cut, and the
// cut name is still longer than every table entry, so it matches none.
constexpr size_t paramNameSize = 64;

// Returns the table position of `name`, or -1.
int32_t findName(const char *name, const char *const *table, int32_t size) {
  for (int32_t p = 0; p < size; ++p) {
    if (std::strcmp(name, table[p]) == 0) {
      return p;
    }
  }
  return -1;
}

// "_" stands for "/" in the field names. Returns false for a name that already
// holds "/" (a host may allow it): it would alias the name its "_" form maps to
// and fill one table position twice, past the record's capacity.
bool copyParamName(const char *fieldName, char *name) {
  bool hadSlash = false;
  size_t k = 0;
  for (; k + 1 < paramNameSize && fieldName[k] != '\0'; ++k) {
    hadSlash = hadSlash || fieldName[k] == '/';
    name[k] = fieldName[k] == '_' ? '/' : fieldName[k];
  }
  name[k] = '\0';
  return !hadSlash;
}

bool isDouble(const mxArray *value) {
  return value != nullptr && mxIsDouble(value);
}

// The value's first element is taken, so an empty value has none to give.
void checkDoubleValue(const char *name, const mxArray *value) {
  if (!isDouble(value)) {
    korvaError(name, "It should be double.");
  }
  if (mxIsEmpty(value)) {
    korvaError(name, "It should be scalar.");
  }
}

// NaN and values outside the 32-bit range have no integer to stand for.
int32_t readIntParam(const char *name, const mxArray *value) {
  checkDoubleValue(name, value);
  double truncated = std::trunc(realScalar(name, value));
  if (!(truncated >= double(INT32_MIN) && truncated <= double(INT32_MAX))) {
    korvaError(name, "It should be an integer.");
  }
  return int32_t(truncated);
}

double readDblParam(const char *name, const mxArray *value) {
  checkDoubleValue(name, value);
  return realScalar(name, value);
}

void readParam(Params *params, const char *name, const mxArray *value) {
  int32_t p = findName(name, paramsInt, numParamsInt);
  if (p >= 0) {
    int32_t intValue = readIntParam(paramsInt[p], value);
    params->intParamIndices[params->numIntParams] = p;
    params->intParamValues[params->numIntParams] = intValue;
    ++params->numIntParams;
    return;
  }
  p = findName(name, paramsDouble, numParamsDouble);
  if (p >= 0) {
    double dblValue = readDblParam(paramsDouble[p], value);
    params->dblParamIndices[params->numDblParams] = p;
    params->dblParamValues[params->numDblParams] = dblValue;
    ++params->numDblParams;
    return;
  }
  p = findName(name, paramsString, numParamsString);
  if (p >= 0) {
    if (value == nullptr || !mxIsChar(value)) {
      korvaError(paramsString[p], "It should be char array.");
    }
    // The text belongs to the record from the moment it exists.
    params->strParamIndices[params->numStrParams] = p;
    params->strParamValues[params->numStrParams] = copyWholeString(value);
    ++params->numStrParams;
    return;
  }
  korvaError(name, "Invalid parameter.");
}

}  // namespace

// Only element 0 is read; a structure without elements sets nothing.
bool getParams(Params *params, const mxArray *structure) {
  if (!mxIsStruct(structure)) {
    korvaError("params", "It should be struct!");
  }
  if (mxGetNumberOfElements(structure) == 0) {
    return true;
  }
  int numFields = mxGetNumberOfFields(structure);
  for (int i = 0; i < numFields; ++i) {
    char name[paramNameSize];
    if (!copyParamName(mxGetFieldNameByNumber(structure, i), name)) {
      korvaError(name, "Invalid parameter.");
    }
    readParam(params, name, mxGetFieldByNumber(structure, 0, i));
  }
  return true;
}
