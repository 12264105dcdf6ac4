// Quadratic constraints and mixed-integer quadratic models solved by
// Bonmin: known optima, convexity refusals, limits and stop requests.
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include "tests/libkorva/model_builders.h"
#include "tests/libkorva/solver_fixture.h"

namespace {

class LibkorvaMinlpTest : public LibkorvaTest {
 protected:
  bool has(const char *attribute) {
    double value = 0;
    return KVAgetdblattr(model, attribute, &value) == KVA_OK;
  }
};

TEST_F(LibkorvaMinlpTest, ConvexQcpWithLowerSideOnAConcaveFunction) {
  // min -x - y s.t. -x^2 - y^2 >= -2, x - y = 0.5, x and y free:
  // x = y + 0.5 on the circle, y = (sqrt(15) - 1) / 4.
  DenseModel m;
  m.obj = {-1, -1};
  m.lb = {-KVA_INFINITY, -KVA_INFINITY};
  m.rows = {{1, -1}};
  m.sense = "=";
  m.rhs = {0.5};
  load(m);
  ASSERT_EQ(addQuadConstraint(model, {}, {{0, 1}, {0, 1}, {-1, -1}}, '>', -2),
            KVA_OK);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  ASSERT_EQ(status(), KVA_OPTIMAL) << log();
  double y = (std::sqrt(15.0) - 1) / 4;
  std::vector<double> values = x();
  EXPECT_NEAR(values[0], y + 0.5, 1e-6);
  EXPECT_NEAR(values[1], y, 1e-6);
  EXPECT_NEAR(objVal(), -2 * y - 0.5, 1e-6);
  EXPECT_NE(log().find("QCP solved by Bonmin"), std::string::npos);
  // Ipopt's iteration table reaches the callback.
  EXPECT_NE(log().find("Number of Iterations"), std::string::npos) << log();
}

TEST_F(LibkorvaMinlpTest, MiqcpOptimumIsAnIntegerPointInsideTheCircle) {
  // max x + y + 10 over integers with x^2 + y^2 <= 5.5: 13 at (1, 2) or
  // (2, 1), where the relaxation reaches 10 + sqrt(11).
  DenseModel m;
  m.obj = {1, 1};
  m.lb = {-5, -5};
  m.ub = {5, 5};
  m.vtype = "II";
  m.objSense = -1;
  m.objConst = 10;
  load(m);
  ASSERT_EQ(addQuadConstraint(model, {}, {{0, 1}, {0, 1}, {1, 1}}, '<', 5.5),
            KVA_OK);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  ASSERT_EQ(status(), KVA_OPTIMAL) << log();
  EXPECT_NEAR(objVal(), 13, 1e-6);
  std::vector<double> values = x();
  EXPECT_NEAR(values[0] + values[1], 3, 1e-6);
  EXPECT_NEAR(values[0] * values[1], 2, 1e-6);
  double gap = -1;
  ASSERT_EQ(KVAgetdblattr(model, "MIP/GapAbs", &gap), KVA_OK);
  EXPECT_LE(gap, 1e-4);
}

TEST_F(LibkorvaMinlpTest, InfeasibleAndUnboundedQcps) {
  // x^2 + y^2 <= 1 with x >= 2 has no point.
  DenseModel m;
  m.obj = {1, 1};
  m.lb = {2, -KVA_INFINITY};
  load(m);
  ASSERT_EQ(addQuadConstraint(model, {}, {{0, 1}, {0, 1}, {1, 1}}, '<', 1),
            KVA_OK);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(status(), KVA_INFEASIBLE);
  KVAfreemodel(model);
  model = nullptr;

  // min -y with x^2 <= y: the objective falls without bound along y.
  m.obj = {0, -1};
  m.lb = {-KVA_INFINITY, -KVA_INFINITY};
  load(m);
  ASSERT_EQ(addQuadConstraint(model, {{1}, {-1}}, {{0}, {0}, {1}}, '<', 0),
            KVA_OK);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(status(), KVA_UNBOUNDED) << log();
  EXPECT_FALSE(has("ObjVal"));
}

// Without variables a constraint is the constant 0 between its sides.
TEST_F(LibkorvaMinlpTest, ConstraintsWithoutVariables) {
  for (double rhs : {1.0, -1.0}) {
    DenseModel none;
    load(none);
    ASSERT_EQ(addQuadConstraint(model, {}, {}, '<', rhs), KVA_OK);
    ASSERT_EQ(KVAoptimize(model), KVA_OK);
    EXPECT_EQ(status(), rhs > 0 ? KVA_OPTIMAL : KVA_INFEASIBLE);
    KVAfreemodel(model);
    model = nullptr;
  }
}

TEST_F(LibkorvaMinlpTest, NonConvexModelsAreRefusedWithALogLine) {
  struct Case {
    const char *name;
    int objSense;
    Triplets objective;
    Triplets constraint;
    char sense;
    const char *logMention;
  };
  const Case cases[] = {
      {"saddle constraint",
       1,
       {},
       {{0, 1}, {0, 1}, {1, -1}},
       '<',
       "constraint 0"},
      {"convex function bounded below",
       1,
       {},
       {{0, 1}, {0, 1}, {1, 1}},
       '>',
       "constraint 0"},
      {"concave objective minimised",
       1,
       {{0}, {0}, {-1}},
       {},
       '<',
       "not convex"},
      {"convex objective maximised",
       -1,
       {{0}, {0}, {1}},
       {},
       '<',
       "not concave"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    clearLog();
    DenseModel m;
    m.obj = {1, 1};
    m.ub = {3, 3};
    m.vtype = "IC";
    m.objSense = c.objSense;
    load(m);
    if (!c.objective.vals.empty()) addQpTerms(model, c.objective);
    if (!c.constraint.vals.empty()) {
      addQuadConstraint(model, {}, c.constraint, c.sense, 1);
    }
    ASSERT_EQ(KVAoptimize(model), KVA_OK);
    EXPECT_EQ(status(), KVA_UNSUPPORTED);
    EXPECT_NE(log().find("Unsupported: "), std::string::npos);
    EXPECT_NE(log().find(c.logMention), std::string::npos) << log();
    EXPECT_FALSE(has("ObjVal"));
    KVAfreemodel(model);
    model = nullptr;
  }
}

TEST_F(LibkorvaMinlpTest, RangedQuadraticConstraintIsNotConvex) {
  DenseModel m;
  m.obj = {1, 1};
  load(m);
  ASSERT_EQ(addQuadConstraint(model, {}, {{0, 1}, {0, 1}, {1, 1}}, '<', 2),
            KVA_OK);
  int count = 0;
  ASSERT_EQ(KVAgetintattr(model, "NumConss", &count), KVA_OK);
  ASSERT_EQ(KVAsetdblattrelement(model, "LHS", count - 1, 1.0), KVA_OK);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(status(), KVA_UNSUPPORTED);
}

class LibkorvaMinlpLimitsTest : public LibkorvaMinlpTest {
 protected:
  // A 0-1 knapsack with a concave quadratic bonus: far too long a search
  // for Bonmin to finish.
  void loadHard() {
    load(hardKnapsack(60, 5));
    Triplets bonus;
    for (int j = 0; j < 60; ++j) {
      bonus.rows.push_back(j);
      bonus.cols.push_back(j);
      bonus.vals.push_back(-0.5 - j % 7);
    }
    ASSERT_EQ(addQpTerms(model, bonus), KVA_OK);
  }
};

TEST_F(LibkorvaMinlpLimitsTest, TimeLimitStopsTheSearch) {
  loadHard();
  ASSERT_EQ(KVAsetdblparam(env, "MaxTime", 0.5), KVA_OK);
  auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
          .count();
  EXPECT_LT(seconds, 10.0);
  int s = status();
  EXPECT_TRUE(s == KVA_SUB_OPTIMAL || s == KVA_TIME_LIMIT) << s;
  EXPECT_EQ(has("ObjVal"), s == KVA_SUB_OPTIMAL);
}

TEST_F(LibkorvaMinlpLimitsTest, TerminateFromAnotherThreadEndsTheSearch) {
  ASSERT_EQ(KVAsetdblparam(env, "MaxTime", 60.0), KVA_OK);
  loadHard();
  std::thread worker([this] { KVAoptimize(model); });
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(KVAterminate(model), KVA_OK);
  worker.join();
  double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
          .count();
  EXPECT_EQ(status(), KVA_INTERRUPTED);
  EXPECT_LT(seconds, 10.0);
}

}  // namespace
