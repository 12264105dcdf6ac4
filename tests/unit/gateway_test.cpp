// One call of the gateway from the host's side against the real library:
// the setup steps, the final status test, Ctrl+C, the log relay, and that
// every way out leaves nothing behind. The argument checks are the Octave
// suite's: only the real host shows their identifiers.
#include <string>
#include <vector>

#include "gateway/solve_driver.h"
#include "unit_support.h"

namespace {

using testhost::Array;
using testhost::structure;
using unit::expectNothingLeft;
using unit::smallLp;
using unit::solve;

const char ctrlCText[] =
    "Capture the ctrl+c signal. the solver will exit soon.";

class Gateway : public ::testing::Test {
 protected:
  void SetUp() override {
    probe::reset();
    testhost::scriptInterrupt([](int) { return false; });
    testhost::warningsAsErrors(false);
  }
  void TearDown() override { SetUp(); }
};

bool solveRunning() { return optimizeFinished.load() == statusRunning; }
bool solveEnded() {
  int32_t state = optimizeFinished.load();
  return state != statusRunning && state != statusNotStarted;
}

TEST_F(Gateway, SolvesAndReturnsTheResultEvenWithNoOutputRequested) {
  for (int nlhs : {0, 1}) {
    Array model(structure(smallLp()));
    testhost::CallResult result = testhost::call({model.get()}, nlhs);
    EXPECT_EQ(unit::status(result), "OPTIMAL");
    EXPECT_NEAR(unit::number(result, "ObjVal"), 1.0, 1e-9);
    EXPECT_TRUE(result.warnings.empty());
    expectNothingLeft(result);
  }
}

TEST_F(Gateway, SetupFailuresRaiseTheLibrarysExplanation) {
  for (const char *step : {"KVAemptyenv", "KVAsetlogcallback", "KVAstartenv"}) {
    SCOPED_TRACE(step);
    probe::reset();
    probe::failCall(step, 1, KVA_ERROR_PARAMETER_VALUE);
    testhost::CallResult result = solve(smallLp());
    EXPECT_EQ(result.message, std::string("Reason : ") +
                                  KVAexplainerror(KVA_ERROR_PARAMETER_VALUE));
    expectNothingLeft(result);
  }
}

TEST_F(Gateway, AThreadThatCannotStartEndsTheCallWithItsReason) {
  testhost::refuseThreadStarts(1);
  testhost::CallResult result = solve(smallLp());
  EXPECT_EQ(result.message,
            "Reason : Caused by the start of the solve thread.");
  expectNothingLeft(result);
}

// Every final status outside 1, 2, 3 and 5 fails, also one published by a
// worker that ended without a final status, and the next call is unharmed.
TEST_F(Gateway, FailingStatusesRaiseOptimizeFailedAndTheNextCallWorks) {
  for (int status : {0, 4, 6, 9998, 9999}) {
    SCOPED_TRACE(status);
    probe::reset();
    probe::reportStatus(status);
    testhost::CallResult failed =
        solve(smallLp(), {{"OutputFlag", testhost::scalar(1)}});
    EXPECT_EQ(failed.message,
              "Optimize failed. Error code: " + std::to_string(status) + ".");
    EXPECT_EQ(failed.printed, probe::logged());
    expectNothingLeft(failed);
  }
  probe::reset();
  testhost::CallResult next = solve(smallLp());
  EXPECT_EQ(unit::status(next), "OPTIMAL");
  expectNothingLeft(next);
}

// The Ctrl+C comes once the log has reached the host while the solve runs:
// a relay that only printed at the end would let the solve run on.
TEST_F(Gateway, CtrlCDuringTheSolveStopsItAndReturnsAnEmptyStructure) {
  testhost::scriptInterrupt(
      [](int) { return solveRunning() && testhost::printedLength() > 0; });
  testhost::CallResult result = solve(
      unit::longMilp(),
      {{"MaxTime", testhost::scalar(20)}, {"OutputFlag", testhost::scalar(1)}});
  ASSERT_FALSE(result.raised) << result.message;
  EXPECT_EQ(result.warnings, std::vector<std::string>{ctrlCText});
  EXPECT_TRUE(mxIsStruct(result.output.get()));
  EXPECT_EQ(mxGetNumberOfFields(result.output.get()), 0);
  // Every byte logged reaches the host once and in order, flushed as it
  // comes; what was logged after the stop is relayed after the join.
  EXPECT_EQ(result.printed, probe::logged());
  EXPECT_GT(testhost::flushCount(), 0);
  EXPECT_FALSE(testhost::interruptLeftPending());
  expectNothingLeft(result);
}

// With warnings turned into errors the warning leaves the call: only after
// the worker has been joined, and through the release step.
TEST_F(Gateway, CtrlCWarningRaisedAsAnErrorLeavesNothingBehind) {
  testhost::scriptInterrupt([](int) { return solveRunning(); });
  testhost::warningsAsErrors(true);
  testhost::CallResult result =
      solve(unit::longMilp(), {{"MaxTime", testhost::scalar(20)}});
  EXPECT_EQ(result.message, ctrlCText);
  EXPECT_FALSE(testhost::interruptLeftPending());
  expectNothingLeft(result);
}

// A Ctrl+C that comes once the solve has its final status is not acted on:
// it goes back to the host, which then stops the user's script.
TEST_F(Gateway, CtrlCAfterTheFinalStatusIsHandedBack) {
  testhost::scriptInterrupt([](int) { return solveEnded(); });
  testhost::CallResult solved = solve(smallLp());
  EXPECT_EQ(unit::status(solved), "OPTIMAL");
  EXPECT_TRUE(solved.warnings.empty());
  EXPECT_TRUE(testhost::interruptLeftPending());
  expectNothingLeft(solved);

  probe::reportStatus(KVA_INF_OR_UBD);
  testhost::CallResult failed = solve(smallLp());
  EXPECT_EQ(failed.message, "Optimize failed. Error code: 4.");
  EXPECT_TRUE(testhost::interruptLeftPending());
  expectNothingLeft(failed);
}

TEST_F(Gateway, InterruptedStatusWithoutCtrlCEndsOnceTheWorkerHasEnded) {
  probe::reportStatus(KVA_INTERRUPTED);
  testhost::CallResult result = solve(smallLp());
  ASSERT_FALSE(result.raised) << result.message;
  EXPECT_EQ(mxGetNumberOfFields(result.output.get()), 0);
  EXPECT_TRUE(result.warnings.empty());
  expectNothingLeft(result);
}

// The readers' warnings and the names' count warning, made while the model
// and the environment already exist.
TEST_F(Gateway, WarningsRaisedAsErrorsReleaseEverything) {
  testhost::warningsAsErrors(true);
  const std::pair<unit::Fields, const char *> cases[] = {
      {{{"quadcon", structure({{"Qrow", testhost::row({1, 2})},
                               {"Qcol", testhost::row({1})},
                               {"Qval", testhost::row({1, 2})}})}},
       "quadcon.qc. The lengths"},
      {unit::merged(smallLp(),
                    {{"varnames", testhost::cell({testhost::text("x")})}}),
       "Number of varnames"},
  };
  for (const auto &[extra, start] : cases) {
    testhost::CallResult result = solve(extra);
    EXPECT_EQ(result.message.rfind(start, 0), 0u) << result.message;
    expectNothingLeft(result);
  }
}

TEST_F(Gateway, HandlesLeftByAnAbortedCallAreFreedByTheNextOne) {
  KVAenv env = nullptr;
  ASSERT_EQ(KVAemptyenv(&env), 0);
  globalEnv = env;
  // Records of an aborted call went back to the host with it: never touched.
  static char gone[1];
  globalmArg = reinterpret_cast<ModelArguments *>(gone);
  globalParams = reinterpret_cast<Params *>(gone);
  testhost::CallResult result = solve(smallLp());
  EXPECT_EQ(unit::status(result), "OPTIMAL");
  expectNothingLeft(result);
}

}  // namespace
