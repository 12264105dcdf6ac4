// Parameter names, types, ranges and effects, and the environment's life
// cycle.
#include <limits>
#include <string>

#include "tests/libkorva/fixture.h"

namespace {

TEST(LibkorvaParametersTest, NamesTypesAndRanges) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  constexpr int range = KVA_ERROR_PARAMETER_VALUE;
  constexpr int unknown = KVA_ERROR_UNKNOWN_PARAMETER;
  struct Case {
    const char *name;
    bool asInt;  // set through KVAsetintparam, else KVAsetdblparam
    double value;
    int code;
  };
  const Case cases[] = {
      {"Method", true, -1, KVA_OK},
      {"Method", true, 2, KVA_OK},
      {"Method", true, 3, range},
      {"Presolve", true, -2, range},
      {"NumThreads", true, -5, range},
      {"OutputFlag", true, 2, range},
      {"MIP/MaxNodes", true, 0, KVA_OK},
      {"SolutionTarget", true, 1, KVA_OK},
      {"method", true, 1, unknown},
      {"SPX/Foo", true, 1, unknown},
      {"MaxTime", true, 10, unknown},  // a double parameter
      {"MaxTime", false, 10, KVA_OK},
      {"MaxTime", false, -1, range},
      {"MaxTime", false, nan, range},
      {"MIP/GapRel", false, 0, KVA_OK},
      {"MIP/Cutoff", false, -KVA_INFINITY, KVA_OK},
      {"SPX/PrimalTolerance", false, 0.5, range},
      {"MIP/LinearizationBigM", false, 1e6, KVA_OK},
      {"Method", false, 1, unknown},  // an integer parameter
  };
  KVAenv env = nullptr;
  ASSERT_EQ(KVAemptyenv(&env), KVA_OK);
  for (const Case &c : cases) {
    int code = c.asInt ? KVAsetintparam(env, c.name, static_cast<int>(c.value))
                       : KVAsetdblparam(env, c.name, c.value);
    EXPECT_EQ(code, c.code) << c.name << " " << c.value;
  }
  EXPECT_EQ(KVAsetstrparam(env, "LogFile", ""), KVA_OK);
  EXPECT_EQ(KVAsetstrparam(env, "LogFile", "/nonexistent-dir/x.log"),
            KVA_ERROR_FILE);
  EXPECT_EQ(KVAsetstrparam(env, "Method", "1"), unknown);
  EXPECT_EQ(KVAsetintparam(env, nullptr, 1), unknown);
  EXPECT_EQ(KVAsetintparam(nullptr, "Method", 1), KVA_ERROR_NULL_ARGUMENT);
  EXPECT_EQ(KVAfreeenv(env), KVA_OK);
}

TEST(LibkorvaParametersTest, EnvironmentLifeCycle) {
  KVAenv env = nullptr;
  ASSERT_EQ(KVAemptyenv(&env), KVA_OK);
  int dummy = 0;
  EXPECT_EQ(KVAsetlogcallback(env, nullptr, &dummy),
            KVA_ERROR_INVALID_ARGUMENT);
  double obj = 1, lb = 0, ub = 1;
  KVAmodel model = nullptr;
  EXPECT_EQ(KVAnewmodel(env, &model, "m", 1, &obj, &lb, &ub, nullptr, nullptr),
            KVA_ERROR_ENV_NOT_STARTED);
  EXPECT_EQ(model, nullptr);
  ASSERT_EQ(KVAstartenv(env), KVA_OK);
  EXPECT_EQ(KVAstartenv(env), KVA_ERROR_ENV_STARTED);
  // Parameters may still change after the start.
  EXPECT_EQ(KVAsetintparam(env, "Method", 0), KVA_OK);
  ASSERT_EQ(KVAnewmodel(env, &model, "m", 1, &obj, &lb, &ub, nullptr, nullptr),
            KVA_OK);
  EXPECT_EQ(KVAfreemodel(model), KVA_OK);
  EXPECT_EQ(KVAfreeenv(env), KVA_OK);
  EXPECT_EQ(KVAemptyenv(nullptr), KVA_ERROR_NULL_ARGUMENT);
}

class LibkorvaParameterEffectTest : public LibkorvaTest {};

TEST_F(LibkorvaParameterEffectTest, SettingsReachCbc) {
  // max 5a + 4b + 3c + 1 s.t. 2a + 3b + c <= 4, binary: 9 at (1, 0, 1).
  DenseModel knapsack =
      withRows(variables({5, 4, 3}, {}, -1, "BBB"), {{2, 3, 1}}, "<", {4});
  knapsack.objConst = 1;
  struct Case {
    const char *name;
    double value;
    int status;
    const char *logMention;
  };
  const Case cases[] = {
      // A cutoff is in the model's sense with its constant: above the
      // optimum it leaves nothing.
      {"MIP/Cutoff", 9.5, KVA_INFEASIBLE, nullptr},
      {"MIP/Cutoff", 8.5, KVA_OPTIMAL, nullptr},
      // The header names the settings away from their defaults.
      {"MIP/LevelStrong", 0, KVA_OPTIMAL, "MIP/LevelStrong 0"},
      {"MIP/LevelCuts", 0, KVA_OPTIMAL, "MIP/LevelCuts 0"},
      {"MIP/LevelHeurs", 0, KVA_OPTIMAL, "MIP/LevelHeurs 0"},
      {"MIP/LevelProbing", 0, KVA_OPTIMAL, "MIP/LevelProbing 0"},
  };
  ASSERT_EQ(solve(knapsack), KVA_OPTIMAL);
  std::string defaults = log();
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.value));
    TearDown();
    SetUp();
    setParam(c.name, c.value);
    ASSERT_EQ(solve(knapsack), c.status) << log();
    if (c.status == KVA_OPTIMAL) {
      EXPECT_NEAR(objVal(), 9, 1e-9);
    }
    if (c.logMention != nullptr) {
      EXPECT_EQ(defaults.find(c.logMention), std::string::npos);
      EXPECT_NE(log().find(c.logMention), std::string::npos) << log();
    }
  }
}

}  // namespace
