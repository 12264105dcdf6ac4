// Reading "quadcon": what it gives beyond the forms seen in
// model_additions_test, the triplet length warning, and the errors whose
// numbering, order or release could go wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_solver.h"
#include "testhost.h"

namespace {

using testhost::row;
using testhost::scalar;
using testhost::setField;
using testhost::sparse;
using testhost::text;

using Texts = std::vector<std::string>;

testhost::CallResult runWith(mxArray *quadcon) {
  fake::reset();
  testhost::Array model(
      testhost::structure({{"obj", row({1, 1, 1})}, {"quadcon", quadcon}}));
  return testhost::call({model.get()});
}

Texts constraintTexts() {
  Texts texts;
  for (const fake::Call &call : fake::callsOf("KVAaddqconstr")) {
    texts.push_back(call.text());
  }
  return texts;
}

TEST(Quadcon, APlainArrayGivesConstraintsWithoutTerms) {
  ASSERT_FALSE(runWith(row({7, 8})).raised);
  EXPECT_EQ(constraintTexts(),
            Texts(2,
                  "KVAaddqconstr(model, 0, null, null, 0, null, null, null, "
                  "'<', 0, null)"));
}

TEST(Quadcon, UnequalTripletLengthsAreCutToTheShortestWithAWarningEach) {
  mxArray *quadcon = testhost::structArray(2, {"Qrow", "Qcol", "Qval"});
  setField(quadcon, 0, "Qrow", row({1, 2, 3}));
  setField(quadcon, 0, "Qcol", row({1, 2, 3}));
  setField(quadcon, 0, "Qval", row({4, 5}));
  setField(quadcon, 1, "Qrow", row({1, 2}));
  testhost::CallResult result = runWith(quadcon);
  ASSERT_FALSE(result.raised) << result.message;
  EXPECT_EQ(result.warnings,
            Texts(2,
                  "quadcon.qc. The lengths of the Qrow, Qcol and Qval are "
                  "not equal. Select the minimum length from among them."));
  EXPECT_EQ(
      constraintTexts(),
      (Texts{"KVAaddqconstr(model, 0, null, null, 2, [0 1], [0 1], [4 5], "
             "'<', 0, null)",
             "KVAaddqconstr(model, 0, null, null, 0, null, null, null, '<', "
             "0, null)"}));
  EXPECT_EQ(result.heldBlocks, 0u);
}

mxArray *oneNumber() { return row({1}); }
mxArray *twoNumbers() { return row({1, 2}); }
// 0.5 truncates to 0.
mxArray *zeroIndex() { return row({1, 0.5}); }
mxArray *wideSparse() { return sparse(2, 3, {}); }
// A sparse index list's unstored entries are zeros.
mxArray *sparseWithGap() { return sparse(1, 2, {{0, 1, 2}}); }

TEST(Quadcon, ErrorsNameTheSecondElementAndReleaseBoth) {
  struct Case {
    const char *field;
    mxArray *(*value)();
    const char *text;
  };
  const Case cases[] = {
      {"Qc", wideSparse, "It should be square!"},
      {"lhsorsense", [] { return testhost::logicalScalar(true); },
       "It should be double or char."},
      {"q", wideSparse, "It should be 1*n sparse."},
      {"Qrow", zeroIndex, "Indices start from 1."},
      {"Qcol", sparseWithGap, "Indices start from 1."},
      {"Qr", oneNumber, "Invalid attribute."},
  };
  for (const Case &c : cases) {
    std::string field = c.field;
    mxArray *quadcon = testhost::structArray(
        2, {"Qrow", "Qcol", "Qval", "q", "name", "Qc", "lhsorsense", "Qr"});
    for (const char *name : {"Qrow", "Qcol", "Qval"}) {
      setField(quadcon, 0, name, oneNumber());
    }
    setField(quadcon, 0, "q", sparse(1, 3, {{0, 2, 1}}));
    setField(quadcon, 0, "name", text("first"));
    // Rows held before the error, while their counts are not yet settled.
    if (field != "Qrow") {
      setField(quadcon, 1, "Qrow", twoNumbers());
    }
    setField(quadcon, 1, field, c.value());
    testhost::CallResult result = runWith(quadcon);
    EXPECT_EQ(result.message, "quadcon(2)." + field + ". " + c.text);
    EXPECT_EQ(result.heldBlocks, 0u) << result.message;
    EXPECT_TRUE(result.faults.empty());
  }
}

}  // namespace
