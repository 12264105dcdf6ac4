// Solves stopped by limits and by KVAterminate from another thread.
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include "tests/libkorva/solver_fixture.h"

namespace {

// A market split problem: 0-1 columns and slack pairs on equality rows, with
// the total slack minimised. Points are found at once (all slack), proving
// optimality takes minutes, and Cbc's preprocessing changes the model, so a
// stopped search has to turn its incumbent back into a point of this model.
DenseModel marketSplit(int rows, int items) {
  DenseModel m;
  int cols = items + 2 * rows;
  m.obj.assign(cols, 0.0);
  m.vtype.assign(items, 'B');
  m.vtype.append(2 * rows, 'C');
  m.ub.assign(items, 1.0);
  m.ub.resize(cols, KVA_INFINITY);
  for (int i = 1; i <= rows; ++i) {
    std::vector<double> row(cols, 0.0);
    double total = 0;
    for (int j = 1; j <= items; ++j) {
      row[j - 1] = (i * j * 37 + j * j * 11 + 7 * i) % 100;
      total += row[j - 1];
    }
    row[items + i - 1] = 1;
    row[items + rows + i - 1] = -1;
    m.rows.push_back(row);
    m.rhs.push_back(std::floor(total / 2));
    m.sense += '=';
  }
  for (int k = items; k < cols; ++k) m.obj[k] = 1;
  return m;
}

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

TEST_F(LibkorvaLimitsTest, TimeLimitKeepsTheIncumbent) {
  // The search that the time limit stops has a point; neither Cbc's
  // wrap-up after the limit nor the reduced-cost LP may be cut short.
  ASSERT_EQ(KVAsetdblparam(env, "MaxTime", 1.0), KVA_OK);
  ASSERT_EQ(solve(marketSplit(4, 30)), KVA_SUB_OPTIMAL) << log();
  EXPECT_TRUE(hasX());
  EXPECT_GT(objVal(), 0.0);
  double rc = 1;
  EXPECT_EQ(KVAgetdblattrarray(model, "RC", 0, 1, &rc), KVA_OK);
  // The search's own simplex iterations are counted.
  int iterations = 0;
  ASSERT_EQ(KVAgetintattr(model, "SPX/NumIters", &iterations), KVA_OK);
  EXPECT_GT(iterations, 1000);
}

TEST_F(LibkorvaLimitsTest, StartValuesGiveTheSearchAPoint) {
  // One node without heuristics finds no point of its own; a start for the
  // 0-1 columns alone is completed by Cbc (the slacks follow) and returned.
  ASSERT_EQ(KVAsetintparam(env, "MIP/MaxNodes", 1), KVA_OK);
  ASSERT_EQ(KVAsetintparam(env, "MIP/LevelHeurs", 0), KVA_OK);
  DenseModel split = marketSplit(4, 30);
  ASSERT_EQ(solve(split), KVA_NODE_LIMIT) << log();
  ASSERT_EQ(KVAfreemodel(model), KVA_OK);
  model = nullptr;

  load(split);
  for (int j = 0; j < 30; ++j) {
    ASSERT_EQ(KVAsetdblattrelement(model, "Start", j, 0.0), KVA_OK);
  }
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  ASSERT_EQ(status(), KVA_SUB_OPTIMAL) << log();
  // All-zero columns leave every row's right-hand side to the slacks.
  double total = 0;
  for (double rhs : split.rhs) total += rhs;
  EXPECT_DOUBLE_EQ(objVal(), total);
}

// Cbc holds no incumbent before its root: one there, with nothing left to
// search, crashed it. A start at the optimum, one off it, and one set on
// an SOS model all end in the optimum.
TEST_F(LibkorvaLimitsTest, StartsTheSearchCannotImproveEndInTheOptimum) {
  DenseModel small;
  small.obj = {1, 2, 3};
  small.rows = {{1, 1, 0}, {0, 1, 1}};
  small.sense = "<>";
  small.rhs = {4, 5};
  small.vtype = "BCC";
  for (std::vector<double> start :
       std::vector<std::vector<double>>{{0}, {1, 3, 2}}) {
    load(small);
    for (size_t j = 0; j < start.size(); ++j) {
      ASSERT_EQ(KVAsetdblattrelement(model, "Start", int(j), start[j]), KVA_OK);
    }
    ASSERT_EQ(KVAoptimize(model), KVA_OK);
    EXPECT_EQ(status(), KVA_OPTIMAL) << log();
    EXPECT_DOUBLE_EQ(objVal(), 11);
    ASSERT_EQ(KVAfreemodel(model), KVA_OK);
    model = nullptr;
  }
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
