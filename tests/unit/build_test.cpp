// Building the model in the library: the model the library holds when the
// solve starts, the optimum of a small model of every kind (which depends
// on every part the module passed), the checks made before any model
// exists, and the failure of each library step.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "unit_support.h"

namespace {

using testhost::cell;
using testhost::row;
using testhost::scalar;
using testhost::setField;
using testhost::sparse;
using testhost::text;
using unit::Fields;
using unit::merged;
using unit::solve;

constexpr double inf = KVA_INFINITY;
const double unset = std::nan("");

// Three variables and two rows: the matrix path.
Fields matrixModel(const Fields &extra = {}) {
  return merged({{"A", sparse(2, 3, {{0, 0, 1}, {1, 1, 3}, {0, 2, 2}})},
                 {"obj", row({1, 2, 3})},
                 {"rhs", row({4, 5})}},
                extra);
}

// Three variables from "obj" alone.
Fields objectiveModel(const Fields &extra = {}) {
  return merged({{"obj", row({1, 2, 3})}}, extra);
}

void expectSame(const std::vector<double> &actual,
                const std::vector<double> &expected, const char *what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (size_t k = 0; k < expected.size(); ++k) {
    if (std::isnan(expected[k])) {
      EXPECT_TRUE(std::isnan(actual[k])) << what << "[" << k << "]";
    } else {
      EXPECT_EQ(actual[k], expected[k]) << what << "[" << k << "]";
    }
  }
}

TEST(Build, TheLibraryHoldsTheLinearModelAsGiven) {
  struct Case {
    const char *what;
    Fields model;
    int numConss;
    std::vector<double> lhs, rhs, lb, ub, start;
    int sense;
    double objConst;
  };
  const Case cases[] = {
      {"senses per row, default bounds",
       matrixModel({{"lhsorsense", text("<>")}}),
       2,
       {-inf, 5},
       {4, inf},
       {0, 0, 0},
       {inf, inf, inf},
       {unset, unset, unset},
       1,
       0},
      {"one sense for every row",
       matrixModel({{"lhsorsense", text("=")}}),
       2,
       {4, 5},
       {4, 5},
       {0, 0, 0},
       {inf, inf, inf},
       {unset, unset, unset},
       1,
       0},
      {"no sense: at most",
       matrixModel(),
       2,
       {-inf, -inf},
       {4, 5},
       {0, 0, 0},
       {inf, inf, inf},
       {unset, unset, unset},
       1,
       0},
      {"ranged rows, bounds, sense and constant",
       matrixModel({{"lhsorsense", row({1, -2})},
                    {"lb", row({-1, 0, 1})},
                    {"ub", row({1, 2, 3})},
                    {"modelsense", text("max")},
                    {"objcon", scalar(2.5)}}),
       2,
       {1, -2},
       {4, 5},
       {-1, 0, 1},
       {1, 2, 3},
       {unset, unset, unset},
       -1,
       2.5},
      {"objective alone",
       objectiveModel({{"modelsense", text("Max")},
                       {"objcon", scalar(-1)},
                       {"start", row({5, 6, 7})}}),
       0,
       {},
       {},
       {0, 0, 0},
       {inf, inf, inf},
       {5, 6, 7},
       -1,
       -1},
      {"a matrix without rhs is left out",
       objectiveModel({{"A", sparse(2, 3, {{1, 1, 1}})}}),
       0,
       {},
       {},
       {0, 0, 0},
       {inf, inf, inf},
       {unset, unset, unset},
       1,
       0},
      {"start values for the first variables",
       objectiveModel({{"start", row({5})}}),
       0,
       {},
       {},
       {0, 0, 0},
       {inf, inf, inf},
       {5, unset, unset},
       1,
       0},
      {"start values beyond the variables are skipped",
       objectiveModel({{"start", row({1, 2, 3, 4})}}),
       0,
       {},
       {},
       {0, 0, 0},
       {inf, inf, inf},
       {unset, unset, unset},
       1,
       0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    probe::reset();
    testhost::CallResult result = solve(c.model);
    ASSERT_FALSE(result.raised) << result.message;
    probe::ModelSnapshot model = probe::lastModel();
    EXPECT_EQ(model.numVars, 3);
    EXPECT_EQ(model.numConss, c.numConss);
    expectSame(model.obj, {1, 2, 3}, "obj");
    expectSame(model.lhs, c.lhs, "lhs");
    expectSame(model.rhs, c.rhs, "rhs");
    expectSame(model.lb, c.lb, "lb");
    expectSame(model.ub, c.ub, "ub");
    expectSame(model.start, c.start, "start");
    EXPECT_EQ(model.modelSense, c.sense);
    EXPECT_EQ(model.objConst, c.objConst);
    unit::expectNothingLeft(result);
  }
}

// min x^2 + xy + y^2 - 2x - 4y: Q's entries count as given, in both
// triangles (x = 0, y = 2 gives -4; a symmetrised Q would give -5).
Fields quadraticObjective() {
  return {{"obj", row({-2, -4})},
          {"lb", row({-inf, -inf})},
          {"Q", sparse(2, 2, {{0, 0, 1}, {0, 1, 1}, {1, 1, 1}})}};
}

// max 5x + 4y with 6x + 4y <= 24 and x + 2y <= 6: 21 at (3, 1.5), 20 at
// (4, 0) over the integers.
Fields knapsack(const char *vtype) {
  return {{"A", sparse(2, 2, {{0, 0, 6}, {0, 1, 4}, {1, 0, 1}, {1, 1, 2}})},
          {"obj", row({5, 4})},
          {"rhs", row({24, 6})},
          {"modelsense", text("max")},
          {"vtype", text(vtype)}};
}

// max x + 2y + 3z with x + y + z <= 2 on [0, 1]: 5 without a set.
Fields sosModel(double type, std::initializer_list<double> index) {
  return {{"A", sparse(1, 3, {{0, 0, 1}, {0, 1, 1}, {0, 2, 1}})},
          {"obj", row({1, 2, 3})},
          {"rhs", row({2})},
          {"ub", row({1, 1, 1})},
          {"modelsense", text("max")},
          {"sos", testhost::structure({{"type", scalar(type)},
                                       {"index", row(index)},
                                       {"weight", row({1, 2, 3})}})}};
}

// max x + 10z with x in [0, 10] and z binary: z = binval forces x <= 2.
Fields indicatorModel(double binval, mxArray *a) {
  return {{"obj", row({1, 10})},
          {"ub", row({10, 1})},
          {"vtype", text("CB")},
          {"modelsense", text("max")},
          {"genconind", testhost::structure({{"binvar", scalar(2)},
                                             {"binval", scalar(binval)},
                                             {"a", a},
                                             {"sense", text("<=")},
                                             {"rhs", scalar(2)}})}};
}

// min trace(C X) + 0.1 t over X psd with trace(X) + t = 1 and t in
// [0, 0.5]: C's smallest eigenvalue is 1, so t = 0.5 and the optimum is
// 0.55. The constraint names the second of two variables.
Fields semidefinite(mxArray *linearterm) {
  mxArray *psdvar = testhost::structArray(2, {"obj"});
  setField(psdvar, 0, "obj", sparse(1, 1, {{0, 0, 1}}));
  setField(psdvar, 1, "obj",
           sparse(2, 2, {{0, 0, 2}, {0, 1, 1}, {1, 0, 1}, {1, 1, 2}}));
  mxArray *psdcon = testhost::structArray(
      2, {"psdmats", "indices", "linearterm", "rhs", "lhsorsense"});
  setField(psdcon, 0, "psdmats", cell({sparse(2, 2, {{0, 0, 1}, {1, 1, 1}})}));
  setField(psdcon, 0, "indices", row({2}));
  setField(psdcon, 0, "linearterm", linearterm);
  setField(psdcon, 0, "rhs", scalar(1));
  setField(psdcon, 0, "lhsorsense", text("="));
  // The first variable, alone in a ranged constraint: 0 <= X <= 1.
  setField(psdcon, 1, "psdmats", cell({sparse(1, 1, {{0, 0, 1}})}));
  setField(psdcon, 1, "indices", row({1}));
  setField(psdcon, 1, "rhs", scalar(1));
  setField(psdcon, 1, "lhsorsense", scalar(0));
  return {{"obj", row({0.1})},
          {"ub", row({0.5})},
          {"psdvar", psdvar},
          {"psdcon", psdcon}};
}

// max x + y inside the unit circle: sqrt 2.
Fields circle(mxArray *quadcon) {
  return {{"obj", row({1, 1})},
          {"lb", row({-inf, -inf})},
          {"modelsense", text("max")},
          {"quadcon", quadcon}};
}

TEST(Build, EachPartReachesTheLibraryAsGiven) {
  struct Case {
    const char *what;
    std::function<Fields()> model;
    double objVal;
    std::vector<double> x;
  };
  const Case cases[] = {
      {"quadratic objective", quadraticObjective, -4, {0, 2}},
      {"continuous types", [] { return knapsack("CC"); }, 21, {3, 1.5}},
      {"integer types", [] { return knapsack("II"); }, 20, {4, 0}},
      {"types beyond the variables are skipped",
       [] { return knapsack("IIC"); },
       21,
       {3, 1.5}},
      {"SOS1 keeps one member",
       [] {
         return sosModel(1.9, {2, 1, 3});
       },
       3,
       {0, 0, 1}},
      // Weights order the members y, x, z: only neighbours may be nonzero.
      {"SOS2 keeps neighbours",
       [] {
         return sosModel(2, {2, 1, 3});
       },
       4,
       {1, 0, 1}},
      {"indicator on 1",
       [] {
         return indicatorModel(1, row({1, 0}));
       },
       12,
       {2, 1}},
      {"indicator on 0, sparse",
       [] {
         return indicatorModel(0, sparse(1, 2, {{0, 0, 1}}));
       },
       20,
       {10, 1}},
      {"quadratic constraint as a matrix",
       [] {
         return circle(
             testhost::structure({{"Qc", sparse(2, 2, {{0, 0, 1}, {1, 1, 1}})},
                                  {"rhs", scalar(1)}}));
       },
       std::sqrt(2.0),
       {std::sqrt(0.5), std::sqrt(0.5)}},
      // x^2 + y^2 - 2y <= 0: the circle of radius 1 around (0, 1).
      {"quadratic constraint as triplets with a linear part",
       [] {
         return circle(testhost::structure({{"Qrow", row({1, 2})},
                                            {"Qcol", row({1, 2.9})},
                                            {"Qval", row({1, 1})},
                                            {"q", sparse(1, 2, {{0, 1, -2}})},
                                            {"lhsorsense", text("<")}}));
       },
       1 + std::sqrt(2.0),
       {std::sqrt(0.5), 1 + std::sqrt(0.5)}},
      {"semidefinite, dense linear term",
       [] { return semidefinite(row({1})); },
       0.55,
       {0.5}},
      {"semidefinite, sparse linear term",
       [] {
         return semidefinite(sparse(1, 1, {{0, 0, 1}}));
       },
       0.55,
       {0.5}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    testhost::CallResult result = solve(c.model());
    ASSERT_EQ(unit::status(result), "OPTIMAL");
    EXPECT_NEAR(unit::number(result, "ObjVal"), c.objVal, 1e-6);
    std::vector<double> x = unit::vector(result, "X");
    ASSERT_EQ(x.size(), c.x.size());
    for (size_t j = 0; j < x.size(); ++j) {
      EXPECT_NEAR(x[j], c.x[j], 1e-5) << "x[" << j << "]";
    }
    unit::expectNothingLeft(result);
  }
}

// A ranged quadratic constraint gets both sides, after the linear rows; the
// parts a model gives are all counted, semidefinite ones only in pairs.
TEST(Build, CountsAndSidesOfTheAddedParts) {
  mxArray *quadcon = testhost::structArray(2, {"Qc", "rhs", "lhsorsense"});
  setField(quadcon, 0, "Qc", sparse(3, 3, {{0, 0, 1}}));
  setField(quadcon, 0, "rhs", scalar(4));
  setField(quadcon, 0, "lhsorsense", scalar(1));
  setField(quadcon, 1, "rhs", scalar(5));
  setField(quadcon, 1, "lhsorsense", text(">"));
  mxArray *genconind = testhost::structArray(2, {"binvar"});
  setField(genconind, 0, "binvar", scalar(1));
  setField(genconind, 1, "binvar", scalar(2));
  probe::reset();
  solve(
      matrixModel({{"quadcon", quadcon},
                   {"genconind", genconind},
                   {"ub", row({1, 1, 1})},
                   {"psdvar", testhost::structure({{"obj", sparse(1, 1, {})}})},
                   {"sos", testhost::structure({{"type", scalar(1)},
                                                {"index", row({1, 2})},
                                                {"weight", row({1, 2})}})}}));
  probe::ModelSnapshot model = probe::lastModel();
  EXPECT_EQ(model.numQConstrs, 2);
  expectSame(model.lhs, {-inf, -inf, 1, 5}, "lhs");
  expectSame(model.rhs, {4, 5, 4, inf}, "rhs");
  EXPECT_EQ(model.numGenConstrs, 2);
  EXPECT_EQ(model.numSos, 1);
  EXPECT_EQ(model.numPsdVars, 0);
  EXPECT_EQ(model.numPsdConstrs, 0);
}

// Checked before any model exists, in the order rhs, lhsorsense, obj, lb, ub.
TEST(Build, LengthMismatchesAreRefusedInOrder) {
  const std::string rows = " in the linear constraint matrix.";
  const std::string rhs =
      "rhs. Its length should be equal to the number of constraints" + rows;
  const std::string lhs =
      "lhsorsense. The length of lhs should be equal to the number of "
      "constraints" +
      rows;
  const std::string sense =
      "lhsorsense. The length of sense should be one or equal to the number "
      "of constraints" +
      rows;
  const std::string vars =
      ". Its length should be equal to the number of variables.";
  std::pair<Fields, std::string> cases[] = {
      {matrixModel({{"rhs", row({1})}}), rhs},
      {matrixModel({{"rhs", row({1, 2, 3})}, {"lhsorsense", row({1})}}), rhs},
      {matrixModel({{"lhsorsense", row({1})}, {"obj", row({1})}}), lhs},
      {matrixModel({{"lhsorsense", text("<>=")}}), sense},
      {matrixModel({{"obj", row({1, 2})}, {"lb", row({0})}}), "obj" + vars},
      {matrixModel({{"lb", row({0, 0})}, {"ub", row({1})}}), "lb" + vars},
      {matrixModel({{"ub", row({1, 1, 1, 1})}}), "ub" + vars},
      {objectiveModel({{"lb", row({0})}, {"ub", row({1})}}), "lb" + vars},
      {objectiveModel({{"ub", row({1, 2})}}), "ub" + vars},
  };
  for (auto &[model, message] : cases) {
    SCOPED_TRACE(message);
    testhost::CallResult result = solve(model);
    EXPECT_EQ(result.message, message);
    unit::expectNothingLeft(result);
  }
}

TEST(Build, InconsistentConstraintsAreRefusedBeforeAnyIsAdded) {
  const std::string count =
      "The number of variables in the linear term is greater than that in "
      "the objective term.";
  const std::string last =
      "The indices of variables in the linear term are greater than that the "
      "length of objective term.";
  auto quadcons = [](mxArray *third) {
    mxArray *quadcon = testhost::structArray(3, {"q"});
    setField(quadcon, 2, "q", third);
    return Fields{{"obj", row({1, 1, 1})}, {"quadcon", quadcon}};
  };
  auto psdcon = [](Fields constraint) {
    return Fields{
        {"obj", row({1, 1, 1})},
        {"psdvar", testhost::structure({{"obj", sparse(2, 2, {{0, 0, 1}})}})},
        {"psdcon", testhost::structure(std::move(constraint))}};
  };
  auto matrix2 = [] { return cell({sparse(2, 2, {{1, 1, 1}})}); };
  std::pair<Fields, std::string> cases[] = {
      {quadcons(row({1, 1, 1, 1})), "quadcon 2. " + count},
      {quadcons(sparse(1, 4, {{0, 3, 1}})), "quadcon 2. " + last},
      {psdcon({{"linearterm", row({1, 1, 1, 1})}}), "psdcon 0. " + count},
      {psdcon({{"linearterm", sparse(1, 4, {{0, 3, 1}})}}),
       "psdcon 0. " + last},
      {psdcon({{"psdmats", matrix2()}, {"indices", row({1, 1})}}),
       "psdcon 0. The number of psd constraint matrices and the length of "
       "psd variable indices are different."},
      {psdcon({{"psdmats", matrix2()}, {"indices", row({2})}}),
       "psdcon 1. The index of the psd variable is greater than the total "
       "number of psd variables."},
      {psdcon({{"psdmats", matrix2()}, {"indices", row({0})}}),
       "psdcon 1. The index of the psd variable should start from 1."},
      {psdcon({{"psdmats", cell({sparse(3, 3, {})})}, {"indices", row({1})}}),
       "psdcon 1. The matrix sizes of the constraints and variables are "
       "different."},
  };
  for (auto &[model, message] : cases) {
    SCOPED_TRACE(message);
    testhost::CallResult result = solve(model);
    EXPECT_EQ(result.message, message);
    unit::expectNothingLeft(result);
  }
}

TEST(Build, NameCountMismatchWarnsAndTheModelStillSolves) {
  auto names = [](size_t n) {
    std::vector<mxArray *> cells;
    for (size_t i = 0; i < n; ++i) {
      cells.push_back(text("n" + std::to_string(i)));
    }
    return cell(cells);
  };
  const char *vars = "Number of varnames is not equal to numvars!";
  const char *cons = "Number of constrnames is not equal to numconstrs!";
  std::pair<Fields, std::vector<std::string>> cases[] = {
      {matrixModel({{"varnames", names(2)}, {"constrnames", names(3)}}),
       {cons, vars}},
      {matrixModel({{"varnames", names(3)}, {"constrnames", names(2)}}), {}},
      {objectiveModel({{"varnames", names(4)}, {"constrnames", names(1)}}),
       {vars}},
  };
  for (auto &[model, warnings] : cases) {
    testhost::CallResult result = solve(model);
    EXPECT_EQ(unit::status(result), "OPTIMAL");
    EXPECT_EQ(result.warnings, warnings);
  }
}

// Every part a model can have, so that each library step is reached.
Fields everything() {
  mxArray *quadcon = testhost::structArray(2, {"Qc", "rhs", "lhsorsense"});
  setField(quadcon, 0, "Qc", sparse(3, 3, {{0, 0, 1}}));
  setField(quadcon, 0, "rhs", scalar(4));
  setField(quadcon, 1, "rhs", scalar(5));
  setField(quadcon, 1, "lhsorsense", scalar(1));
  mxArray *psdcon =
      testhost::structArray(2, {"psdmats", "indices", "lhsorsense"});
  setField(psdcon, 0, "psdmats", cell({sparse(1, 1, {{0, 0, 1}})}));
  setField(psdcon, 0, "indices", row({1}));
  setField(psdcon, 1, "psdmats", cell({sparse(1, 1, {{0, 0, 1}})}));
  setField(psdcon, 1, "indices", row({1}));
  setField(psdcon, 1, "lhsorsense", scalar(0));
  return matrixModel(
      {{"lhsorsense", row({0, 0})},
       {"objcon", scalar(1)},
       {"vtype", text("ICC")},
       {"modelname", text("m")},
       {"start", row({1, 2})},
       {"Q", sparse(3, 3, {{0, 0, 1}})},
       {"quadcon", quadcon},
       {"sos", testhost::structure({{"type", scalar(1)},
                                    {"index", row({1, 2})},
                                    {"weight", row({1, 2})}})},
       {"psdvar", testhost::structure({{"obj", sparse(1, 1, {{0, 0, 1}})}})},
       {"psdcon", psdcon},
       {"genconind", testhost::structure({{"binvar", scalar(1)}})}});
}

TEST(Build, EachFailingLibraryStepIsNamedAndReleasesEverything) {
  struct Case {
    std::function<Fields()> model;
    const char *function;
    int occurrence;
    const char *step;
  };
  const Case cases[] = {
      {everything, "KVAloadmodel", 1, "linear constraint"},
      {[] { return objectiveModel(); }, "KVAnewmodel", 1, nullptr},
      {everything, "KVAsetdblattrarray", 1, "LHS"},
      {everything, "KVAsetdblattrarray", 2, "RHS"},
      {[] {
         return objectiveModel({{"objcon", scalar(1)}});
       },
       "KVAsetdblattr", 1, "objcon"},
      {everything, "KVAaddqpterms", 1, "Qterm"},
      {everything, "KVAaddqconstr", 2, "quadratic constraint"},
      {everything, "KVAgetintattr", 1, "quadratic constraint"},
      {everything, "KVAsetdblattrelement", 1, "quadratic constraint"},
      {everything, "KVAsetdblattrelement", 2, "quadratic constraint"},
      {everything, "KVAaddsos", 1, "SOS constraint"},
      {everything, "KVAsetcharattrarray", 1, "vtype"},
      {everything, "KVAsetstrattr", 1, "modelname"},
      {everything, "KVAsetdblattrelement", 4, "starts"},
      {everything, "KVAaddpsdvar", 1, "psdvar"},
      {everything, "KVAaddpsdconstr", 1, "psd constraint"},
      {everything, "KVAaddrangepsdconstr", 1, "psd constraint"},
      {everything, "KVAaddgenconstrIndicator", 1, "indicator constraint"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.function) + " " + std::to_string(c.occurrence));
    probe::reset();
    probe::failCall(c.function, c.occurrence);
    testhost::CallResult result = solve(c.model());
    std::string reason = c.step == nullptr
                             ? "creation of the new model"
                             : std::string("addition of ") + c.step;
    EXPECT_EQ(result.message, "Reason : Caused by the " + reason + ".");
    unit::expectNothingLeft(result);
  }
}

}  // namespace
