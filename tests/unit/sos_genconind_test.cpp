// Reading "sos" and "genconind": the errors of both SOS passes and the
// indicator errors, with nothing left held. What reads well is seen by the
// solver in model_additions_test.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "fake_solver.h"
#include "testhost.h"

namespace {

using testhost::row;
using testhost::scalar;
using testhost::setField;
using testhost::sparse;
using testhost::text;

testhost::CallResult runWith(const char *field, mxArray *value) {
  fake::reset();
  testhost::Array model(
      testhost::structure({{"obj", row({1, 1, 1, 1, 1})}, {field, value}}));
  return testhost::call({model.get()});
}

void expectError(const testhost::CallResult &result,
                 const std::string &message) {
  EXPECT_EQ(result.message, message);
  EXPECT_EQ(result.heldBlocks, 0u);
  EXPECT_TRUE(result.faults.empty());
}

mxArray *twoNumbers() { return row({1, 2}); }
mxArray *zeroIndex() { return row({1, 0}); }

// `base` fields plus `field`, unless it is one of them.
std::vector<std::string> withField(std::vector<std::string> base,
                                   const std::string &field) {
  if (std::find(base.begin(), base.end(), field) == base.end()) {
    base.push_back(field);
  }
  return base;
}

// A first set that reads well, then `field` of the second set.
mxArray *secondSet(const char *field, mxArray *value) {
  mxArray *sos =
      testhost::structArray(2, withField({"type", "index", "weight"}, field));
  setField(sos, 0, "type", scalar(1));
  setField(sos, 0, "index", twoNumbers());
  setField(sos, 0, "weight", twoNumbers());
  setField(sos, 1, field, value);
  return sos;
}

TEST(Sos, ErrorsOfBothPasses) {
  mxArray *unequal = secondSet("index", twoNumbers());
  setField(unequal, 1, "weight", row({1, 2, 3}));
  mxArray *bothEmpty = secondSet("index", testhost::emptyDouble());
  setField(bothEmpty, 1, "weight", testhost::emptyDouble());
  mxArray *badIndex = secondSet("index", zeroIndex());
  setField(badIndex, 1, "weight", twoNumbers());
  const std::pair<mxArray *, const char *> cases[] = {
      {row({1}), "sos. It should be struct!"},
      {testhost::structArray(0, {"type"}), "sos. It should be struct!"},
      {unequal, "sos. index_length != weight_length. "},
      {secondSet("index", text("1")), "sos.index 2. It should be double."},
      {bothEmpty, "sos.weight 2. It is empty!"},
      {secondSet("weight", text("w")), "sos.weight 2. It should be double."},
      {secondSet("type", text("1")), "sos(2).type. It should be double."},
      {badIndex, "sos(2).index. Indices start from 1."},
      // Names are checked before values, so the first set already fails.
      {secondSet("priority", scalar(1)), "sos(1).priority. Invalid attribute."},
  };
  for (const auto &c : cases) {
    expectError(runWith("sos", c.first), c.second);
  }
}

TEST(Genconind, ErrorsNameTheSecondElementAndReleaseBoth) {
  struct Case {
    const char *field;
    mxArray *(*value)();
    const char *text;
  };
  const Case cases[] = {
      {"rhs", twoNumbers, "It should be scalar."},
      {"rhs", [] { return text("r"); }, "It should be double."},
      {"sense", [] { return scalar(1); }, "It should be char array."},
      {"a", [] { return sparse(2, 3, {}); }, "It should be 1*n sparse."},
      {"binvar", [] { return scalar(0.5); }, "Indices start from 1."},
      {"binval", [] { return testhost::logicalScalar(true); },
       "It should be double."},
      {"bin", [] { return scalar(1); }, "Invalid attribute."},
  };
  for (const Case &c : cases) {
    mxArray *genconind =
        testhost::structArray(2, withField({"a", "name"}, c.field));
    setField(genconind, 0, "a", sparse(1, 3, {{0, 1, 2}}));
    setField(genconind, 0, "name", text("first"));
    setField(genconind, 1, c.field, c.value());
    expectError(runWith("genconind", genconind),
                std::string("genconind(2).") + c.field + ". " + c.text);
  }
}

}  // namespace
