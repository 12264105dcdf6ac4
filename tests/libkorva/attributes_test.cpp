// Attributes by name: kinds, read-only ones, availability, and the values
// the module reads after a solve.
#include <cmath>

#include "tests/libkorva/fixture.h"

namespace {

// max 3x + y  s.t.  x + y <= 4, x in [0, 1]: x sits at its bound with
// reduced cost 2, y is basic.
DenseModel boundLp(std::string vtype = "") {
  return withRows(variables({3, 1}, {1, inf}, -1, vtype), {{1, 1}}, "<", {4});
}

class LibkorvaAttributesTest : public LibkorvaTest {};

TEST_F(LibkorvaAttributesTest, AvailabilityBeforeAndAfterSolves) {
  struct Case {
    const char *name;
    bool isInt;
    int beforeSolve;
    int afterLp;
    int afterMilp;
  };
  constexpr int ok = KVA_OK;
  constexpr int none = KVA_ERROR_DATA_NOT_AVAILABLE;
  constexpr int unknown = KVA_ERROR_UNKNOWN_ATTRIBUTE;
  const Case cases[] = {
      {"Status", true, ok, ok, ok},
      {"NumVars", true, ok, ok, ok},
      {"ModelSense", true, ok, ok, ok},
      {"SPX/NumIters", true, none, ok, ok},
      {"IPM/NumIters", true, none, ok, ok},
      {"ObjVal", false, none, ok, ok},
      {"ObjConst", false, ok, ok, ok},
      {"SolverTime", false, none, ok, ok},
      {"PresolverTime", false, none, ok, ok},
      {"SolutionTime", false, none, ok, ok},
      {"MIP/GapAbs", false, none, none, ok},
      {"MIP/GapRel", false, none, none, ok},
      {"ObjVal", true, unknown, unknown, unknown},
      {"Status", false, unknown, unknown, unknown},
      {"Foo", true, unknown, unknown, unknown},
  };
  auto check = [&](int Case::*expected, const char *stage) {
    for (const Case &c : cases) {
      int i = 0;
      double d = 0;
      int code = c.isInt ? KVAgetintattr(model, c.name, &i)
                         : KVAgetdblattr(model, c.name, &d);
      EXPECT_EQ(code, c.*expected) << stage << " " << c.name;
    }
  };
  load(boundLp());
  check(&Case::beforeSolve, "before");
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  check(&Case::afterLp, "LP");
  solve(boundLp("CI"));
  check(&Case::afterMilp, "MILP");
}

TEST_F(LibkorvaAttributesTest, ReducedCostsOfLpAndMilp) {
  // The MILP's reduced costs come from its LP with integers fixed: y stays
  // basic, so x fixed at 1 has reduced cost 2 there as well. y's zero must
  // not turn into -0 on the way back to the maximised sense.
  for (std::string vtype : {"", "IC"}) {
    SCOPED_TRACE(vtype);
    ASSERT_EQ(solve(boundLp(vtype)), KVA_OPTIMAL);
    double rc[2];
    ASSERT_EQ(KVAgetdblattrarray(model, "RC", 0, 2, rc), KVA_OK);
    EXPECT_NEAR(rc[0], 2, 1e-9);
    EXPECT_EQ(rc[1], 0.0);
    EXPECT_FALSE(std::signbit(rc[1]));
    EXPECT_NEAR(objVal(), 6, 1e-9);
    int iterations = -1;
    EXPECT_EQ(KVAgetintattr(model, "IPM/NumIters", &iterations), KVA_OK);
    EXPECT_EQ(iterations, 0);
  }
}

TEST_F(LibkorvaAttributesTest, WritesAndReadOnlyAttributes) {
  load(boundLp());
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(KVAsetintattr(model, "Status", 1), KVA_ERROR_ATTRIBUTE_READ_ONLY);
  EXPECT_EQ(KVAsetdblattr(model, "ObjVal", 1), KVA_ERROR_ATTRIBUTE_READ_ONLY);
  double value = 1;
  EXPECT_EQ(KVAsetdblattrarray(model, "X", 0, 1, &value),
            KVA_ERROR_ATTRIBUTE_READ_ONLY);
  EXPECT_EQ(KVAsetstrattr(model, "Foo", "x"), KVA_ERROR_UNKNOWN_ATTRIBUTE);
  // A change to the model discards the solve's results.
  ASSERT_EQ(KVAsetintattr(model, "ModelSense", 1), KVA_OK);
  EXPECT_EQ(KVAgetdblattrarray(model, "X", 0, 1, &value),
            KVA_ERROR_DATA_NOT_AVAILABLE);
  EXPECT_EQ(status(), KVA_UNKNOWN);
  ASSERT_EQ(KVAsetdblattr(model, "ObjConst", 2.5), KVA_OK);
  ASSERT_EQ(KVAsetstrattr(model, "ModelName", "renamed"), KVA_OK);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_NEAR(objVal(), 2.5, 1e-9);  // minimising now: x = y = 0
  EXPECT_NE(log().find("Model renamed:"), std::string::npos);

  ASSERT_EQ(KVAsetcharattrarray(model, "VType", 1, 1, "I"), KVA_OK);
  ASSERT_EQ(KVAsetdblattrelement(model, "UB", 1, 2.5), KVA_OK);
  ASSERT_EQ(KVAsetintattr(model, "ModelSense", -1), KVA_OK);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_NEAR(objVal(), 3 + 2 + 2.5, 1e-9);  // y integer, at most 2

  EXPECT_EQ(KVAgetdblattrarray(model, "Start", 0, 1, &value),
            KVA_ERROR_DATA_NOT_AVAILABLE);
  ASSERT_EQ(KVAsetdblattrelement(model, "Start", 0, 0.5), KVA_OK);
  ASSERT_EQ(KVAgetdblattrarray(model, "Start", 0, 1, &value), KVA_OK);
  EXPECT_EQ(value, 0.5);
}

}  // namespace
