#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "array_record.h"
#include "testhost.h"

namespace testhost {

namespace {

mxArray *denseDoubles(size_t m, size_t n,
                      std::initializer_list<double> values) {
  mxArray *array = mxCreateDoubleMatrix(m, n, mxREAL);
  std::copy(values.begin(), values.end(), mxGetDoubles(array));
  return array;
}

void requireDistinct(const std::vector<std::string> &names) {
  for (size_t f = 0; f < names.size(); ++f) {
    for (size_t g = f + 1; g < names.size(); ++g) {
      if (names[f] == names[g]) {
        throw std::invalid_argument("repeated field name " + names[f]);
      }
    }
  }
}

mxArray *newStructure(size_t n, const std::vector<std::string> &names) {
  requireDistinct(names);
  std::vector<const char *> pointers;
  for (const std::string &name : names) {
    pointers.push_back(name.c_str());
  }
  mwSize dims[2] = {1, n};
  return mxCreateStructArray(2, dims, int(pointers.size()), pointers.data());
}

// Stores entries column by column, rows ascending, as the host keeps them.
mxArray *sparseOf(mxClassID classId, bool isComplex, size_t rows, size_t cols,
                  std::vector<Entry> entries, size_t nzmax) {
  for (const Entry &entry : entries) {
    if (entry.row >= rows || entry.col >= cols) {
      throw std::invalid_argument("sparse entry outside the matrix");
    }
  }
  std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
    return a.col != b.col ? a.col < b.col : a.row < b.row;
  });
  for (size_t k = 1; k < entries.size(); ++k) {
    if (entries[k].col == entries[k - 1].col &&
        entries[k].row == entries[k - 1].row) {
      throw std::invalid_argument("repeated sparse entry");
    }
  }
  if (nzmax != 0 && nzmax < entries.size()) {
    throw std::invalid_argument("nzmax below the number of entries");
  }
  mxArray *array = newSparse(classId, rows, cols,
                             std::max(nzmax, entries.size()), isComplex);
  for (size_t k = 0; k < entries.size(); ++k) {
    array->ir[k] = entries[k].row;
    ++array->jc[entries[k].col + 1];
    if (classId == mxLOGICAL_CLASS) {
      static_cast<mxLogical *>(array->data.get())[k] = entries[k].value != 0;
    } else {
      size_t slot = isComplex ? 2 * k : k;
      static_cast<double *>(array->data.get())[slot] = entries[k].value;
    }
  }
  for (size_t j = 0; j < cols; ++j) {
    array->jc[j + 1] += array->jc[j];
  }
  return array;
}

}  // namespace

mxArray *scalar(double value) { return mxCreateDoubleScalar(value); }

mxArray *row(std::initializer_list<double> values) {
  return denseDoubles(1, values.size(), values);
}

mxArray *column(std::initializer_list<double> values) {
  return denseDoubles(values.size(), 1, values);
}

mxArray *matrix(size_t rows, size_t cols,
                std::initializer_list<double> columnMajor) {
  if (columnMajor.size() != rows * cols) {
    throw std::invalid_argument("matrix values do not match its size");
  }
  return denseDoubles(rows, cols, columnMajor);
}

mxArray *emptyDouble() { return mxCreateDoubleMatrix(0, 0, mxREAL); }

mxArray *complexRow(std::initializer_list<double> real,
                    std::initializer_list<double> imag) {
  if (real.size() != imag.size()) {
    throw std::invalid_argument("real and imaginary parts differ in length");
  }
  mxArray *array = mxCreateDoubleMatrix(1, real.size(), mxCOMPLEX);
  double *pairs = static_cast<double *>(array->data.get());
  size_t k = 0;
  for (auto re = real.begin(), im = imag.begin(); re != real.end();
       ++re, ++im, ++k) {
    pairs[2 * k] = *re;
    pairs[2 * k + 1] = *im;
  }
  return array;
}

mxArray *text(const std::string &value) {
  mwSize dims[2] = {1, value.size()};
  mxArray *array = mxCreateCharArray(2, dims);
  mxChar *chars = mxGetChars(array);
  for (size_t k = 0; k < value.size(); ++k) {
    chars[k] = mxChar(static_cast<unsigned char>(value[k]));
  }
  return array;
}

mxArray *logicalScalar(bool value) { return mxCreateLogicalScalar(value); }

mxArray *int32Scalar(int32_t value) {
  mxArray *array = mxCreateNumericMatrix(1, 1, mxINT32_CLASS, mxREAL);
  *static_cast<int32_t *>(array->data.get()) = value;
  return array;
}

mxArray *sparse(size_t rows, size_t cols, std::vector<Entry> entries,
                size_t nzmax) {
  return sparseOf(mxDOUBLE_CLASS, false, rows, cols, std::move(entries), nzmax);
}

mxArray *sparseLogical(size_t rows, size_t cols, std::vector<Entry> entries) {
  return sparseOf(mxLOGICAL_CLASS, false, rows, cols, std::move(entries), 0);
}

// The entries give the real parts; the imaginary parts are 0.
mxArray *sparseComplex(size_t rows, size_t cols, std::vector<Entry> entries) {
  return sparseOf(mxDOUBLE_CLASS, true, rows, cols, std::move(entries), 0);
}

mxArray *cell(std::vector<mxArray *> values) {
  mxArray *array = mxCreateCellMatrix(1, values.size());
  for (size_t k = 0; k < values.size(); ++k) {
    mxSetCell(array, k, values[k]);
  }
  return array;
}

mxArray *structure(std::vector<std::pair<std::string, mxArray *>> fields) {
  std::vector<std::string> names;
  for (const auto &field : fields) {
    names.push_back(field.first);
  }
  mxArray *array = nullptr;
  try {
    array = newStructure(1, names);
  } catch (const std::invalid_argument &) {
    for (const auto &field : fields) {
      mxDestroyArray(field.second);
    }
    throw;
  }
  for (size_t f = 0; f < fields.size(); ++f) {
    mxSetFieldByNumber(array, 0, int(f), fields[f].second);
  }
  return array;
}

mxArray *structArray(size_t n, std::vector<std::string> fieldNames) {
  return newStructure(n, fieldNames);
}

mxArray *structArray(std::vector<Fields> elements) {
  std::vector<std::string> names;
  for (const Fields &element : elements) {
    for (const auto &field : element) {
      if (std::find(names.begin(), names.end(), field.first) == names.end()) {
        names.push_back(field.first);
      }
    }
  }
  mxArray *array = newStructure(elements.size(), names);
  for (size_t e = 0; e < elements.size(); ++e) {
    for (const auto &[name, value] : elements[e]) {
      setField(array, e, name, value);
    }
  }
  return array;
}

void setField(mxArray *structure, size_t element, const std::string &name,
              mxArray *value) {
  if (structure == nullptr || !mxIsStruct(structure) ||
      element >= mxGetNumberOfElements(structure) ||
      mxGetFieldNumber(structure, name.c_str()) < 0) {
    mxDestroyArray(value);
    throw std::invalid_argument("no field " + name + " in that element");
  }
  mxSetField(structure, element, name.c_str(), value);
}

}  // namespace testhost
