#include "seed_writer.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

#include "fuzz_format.h"

using namespace fuzzformat;

namespace seed {

namespace {

void append(Bytes &out, const Bytes &more) {
  out.insert(out.end(), more.begin(), more.end());
}

uint8_t bounded(size_t value, size_t limit) {
  if (value >= limit) {
    throw std::length_error("seed value beyond the decoder's limits");
  }
  return uint8_t(value);
}

void putNumber(Bytes &out, double value) {
  for (size_t k = 0; k < numberPaletteSize; ++k) {
    if (numberPalette[k] == value &&
        std::signbit(numberPalette[k]) == std::signbit(value)) {
      out.push_back(uint8_t(k));
      return;
    }
  }
  out.push_back(rawNumber);
  uint8_t raw[sizeof(double)];
  std::memcpy(raw, &value, sizeof value);
  out.insert(out.end(), raw, raw + sizeof raw);
}

uint8_t nameIndex(const char *const *table, size_t size,
                  const std::string &name) {
  for (size_t k = 0; k < size; ++k) {
    if (name == table[k]) {
      return uint8_t(k);
    }
  }
  throw std::invalid_argument("unknown seed field name " + name);
}

uint8_t paramIndex(const std::string &name) {
  for (size_t k = 0; k < paramNamesSize(); ++k) {
    if (name == paramName(uint8_t(k))) {
      return uint8_t(k);
    }
  }
  throw std::invalid_argument("unknown seed parameter " + name);
}

}  // namespace

Bytes scalar(double value) {
  Bytes out{classScalar};
  putNumber(out, value);
  return out;
}

Bytes dense(uint8_t rows, uint8_t cols, std::vector<double> columnMajor) {
  Bytes out{classDense, bounded(rows, maxDimension),
            bounded(cols, maxDimension)};
  for (double value : columnMajor) {
    putNumber(out, value);
  }
  return out;
}

Bytes row(std::vector<double> values) {
  return dense(1, uint8_t(values.size()), values);
}

Bytes sparse(uint8_t rows, uint8_t cols, std::vector<Entry> entries) {
  Bytes out{classSparse, bounded(rows, maxDimension),
            bounded(cols, maxDimension),
            bounded(entries.size(), maxSparseEntries)};
  for (const Entry &entry : entries) {
    out.push_back(entry.row);
    out.push_back(entry.col);
    putNumber(out, entry.value);
  }
  out.push_back(0);  // no spare capacity
  return out;
}

Bytes text(const std::string &value) {
  Bytes out{classChar, bounded(value.size(), maxTextLength), 1};
  for (char c : value) {
    out.push_back(uint8_t(c) & 0x7F);
  }
  return out;
}

Bytes cell(std::vector<Bytes> values) {
  Bytes out{classCell, bounded(values.size(), maxCellLength + 1)};
  for (const Bytes &value : values) {
    append(out, value);
  }
  return out;
}

Bytes structArray(std::vector<std::string> names,
                  std::vector<std::vector<Bytes>> elements) {
  Bytes out{classStructArray, bounded(elements.size(), maxStructElements),
            bounded(names.size(), maxStructFields)};
  for (const std::string &name : names) {
    out.push_back(nameIndex(elementNames, elementNamesSize, name));
  }
  for (const std::vector<Bytes> &element : elements) {
    for (size_t f = 0; f < names.size(); ++f) {
      bool set = f < element.size() && !element[f].empty();
      out.push_back(set ? 1 : 0);
      if (set) {
        append(out, element[f]);
      }
    }
  }
  return out;
}

Bytes input(uint8_t statusIndex, uint8_t flags, const Fields &model,
            const Fields &params) {
  Bytes out{statusIndex, flags, 0, 0};
  out.push_back(bounded(model.size(), maxModelFields));
  for (const auto &field : model) {
    out.push_back(nameIndex(modelNames, modelNamesSize, field.first));
    append(out, field.second);
  }
  if (flags & flagParams) {
    out.push_back(bounded(params.size(), maxParamFields));
    for (const auto &field : params) {
      out.push_back(paramIndex(field.first));
      append(out, field.second);
    }
  }
  return out;
}

}  // namespace seed
