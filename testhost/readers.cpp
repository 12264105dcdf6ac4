#include <stdexcept>
#include <string>
#include <vector>

#include "array_record.h"
#include "testhost.h"

namespace testhost {

namespace {

void requireStructure(const mxArray *value) {
  if (value == nullptr || value->classId != mxSTRUCT_CLASS) {
    throw std::invalid_argument("not a structure");
  }
}

}  // namespace

std::string stringOf(const mxArray *value) {
  if (value == nullptr || value->classId != mxCHAR_CLASS) {
    throw std::invalid_argument("not a char array");
  }
  const mxChar *chars = static_cast<const mxChar *>(value->data.get());
  std::string result;
  for (size_t k = 0; k < value->m * value->n; ++k) {
    result.push_back(char(chars[k] & 0xFF));
  }
  return result;
}

// Sparse arrays come back dense, in column order.
std::vector<double> doublesOf(const mxArray *value) {
  if (value == nullptr || elementSize(value->classId) == 0 ||
      value->isComplex) {
    throw std::invalid_argument("not a real numeric array");
  }
  if (!value->isSparse) {
    std::vector<double> result(value->m * value->n);
    for (size_t k = 0; k < result.size(); ++k) {
      result[k] = elementAsDouble(value, k);
    }
    return result;
  }
  std::vector<double> result(value->m * value->n, 0.0);
  for (size_t j = 0; j < value->n; ++j) {
    for (mwIndex p = value->jc[j]; p < value->jc[j + 1]; ++p) {
      result[j * value->m + value->ir[p]] = elementAsDouble(value, p);
    }
  }
  return result;
}

std::vector<std::string> fieldNamesOf(const mxArray *structure) {
  requireStructure(structure);
  return structure->fieldNames;
}

// The value in the first element; null when the structure has no such field
// or the field holds no value there.
const mxArray *fieldOf(const mxArray *structure, const std::string &name) {
  requireStructure(structure);
  if (structure->m * structure->n == 0) {
    throw std::invalid_argument("structure without elements");
  }
  for (size_t f = 0; f < structure->fieldNames.size(); ++f) {
    if (structure->fieldNames[f] == name) {
      return structure->children[f].get();
    }
  }
  return nullptr;
}

}  // namespace testhost
