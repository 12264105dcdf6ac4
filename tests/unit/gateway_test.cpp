// One call of the gateway from the host's side: argument checks, the setup
// steps, the final status test, Ctrl+C, the log relay, and that every way out
// leaves no solver handle, record or allocation behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_solver.h"
#include "gateway/korva_error.h"
#include "testhost.h"

extern "C" void mexfilerequiredapiversion(unsigned int *, unsigned int *);

namespace {

using testhost::Array;
using testhost::row;
using testhost::sparse;
using testhost::structure;

Array smallModel() {
  return Array(structure({{"A", sparse(1, 2, {{0, 0, 1}, {0, 1, 1}})},
                          {"obj", row({1, 1})},
                          {"rhs", row({1})}}));
}

// What every call must leave: no allocation, handle or slot of the module.
void expectNothingLeft(const testhost::CallResult &result) {
  EXPECT_EQ(result.heldBlocks, 0u);
  EXPECT_TRUE(result.faults.empty());
  EXPECT_EQ(fake::liveModels(), 0);
  EXPECT_EQ(fake::liveEnvironments(), 0);
  EXPECT_EQ(globalSummay, nullptr);
  EXPECT_EQ(globalmArg, nullptr);
  EXPECT_EQ(globalParams, nullptr);
  EXPECT_EQ(globalModel, nullptr);
  EXPECT_EQ(globalEnv, nullptr);
}

class GatewayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::reset();
    testhost::scriptInterrupt([](int) { return false; });
    testhost::warningsAsErrors(false);
  }
  void TearDown() override { testhost::warningsAsErrors(false); }
};

TEST_F(GatewayTest, ArgumentChecksRunInOrderBeforeAnythingIsMade) {
  Array model = smallModel();
  Array number(testhost::scalar(1));
  struct Case {
    std::vector<const mxArray *> inputs;
    int nlhs;
    const char *identifier;
    const char *message;
  };
  const Case cases[] = {
      {{}, 2, "MATLAB:invalidNumInputs", "One or two inputs required."},
      {{model.get(), model.get(), model.get()},
       2,
       "MATLAB:invalidNumInputs",
       "One or two inputs required."},
      {{model.get()}, 2, "MATLAB:maxlhs", "Too many output arguments."},
      {{number.get(), number.get()},
       1,
       "MATLAB:inputNotStruct",
       "Input1 must be a structure."},
      {{model.get(), number.get()},
       1,
       "MATLAB:inputNotStruct",
       "Input2 must be a structure."},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.message);
    fake::reset();
    testhost::CallResult result = testhost::call(c.inputs, c.nlhs);
    ASSERT_TRUE(result.raised);
    EXPECT_EQ(result.identifier, c.identifier);
    EXPECT_EQ(result.message, c.message);
    EXPECT_TRUE(fake::calls().empty());
    expectNothingLeft(result);
  }
}

TEST_F(GatewayTest, SuccessfulStatusesReturnTheResultEvenWithNoOutput) {
  Array model = smallModel();
  Array params(structure({{"MaxTime", testhost::scalar(5)}}));
  for (int status : {1, 2, 3, 5}) {
    for (int nlhs : {0, 1}) {
      SCOPED_TRACE("status " + std::to_string(status));
      fake::reset();
      fake::setStatusAfterOptimize(status);
      testhost::CallResult result =
          testhost::call({model.get(), params.get()}, nlhs);
      ASSERT_FALSE(result.raised) << result.message;
      ASSERT_NE(result.output, nullptr);
      EXPECT_NE(testhost::fieldOf(result.output.get(), "Status"), nullptr);
      EXPECT_TRUE(result.warnings.empty());
      expectNothingLeft(result);
    }
  }
}

TEST_F(GatewayTest, SetupAndSolveFollowTheirOrder) {
  Array model = smallModel();
  Array params(structure({{"MaxTime", testhost::scalar(5)}}));
  testhost::CallResult result = testhost::call({model.get(), params.get()});
  ASSERT_FALSE(result.raised) << result.message;
  std::vector<std::string> texts = fake::callTexts();
  ASSERT_GE(texts.size(), 6u);
  EXPECT_EQ(texts[0], "KVAemptyenv(env)");
  EXPECT_EQ(texts[1], "KVAsetlogcallback(env, callback, null)");
  EXPECT_EQ(texts[2], "KVAsetdblparam(env, \"MaxTime\", 5)");
  EXPECT_EQ(texts[3], "KVAstartenv(env)");
  auto at = [&](const std::string &text) {
    for (size_t i = 0; i < texts.size(); ++i) {
      if (texts[i] == text) {
        return int(i);
      }
    }
    return -1;
  };
  int optimize = at("KVAoptimize(model)");
  ASSERT_GT(optimize, 3);
  EXPECT_EQ(texts[optimize + 1], "KVAgetintattr(model, \"Status\", out)");
  EXPECT_EQ(texts[texts.size() - 2], "KVAfreemodel(model)");
  EXPECT_EQ(texts.back(), "KVAfreeenv(env)");
}

TEST_F(GatewayTest, FailingStatusesRaiseOptimizeFailedAndTheNextCallWorks) {
  Array model = smallModel();
  for (int status : {0, 4, 6, 10}) {
    SCOPED_TRACE(status);
    fake::reset();
    fake::setStatusAfterOptimize(status);
    fake::logDuringOptimize({"solving\n"});
    testhost::CallResult failed = testhost::call({model.get()});
    ASSERT_TRUE(failed.raised);
    EXPECT_EQ(failed.message,
              "Optimize failed. Error code: " + std::to_string(status) + ".");
    EXPECT_EQ(failed.printed, "solving\n");
    expectNothingLeft(failed);

    fake::reset();
    fake::logDuringOptimize({"again\n"});
    testhost::CallResult next = testhost::call({model.get()});
    ASSERT_FALSE(next.raised) << next.message;
    EXPECT_EQ(next.printed, "again\n");
    expectNothingLeft(next);
  }
}

TEST_F(GatewayTest, SetupFailuresRaiseTheLibrarysExplanation) {
  Array model = smallModel();
  for (const char *step : {"KVAemptyenv", "KVAsetlogcallback", "KVAstartenv"}) {
    SCOPED_TRACE(step);
    fake::reset();
    fake::failCall(step, 5);
    testhost::CallResult result = testhost::call({model.get()});
    ASSERT_TRUE(result.raised);
    EXPECT_EQ(result.message, std::string("Reason : ") + KVAexplainerror(5));
    EXPECT_TRUE(fake::callsOf("KVAoptimize").empty());
    // An environment that was never made is never released.
    EXPECT_EQ(fake::callsOf("KVAfreeenv").size(),
              std::string(step) == "KVAemptyenv" ? 0u : 1u);
    expectNothingLeft(result);
  }
}

TEST_F(GatewayTest, CtrlCDuringTheSolveStopsItAndReturnsAnEmptyStructure) {
  Array model = smallModel();
  fake::blockUntilTerminate(true);
  fake::logDuringOptimize({"node 1\n"});
  testhost::scriptInterrupt([](int query) { return query >= 1; });
  testhost::CallResult result = testhost::call({model.get()});
  ASSERT_FALSE(result.raised) << result.message;
  EXPECT_EQ(result.warnings, std::vector<std::string>{
                                 "Capture the ctrl+c signal. the solver will "
                                 "exit soon."});
  EXPECT_EQ(fake::callsOf("KVAterminate").size(), 1u);
  ASSERT_NE(result.output, nullptr);
  EXPECT_TRUE(mxIsStruct(result.output.get()));
  EXPECT_EQ(mxGetNumberOfFields(result.output.get()), 0);
  // Logged before the stop and relayed only after the join: not lost.
  EXPECT_EQ(result.printed, "node 1\n");
  EXPECT_FALSE(testhost::interruptLeftPending());
  expectNothingLeft(result);
}

// With warnings turned into errors the warning leaves the call: only after
// the worker has been joined, and through the release step.
TEST_F(GatewayTest, CtrlCWarningRaisedAsAnErrorLeavesNoWorkerBehind) {
  Array model = smallModel();
  fake::blockUntilTerminate(true);
  fake::logDuringOptimize({"node 1\n"});
  testhost::scriptInterrupt([](int query) { return query >= 1; });
  testhost::warningsAsErrors(true);
  testhost::CallResult result = testhost::call({model.get()});
  ASSERT_TRUE(result.raised);
  EXPECT_EQ(result.message,
            "Capture the ctrl+c signal. the solver will exit soon.");
  EXPECT_EQ(result.printed, "node 1\n");
  EXPECT_FALSE(testhost::interruptLeftPending());
  expectNothingLeft(result);

  testhost::warningsAsErrors(false);
  fake::reset();
  testhost::scriptInterrupt([](int) { return false; });
  testhost::CallResult next = testhost::call({model.get()});
  ASSERT_FALSE(next.raised) << next.message;
  EXPECT_EQ(testhost::stringOf(testhost::fieldOf(next.output.get(), "Status")),
            "OPTIMAL");
  expectNothingLeft(next);
}

TEST_F(GatewayTest, ReaderWarningRaisedAsAnErrorReleasesTheRecords) {
  Array model(structure({{"quadcon", structure({{"Qrow", row({1, 2})},
                                                {"Qcol", row({1})},
                                                {"Qval", row({1, 2})}})}}));
  testhost::warningsAsErrors(true);
  testhost::CallResult result = testhost::call({model.get()});
  ASSERT_TRUE(result.raised);
  EXPECT_EQ(result.message.rfind("quadcon.qc. The lengths", 0), 0u);
  expectNothingLeft(result);
}

TEST_F(GatewayTest, CtrlCWithAnotherFinalStatusStillReturnsTheResult) {
  Array model = smallModel();
  fake::blockUntilTerminate(true);
  fake::setStatusAfterTerminate(4);
  testhost::scriptInterrupt([](int query) { return query >= 1; });
  testhost::CallResult result = testhost::call({model.get()});
  ASSERT_FALSE(result.raised) << result.message;
  EXPECT_EQ(result.warnings.size(), 1u);
  ASSERT_NE(result.output, nullptr);
  EXPECT_EQ(
      testhost::stringOf(testhost::fieldOf(result.output.get(), "Status")),
      "INF_OR_UBD");
  expectNothingLeft(result);
}

TEST_F(GatewayTest, CtrlCAfterTheFinalStatusIsIgnored) {
  Array model = smallModel();
  fake::setStatusAfterOptimize(4);
  testhost::scriptInterrupt([](int) { return true; });
  testhost::CallResult result = testhost::call({model.get()});
  ASSERT_TRUE(result.raised);
  EXPECT_EQ(result.message, "Optimize failed. Error code: 4.");
  EXPECT_TRUE(result.warnings.empty());
  EXPECT_TRUE(fake::callsOf("KVAterminate").empty());
  // Not acted on, so handed back: the host still stops the user's script.
  EXPECT_TRUE(testhost::interruptLeftPending());
  expectNothingLeft(result);

  fake::reset();
  testhost::CallResult solved = testhost::call({model.get()});
  ASSERT_FALSE(solved.raised) << solved.message;
  EXPECT_TRUE(testhost::interruptLeftPending());
}

// A worker that ended without a final status must not keep the loop polling.
TEST_F(GatewayTest, AWorkerEndedWhileRunningOrNotStartedEndsTheCall) {
  Array model = smallModel();
  for (int status : {9998, 9999}) {
    fake::reset();
    fake::setStatusAfterOptimize(status);
    testhost::CallResult result = testhost::call({model.get()});
    ASSERT_TRUE(result.raised);
    EXPECT_EQ(result.message,
              "Optimize failed. Error code: " + std::to_string(status) + ".");
    expectNothingLeft(result);
  }
}

TEST_F(GatewayTest, InterruptedStatusWithoutCtrlCEndsOnceTheWorkerHasEnded) {
  Array model = smallModel();
  fake::setStatusAfterOptimize(11);
  testhost::CallResult result = testhost::call({model.get()});
  ASSERT_FALSE(result.raised) << result.message;
  EXPECT_EQ(mxGetNumberOfFields(result.output.get()), 0);
  EXPECT_TRUE(result.warnings.empty());
  expectNothingLeft(result);
}

TEST_F(GatewayTest, LogFromSetupAndSolveIsRelayedOnceAndFlushed) {
  Array model = smallModel();
  fake::logDuringStart({"start 100%\n"});
  fake::logDuringOptimize({"iteration 1\n", "iteration 2\n"});
  testhost::CallResult result = testhost::call({model.get()});
  ASSERT_FALSE(result.raised) << result.message;
  EXPECT_EQ(result.printed, "start 100%\niteration 1\niteration 2\n");
  EXPECT_GT(testhost::flushCount(), 0);

  fake::reset();
  testhost::CallResult next = testhost::call({model.get()});
  EXPECT_EQ(next.printed, "");
}

TEST_F(GatewayTest, HandlesLeftByAnAbortedCallAreFreedByTheNextOne) {
  Array model = smallModel();
  KVAenv env = nullptr;
  ASSERT_EQ(KVAemptyenv(&env), 0);
  globalEnv = env;
  // Records of an aborted call went back to the host with it: never touched.
  static char gone[1];
  globalmArg = reinterpret_cast<ModelArguments *>(gone);
  globalParams = reinterpret_cast<Params *>(gone);
  testhost::CallResult result = testhost::call({model.get()});
  ASSERT_FALSE(result.raised) << result.message;
  expectNothingLeft(result);
}

TEST_F(GatewayTest, AWideSparseMatrixIsSizedByItsEntries) {
  // 10^5 x 10^5 has more than 2^31 positions but only two entries.
  Array model(
      structure({{"A", sparse(100000, 100000, {{0, 0, 1}, {5, 99999, 2}})},
                 {"obj", row({})}}));
  testhost::CallResult result = testhost::call({model.get()});
  EXPECT_EQ(result.message.find("It is too large."), std::string::npos)
      << result.message;
}

TEST(GatewayVersionTest, ReportsTheHostReleaseAndArrayInterface) {
  unsigned int release = 0;
  unsigned int api = 0;
  mexfilerequiredapiversion(&release, &api);
  EXPECT_EQ(release, 0x2021Bu);
  EXPECT_EQ(api, 0x08000000u);
}

}  // namespace
