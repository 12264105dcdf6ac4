#include <string>
#include <vector>

#include "array_record.h"
#include "host_state.h"

using testhost::present;
using testhost::recordFault;

namespace {

bool isStruct(const mxArray *array, const char *function) {
  if (!present(array, function)) {
    return false;
  }
  if (array->classId != mxSTRUCT_CLASS) {
    recordFault(std::string(function) + " of a non-structure");
    return false;
  }
  return true;
}

int fieldNumber(const mxArray *array, const char *name) {
  if (name == nullptr) {
    return -1;
  }
  for (size_t f = 0; f < array->fieldNames.size(); ++f) {
    if (array->fieldNames[f] == name) {
      return int(f);
    }
  }
  return -1;
}

// The slot of (element, field), or null and a fault when either is out of
// range.
testhost::Array *fieldSlot(const mxArray *array, mwIndex element, int field,
                           const char *function) {
  if (!isStruct(array, function)) {
    return nullptr;
  }
  size_t fields = array->fieldNames.size();
  if (element >= array->m * array->n || field < 0 || size_t(field) >= fields) {
    recordFault(std::string(function) + " out of range");
    return nullptr;
  }
  mxArray *writable = const_cast<mxArray *>(array);
  return &writable->children[element * fields + size_t(field)];
}

testhost::Array *cellSlot(const mxArray *array, mwIndex index,
                          const char *function) {
  if (!present(array, function)) {
    return nullptr;
  }
  if (array->classId != mxCELL_CLASS) {
    recordFault(std::string(function) + " of a non-cell");
    return nullptr;
  }
  if (index >= array->m * array->n) {
    recordFault(std::string(function) + " out of range");
    return nullptr;
  }
  return &const_cast<mxArray *>(array)->children[index];
}

// Setting a slot destroys what it held, unless it is handed the same array.
void replace(testhost::Array *slot, mxArray *value) {
  if (slot->get() != value) {
    slot->reset(value);
  }
}

}  // namespace

extern "C" {

mxArray *mxCreateStructArray(mwSize ndim, const mwSize *dims, int nfields,
                             const char **fieldnames) {
  std::vector<std::string> names;
  for (int f = 0; f < nfields; ++f) {
    const char *name = fieldnames != nullptr ? fieldnames[f] : nullptr;
    if (name == nullptr) {
      recordFault("mxCreateStructArray with a null field name");
      return nullptr;
    }
    for (const std::string &earlier : names) {
      if (earlier == name) {
        recordFault("mxCreateStructArray with a repeated field name");
        return nullptr;
      }
    }
    names.emplace_back(name);
  }
  size_t m = 0;
  size_t n = 0;
  testhost::shapeOf(ndim, dims, &m, &n);
  return testhost::newContainer(mxSTRUCT_CLASS, m, n, std::move(names));
}

int mxGetNumberOfFields(const mxArray *array) {
  return isStruct(array, "mxGetNumberOfFields") ? int(array->fieldNames.size())
                                                : 0;
}

const char *mxGetFieldNameByNumber(const mxArray *array, int field) {
  if (!isStruct(array, "mxGetFieldNameByNumber")) {
    return nullptr;
  }
  if (field < 0 || size_t(field) >= array->fieldNames.size()) {
    recordFault("mxGetFieldNameByNumber out of range");
    return nullptr;
  }
  return array->fieldNames[size_t(field)].c_str();
}

int mxGetFieldNumber(const mxArray *array, const char *name) {
  return isStruct(array, "mxGetFieldNumber") ? fieldNumber(array, name) : -1;
}

mxArray *mxGetFieldByNumber(const mxArray *array, mwIndex element, int field) {
  testhost::Array *slot =
      fieldSlot(array, element, field, "mxGetFieldByNumber");
  return slot != nullptr ? slot->get() : nullptr;
}

// An unknown name is an ordinary "no such field", not a misuse.
mxArray *mxGetField(const mxArray *array, mwIndex element, const char *name) {
  if (!isStruct(array, "mxGetField")) {
    return nullptr;
  }
  int field = fieldNumber(array, name);
  if (field < 0) {
    return nullptr;
  }
  testhost::Array *slot = fieldSlot(array, element, field, "mxGetField");
  return slot != nullptr ? slot->get() : nullptr;
}

void mxSetFieldByNumber(mxArray *array, mwIndex element, int field,
                        mxArray *value) {
  testhost::Array *slot =
      fieldSlot(array, element, field, "mxSetFieldByNumber");
  if (slot != nullptr) {
    replace(slot, value);
  }
}

void mxSetField(mxArray *array, mwIndex element, const char *name,
                mxArray *value) {
  if (!isStruct(array, "mxSetField")) {
    return;
  }
  int field = fieldNumber(array, name);
  if (field < 0) {
    recordFault("mxSetField of an unknown field");
    return;
  }
  testhost::Array *slot = fieldSlot(array, element, field, "mxSetField");
  if (slot != nullptr) {
    replace(slot, value);
  }
}

mxArray *mxCreateCellArray(mwSize ndim, const mwSize *dims) {
  size_t m = 0;
  size_t n = 0;
  testhost::shapeOf(ndim, dims, &m, &n);
  return testhost::newContainer(mxCELL_CLASS, m, n, {});
}

mxArray *mxCreateCellMatrix(mwSize m, mwSize n) {
  return testhost::newContainer(mxCELL_CLASS, m, n, {});
}

mxArray *mxGetCell(const mxArray *array, mwIndex index) {
  testhost::Array *slot = cellSlot(array, index, "mxGetCell");
  return slot != nullptr ? slot->get() : nullptr;
}

void mxSetCell(mxArray *array, mwIndex index, mxArray *value) {
  testhost::Array *slot = cellSlot(array, index, "mxSetCell");
  if (slot != nullptr) {
    replace(slot, value);
  }
}
}
