// The result structure, from models the library solved: its twelve fields,
// the status names, what stands in for values the library cannot give, and
// the semidefinite values assembled from flat indices.
#include <cmath>
#include <string>
#include <vector>

#include "result/create_return_mx_array.h"
#include "unit_support.h"

namespace {

using testhost::Array;
using testhost::fieldOf;
using testhost::row;
using testhost::scalar;
using testhost::sparse;

const std::vector<std::string> scalarFields = {
    "ObjVal",     "SolverTime", "PresolverTime", "SolutionTime",
    "MIP_GapAbs", "MIP_GapRel", "IPM_NumIters",  "SPX_NumIters"};

// A two-variable model made and solved through the library's interface;
// the result is built from it directly.
class Result : public ::testing::Test {
 protected:
  void SetUp() override {
    probe::reset();
    ASSERT_EQ(KVAemptyenv(&env), KVA_OK);
    ASSERT_EQ(KVAsetintparam(env, "OutputFlag", 0), KVA_OK);
    ASSERT_EQ(KVAstartenv(env), KVA_OK);
    double obj[] = {1, 2};
    double lb[] = {1, 2};
    double ub[] = {3, 4};
    ASSERT_EQ(KVAnewmodel(env, &model, "m", 2, obj, lb, ub, nullptr, nullptr),
              KVA_OK);
  }
  void TearDown() override {
    KVAfreemodel(model);
    KVAfreeenv(env);
    probe::reset();
  }
  // No scratch block may outlive the building.
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

bool isNaN(const mxArray *value) {
  return mxGetNumberOfElements(value) == 1 && std::isnan(mxGetScalar(value));
}

TEST_F(Result, StatusIsNamedOnlyFromZeroToFive) {
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  const std::pair<int, const char *> cases[] = {
      {0, "UNKNOWN"},   {1, "OPTIMAL"},    {2, "INFEASIBLE"},
      {3, "UNBOUNDED"}, {4, "INF_OR_UBD"}, {5, "SUB_OPTIMAL"},
      {6, nullptr},     {11, nullptr},     {-1, nullptr}};
  for (const auto &[status, name] : cases) {
    SCOPED_TRACE(status);
    probe::reportStatus(status);
    Array result = build();
    const mxArray *field = fieldOf(result.get(), "Status");
    if (name != nullptr) {
      EXPECT_EQ(testhost::stringOf(field), name);
    } else {
      EXPECT_TRUE(field == nullptr || mxIsEmpty(field));
    }
    EXPECT_EQ(mxGetScalar(fieldOf(result.get(), "ObjVal")), 5);
  }
  probe::reset();
  probe::failCall("KVAgetintattr", 1);
  Array unread = build();
  EXPECT_EQ(fieldOf(unread.get(), "Status"), nullptr);
}

TEST_F(Result, ValuesTheLibraryCannotGiveAreNaN) {
  Array result = build();
  for (const char *name : {"X", "RC"}) {
    const mxArray *values = fieldOf(result.get(), name);
    ASSERT_EQ(mxGetM(values), 2u) << name;
    EXPECT_TRUE(std::isnan(mxGetDoubles(values)[0]) &&
                std::isnan(mxGetDoubles(values)[1]))
        << name;
  }
  for (const std::string &name : scalarFields) {
    EXPECT_TRUE(isNaN(fieldOf(result.get(), name))) << name;
  }
  // "Status" is read first, "NumVars" second.
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  probe::reset();
  probe::failCall("KVAgetintattr", 2);
  Array uncounted = build();
  EXPECT_EQ(mxGetM(fieldOf(uncounted.get(), "X")), 0u);
  EXPECT_EQ(mxGetN(fieldOf(uncounted.get(), "X")), 1u);
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

// min trace(C X) with trace(X) = 1 for the second variable, C = [2 1; 1 2]:
// X is the projector on C's eigenvector (1, -1); the first variable, a
// 1x1 one, is held at 1.
unit::Fields eigenvalueModel() {
  auto equal = [](mxArray *matrix, double index) -> unit::Fields {
    return {{"psdmats", testhost::cell({matrix})},
            {"indices", row({index})},
            {"rhs", scalar(1)},
            {"lhsorsense", testhost::text("=")}};
  };
  return {
      {"obj", row({0})},
      {"ub", row({0})},
      {"psdvar",
       testhost::structArray(
           {{{"obj", sparse(1, 1, {{0, 0, 1}})}},
            {{"obj",
              sparse(2, 2, {{0, 0, 2}, {0, 1, 1}, {1, 0, 1}, {1, 1, 2}})}}})},
      {"psdcon",
       testhost::structArray({equal(sparse(2, 2, {{0, 0, 1}, {1, 1, 1}}), 2),
                              equal(sparse(1, 1, {{0, 0, 1}}), 1)})}};
}

// The library is asked for each variable's sizes, then for its entries: the
// second variable's sizes are call 3, its entries call 4.
TEST(ResultPsd, ValuesAreAssembledFromFlatIndices) {
  struct Case {
    int failing;  // call of KVAgetmatattrelement that fails, 0 for none
    size_t side;
    std::vector<double> dense;
    bool descending = false;
  };
  const Case cases[] = {
      {0, 2, {0.5, -0.5, -0.5, 0.5}},
      {0, 2, {0.5, -0.5, -0.5, 0.5}, true},
      {3, 0, {}},
      {4, 2, {0, 0, 0, 0}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.failing);
    probe::reset();
    if (c.failing != 0) {
      probe::failCall("KVAgetmatattrelement", c.failing);
    }
    if (c.descending) {
      probe::reverseMatrixEntries();
    }
    testhost::CallResult result = unit::solve(eigenvalueModel());
    ASSERT_EQ(unit::status(result), "OPTIMAL");
    const mxArray *psd = fieldOf(result.output.get(), "PsdX");
    ASSERT_EQ(mxGetN(psd), 2u);
    std::vector<double> first = denseOf(mxGetCell(psd, 0));
    ASSERT_EQ(first.size(), 1u);
    EXPECT_NEAR(first[0], 1, 1e-6);
    const mxArray *second = mxGetCell(psd, 1);
    EXPECT_EQ(mxGetM(second), c.side);
    std::vector<double> dense = denseOf(second);
    ASSERT_EQ(dense.size(), c.dense.size());
    for (size_t k = 0; k < dense.size(); ++k) {
      EXPECT_NEAR(dense[k], c.dense[k], 1e-6) << k;
    }
    unit::expectNothingLeft(result);
  }
}

}  // namespace
