// Solves stopped by limits and by KVAterminate from another thread.
#include <atomic>
#include <chrono>
#include <thread>

#include "tests/libkorva/solver_fixture.h"

namespace {

class LibkorvaLimitsTest : public LibkorvaTest {
 protected:
  bool hasX() {
    double value = 0;
    return KVAgetdblattrarray(model, "X", 0, 1, &value) == KVA_OK;
  }
};

TEST_F(LibkorvaLimitsTest, NodeLimitKeepsTheIncumbentOrReportsTheLimit) {
  struct Case {
    const char *name;
    int heuristics;  // MIP/LevelHeurs
    int status;
  };
  // With heuristics the root finds points; without them one node ends the
  // search before any integer point is seen.
  for (Case c : {Case{"heuristics", -1, KVA_SUB_OPTIMAL},
                 Case{"no heuristics", 0, KVA_NODE_LIMIT}}) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(KVAsetintparam(env, "MIP/MaxNodes", 1), KVA_OK);
    ASSERT_EQ(KVAsetintparam(env, "MIP/LevelHeurs", c.heuristics), KVA_OK);
    ASSERT_EQ(solve(hardKnapsack(150, 10)), c.status) << log();
    EXPECT_EQ(hasX(), c.status == KVA_SUB_OPTIMAL);
    if (c.status == KVA_SUB_OPTIMAL) {
      double gap = 0;
      ASSERT_EQ(KVAgetdblattr(model, "MIP/GapRel", &gap), KVA_OK);
      EXPECT_GT(gap, 0.0);
      EXPECT_GT(objVal(), 0.0);
    }
    EXPECT_EQ(KVAfreemodel(model), KVA_OK);
    model = nullptr;
  }
}

TEST_F(LibkorvaLimitsTest, TimeLimitEndsTheSearch) {
  ASSERT_EQ(KVAsetdblparam(env, "MaxTime", 1.0), KVA_OK);
  int result = solve(hardKnapsack(150, 10));
  // The root heuristics nearly always find a point within the second.
  ASSERT_TRUE(result == KVA_SUB_OPTIMAL || result == KVA_TIME_LIMIT) << result;
  EXPECT_EQ(hasX(), result == KVA_SUB_OPTIMAL);
}

TEST_F(LibkorvaLimitsTest, IterationLimitOnAnLp) {
  ASSERT_EQ(KVAsetintparam(env, "SPX/MaxIterations", 1), KVA_OK);
  ASSERT_EQ(KVAsetintparam(env, "Presolve", 0), KVA_OK);
  DenseModel relaxation = hardKnapsack(40, 5);
  relaxation.vtype.clear();
  int result = solve(relaxation);
  // Dual simplex stops one pivot in, before it is primal feasible.
  EXPECT_EQ(result, KVA_ITERATION_LIMIT) << log();
}

TEST_F(LibkorvaLimitsTest, TerminateFromAnotherThreadEndsWithInterrupted) {
  // A safety net so that a broken terminate fails instead of hanging.
  ASSERT_EQ(KVAsetdblparam(env, "MaxTime", 60.0), KVA_OK);
  load(hardKnapsack(150, 10));
  std::atomic<int> optimizeResult{-1};
  std::thread worker([&] { optimizeResult = KVAoptimize(model); });
  // While the solve runs, other calls on the model are refused.
  int busy = KVA_OK;
  int count = 0;
  for (int tries = 0; tries < 2000 && busy != KVA_ERROR_MODEL_BUSY; ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    busy = KVAgetintattr(model, "NumVars", &count);
  }
  EXPECT_EQ(busy, KVA_ERROR_MODEL_BUSY);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(KVAterminate(model), KVA_OK);
  worker.join();
  EXPECT_EQ(optimizeResult.load(), KVA_OK);
  EXPECT_EQ(status(), KVA_INTERRUPTED);
  double seconds = 0;
  ASSERT_EQ(KVAgetdblattr(model, "SolverTime", &seconds), KVA_OK);
  EXPECT_LT(seconds, 60.0);
}

TEST_F(LibkorvaLimitsTest, TerminateBeforeTheSolveStartsStillStopsIt) {
  load(hardKnapsack(150, 10));
  ASSERT_EQ(KVAterminate(model), KVA_OK);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(status(), KVA_INTERRUPTED);
  // The request was consumed: the next solve runs to its limit.
  ASSERT_EQ(KVAsetdblparam(env, "MaxTime", 0.5), KVA_OK);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_NE(status(), KVA_INTERRUPTED);
}

}  // namespace
