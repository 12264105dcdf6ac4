// Building the parts beyond the linear core from everything the readers
// accept: what each addition carries and in which order, which parts are
// skipped, the consistency checks, and the failure of each solver step.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fake_solver.h"
#include "testhost.h"

namespace {

using testhost::cell;
using testhost::row;
using testhost::scalar;
using testhost::setField;
using testhost::sparse;
using testhost::structure;
using testhost::text;

using Fields = std::vector<std::pair<std::string, mxArray *>>;
using Texts = std::vector<std::string>;

testhost::CallResult run(Fields fields) {
  fake::reset();
  testhost::Array model(structure(std::move(fields)));
  return testhost::call({model.get()});
}

// 3x3 with the mirrored pair (1,2)/(2,1): one entry kept, flat index 5.
mxArray *corner3() { return sparse(3, 3, {{1, 2, 7}, {2, 1, 7}}); }
mxArray *full2() {
  return sparse(2, 2, {{0, 0, 1}, {0, 1, 2}, {1, 0, 2}, {1, 1, 3}});
}
// Zero at (1,1): two entries kept.
mxArray *twoKept2() { return sparse(2, 2, {{0, 0, 1}, {0, 1, 2}, {1, 0, 2}}); }
mxArray *indicator() { return structure({{"binvar", scalar(1)}}); }

mxArray *psdVars() {
  mxArray *psdvar = testhost::structArray(2, {"obj"});
  setField(psdvar, 0, "obj", corner3());
  setField(psdvar, 1, "obj", full2());
  return psdvar;
}

// Every part, read from each form its field allows: the second quadratic
// and the first semidefinite constraint are ranged, and the second
// indicator leaves "rhs" unset.
Fields everything() {
  mxArray *quadcon = testhost::structArray(
      3, {"Qc", "q", "lhsorsense", "name", "rhs", "Qrow", "Qcol", "Qval"});
  setField(quadcon, 0, "Qc",
           sparse(3, 3, {{0, 0, 1}, {1, 0, 2}, {0, 1, 2}, {2, 2, 3}}));
  setField(quadcon, 0, "q", row({0, 2, 0}));
  setField(quadcon, 0, "lhsorsense", text("="));
  setField(quadcon, 0, "name", text("c"));
  setField(quadcon, 0, "rhs", scalar(4));
  setField(quadcon, 1, "q", sparse(1, 3, {{0, 1, 2}}));
  setField(quadcon, 1, "lhsorsense", scalar(1));
  setField(quadcon, 1, "rhs", scalar(5));
  setField(quadcon, 1, "Qrow", row({1, 2}));
  setField(quadcon, 1, "Qcol", row({1, 2.9}));
  setField(quadcon, 1, "Qval", row({4, 5}));
  // The later row list replaces the matrix's rows only.
  setField(quadcon, 2, "Qc", sparse(2, 2, {{0, 0, 1}, {0, 1, 2}}));
  setField(quadcon, 2, "q", row({1}));
  setField(quadcon, 2, "name", text(std::string(130, 'n')));
  setField(quadcon, 2, "Qrow", row({2, 2}));
  mxArray *sos = testhost::structArray(2, {"type", "index", "weight"});
  setField(sos, 0, "type", scalar(1.9));
  setField(sos, 0, "index", row({1, 3}));
  setField(sos, 0, "weight", row({1, 2}));
  setField(sos, 1, "type", scalar(2));
  setField(sos, 1, "index", row({2, 4, 5}));
  setField(sos, 1, "weight", row({1, 2, 3}));
  mxArray *psdcon = testhost::structArray(
      2, {"psdmats", "indices", "linearterm", "rhs", "lhsorsense"});
  setField(psdcon, 0, "psdmats", cell({twoKept2(), full2()}));
  setField(psdcon, 0, "indices", row({2, 2}));
  setField(psdcon, 0, "linearterm", row({0, 3}));
  setField(psdcon, 0, "rhs", scalar(1));
  setField(psdcon, 0, "lhsorsense", scalar(2.5));
  setField(psdcon, 1, "psdmats", cell({corner3()}));
  setField(psdcon, 1, "indices", row({1}));
  setField(psdcon, 1, "linearterm", sparse(1, 4, {{0, 1, 5}, {0, 3, 6}}));
  setField(psdcon, 1, "lhsorsense", text(">"));
  mxArray *genconind = testhost::structArray(
      2, {"binvar", "binval", "a", "sense", "rhs", "name"});
  setField(genconind, 0, "binvar", scalar(3));
  setField(genconind, 0, "binval", scalar(1.8));
  setField(genconind, 0, "a", row({1, 0, 2}));
  setField(genconind, 0, "sense", text(">="));
  setField(genconind, 0, "rhs", scalar(4));
  setField(genconind, 0, "name", text("g"));
  setField(genconind, 1, "binvar", scalar(1.7));
  setField(genconind, 1, "binval", scalar(0));
  setField(genconind, 1, "a", sparse(1, 3, {{0, 0, 5}, {0, 2, 6}}));
  setField(genconind, 1, "sense", text("="));
  setField(genconind, 1, "name", text("h"));
  return {{"obj", row({1, 1, 1, 1})}, {"Q", sparse(3, 3, {{0, 1, 2}})},
          {"quadcon", quadcon},       {"sos", sos},
          {"psdvar", psdVars()},      {"psdcon", psdcon},
          {"genconind", genconind}};
}

// Additions by name; the steps that make a constraint ranged in full.
Texts additions() {
  Texts seen;
  for (const fake::Call &call : fake::calls()) {
    if (call.function == "KVAsetdblattrelement" ||
        (call.function == "KVAgetintattr" && call.args[1] == "\"NumConss\"")) {
      seen.push_back(call.text());
    } else if (call.function.rfind("KVAadd", 0) == 0) {
      seen.push_back(call.function);
    }
  }
  return seen;
}

Texts textsOf(const std::string &function) {
  Texts texts;
  for (const fake::Call &call : fake::callsOf(function)) {
    texts.push_back(call.text());
  }
  return texts;
}

// The ranged constraint's sides go to the index the count query gives.
TEST(Additions, PartsAreAddedInOrderAsRead) {
  testhost::Array model(structure(everything()));
  fake::reset();
  fake::setIntAttr("NumConss", 7);
  testhost::CallResult result = testhost::call({model.get()});
  ASSERT_FALSE(result.raised) << result.message;
  EXPECT_EQ(result.warnings, Texts{"genconind.rhs 2. It is empty!"});
  EXPECT_EQ(additions(),
            (Texts{"KVAaddqpterms", "KVAaddqconstr", "KVAaddqconstr",
                   "KVAgetintattr(model, \"NumConss\", out)",
                   "KVAsetdblattrelement(model, \"LHS\", 6, 1)",
                   "KVAsetdblattrelement(model, \"RHS\", 6, 5)",
                   "KVAaddqconstr", "KVAaddsos", "KVAaddpsdvar", "KVAaddpsdvar",
                   "KVAaddrangepsdconstr", "KVAaddpsdconstr",
                   "KVAaddgenconstrIndicator", "KVAaddgenconstrIndicator"}));
  EXPECT_EQ(textsOf("KVAaddqconstr"),
            (Texts{"KVAaddqconstr(model, 3, [0 1 2], [0 2 0], 4, [0 1 0 2], "
                   "[0 0 1 2], [1 2 2 3], '=', 4, \"c\")",
                   "KVAaddqconstr(model, 1, [1], [2], 2, [0 1], [0 1], [4 5], "
                   "'<', 5, null)",
                   "KVAaddqconstr(model, 1, [0], [1], 2, [1 1], [0 1], [1 2], "
                   "'<', 0, \"" +
                       std::string(127, 'n') + "\")"}));
  EXPECT_EQ(textsOf("KVAaddsos"),
            Texts{"KVAaddsos(model, 2, 5, [1 2], [0 2 5], [0 2 1 3 4], "
                  "[1 2 1 2 3])"});
  EXPECT_EQ(textsOf("KVAaddpsdvar"),
            (Texts{"KVAaddpsdvar(model, 3, 1, [5], [7], null)",
                   "KVAaddpsdvar(model, 2, 3, [0 1 3], [1 2 3], null)"}));
  EXPECT_EQ(textsOf("KVAaddrangepsdconstr"),
            Texts{"KVAaddrangepsdconstr(model, 2, 2, 5, [0 1], [0 3], [1 1], "
                  "[0 2 5], [0 1 0 1 3], [1 2 1 2 3], 2.5, 1, null)"});
  EXPECT_EQ(textsOf("KVAaddpsdconstr"),
            Texts{"KVAaddpsdconstr(model, 2, 1, 1, [1 3], [5 6], [0], [0 1], "
                  "[5], [7], '>', 0, null)"});
  EXPECT_EQ(textsOf("KVAaddgenconstrIndicator"),
            (Texts{"KVAaddgenconstrIndicator(model, \"g\", 2, 1, 3, [0 1 2], "
                   "[1 0 2], '>', 4)",
                   "KVAaddgenconstrIndicator(model, \"h\", 0, 0, 2, [0 2], "
                   "[5 6], '=', 0)"}));
}

TEST(Additions, AbsentPartsAreSkippedSilentlyButIndicatorsAreAdded) {
  Fields withoutPsdcon = {{"obj", row({1})},
                          {"Q", sparse(1, 1, {})},
                          {"psdvar", psdVars()},
                          {"genconind", indicator()}};
  Fields withoutPsdvar = {{"obj", row({1})},
                          {"psdcon", structure({{"psdmats", cell({full2()})},
                                                {"indices", row({1})}})},
                          {"genconind", indicator()}};
  for (Fields *model : {&withoutPsdcon, &withoutPsdvar}) {
    testhost::CallResult result = run(std::move(*model));
    ASSERT_FALSE(result.raised) << result.message;
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_EQ(additions(), Texts{"KVAaddgenconstrIndicator"});
  }
}

TEST(Additions, InconsistentConstraintsAreRefusedBeforeAnyIsAdded) {
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
    return Fields{{"obj", row({1, 1, 1})},
                  {"psdvar", structure({{"obj", full2()}})},
                  {"psdcon", structure(std::move(constraint))}};
  };
  std::pair<Fields, std::string> cases[] = {
      {quadcons(row({1, 1, 1, 1})), "quadcon 2. " + count},
      {quadcons(sparse(1, 4, {{0, 3, 1}})), "quadcon 2. " + last},
      {psdcon({{"linearterm", row({1, 1, 1, 1})}}), "psdcon 0. " + count},
      {psdcon({{"linearterm", sparse(1, 4, {{0, 3, 1}})}}),
       "psdcon 0. " + last},
      {psdcon({{"psdmats", cell({full2()})}, {"indices", row({1, 1})}}),
       "psdcon 0. The number of psd constraint matrices and the length of "
       "psd variable indices are different."},
      {psdcon({{"psdmats", cell({full2()})}, {"indices", row({2})}}),
       "psdcon 1. The index of the psd variable is greater than the total "
       "number of psd variables."},
      {psdcon({{"psdmats", cell({full2()})}, {"indices", row({0})}}),
       "psdcon 1. The index of the psd variable should start from 1."},
      {psdcon({{"psdmats", cell({corner3()})}, {"indices", row({1})}}),
       "psdcon 1. The matrix sizes of the constraints and variables are "
       "different."},
  };
  for (auto &c : cases) {
    testhost::CallResult result = run(std::move(c.first));
    EXPECT_EQ(result.message, c.second);
    EXPECT_EQ(result.heldBlocks, 0u);
    EXPECT_EQ(additions(), Texts{});
    EXPECT_EQ(fake::liveModels(), 0);
  }
}

TEST(Additions, EachFailingStepIsNamedAndReleasesEverything) {
  struct Case {
    const char *function;
    int occurrence;
    const char *step;
  };
  const Case cases[] = {
      {"KVAaddqpterms", 1, "Qterm"},
      {"KVAaddqconstr", 2, "quadratic constraint"},
      {"KVAgetintattr", 1, "quadratic constraint"},
      {"KVAsetdblattrelement", 1, "quadratic constraint"},
      {"KVAsetdblattrelement", 2, "quadratic constraint"},
      {"KVAaddsos", 1, "SOS constraint"},
      {"KVAaddpsdvar", 2, "psdvar"},
      {"KVAaddrangepsdconstr", 1, "psd constraint"},
      {"KVAaddpsdconstr", 1, "psd constraint"},
      {"KVAaddgenconstrIndicator", 1, "indicator constraint"},
  };
  for (const Case &c : cases) {
    testhost::Array model(structure(everything()));
    fake::reset();
    fake::failCall(c.function, KVA_ERROR_INVALID_ARGUMENT, c.occurrence);
    testhost::CallResult result = testhost::call({model.get()});
    EXPECT_EQ(
        result.message,
        std::string("Reason : Caused by the addition of ") + c.step + ".");
    EXPECT_EQ(result.heldBlocks, 0u);
    EXPECT_EQ(fake::liveModels(), 0);
  }
}

}  // namespace
