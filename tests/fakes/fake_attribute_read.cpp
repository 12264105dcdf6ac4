// Attribute reads. Scripted values win over the model's own state; an
// attribute with neither gives an error code and leaves the output alone.
#include <algorithm>

#include "fake_render.h"
#include "fake_state.h"

using fake::record;
using fake::renderInt;
using fake::renderModel;
using fake::renderOut;
using fake::renderText;
using fake::state;
using fake::withModel;

namespace {

// The attributes the model's own state answers; false for any other.
bool stateAttr(KVAmodel model, const std::string &name, int *value) {
  if (name == "Status") {
    *value = model->status;
  } else if (name == "NumVars") {
    *value = model->numVars;
  } else if (name == "NumConss") {
    *value = model->numConss;
  } else if (name == "NumPsdVars") {
    *value = model->numPsdVars;
  } else {
    return false;
  }
  return true;
}

}  // namespace

extern "C" {

int KVAgetintattr(KVAmodel model, const char *name, int *value) {
  int code = record("KVAgetintattr",
                    {renderModel(model), renderText(name), renderOut(value)});
  if (code != KVA_OK) {
    return code;
  }
  if (name == nullptr || value == nullptr) {
    return KVA_ERROR_NULL_ARGUMENT;
  }
  return withModel(model, [name, value](KVAmodel m) {
    auto scripted = state().intAttrs.find(name);
    if (scripted != state().intAttrs.end()) {
      *value = scripted->second;
      return KVA_OK;
    }
    return stateAttr(m, name, value) ? KVA_OK : KVA_ERROR_DATA_NOT_AVAILABLE;
  });
}

int KVAgetdblattr(KVAmodel model, const char *name, double *value) {
  int code = record("KVAgetdblattr",
                    {renderModel(model), renderText(name), renderOut(value)});
  if (code != KVA_OK) {
    return code;
  }
  if (name == nullptr || value == nullptr) {
    return KVA_ERROR_NULL_ARGUMENT;
  }
  return withModel(model, [name, value](KVAmodel) {
    auto scripted = state().dblAttrs.find(name);
    if (scripted == state().dblAttrs.end()) {
      return KVA_ERROR_DATA_NOT_AVAILABLE;
    }
    *value = scripted->second;
    return KVA_OK;
  });
}

int KVAgetdblattrarray(KVAmodel model, const char *name, int first, int count,
                       double *values) {
  int code = record("KVAgetdblattrarray",
                    {renderModel(model), renderText(name), renderInt(first),
                     renderInt(count), renderOut(values)});
  if (code != KVA_OK) {
    return code;
  }
  if (name == nullptr || (values == nullptr && count > 0)) {
    return KVA_ERROR_NULL_ARGUMENT;
  }
  if (first < 0 || count < 0) {
    return KVA_ERROR_INVALID_ARGUMENT;
  }
  return withModel(model, [name, first, count, values](KVAmodel) {
    auto scripted = state().dblArrayAttrs.find(name);
    if (scripted == state().dblArrayAttrs.end()) {
      return KVA_ERROR_DATA_NOT_AVAILABLE;
    }
    const std::vector<double> &array = scripted->second;
    if (array.size() < static_cast<size_t>(first) + count) {
      return KVA_ERROR_INDEX_OUT_OF_RANGE;
    }
    std::copy_n(array.begin() + first, count, values);
    return KVA_OK;
  });
}

// Sizes always; entries only when both entry outputs are given.
int KVAgetmatattrelement(KVAmodel model, const char *name, int element,
                         int *numEntries, int *numRows, int *numCols,
                         int *flatIdx, double *vals) {
  int code = record("KVAgetmatattrelement",
                    {renderModel(model), renderText(name), renderInt(element),
                     renderOut(numEntries), renderOut(numRows),
                     renderOut(numCols), renderOut(flatIdx), renderOut(vals)});
  if (code != KVA_OK) {
    return code;
  }
  if (name == nullptr || numEntries == nullptr || numRows == nullptr ||
      numCols == nullptr) {
    return KVA_ERROR_NULL_ARGUMENT;
  }
  if (std::string(name) != "PsdX") {
    return KVA_ERROR_UNKNOWN_ATTRIBUTE;
  }
  return withModel(model, [=](KVAmodel) {
    const std::vector<fake::MatrixValue> &psdX = state().psdX;
    if (element < 0 || static_cast<size_t>(element) >= psdX.size()) {
      return KVA_ERROR_INDEX_OUT_OF_RANGE;
    }
    const fake::MatrixValue &value = psdX[element];
    *numEntries = static_cast<int>(value.flatIdx.size());
    *numRows = value.numRows;
    *numCols = value.numCols;
    if (flatIdx != nullptr && vals != nullptr) {
      std::copy(value.flatIdx.begin(), value.flatIdx.end(), flatIdx);
      std::copy_n(value.vals.begin(), value.flatIdx.size(), vals);
    }
    return KVA_OK;
  });
}

}  // extern "C"
