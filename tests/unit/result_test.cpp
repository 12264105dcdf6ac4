// The result structure read from a solved model on the recording fake.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "result/create_return_mx_array.h"
#include "testhost.h"
#include "tests/fakes/fake_solver.h"

namespace {

using testhost::Array;
using testhost::doublesOf;
using testhost::fieldOf;

class Result : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::reset();
    ASSERT_EQ(KVAemptyenv(&env), KVA_OK);
    ASSERT_EQ(KVAstartenv(env), KVA_OK);
    ASSERT_EQ(KVAnewmodel(env, &model, "m", 0, nullptr, nullptr, nullptr,
                          nullptr, nullptr),
              KVA_OK);
  }
  void TearDown() override {
    KVAfreemodel(model);
    KVAfreeenv(env);
  }
  void restart() {
    TearDown();
    SetUp();
  }
  // No scratch block may outlive the call.
  Array build() {
    size_t before = testhost::heldBlocks();
    mxArray *plhs[1] = {nullptr};
    createReturnMxArray(model, plhs);
    EXPECT_EQ(testhost::heldBlocks(), before);
    return Array(plhs[0]);
  }
  KVAenv env = nullptr;
  KVAmodel model = nullptr;
};

const char *const doubleAttributes[] = {"ObjVal",        "SolverTime",
                                        "PresolverTime", "SolutionTime",
                                        "MIP/GapAbs",    "MIP/GapRel"};
const char *const scalarFields[] = {
    "ObjVal",     "SolverTime", "PresolverTime", "SolutionTime",
    "MIP_GapAbs", "MIP_GapRel", "IPM_NumIters",  "SPX_NumIters"};

TEST_F(Result, TwelveFieldsInOrder) {
  fake::setIntAttr("Status", KVA_OPTIMAL);
  fake::setIntAttr("NumVars", 3);
  fake::setDblArrayAttr("X", {1, 2.5, -3});
  fake::setDblArrayAttr("RC", {0, 0.5, -1});
  for (int k = 0; k < 6; ++k) {
    fake::setDblAttr(doubleAttributes[k], 0.25 * k);
  }
  fake::setIntAttr("IPM/NumIters", 6);
  fake::setIntAttr("SPX/NumIters", 7);

  Array result = build();
  EXPECT_EQ(testhost::fieldNamesOf(result.get()),
            (std::vector<std::string>{
                "Status", "X", "RC", "ObjVal", "SolverTime", "PresolverTime",
                "SolutionTime", "MIP_GapAbs", "MIP_GapRel", "IPM_NumIters",
                "SPX_NumIters", "PsdX"}));
  EXPECT_EQ(testhost::stringOf(fieldOf(result.get(), "Status")), "OPTIMAL");
  EXPECT_EQ(mxGetN(fieldOf(result.get(), "X")), 1u);
  EXPECT_EQ(doublesOf(fieldOf(result.get(), "X")),
            (std::vector<double>{1, 2.5, -3}));
  EXPECT_EQ(doublesOf(fieldOf(result.get(), "RC")),
            (std::vector<double>{0, 0.5, -1}));
  for (int k = 0; k < 8; ++k) {
    const mxArray *value = fieldOf(result.get(), scalarFields[k]);
    ASSERT_TRUE(value != nullptr && mxIsDouble(value)) << scalarFields[k];
    EXPECT_EQ(doublesOf(value), std::vector<double>{k < 6 ? 0.25 * k : k});
  }
  const mxArray *psd = fieldOf(result.get(), "PsdX");
  ASSERT_TRUE(psd != nullptr && mxIsCell(psd));
  EXPECT_EQ(mxGetM(psd), 1u);
  EXPECT_EQ(mxGetN(psd), 0u);
}

TEST_F(Result, StatusIsNamedOnlyFromZeroToFive) {
  struct Case {
    int status;
    bool readable;
    const char *name;  // null: the field holds nothing
  };
  const Case cases[] = {{0, true, "UNKNOWN"},    {1, true, "OPTIMAL"},
                        {2, true, "INFEASIBLE"}, {3, true, "UNBOUNDED"},
                        {4, true, "INF_OR_UBD"}, {5, true, "SUB_OPTIMAL"},
                        {6, true, nullptr},      {11, true, nullptr},
                        {-1, true, nullptr},     {1, false, nullptr}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.status);
    restart();
    fake::setIntAttr("Status", c.status);
    if (!c.readable) {
      fake::failCall("KVAgetintattr", KVA_ERROR_DATA_NOT_AVAILABLE, 1);
    }
    fake::setDblAttr("ObjVal", 2);
    Array result = build();
    const mxArray *status = fieldOf(result.get(), "Status");
    if (c.name != nullptr) {
      EXPECT_EQ(testhost::stringOf(status), c.name);
    } else {
      EXPECT_TRUE(status == nullptr || mxIsEmpty(status));
    }
    EXPECT_EQ(doublesOf(fieldOf(result.get(), "ObjVal")),
              std::vector<double>{2});
  }
}

TEST_F(Result, ValuesTheLibraryCannotSupplyAreNaN) {
  fake::setIntAttr("NumVars", 2);
  fake::setDblArrayAttr("RC", {1, 2});
  fake::failCall("KVAgetdblattrarray", KVA_ERROR_DATA_NOT_AVAILABLE, 2);
  Array result = build();
  for (const char *name : {"X", "RC"}) {
    std::vector<double> values = doublesOf(fieldOf(result.get(), name));
    ASSERT_EQ(values.size(), 2u) << name;
    EXPECT_TRUE(std::isnan(values[0]) && std::isnan(values[1])) << name;
  }
  for (const char *name : scalarFields) {
    EXPECT_TRUE(std::isnan(doublesOf(fieldOf(result.get(), name)).at(0)))
        << name;
  }
}

TEST_F(Result, UnreadableVariableCountGivesEmptyColumns) {
  fake::setIntAttr("NumVars", 2);
  fake::setDblArrayAttr("X", {1, 2});
  // "Status" is read first, "NumVars" second.
  fake::failCall("KVAgetintattr", KVA_ERROR_DATA_NOT_AVAILABLE, 2);
  Array result = build();
  EXPECT_EQ(mxGetM(fieldOf(result.get(), "X")), 0u);
  EXPECT_EQ(mxGetN(fieldOf(result.get(), "X")), 1u);
}

// A host sparse array as a dense column-major list; rows must ascend inside
// each column, as the host requires.
std::vector<double> denseOf(const mxArray *array) {
  EXPECT_TRUE(mxIsSparse(array) && mxIsDouble(array));
  size_t rows = mxGetM(array);
  std::vector<double> dense(rows * mxGetN(array), 0.0);
  const mwIndex *jc = mxGetJc(array);
  const mwIndex *ir = mxGetIr(array);
  for (size_t j = 0; j < mxGetN(array); ++j) {
    for (mwIndex k = jc[j]; k < jc[j + 1]; ++k) {
      EXPECT_TRUE(ir[k] < rows && (k == jc[j] || ir[k - 1] < ir[k]));
      dense[ir[k] + j * rows] = mxGetDoubles(array)[k];
    }
  }
  return dense;
}

TEST_F(Result, SemidefiniteValuesAreAssembledFromFlatIndices) {
  struct Cell {
    size_t side;  // 0 for the 0x0 matrix
    std::vector<double> dense;
  };
  struct Case {
    std::string name;
    std::vector<fake::MatrixValue> values;
    int failingCall;  // of KVAgetmatattrelement, 0 for none
    std::vector<Cell> expected;
  };
  const Case cases[] = {
      {"two 2x2",
       {{2, 2, {0, 1, 2, 3}, {1, 2, 2, 5}}, {2, 2, {3, 0}, {6, 4}}},
       0,
       {{2, {1, 2, 2, 5}}, {2, {4, 0, 0, 6}}}},
      {"upper triangle lands below the diagonal",
       {{2, 2, {0, 1, 3}, {1, 4, 9}}},
       0,
       {{2, {1, 4, 0, 9}}}},
      {"3x3 out of order",
       {{3, 3, {8, 2, 0, 6, 4}, {9, 3, 1, 7, 5}}},
       0,
       {{3, {1, 0, 3, 0, 5, 0, 7, 0, 9}}}},
      {"no entries", {{3, 3, {}, {}}}, 0, {{3, std::vector<double>(9)}}},
      {"sizes unreadable",
       {{2, 2, {0}, {1}}, {1, 1, {0}, {8}}},
       1,
       {{0, {}}, {1, {8}}}},
      {"entries unreadable", {{2, 2, {0, 3}, {1, 1}}}, 2, {{2, {0, 0, 0, 0}}}},
      {"entries without columns", {{0, 0, {0}, {1}}}, 0, {{0, {}}}},
      {"not square", {{2, 3, {0}, {1}}}, 0, {{0, {}}}},
      {"flat index outside", {{2, 2, {0, 4}, {1, 2}}}, 0, {{2, {0, 0, 0, 0}}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    restart();
    fake::setIntAttr("NumPsdVars", int(c.values.size()));
    fake::setPsdX(c.values);
    if (c.failingCall != 0) {
      fake::failCall("KVAgetmatattrelement", KVA_ERROR_DATA_NOT_AVAILABLE,
                     c.failingCall);
    }
    Array result = build();
    const mxArray *psd = fieldOf(result.get(), "PsdX");
    ASSERT_TRUE(psd != nullptr && mxIsCell(psd));
    ASSERT_EQ(mxGetN(psd), c.expected.size());
    for (size_t j = 0; j < c.expected.size(); ++j) {
      const mxArray *value = mxGetCell(psd, j);
      ASSERT_NE(value, nullptr);
      EXPECT_EQ(mxGetM(value), c.expected[j].side);
      EXPECT_EQ(mxGetN(value), c.expected[j].side);
      EXPECT_EQ(denseOf(value), c.expected[j].dense) << j;
    }
  }
}

}  // namespace
