// libFuzzer target: the gateway on the in-process test host against the real
// libkorva. A fuzz input decodes to one call (a model structure and a
// parameter structure); whatever the input, the call must end in exactly one
// error or one result structure, leave no global slot set, no buffer lock
// held and no host memory held, and make no misuse of the host. A breach
// aborts, which libFuzzer reports as a crash.
//
// Input: [flags] [Ctrl+C query] then the model's fields, then the
// parameters' fields, each a count byte and per field a name byte and a
// value. A value is a class byte and its contents; a read past the end gives
// 0, so every byte string decodes.
#include <pthread.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "gateway/korva_error.h"
#include "gateway/log_buffer.h"
#include "params/params.h"
#include "testhost.h"

namespace {

constexpr double maxTime = 0.05;
const double numbers[] = {0,    1,      2,        3,           -1,
                          0.5,  1.5,    7,        1e20,        -1e20,
                          1e30, NAN,    INFINITY, -INFINITY,   2147483648.,
                          -0.0, 1e-300, DBL_MAX,  4294967296., 100};
const char16_t chars[] = {u'<', u'>', u'=', u'B',  u'C',      u'I',
                          u'S', u'N', u' ', u'\0', u'\x4E2D', u'\xE9'};
// Model fields, the fields of their element structures, and unknown ones.
const char *const fieldNames[] = {
    "A",        "obj",        "rhs",         "lhsorsense", "lb",
    "ub",       "vtype",      "modelsense",  "objcon",     "modelname",
    "varnames", "start",      "constrnames", "Q",          "colbasis",
    "quadcon",  "sos",        "genconind",   "psdvar",     "psdcon",
    "Qc",       "Qrow",       "Qcol",        "Qval",       "q",
    "name",     "type",       "index",       "weight",     "binvar",
    "binval",   "a",          "sense",       "lhs",        "psdmats",
    "indices",  "linearterm", "Obj",         "x"};

struct Input {
  const uint8_t *data;
  size_t size;
  size_t at = 0;

  uint8_t byte() { return at < size ? data[at++] : 0; }
  size_t upTo(size_t limit) { return byte() % (limit + 1); }
  double number() {
    uint8_t b = byte();
    if (b != 0xFF) return numbers[b % (sizeof numbers / sizeof *numbers)];
    uint64_t bits = 0;
    for (int k = 0; k < 8; ++k) bits = bits << 8 | byte();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  const char *fieldName() {
    return fieldNames[byte() % (sizeof fieldNames / sizeof *fieldNames)];
  }
};

// The parameter names the module knows ("/" written "_"), and two it does
// not.
const std::vector<std::string> &paramNames() {
  static std::vector<std::string> names{"maxtime", "MIP_"};
  if (names.size() == 2) {
    names.insert(names.end(), paramsInt, paramsInt + numParamsInt);
    names.insert(names.end(), paramsDouble, paramsDouble + numParamsDouble);
    names.insert(names.end(), paramsString, paramsString + numParamsString);
    for (std::string &n : names) std::replace(n.begin(), n.end(), '/', '_');
  }
  return names;
}

mxArray *value(Input &in, int depth);

// Fields with distinct names; a value may be unset (null).
mxArray *structure(Input &in, int depth, size_t elements) {
  std::vector<const char *> names;
  for (size_t k = in.upTo(depth == 0 ? 15 : 7); k > 0; --k) {
    const char *name = in.fieldName();
    bool seen = false;
    for (const char *n : names) seen = seen || std::strcmp(n, name) == 0;
    if (!seen) names.push_back(name);
  }
  mwSize dims[2] = {1, elements};
  mxArray *s = mxCreateStructArray(2, dims, int(names.size()), names.data());
  for (size_t e = 0; e < elements; ++e) {
    for (size_t f = 0; f < names.size(); ++f) {
      mxSetFieldByNumber(s, e, int(f), value(in, depth + 1));
    }
  }
  return s;
}

mxArray *value(Input &in, int depth) {
  uint8_t kind = in.byte() % 11;
  if (depth >= 3 && (kind == 3 || kind == 4)) kind = 9;
  // Rows (or elements) for kinds 0 to 5, columns for 0, 1, 2 and 5.
  size_t m = kind < 6 ? in.upTo(4) : 0;
  size_t n = kind == 2                             ? in.upTo(12)
             : kind == 0 || kind == 1 || kind == 5 ? in.upTo(4)
                                                   : 0;
  switch (kind) {
    case 0: {
      mxArray *a = mxCreateDoubleMatrix(m, n, mxREAL);
      for (size_t k = 0; k < m * n; ++k) mxGetDoubles(a)[k] = in.number();
      return a;
    }
    case 1: {  // real, logical or complex; a zero byte leaves an entry out
      uint8_t storage = in.byte() % 3;
      std::vector<testhost::Entry> entries;
      for (size_t k = 0; k < m * n; ++k) {
        if (in.byte() != 0) entries.push_back({k % m, k / m, in.number()});
      }
      return storage == 0   ? testhost::sparse(m, n, entries)
             : storage == 1 ? testhost::sparseLogical(m, n, entries)
                            : testhost::sparseComplex(m, n, entries);
    }
    case 2: {
      mwSize dims[2] = {m == 3 ? 0u : m == 4 ? 2u : 1u, n};
      mxArray *a = mxCreateCharArray(2, dims);
      for (size_t k = 0; k < dims[0] * dims[1]; ++k) {
        uint8_t b = in.byte();
        mxGetChars(a)[k] =
            b < 0x80 ? b : chars[b % (sizeof chars / sizeof *chars)];
      }
      return a;
    }
    case 3:
      return structure(in, depth, m);
    case 4: {
      mxArray *a = mxCreateCellMatrix(1, m);
      for (size_t k = 0; k < m; ++k) mxSetCell(a, k, value(in, depth + 1));
      return a;
    }
    case 5: {
      mxArray *a = mxCreateNumericMatrix(m, n, mxLOGICAL_CLASS, mxREAL);
      for (size_t k = 0; k < m * n; ++k) mxGetLogicals(a)[k] = in.byte() & 1;
      return a;
    }
    case 6:
      return testhost::int32Scalar(int8_t(in.byte()));
    case 7:
      return testhost::complexRow({in.number()}, {in.number()});
    case 8:
      return mxCreateDoubleScalar(in.number());
    case 9:
      return testhost::emptyDouble();
    default:
      return nullptr;
  }
}

// The real library may neither run long nor write anywhere: MaxTime is one
// of 0, maxTime / 2 and maxTime, and LogFile names one of a few fixed paths.
mxArray *params(Input &in) {
  std::vector<std::pair<std::string, mxArray *>> fields;
  for (size_t k = in.upTo(7); k > 0; --k) {
    std::string name = paramNames()[in.byte() % paramNames().size()];
    mxArray *v = value(in, 1);
    if (name == "LogFile" && v != nullptr && mxIsChar(v)) {
      const char *paths[] = {"", "/dev/null", "/nonexistent-korva-dir/x.log"};
      mxDestroyArray(v);
      v = testhost::text(paths[in.byte() % 3]);
    }
    bool taken = name == "MaxTime";
    for (const auto &f : fields) taken = taken || f.first == name;
    if (taken) {
      mxDestroyArray(v);
    } else {
      fields.push_back({name, v});
    }
  }
  fields.push_back(
      {"MaxTime", mxCreateDoubleScalar(maxTime * (2 - in.upTo(2)) / 2)});
  return testhost::structure(fields);
}

void check(const testhost::CallResult &r) {
  bool slotSet = globalSummay != nullptr || globalmArg != nullptr ||
                 globalParams != nullptr || globalModel != nullptr ||
                 globalEnv != nullptr;
  bool locked = pthread_mutex_trylock(&outBuffer.lock) != 0;
  if (!locked) pthread_mutex_unlock(&outBuffer.lock);
  const char *breach =
      r.raised == (r.output != nullptr) ? "neither or both of error and result"
      : r.raised && r.message.empty()   ? "error without a message"
      : !r.raised && !mxIsStruct(r.output.get()) ? "result is no structure"
      : slotSet                                  ? "a global slot is still set"
      : locked            ? "the buffer lock is still held"
      : !r.faults.empty() ? "the host saw misuse"
      : r.heldBlocks != 0 ? "host memory still held"
                          : nullptr;
  if (breach == nullptr) return;
  std::fprintf(stderr, "call breach: %s (raised %d, message \"%s\")\n", breach,
               int(r.raised), r.message.c_str());
  for (const std::string &fault : r.faults) {
    std::fprintf(stderr, "  host fault: %s\n", fault.c_str());
  }
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Input in{data, size};
  uint8_t flags = in.byte();
  int interruptAt = in.byte();
  testhost::scriptInterrupt([flags, interruptAt](int query) {
    return (flags & 8) != 0 && query >= interruptAt;
  });
  testhost::warningsAsErrors((flags & 16) != 0);
  testhost::Array model((flags & 2) ? mxCreateDoubleScalar(1)
                                    : structure(in, 0, 1));
  testhost::Array parameters(params(in)), extra(testhost::emptyDouble());
  std::vector<const mxArray *> inputs{model.get(), parameters.get()};
  if (flags & 4) inputs.push_back(extra.get());
  check(testhost::call(inputs, (flags & 1) ? 0 : 1));
  return 0;
}
