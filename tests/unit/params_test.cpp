// The parameter structure: its checks and their texts, how values are
// converted, and the order in which they reach the solver.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fake_solver.h"
#include "gateway/korva_error.h"
#include "params/params.h"
#include "testhost.h"

namespace {

using testhost::logicalScalar;
using testhost::scalar;
using testhost::structure;
using testhost::text;

// Takes ownership of `params`; the model is one variable.
testhost::CallResult callWith(mxArray *params) {
  fake::reset();
  testhost::Array owned(params);
  testhost::Array model(structure({{"obj", testhost::row({1})}}));
  return testhost::call({model.get(), owned.get()});
}

std::vector<std::string> paramCalls() {
  std::vector<std::string> texts;
  for (const fake::Call &call : fake::calls()) {
    const std::string &f = call.function;
    if (f == "KVAsetintparam" || f == "KVAsetdblparam" ||
        f == "KVAsetstrparam") {
      texts.push_back(call.text());
    }
  }
  return texts;
}

// A two-element structure array, of which only element 0 is read.
mxArray *firstOfTwo(mxArray *first, mxArray *second) {
  mxArray *params = testhost::structArray(2, {"Presolve"});
  testhost::setField(params, 0, "Presolve", first);
  testhost::setField(params, 1, "Presolve", second);
  return params;
}

TEST(Params, ErrorsNameTheFieldAndLeaveNothingHeld) {
  struct Case {
    mxArray *params;
    const char *message;
  };
  const Case cases[] = {
      {structure({{"Method", logicalScalar(true)}}),
       "Method. It should be double."},
      {structure({{"MIP_GapRel", text("0.1")}}),
       "MIP/GapRel. It should be double."},
      {testhost::structArray(1, {"Presolve"}),
       "Presolve. It should be double."},
      {structure({{"LogFile", scalar(5)}}),
       "LogFile. It should be char array."},
      {structure({{"method", scalar(1)}}), "method. Invalid parameter."},
      {structure({{"SPX_Foo", scalar(1)}}), "SPX/Foo. Invalid parameter."},
      {structure({{"MIP/GapRel", scalar(1)}}),
       "MIP/GapRel. Invalid parameter."},
      {structure({{"Presolve", scalar(NAN)}}),
       "Presolve. It should be an integer."},
      {structure({{"Presolve", scalar(3e9)}}),
       "Presolve. It should be an integer."},
      {structure({{"Presolve", scalar(-2147483649.0)}}),
       "Presolve. It should be an integer."},
      {structure({{"Foo", scalar(1)}, {"Method", logicalScalar(true)}}),
       "Foo. Invalid parameter."},
      {structure({{"LogFile", text("run.log")},
                  {"MaxTime", scalar(1)},
                  {"Presolve", scalar(INFINITY)}}),
       "Presolve. It should be an integer."},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.message);
    testhost::CallResult result = callWith(c.params);
    EXPECT_TRUE(result.raised);
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(result.heldBlocks, 0u);
    EXPECT_TRUE(result.faults.empty());
    EXPECT_TRUE(paramCalls().empty());
  }
}

TEST(Params, ValuesReachTheSolverConverted) {
  struct Case {
    mxArray *params;
    std::string call;
  };
  const Case cases[] = {
      {structure({{"Presolve", scalar(2.9)}}),
       "KVAsetintparam(env, \"Presolve\", 2)"},
      {structure({{"Presolve", scalar(-1.5)}}),
       "KVAsetintparam(env, \"Presolve\", -1)"},
      {structure({{"MIP_MaxNodes", scalar(2147483647.9)}}),
       "KVAsetintparam(env, \"MIP/MaxNodes\", 2147483647)"},
      {structure({{"Method", testhost::row({2, 3})}}),
       "KVAsetintparam(env, \"Method\", 2)"},
      {firstOfTwo(scalar(1), logicalScalar(true)),
       "KVAsetintparam(env, \"Presolve\", 1)"},
      {structure({{"MIP_GapRel", scalar(0.25)}}),
       "KVAsetdblparam(env, \"MIP/GapRel\", 0.25)"},
      {structure({{"LogFile", text("out dir/run_1.log")}}),
       "KVAsetstrparam(env, \"LogFile\", \"out dir/run_1.log\")"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.call);
    testhost::CallResult result = callWith(c.params);
    EXPECT_FALSE(result.raised) << result.message;
    EXPECT_EQ(paramCalls(), std::vector<std::string>{c.call});
    EXPECT_EQ(result.heldBlocks, 0u);
  }
}

// Integers, then reals, then the text, each kind in field order, all between
// the environment's creation and its start.
TEST(Params, AppliedByKindWhateverTheFieldOrder) {
  testhost::CallResult result =
      callWith(structure({{"LogFile", text("a.log")},
                          {"MaxTime", scalar(10)},
                          {"NumThreads", scalar(4)},
                          {"SPX_DualTolerance", scalar(1e-7)},
                          {"Dualization", scalar(0)}}));
  ASSERT_FALSE(result.raised) << result.message;
  std::vector<std::string> expected = {
      "KVAemptyenv(env)",
      "KVAsetlogcallback(env, callback, null)",
      "KVAsetintparam(env, \"NumThreads\", 4)",
      "KVAsetintparam(env, \"Dualization\", 0)",
      "KVAsetdblparam(env, \"MaxTime\", 10)",
      "KVAsetdblparam(env, \"SPX/DualTolerance\", 1e-07)",
      "KVAsetstrparam(env, \"LogFile\", \"a.log\")",
      "KVAstartenv(env)"};
  std::vector<std::string> calls = fake::callTexts();
  ASSERT_GE(calls.size(), expected.size());
  calls.resize(expected.size());
  EXPECT_EQ(calls, expected);
}

// Every table name is accepted in its "_" form, all at once; the reals come
// first in the structure and still follow the integers.
TEST(Params, EveryTableNameFillsTheRecord) {
  std::vector<std::pair<std::string, mxArray *>> fields;
  std::vector<std::string> ints;
  std::vector<std::string> dbls;
  auto add = [&](const char *name, const char *function, int value,
                 std::vector<std::string> *calls) {
    std::string field = name;
    std::replace(field.begin(), field.end(), '/', '_');
    fields.push_back({field, scalar(value)});
    calls->push_back(std::string(function) + "(env, \"" + name + "\", " +
                     std::to_string(value) + ")");
  };
  for (int32_t p = 0; p < numParamsDouble; ++p) {
    add(paramsDouble[p], "KVAsetdblparam", p, &dbls);
  }
  for (int32_t p = 0; p < numParamsInt; ++p) {
    add(paramsInt[p], "KVAsetintparam", p, &ints);
  }
  fields.push_back({"LogFile", text("all.log")});
  testhost::CallResult result = callWith(structure(fields));
  ASSERT_FALSE(result.raised) << result.message;
  std::vector<std::string> expected = ints;
  expected.insert(expected.end(), dbls.begin(), dbls.end());
  expected.push_back("KVAsetstrparam(env, \"LogFile\", \"all.log\")");
  EXPECT_EQ(paramCalls(), expected);
  EXPECT_EQ(result.heldBlocks, 0u);
}

TEST(Params, StructuresWithoutEntriesSetNothing) {
  const mwSize none[2] = {0, 0};
  const char *names[1] = {"Foo"};
  for (mxArray *params :
       {structure({}), mxCreateStructArray(2, none, 1, names)}) {
    testhost::CallResult result = callWith(params);
    EXPECT_FALSE(result.raised) << result.message;
    EXPECT_TRUE(paramCalls().empty());
    EXPECT_EQ(result.heldBlocks, 0u);
  }
}

TEST(Params, RefusedValuesDoNotStopTheCall) {
  fake::reset();
  fake::failCall("KVAsetintparam", KVA_ERROR_PARAMETER_VALUE);
  testhost::Array model(structure({{"obj", testhost::row({1})}}));
  testhost::Array params(structure({{"NumThreads", scalar(-3)}}));
  testhost::CallResult result = testhost::call({model.get(), params.get()});
  EXPECT_FALSE(result.raised) << result.message;
  EXPECT_EQ(fake::callsOf("KVAoptimize").size(), 1u);
}

// The gateway rejects a non-structure before reading; read directly, one
// still raises, and the record is released through its slot.
TEST(Params, ReadingANonStructureRaises) {
  Params params;
  emptyParams(&params);
  testhost::Array value(scalar(1));
  try {
    getParams(&params, value.get());
    ADD_FAILURE() << "no error raised";
  } catch (const testhost::HostError &error) {
    EXPECT_EQ(error.text, "params. It should be struct!");
  }
  EXPECT_EQ(globalParams, nullptr);
  EXPECT_EQ(testhost::heldBlocks(), 0u);
  EXPECT_TRUE(testhost::takeFaults().empty());
}

}  // namespace
