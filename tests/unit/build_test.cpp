// Building the model in the library: the model the library holds when the
// solve starts, the checks made before any model exists, and the failure
// of each library step. The optimum of a model of every kind, which
// depends on every part the module passed, is checked in Octave.
#include <cmath>
#include <cstdio>
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

// The model as the library holds it, in one line: "-" for a start value
// not set, "inf" for 1e20.
std::string summary(const probe::ModelSnapshot &m) {
  auto list = [](const std::vector<double> &values) {
    std::string text;
    for (double v : values) {
      char item[32];
      std::snprintf(item, sizeof item, " %g", v);
      text += std::isnan(v) ? " -"
              : v >= inf    ? " inf"
              : v <= -inf   ? " -inf"
                            : item;
    }
    return "[" + (text.empty() ? text : text.substr(1)) + "]";
  };
  char head[64];
  std::snprintf(head, sizeof head, "%d vars, sense %d, constant %g", m.numVars,
                m.modelSense, m.objConst);
  return std::string(head) + "; obj " + list(m.obj) + " lb " + list(m.lb) +
         " ub " + list(m.ub) + " start " + list(m.start) + "; lhs " +
         list(m.lhs) + " rhs " + list(m.rhs);
}

TEST(Build, TheLibraryHoldsTheLinearModelAsGiven) {
  const std::string plain =
      "3 vars, sense 1, constant 0; obj [1 2 3] lb [0 0 0] ub [inf inf inf] "
      "start [- - -]; ";
  std::pair<Fields, std::string> cases[] = {
      {matrixModel({{"lhsorsense", text("<>")}}),
       plain + "lhs [-inf 5] rhs [4 inf]"},
      {matrixModel({{"lhsorsense", text("=")}}), plain + "lhs [4 5] rhs [4 5]"},
      {matrixModel(), plain + "lhs [-inf -inf] rhs [4 5]"},
      {matrixModel({{"lhsorsense", row({1, -2})},
                    {"lb", row({-1, 0, 1})},
                    {"ub", row({1, 2, 3})},
                    {"modelsense", text("max")},
                    {"objcon", scalar(2.5)}}),
       "3 vars, sense -1, constant 2.5; obj [1 2 3] lb [-1 0 1] ub [1 2 3] "
       "start [- - -]; lhs [1 -2] rhs [4 5]"},
      {objectiveModel({{"modelsense", text("Max")},
                       {"objcon", scalar(-1)},
                       {"start", row({5, 6, 7})}}),
       "3 vars, sense -1, constant -1; obj [1 2 3] lb [0 0 0] ub [inf inf "
       "inf] start [5 6 7]; lhs [] rhs []"},
      // A matrix without "rhs" is left out.
      {objectiveModel({{"A", sparse(2, 3, {{1, 1, 1}})}}),
       plain + "lhs [] rhs []"},
      // An empty bound list stands for the default bounds.
      {objectiveModel({{"start", row({5})}, {"ub", testhost::emptyDouble()}}),
       "3 vars, sense 1, constant 0; obj [1 2 3] lb [0 0 0] ub [inf inf inf] "
       "start [5 - -]; lhs [] rhs []"},
      // Start values beyond the variables are skipped.
      {objectiveModel({{"start", row({1, 2, 3, 4})}}), plain + "lhs [] rhs []"},
  };
  for (auto &[model, expected] : cases) {
    probe::reset();
    testhost::CallResult result = solve(model);
    ASSERT_FALSE(result.raised) << result.message;
    EXPECT_EQ(summary(probe::lastModel()), expected);
    unit::expectNothingLeft(result);
  }
}

// A ranged quadratic constraint gets both sides, after the linear rows; the
// parts a model gives are all counted, semidefinite ones only in pairs.
TEST(Build, CountsAndSidesOfTheAddedParts) {
  mxArray *quadcon =
      testhost::structArray({{{"Qc", sparse(3, 3, {{0, 0, 1}})},
                              {"rhs", scalar(4)},
                              {"lhsorsense", scalar(1)}},
                             {{"rhs", scalar(5)}, {"lhsorsense", text(">")}}});
  mxArray *genconind =
      testhost::structArray({{{"binvar", scalar(1)}}, {{"binvar", scalar(2)}}});
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
  std::string all = summary(model);
  EXPECT_EQ(all.substr(all.find("lhs")), "lhs [-inf -inf 1 5] rhs [4 5 4 inf]");
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
  mxArray *quadcon = testhost::structArray(
      {{{"Qc", sparse(3, 3, {{0, 0, 1}})}, {"rhs", scalar(4)}},
       {{"rhs", scalar(5)}, {"lhsorsense", scalar(1)}}});
  // The first constraint's two matrices are copied into one list.
  auto one = [] { return sparse(1, 1, {{0, 0, 1}}); };
  mxArray *psdcon = testhost::structArray(
      {{{"psdmats", cell({one(), one()})}, {"indices", row({1, 2})}},
       {{"psdmats", cell({one()})},
        {"indices", row({1})},
        {"lhsorsense", scalar(0)}}});
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
       {"psdvar", testhost::structArray({{{"obj", one()}}, {{"obj", one()}}})},
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
