// What the module's tests share: small models, calling the module, and
// what every call must leave behind.
#ifndef KORVA_TESTS_UNIT_SUPPORT_H
#define KORVA_TESTS_UNIT_SUPPORT_H

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "gateway/korva_error.h"
#include "solver_probe.h"
#include "testhost.h"

namespace unit {

using Fields = testhost::Fields;

// min x1 + x2 subject to x1 + x2 >= 1: optimum 1.
inline Fields smallLp() {
  return {{"A", testhost::sparse(1, 2, {{0, 0, 1}, {0, 1, 1}})},
          {"obj", testhost::row({1, 1})},
          {"rhs", testhost::row({1})},
          {"lhsorsense", testhost::text(">")}};
}

// A 0-1 model whose optimum takes the search minutes to prove: equality
// rows of binaries, each with two slack columns whose total is minimised.
Fields longMilp();

// `base` with the fields of `extra` appended or, by name, replacing.
Fields merged(Fields base, const Fields &extra);

// Calls the module with the model (and parameters, when given), the log
// switched off unless the parameters say otherwise.
testhost::CallResult solve(Fields model, Fields params = {});

// A double field of a result structure.
double number(const testhost::CallResult &result, const char *field);
std::vector<double> vector(const testhost::CallResult &result,
                           const char *field);
std::string status(const testhost::CallResult &result);

// Nothing of the call may stay: no allocation, solver handle, global slot
// or thread, and no misuse of the host.
void expectNothingLeft(const testhost::CallResult &result);

}  // namespace unit

#endif
