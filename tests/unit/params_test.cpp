// The parameter structure: its checks and their texts, the values as the
// library receives them, and the order in which they reach it.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "unit_support.h"

namespace {

using testhost::logicalScalar;
using testhost::scalar;
using testhost::structure;
using testhost::text;

// Takes ownership of `params`; the model is one variable.
testhost::CallResult callWith(mxArray *params) {
  probe::reset();
  testhost::Array owned(params);
  testhost::Array model(structure({{"obj", testhost::row({1})}}));
  return testhost::call({model.get(), owned.get()});
}

using Texts = std::vector<std::string>;

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
      {structure({{"MaxTime", testhost::emptyDouble()}}),
       "MaxTime. It should be scalar."},
      {structure({{"MIP_GapRel", testhost::sparse(0, 3, {})}}),
       "MIP/GapRel. It should be scalar."},
      {structure({{"MaxTime", testhost::complexRow({1}, {1})}}),
       "MaxTime. It should be real."},
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
    EXPECT_EQ(result.message, c.message);
    EXPECT_TRUE(probe::parameters().empty());
    unit::expectNothingLeft(result);
  }
}

// A two-element structure array, of which only element 0 is read.
mxArray *firstOfTwo(mxArray *first, mxArray *second) {
  mxArray *params = testhost::structArray(2, {"Presolve"});
  testhost::setField(params, 0, "Presolve", first);
  testhost::setField(params, 1, "Presolve", second);
  return params;
}

TEST(Params, ValuesReachTheLibraryConverted) {
  const std::pair<mxArray *, Texts> cases[] = {
      {structure({{"Presolve", scalar(2.9)}}), {"Presolve=2"}},
      {structure({{"Presolve", scalar(-1.5)}}), {"Presolve=-1"}},
      {structure({{"MIP_MaxNodes", scalar(2147483647.9)}}),
       {"MIP/MaxNodes=2147483647"}},
      {structure({{"Method", testhost::row({2, 3})}}), {"Method=2"}},
      {firstOfTwo(scalar(1), logicalScalar(true)), {"Presolve=1"}},
      {structure({{"MIP_GapRel", scalar(0.25)}}), {"MIP/GapRel=0.25"}},
      {structure({{"LogFile", text("")}}), {"LogFile="}},
      {structure({}), {}},
      {testhost::structArray(0, {"Foo"}), {}},
      // Integers, then reals, then texts, each kind in field order.
      {structure({{"LogFile", text("")},
                  {"MaxTime", scalar(10)},
                  {"NumThreads", scalar(1)},
                  {"SPX_DualTolerance", scalar(1e-7)},
                  {"Dualization", scalar(0)}}),
       {"NumThreads=1", "Dualization=0", "MaxTime=10",
        "SPX/DualTolerance=9.9999999999999995e-08", "LogFile="}},
  };
  for (const auto &[params, expected] : cases) {
    testhost::CallResult result = callWith(params);
    EXPECT_EQ(unit::status(result), "OPTIMAL");
    EXPECT_EQ(probe::parameters(), expected);
    unit::expectNothingLeft(result);
  }
}

TEST(Params, ValuesTheLibraryRefusesDoNotStopTheCall) {
  probe::reset();
  probe::failCall("KVAsetintparam", 1, KVA_ERROR_PARAMETER_VALUE);
  testhost::CallResult result =
      unit::solve(unit::smallLp(), {{"NumThreads", scalar(-3)}});
  EXPECT_EQ(unit::status(result), "OPTIMAL");
  unit::expectNothingLeft(result);
}

}  // namespace
