#include "fuzz_format.h"

#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

#include "params/params.h"

namespace fuzzformat {

// Small counts and indices, the unbounded sides, values that do not fit a
// 32-bit index, and the special doubles.
const double numberPalette[] = {
    0,
    1,
    2,
    3,
    4,
    5,
    6,
    7,
    10,
    -1,
    -2,
    0.5,
    1.5,
    -0.5,
    1e20,
    -1e20,
    1e30,
    -1e30,
    NAN,
    INFINITY,
    -INFINITY,
    2147483647.,
    2147483648.,
    -2147483648.,
    -2147483649.,
    4294967296.,
    1e-300,
    DBL_MAX,
    -0.0,
    100,
    1e9,
    0.999999,
};
const size_t numberPaletteSize = sizeof numberPalette / sizeof(double);

const char16_t charPalette[] = {u'<', u'>',  u'=',      u'B',   u'C', u'I',
                                u'S', u'N',  u'G',      u'L',   u'E', u'%',
                                u' ', u'\0', u'\x4E2D', u'\xE9'};
const size_t charPaletteSize = sizeof charPalette / sizeof(char16_t);

const char *const modelNames[] = {
    "A",           "modelname", "rhs", "objcon", "lhsorsense", "obj",
    "modelsense",  "lb",        "ub",  "vtype",  "Q",          "varnames",
    "constrnames", "quadcon",   "sos", "start",  "colbasis",   "genconind",
    "psdvar",      "psdcon",    "lhs", "a",      "Obj",        "sense",
};
const size_t modelNamesSize = sizeof modelNames / sizeof(char *);

const char *const elementNames[] = {
    "Qc",     "Qrow",   "Qcol",    "Qval",       "q",       "rhs",
    "lhs",    "sense",  "name",    "type",       "index",   "weight",
    "binvar", "binval", "a",       "psdmats",    "indices", "linearterm",
    "obj",    "Qr",     "weights", "lhsorsense", "A",       "x",
};
const size_t elementNamesSize = sizeof elementNames / sizeof(char *);

namespace {

std::vector<std::string> makeParamNames() {
  std::vector<std::string> names;
  auto add = [&names](const char *const *table, int count) {
    for (int k = 0; k < count; ++k) {
      std::string name = table[k];
      for (char &c : name) {
        c = c == '/' ? '_' : c;
      }
      names.push_back(name);
    }
  };
  add(paramsInt, numParamsInt);
  add(paramsDouble, numParamsDouble);
  add(paramsString, numParamsString);
  for (const char *unknown : {"maxtime", "MIP/GapRel", "Threads", "MIP_"}) {
    names.push_back(unknown);
  }
  return names;
}

const std::vector<std::string> &paramNames() {
  static const std::vector<std::string> names = makeParamNames();
  return names;
}

}  // namespace

const char *paramName(uint8_t byte) {
  return paramNames()[byte % paramNames().size()].c_str();
}

size_t paramNamesSize() { return paramNames().size(); }

}  // namespace fuzzformat
