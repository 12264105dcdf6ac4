// Small models with known optima, solved with every Method and with and
// without presolve; and the model classes no backend handles yet.
#include <cmath>
#include <functional>

#include "tests/libkorva/model_builders.h"
#include "tests/libkorva/solver_fixture.h"

namespace {

constexpr double inf = KVA_INFINITY;

struct KnownOutcome {
  const char *name;
  DenseModel model;
  int status;
  std::vector<double> x;  // empty: not checked
  double objVal;
  std::function<void(KVAmodel)> addParts = nullptr;
  const char *logMention = nullptr;  // for UNSUPPORTED: what the log names
};

DenseModel variables(std::vector<double> obj, std::vector<double> ub,
                     int objSense = 1) {
  DenseModel m;
  m.obj = std::move(obj);
  m.ub = std::move(ub);
  m.objSense = objSense;
  return m;
}

// max x + y  s.t.  x + 2y <= 4,  3x + y <= 6  ->  x = 1.6, y = 1.2.
DenseModel twoRowMax() {
  DenseModel m = variables({1, 1}, {}, -1);
  m.rows = {{1, 2}, {3, 1}};
  m.sense = "<<";
  m.rhs = {4, 6};
  return m;
}

std::vector<KnownOutcome> linearCases() {
  std::vector<KnownOutcome> cases;
  cases.push_back({"maximise", twoRowMax(), KVA_OPTIMAL, {1.6, 1.2}, 2.8});
  DenseModel withConst = twoRowMax();
  withConst.objConst = 10;
  cases.push_back({"constant", withConst, KVA_OPTIMAL, {1.6, 1.2}, 12.8});
  // min x + 2y  s.t.  x + y >= 3, x <= 2.
  DenseModel minimise = variables({1, 2}, {2, inf});
  minimise.rows = {{1, 1}};
  minimise.sense = ">";
  minimise.rhs = {3};
  cases.push_back({"minimise", minimise, KVA_OPTIMAL, {2, 1}, 4});
  DenseModel equality = minimise;
  equality.sense = "=";
  equality.rhs = {5};
  cases.push_back({"equality", equality, KVA_OPTIMAL, {2, 3}, 8});
  // min x - y  s.t.  x - y >= -2, x + y = 0, both free.
  DenseModel freeVars = variables({1, -1}, {});
  freeVars.rows = {{1, -1}, {1, 1}};
  freeVars.sense = ">=";
  freeVars.rhs = {-2, 0};
  freeVars.lb = {-inf, -inf};
  cases.push_back({"free variables", freeVars, KVA_OPTIMAL, {-1, 1}, -2});

  DenseModel milp = twoRowMax();
  milp.vtype = "II";
  cases.push_back({"MILP", milp, KVA_OPTIMAL, {}, 2});
  // max 5a + 4b + 3c  s.t.  2a + 3b + c <= 4.
  DenseModel binary = variables({5, 4, 3}, {}, -1);
  binary.rows = {{2, 3, 1}};
  binary.sense = "<";
  binary.rhs = {4};
  binary.vtype = "BBB";
  cases.push_back({"binary knapsack", binary, KVA_OPTIMAL, {1, 0, 1}, 8});
  DenseModel mixed = binary;
  mixed.vtype = "BIC";
  mixed.ub = {1, 1, 0.5};
  cases.push_back({"mixed types", mixed, KVA_OPTIMAL, {1, 0, 0.5}, 6.5});

  DenseModel infeasible = minimise;
  infeasible.rows = {{1, 1}, {1, 1}};
  infeasible.sense = "><";
  infeasible.rhs = {3, 2};
  cases.push_back({"infeasible LP", infeasible, KVA_INFEASIBLE, {}, 0});
  infeasible.vtype = "IC";
  cases.push_back({"infeasible MILP", infeasible, KVA_INFEASIBLE, {}, 0});
  DenseModel unbounded = twoRowMax();
  unbounded.rows = {{1, -1}};
  unbounded.sense = "<";
  unbounded.rhs = {1};
  cases.push_back({"unbounded LP", unbounded, KVA_UNBOUNDED, {}, 0});
  unbounded.vtype = "IC";
  cases.push_back({"unbounded MILP", unbounded, KVA_UNBOUNDED, {}, 0});
  return cases;
}

// x0 + x1 + x2 + x3 <= 10 on [0, 1] variables, maximising x0 + 2x1 + 3x2 +
// x3: an SOS over x0..x2 keeps only the best one (type 1) or the best
// neighbouring pair (type 2) of them.
DenseModel sosBase() {
  DenseModel m = variables({1, 2, 3, 1}, {1, 1, 1, 1}, -1);
  m.rows = {{1, 1, 1, 1}};
  m.sense = "<";
  m.rhs = {10};
  return m;
}

DenseModel withTypes(DenseModel m, const char *vtype) {
  m.vtype = vtype;
  return m;
}

std::vector<KnownOutcome> specialCases() {
  std::vector<KnownOutcome> cases;
  // (x - 1)^2 + (y - 2)^2 - 5 with x + y <= 2.
  DenseModel qp = variables({-2, -4}, {inf, inf});
  qp.rows = {{1, 1}};
  qp.sense = "<";
  qp.rhs = {2};
  cases.push_back({"convex QP", qp, KVA_OPTIMAL, {0.5, 1.5}, -4.5, [](auto m) {
                     addQpTerms(m, {{0, 1}, {0, 1}, {1, 1}});
                   }});
  // x^2 + xy + y^2 - 3x - 3y, the cross term given in both triangles.
  cases.push_back(
      {"QP, both triangles",
       variables({-3, -3}, {inf, inf}),
       KVA_OPTIMAL,
       {1, 1},
       -3,
       [](auto m) {
         addQpTerms(m, {{0, 0, 1, 1}, {0, 1, 0, 1}, {1, .5, .5, 1}});
       }});
  cases.push_back({"concave maximisation",
                   variables({3, 3}, {inf, inf}, -1),
                   KVA_OPTIMAL,
                   {1, 1},
                   3,
                   [](auto m) {
                     addQpTerms(m, {{0, 1, 1}, {0, 0, 1}, {-1, -1, -1}});
                   }});
  // x0^2 - x1 falls without bound in x1; x0^2 under x0 + x1 <= -1 has no
  // point at all.
  cases.push_back({"unbounded QP",
                   variables({0, -1}, {inf, inf}),
                   KVA_UNBOUNDED,
                   {},
                   0,
                   [](auto m) {
                     addQpTerms(m, {{0}, {0}, {1}});
                   }});
  DenseModel noPoint = variables({0, 0}, {inf, inf});
  noPoint.rows = {{1, 1}};
  noPoint.sense = "<";
  noPoint.rhs = {-1};
  cases.push_back({"infeasible QP", noPoint, KVA_INFEASIBLE, {}, 0, [](auto m) {
                     addQpTerms(m, {{0}, {0}, {1}});
                   }});
  cases.push_back({"SOS1", sosBase(), KVA_OPTIMAL, {0, 0, 1, 1}, 4, [](auto m) {
                     addSos(m, 1, {0, 1, 2}, {1, 2, 3});
                   }});
  cases.push_back({"SOS2", sosBase(), KVA_OPTIMAL, {0, 1, 1, 1}, 6, [](auto m) {
                     addSos(m, 2, {0, 1, 2}, {1, 2, 3});
                   }});
  // Cbc's set branching assumes members that may be zero.
  DenseModel positiveMember = sosBase();
  positiveMember.lb = {0, 0.5, 0, 0};
  cases.push_back({"SOS member above zero",
                   positiveMember,
                   KVA_UNSUPPORTED,
                   {},
                   0,
                   [](auto m) {
                     addSos(m, 1, {0, 1, 2}, {1, 2, 3});
                   },
                   "bounds exclude zero"});
  // max x + 10z, x in [0, 10]: z = 1 forces x <= 2.
  DenseModel indicator = withTypes(variables({1, 10}, {10, 1}, -1), "CB");
  cases.push_back(
      {"indicator on 1", indicator, KVA_OPTIMAL, {2, 1}, 12, [](auto m) {
         addIndicator(m, 1, 1, {{0}, {1}}, '<', 2);
       }});
  // min x + 5z: z = 0 would force x >= 8, so z = 1 is cheaper.
  cases.push_back({"indicator on 0",
                   withTypes(variables({1, 5}, {10, 1}), "CB"),
                   KVA_OPTIMAL,
                   {0, 1},
                   5,
                   [](auto m) {
                     addIndicator(m, 1, 0, {{0}, {1}}, '>', 8);
                   }});
  // min -x - 10z: z = 1 pins x to 3 (-13), which beats z = 0, x = 10.
  cases.push_back({"indicator equality",
                   withTypes(variables({-1, -10}, {10, 1}), "CB"),
                   KVA_OPTIMAL,
                   {3, 1},
                   -13,
                   [](auto m) {
                     addIndicator(m, 1, 1, {{0}, {1}}, '=', 3);
                   }});

  cases.push_back({"non-convex QP",
                   variables({0, 0}, {1, 1}),
                   KVA_UNSUPPORTED,
                   {},
                   0,
                   [](auto m) {
                     addQpTerms(m, {{0}, {1}, {1}});
                   },
                   "not convex"});
  DenseModel unboundedX = indicator;
  unboundedX.ub = {inf, 1};
  cases.push_back({"indicator without a bound",
                   unboundedX,
                   KVA_UNSUPPORTED,
                   {},
                   0,
                   [](auto m) {
                     addIndicator(m, 1, 1, {{0}, {1}}, '<', 2);
                   },
                   "big-M"});
  // x0^2 - 3.2 x0 over the integers: 2, where the relaxation gives 1.6.
  cases.push_back({"MIQP",
                   withTypes(variables({-3.2, 0}, {3, 3}), "IC"),
                   KVA_OPTIMAL,
                   {2},
                   -2.4,
                   [](auto m) {
                     addQpTerms(m, {{0}, {0}, {1}});
                   }});
  cases.push_back({"quadratic constraint",
                   variables({1, 1}, {inf, inf}, -1),
                   KVA_OPTIMAL,
                   {std::sqrt(0.5), std::sqrt(0.5)},
                   std::sqrt(2.0),
                   [](auto m) {
                     addQuadConstraint(m, {}, {{0, 1}, {0, 1}, {1, 1}}, '<', 1);
                   }});
  cases.push_back({"semidefinite variable with an integer one",
                   withTypes(variables({1}, {inf}), "I"),
                   KVA_UNSUPPORTED,
                   {},
                   0,
                   [](auto m) {
                     int flat[] = {0, 3};
                     double vals[] = {1, 1};
                     KVAaddpsdvar(m, 2, 2, flat, vals, nullptr);
                   },
                   "MISDP"});
  return cases;
}

class LibkorvaSolveTest : public LibkorvaTest {
 protected:
  void check(const KnownOutcome &c) {
    clearLog();
    load(c.model);
    if (c.addParts) c.addParts(model);
    ASSERT_EQ(KVAoptimize(model), KVA_OK);
    ASSERT_EQ(status(), c.status) << log();
    double value = 0;
    int pointCode = KVAgetdblattr(model, "ObjVal", &value);
    if (c.status != KVA_OPTIMAL) {
      EXPECT_EQ(pointCode, KVA_ERROR_DATA_NOT_AVAILABLE);
    } else {
      EXPECT_NEAR(objVal(), c.objVal, 1e-6);
      std::vector<double> values = x();
      for (size_t j = 0; j < c.x.size(); ++j) {
        EXPECT_NEAR(values[j], c.x[j], 1e-6) << "x[" << j << "]";
      }
    }
    if (c.logMention != nullptr) {
      EXPECT_NE(log().find(std::string("Unsupported: ")), std::string::npos);
      EXPECT_NE(log().find(c.logMention), std::string::npos) << log();
    }
    EXPECT_EQ(KVAfreemodel(model), KVA_OK);
    model = nullptr;
  }
};

TEST_F(LibkorvaSolveTest, KnownOutcomesWithEveryMethodAndPresolve) {
  std::vector<KnownOutcome> cases = linearCases();
  for (KnownOutcome &c : specialCases()) cases.push_back(std::move(c));
  for (int method : {-1, 0, 1, 2}) {
    for (int presolve : {-1, 0}) {
      ASSERT_EQ(KVAsetintparam(env, "Method", method), KVA_OK);
      ASSERT_EQ(KVAsetintparam(env, "Presolve", presolve), KVA_OK);
      for (const KnownOutcome &c : cases) {
        SCOPED_TRACE(std::string(c.name) + ", method " +
                     std::to_string(method) + ", presolve " +
                     std::to_string(presolve));
        check(c);
      }
    }
  }
}

}  // namespace

namespace {

TEST_F(LibkorvaSolveTest, ReducedCostsOfAMaximisedModelAreNeverNegativeZero) {
  // Both columns are basic, so their reduced costs are zeros that the
  // change back to the model's sense must not turn into -0.
  for (int method : {1, 2}) {
    SCOPED_TRACE(method);
    ASSERT_EQ(KVAsetintparam(env, "Method", method), KVA_OK);
    ASSERT_EQ(solve(twoRowMax()), KVA_OPTIMAL);
    double rc[2] = {1, 1};
    ASSERT_EQ(KVAgetdblattrarray(model, "RC", 0, 2, rc), KVA_OK);
    for (double value : rc) {
      EXPECT_EQ(value, 0.0);
      EXPECT_FALSE(std::signbit(value));
    }
    ASSERT_EQ(KVAfreemodel(model), KVA_OK);
    model = nullptr;
  }
}

}  // namespace
