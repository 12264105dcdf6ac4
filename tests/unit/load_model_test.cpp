// Building the linear core of a model in the solver: the calls of both
// creation paths, the normalisations and defaults applied first, the length
// checks, and the failure of each solver step.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "fake_solver.h"
#include "testhost.h"

namespace {

using testhost::cell;
using testhost::row;
using testhost::scalar;
using testhost::sparse;
using testhost::text;

using Fields = std::vector<std::pair<std::string, mxArray *>>;

// `base` with the fields of `extra` appended or, by name, replacing.
Fields merged(Fields base, const Fields &extra) {
  for (const auto &[name, value] : extra) {
    auto same = std::find_if(base.begin(), base.end(),
                             [&](const auto &f) { return f.first == name; });
    if (same == base.end()) {
      base.emplace_back(name, value);
    } else {
      mxDestroyArray(same->second);
      same->second = value;
    }
  }
  return base;
}

// Three variables and two rows: the constraint matrix is loaded.
Fields matrixModel(const Fields &extra = {}) {
  return merged({{"A", sparse(2, 3, {{0, 0, 1}, {1, 1, 2}, {0, 2, 3}})},
                 {"obj", row({1, 2, 3})},
                 {"rhs", row({4, 5})}},
                extra);
}

// Three variables from "obj" alone.
Fields objectiveModel(const Fields &extra = {}) {
  return merged({{"obj", row({1, 2, 3})}}, extra);
}

testhost::CallResult run(Fields fields, const char *failing = nullptr,
                         int occurrence = 1) {
  fake::reset();
  if (failing != nullptr) {
    fake::failCall(failing, 2, occurrence);
  }
  testhost::Array model(testhost::structure(std::move(fields)));
  return testhost::call({model.get()});
}

std::string argOf(const std::string &function, size_t position) {
  std::vector<fake::Call> calls = fake::callsOf(function);
  return calls.empty() ? "no call" : calls.front().args.at(position);
}

// The calls from the model's creation up to the solve.
std::vector<std::string> buildCalls() {
  std::vector<std::string> functions = fake::callFunctions();
  std::vector<std::string> texts = fake::callTexts();
  auto first = std::find_if(functions.begin(), functions.end(), [](auto &f) {
    return f == "KVAloadmodel" || f == "KVAnewmodel";
  });
  auto last = std::find(first, functions.end(), "KVAoptimize");
  return std::vector<std::string>(texts.begin() + (first - functions.begin()),
                                  texts.begin() + (last - functions.begin()));
}

TEST(LinearCore, MatrixPathLoadsObjectiveAndRowsInOneCall) {
  testhost::CallResult result = run(matrixModel({{"modelsense", text("max")},
                                                 {"objcon", scalar(7)},
                                                 {"modelname", text("m")}}));
  ASSERT_FALSE(result.raised) << result.message;
  EXPECT_EQ(buildCalls(),
            (std::vector<std::string>{
                "KVAloadmodel(env, model, null, 3, 2, -1, 7, [1 2 3], \"<<\", "
                "[4 5], [0 1 2], [1 1 1], [0 1 0], [1 2 3], [0 0 0], "
                "[1e+20 1e+20 1e+20], null, null, null)",
                "KVAgetintattr(model, \"NumVars\", out)",
                "KVAsetstrattr(model, \"ModelName\", \"m\")"}));
}

TEST(LinearCore, ObjectivePathSetsSenseAndConstantAfterCreation) {
  testhost::CallResult result =
      run(objectiveModel({{"modelsense", text("max")},
                          {"objcon", scalar(7)},
                          {"modelname", text("m")},
                          {"lb", row({-1, -2, -3})},
                          {"ub", testhost::emptyDouble()}}));
  ASSERT_FALSE(result.raised) << result.message;
  EXPECT_EQ(buildCalls(),
            (std::vector<std::string>{
                "KVAnewmodel(env, model, \"m\", 3, [1 2 3], [-1 -2 -3], "
                "[1e+20 1e+20 1e+20], null, null)",
                "KVAsetintattr(model, \"ModelSense\", -1)",
                "KVAsetdblattr(model, \"ObjConst\", 7)",
                "KVAgetintattr(model, \"NumVars\", out)",
                "KVAsetstrattr(model, \"ModelName\", \"m\")"}));
}

TEST(LinearCore, SensesAreNormalisedBeforeLoading) {
  const std::pair<Fields, const char *> cases[] = {
      {{}, "\"<<\""},
      {{{"lhsorsense", text("=")}}, "\"==\""},
      {{{"lhsorsense", text(">=")}}, "\">=\""},
      {{{"lhsorsense", row({0, 1})}}, "\"<<\""},
      {{{"A", sparse(1, 3, {{0, 0, 1}})},
        {"rhs", row({4})},
        {"lhsorsense", text(">")}},
       "\">\""},
  };
  for (const auto &[extra, sense] : cases) {
    SCOPED_TRACE(sense);
    ASSERT_FALSE(run(matrixModel(extra)).raised);
    EXPECT_EQ(argOf("KVAloadmodel", 8), sense);
  }
}

TEST(LinearCore, RangedRowsGetTheirLowerThenUpperSides) {
  ASSERT_FALSE(run(matrixModel({{"lhsorsense", row({-1, -2})}})).raised);
  std::vector<std::string> calls = buildCalls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[1], "KVAsetdblattrarray(model, \"LHS\", 0, 2, [-1 -2])");
  EXPECT_EQ(calls[2], "KVAsetdblattrarray(model, \"RHS\", 0, 2, [4 5])");
}

// Checked before any model exists, in the order rhs, lhsorsense, obj, lb, ub.
TEST(LinearCore, LengthMismatchesAreRefusedInOrder) {
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
  const std::pair<Fields, std::string> cases[] = {
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
  for (const auto &[model, message] : cases) {
    SCOPED_TRACE(message);
    testhost::CallResult result = run(model);
    EXPECT_EQ(result.message, message);
    EXPECT_EQ(fake::callsOf("KVAloadmodel").size() +
                  fake::callsOf("KVAnewmodel").size(),
              0u);
    EXPECT_EQ(result.heldBlocks, 0u);
    EXPECT_TRUE(result.faults.empty());
    EXPECT_EQ(fake::liveEnvironments(), 0);
  }
}

TEST(LinearCore, MatrixWithoutObjOrRhsIsIgnored) {
  Fields noRhs = {{"A", sparse(2, 3, {{0, 0, 1}})},
                  {"obj", row({1, 2})},
                  {"lhsorsense", row({1, 2, 3, 4})}};
  ASSERT_FALSE(run(noRhs).raised);
  EXPECT_EQ(argOf("KVAnewmodel", 3), "2");
  ASSERT_FALSE(
      run({{"A", sparse(2, 3, {{0, 0, 1}})}, {"rhs", row({1, 2})}}).raised);
  EXPECT_EQ(argOf("KVAnewmodel", 3), "0");
  EXPECT_TRUE(fake::callsOf("KVAloadmodel").empty());
}

TEST(LinearCore, NameCountMismatchWarnsAndDropsTheNames) {
  const char *vars = "Number of varnames is not equal to numvars!";
  const char *cons = "Number of constrnames is not equal to numconstrs!";
  auto names = [](size_t n) {
    std::vector<mxArray *> cells;
    for (size_t i = 0; i < n; ++i) {
      cells.push_back(text("n" + std::to_string(i)));
    }
    return cell(cells);
  };
  struct Case {
    Fields model;
    std::vector<std::string> warnings;
    std::string varnames;
    std::string constrnames;
  };
  const Case cases[] = {
      {matrixModel({{"varnames", names(2)}, {"constrnames", names(3)}}),
       {cons, vars},
       "null",
       "null"},
      {matrixModel({{"varnames", names(3)}, {"constrnames", names(2)}}),
       {},
       "[\"n0\" \"n1\" \"n2\"]",
       "[\"n0\" \"n1\"]"},
      {objectiveModel({{"varnames", names(4)}, {"constrnames", names(1)}}),
       {vars},
       "null",
       "no call"},
      {objectiveModel({{"varnames", names(3)}}),
       {},
       "[\"n0\" \"n1\" \"n2\"]",
       "no call"},
  };
  for (const Case &c : cases) {
    testhost::CallResult result = run(c.model);
    EXPECT_EQ(result.warnings, c.warnings);
    bool loaded = !fake::callsOf("KVAloadmodel").empty();
    EXPECT_EQ(loaded ? argOf("KVAloadmodel", 17) : argOf("KVAnewmodel", 8),
              c.varnames);
    EXPECT_EQ(argOf("KVAloadmodel", 18), c.constrnames);
  }
}

// The objective-only model has three variables.
TEST(LinearCore, TypesAndStartsStopAtTheVariableCount) {
  const std::pair<Fields, std::vector<std::string>> cases[] = {
      {{{"vtype", text("BI")}},
       {"KVAsetcharattrarray(model, \"VType\", 0, 2, \"BI\")"}},
      {{{"vtype", text("BIC")}},
       {"KVAsetcharattrarray(model, \"VType\", 0, 3, \"BIC\")"}},
      {{{"vtype", text("BICB")}, {"objcon", scalar(0)}}, {}},
      {{{"start", row({5})}}, {"KVAsetdblattrelement(model, \"Start\", 0, 5)"}},
      {{{"start", row({5, 6, 7})}},
       {"KVAsetdblattrelement(model, \"Start\", 0, 5)",
        "KVAsetdblattrelement(model, \"Start\", 1, 6)",
        "KVAsetdblattrelement(model, \"Start\", 2, 7)"}},
      {{{"start", row({1, 2, 3, 4})}}, {}},
  };
  for (const auto &[extra, expected] : cases) {
    ASSERT_FALSE(run(objectiveModel(extra)).raised);
    std::vector<std::string> calls = buildCalls();
    EXPECT_EQ(std::vector<std::string>(calls.begin() + 3, calls.end()),
              expected);
  }
  ASSERT_FALSE(
      run(objectiveModel({{"vtype", text("B")}}), "KVAgetintattr").raised);
  EXPECT_TRUE(fake::callsOf("KVAsetcharattrarray").empty());
}

TEST(LinearCore, SolverFailuresNameTheStep) {
  struct Case {
    Fields model;
    const char *function;
    int occurrence;
    const char *message;
    size_t freedModels;
  };
  const Case cases[] = {
      {matrixModel(), "KVAloadmodel", 1,
       "Reason : Caused by the addition of linear constraint.", 0},
      {objectiveModel(), "KVAnewmodel", 1,
       "Reason : Caused by the creation of the new model.", 0},
      {matrixModel({{"lhsorsense", row({1, 2})}}), "KVAsetdblattrarray", 1,
       "Reason : Caused by the addition of LHS.", 1},
      {matrixModel({{"lhsorsense", row({1, 2})}}), "KVAsetdblattrarray", 2,
       "Reason : Caused by the addition of RHS.", 1},
      {objectiveModel({{"objcon", scalar(-1)}}), "KVAsetdblattr", 1,
       "Reason : Caused by the addition of objcon.", 1},
      {objectiveModel({{"vtype", text("I")}}), "KVAsetcharattrarray", 1,
       "Reason : Caused by the addition of vtype.", 1},
      {matrixModel({{"modelname", text("m")}}), "KVAsetstrattr", 1,
       "Reason : Caused by the addition of modelname.", 1},
      {objectiveModel({{"start", row({1, 2})}}), "KVAsetdblattrelement", 2,
       "Reason : Caused by the addition of starts.", 1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.message);
    testhost::CallResult result = run(c.model, c.function, c.occurrence);
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(fake::callsOf("KVAfreemodel").size(), c.freedModels);
    EXPECT_EQ(fake::liveModels() + fake::liveEnvironments(), 0);
    EXPECT_EQ(result.heldBlocks, 0u);
    EXPECT_TRUE(result.faults.empty());
  }
}

}  // namespace
