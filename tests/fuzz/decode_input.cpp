#include "decode_input.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <utility>

#include "fuzz_format.h"

using namespace fuzzformat;

namespace {

struct Reader {
  const uint8_t *data;
  size_t size;
  size_t at = 0;
  const DecodeOptions &options;

  uint8_t byte() { return at < size ? data[at++] : 0; }
  size_t count(uint8_t limit) { return byte() % limit; }

  double number() {
    uint8_t b = byte();
    if (b == rawNumber) {
      uint8_t raw[sizeof(double)] = {};
      for (uint8_t &r : raw) {
        r = byte();
      }
      double value;
      std::memcpy(&value, raw, sizeof value);
      return value;
    }
    return numberPalette[b % numberPaletteSize];
  }

  char16_t character() {
    uint8_t b = byte();
    return b < 0x80 ? char16_t(b) : charPalette[b % charPaletteSize];
  }
};

mxArray *decodeValue(Reader &in, int depth);

mxArray *denseDouble(Reader &in, size_t m, size_t n) {
  mxArray *array = mxCreateDoubleMatrix(m, n, mxREAL);
  double *values = mxGetDoubles(array);
  for (size_t k = 0; k < m * n; ++k) {
    values[k] = in.number();
  }
  return array;
}

// Entries land in distinct positions; the builder orders them as the host
// stores them.
std::vector<testhost::Entry> sparseEntries(Reader &in, size_t m, size_t n) {
  std::vector<testhost::Entry> entries;
  std::set<std::pair<size_t, size_t>> taken;
  size_t wanted = in.count(maxSparseEntries);
  for (size_t k = 0; k < wanted && m > 0 && n > 0; ++k) {
    size_t row = in.byte() % m;
    size_t col = in.byte() % n;
    double value = in.number();
    if (taken.insert({row, col}).second) {
      entries.push_back({row, col, value});
    }
  }
  return entries;
}

mxArray *charArray(Reader &in) {
  size_t length = in.count(maxTextLength);
  size_t rows = in.byte() % 5 == 0 ? 2 : 1;  // now and then a char matrix
  mwSize dims[2] = {rows, length};
  mxArray *array = mxCreateCharArray(2, dims);
  mxChar *chars = mxGetChars(array);
  for (size_t k = 0; k < rows * length; ++k) {
    chars[k] = in.character();
  }
  return array;
}

mxArray *cellArray(Reader &in, int depth) {
  size_t n = in.count(maxCellLength + 1);
  mxArray *array = mxCreateCellMatrix(1, n);
  for (size_t k = 0; k < n; ++k) {
    mxSetCell(array, k, decodeValue(in, depth + 1));
  }
  return array;
}

// Field names are distinct, as the host requires; a field may stay unset in
// some elements.
mxArray *structArray(Reader &in, int depth) {
  size_t elements = in.count(maxStructElements);
  size_t wanted = in.count(maxStructFields);
  std::vector<const char *> names;
  for (size_t k = 0; k < wanted; ++k) {
    const char *name = elementNames[in.byte() % elementNamesSize];
    if (std::find_if(names.begin(), names.end(), [name](const char *n) {
          return std::strcmp(n, name) == 0;
        }) == names.end()) {
      names.push_back(name);
    }
  }
  mwSize dims[2] = {1, elements};
  mxArray *array =
      mxCreateStructArray(2, dims, int(names.size()), names.data());
  for (size_t e = 0; e < elements; ++e) {
    for (size_t f = 0; f < names.size(); ++f) {
      if (in.byte() % 4 != 0) {
        mxSetFieldByNumber(array, e, int(f), decodeValue(in, depth + 1));
      }
    }
  }
  return array;
}

mxArray *logicalArray(Reader &in, size_t m, size_t n) {
  mxArray *array = mxCreateNumericMatrix(m, n, mxLOGICAL_CLASS, mxREAL);
  mxLogical *values = mxGetLogicals(array);
  for (size_t k = 0; k < m * n; ++k) {
    values[k] = in.byte() & 1;
  }
  return array;
}

mxArray *decodeValue(Reader &in, int depth) {
  uint8_t valueClass = in.byte() % numValueClasses;
  if (depth >= maxDepth &&
      (valueClass == classCell || valueClass == classStructArray)) {
    valueClass = classEmpty;
  }
  switch (valueClass) {
    case classDense: {
      size_t m = in.count(maxDimension);
      return denseDouble(in, m, in.count(maxDimension));
    }
    case classScalar:
      return mxCreateDoubleScalar(in.number());
    case classSparse:
    case classSparseLogical:
    case classSparseComplex: {
      size_t m = in.count(maxDimension);
      size_t n = in.count(maxDimension);
      std::vector<testhost::Entry> entries = sparseEntries(in, m, n);
      if (valueClass == classSparseLogical) {
        return testhost::sparseLogical(m, n, entries);
      }
      if (valueClass == classSparseComplex) {
        return testhost::sparseComplex(m, n, entries);
      }
      return testhost::sparse(m, n, entries, entries.size() + in.count(3));
    }
    case classComplex: {
      double re = in.number();
      return testhost::complexRow({re, in.number()}, {in.number(), 1});
    }
    case classChar:
      return charArray(in);
    case classCell:
      return cellArray(in, depth);
    case classStructArray:
      return structArray(in, depth);
    case classLogical: {
      size_t m = in.count(3);
      return logicalArray(in, m, in.count(3));
    }
    case classInt32:
      return testhost::int32Scalar(int32_t(int8_t(in.byte())));
    default:
      return testhost::emptyDouble();
  }
}

using NamedValues = std::vector<std::pair<std::string, mxArray *>>;

bool hasName(const NamedValues &fields, const std::string &name) {
  return std::any_of(fields.begin(), fields.end(),
                     [&name](const auto &f) { return f.first == name; });
}

mxArray *structureOf(NamedValues fields) {
  return testhost::structure(std::move(fields));
}

mxArray *decodeModel(Reader &in) {
  NamedValues fields;
  size_t wanted = in.count(maxModelFields);
  for (size_t k = 0; k < wanted; ++k) {
    std::string name = modelNames[in.byte() % modelNamesSize];
    mxArray *value = decodeValue(in, 1);
    if (hasName(fields, name)) {
      mxDestroyArray(value);
      continue;
    }
    fields.push_back({name, value});
  }
  return structureOf(std::move(fields));
}

// LogFile opens its file for appending; on the real library only a fixed
// few paths may reach it.
mxArray *safeLogFile(Reader &in, mxArray *value) {
  if (!mxIsChar(value)) {
    return value;
  }
  mxDestroyArray(value);
  static const char *const paths[] = {"", "/dev/null",
                                      "/nonexistent-korva-dir/log.txt"};
  return testhost::text(paths[in.byte() % 3]);
}

// Whatever is not a time between 0 and the limit would leave the solver
// without one (a value it refuses keeps its default: no limit).
bool needsTimeCap(const mxArray *value, double limit) {
  if (!mxIsDouble(value) || mxIsSparse(value) || mxIsComplex(value) ||
      mxGetNumberOfElements(value) != 1) {
    return true;
  }
  double seconds = mxGetScalar(value);
  return !(seconds >= 0 && seconds <= limit);
}

mxArray *decodeParams(Reader &in, bool withParams) {
  NamedValues fields;
  size_t wanted = withParams ? in.count(maxParamFields) : 0;
  for (size_t k = 0; k < wanted; ++k) {
    std::string name = paramName(in.byte());
    mxArray *value = decodeValue(in, 1);
    if (in.options.realLibrary && name == "LogFile") {
      value = safeLogFile(in, value);
    }
    if (hasName(fields, name)) {
      mxDestroyArray(value);
      continue;
    }
    fields.push_back({name, value});
  }
  if (in.options.realLibrary) {
    for (auto &field : fields) {
      if (field.first == "MaxTime" &&
          needsTimeCap(field.second, in.options.maxTime)) {
        mxDestroyArray(field.second);
        field.second = testhost::scalar(in.options.maxTime);
      }
    }
    if (!hasName(fields, "MaxTime")) {
      fields.push_back({"MaxTime", testhost::scalar(in.options.maxTime)});
    }
  }
  return structureOf(std::move(fields));
}

}  // namespace

DecodedCall decodeInput(const uint8_t *data, size_t size,
                        const DecodeOptions &options) {
  Reader in{data, size, 0, options};
  DecodedCall call;
  call.status = statuses[in.byte() % (sizeof statuses / sizeof(int))];
  call.flags = in.byte();
  uint8_t failed = in.byte();
  call.failCode = 1 + in.byte() % 12;
  if (call.flags & flagFailCall) {
    call.failedCall =
        failableCalls[failed % (sizeof failableCalls / sizeof(char *))];
  }
  call.nlhs = (call.flags & flagNoOutput) ? 0 : 1;

  mxArray *model = decodeModel(in);
  // The real library always gets its time limit, so it always gets params.
  bool withParams = (call.flags & flagParams) || options.realLibrary;
  mxArray *params = decodeParams(in, withParams);
  if (call.flags & flagNotStruct) {
    mxDestroyArray(model);
    model = testhost::scalar(1);
  }
  call.inputs.emplace_back(model);
  if (withParams) {
    call.inputs.emplace_back(params);
  } else {
    mxDestroyArray(params);
  }
  if (call.flags & flagThreeInputs) {
    call.inputs.emplace_back(testhost::emptyDouble());
  }
  return call;
}
