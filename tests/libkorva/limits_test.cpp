// Solves stopped by limits, by KVAterminate from another thread or before
// they start, and searches given start values.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <numeric>
#include <thread>

#include "tests/libkorva/fixture.h"

namespace {

// A market split problem: 0-1 columns and slack pairs on equality rows, with
// the total slack minimised. Points are found at once (all slack), proving
// optimality takes minutes, and Cbc's preprocessing changes the model, so a
// stopped search has to turn its incumbent back into a point of this model.
DenseModel marketSplit(int rows, int items) {
  int cols = items + 2 * rows;
  std::vector<double> obj(items, 0.0), ub(items, 1.0);
  obj.resize(cols, 1.0);
  ub.resize(cols, inf);
  DenseModel m = variables(
      obj, ub, 1, std::string(items, 'B') + std::string(2 * rows, 'C'));
  for (int i = 1; i <= rows; ++i) {
    std::vector<double> row(cols, 0.0);
    for (int j = 1; j <= items; ++j) {
      row[j - 1] = (i * j * 37 + j * j * 11 + 7 * i) % 100;
    }
    double total = std::accumulate(row.begin(), row.end(), 0.0);
    row[items + i - 1] = 1;
    row[items + rows + i - 1] = -1;
    m.sense += '=';
    m.rows.push_back(row);
    m.rhs.push_back(std::floor(total / 2));
  }
  return m;
}

// A 0-1 knapsack with a concave quadratic bonus: far too long a search for
// Bonmin to finish.
DenseModel hardMinlp() {
  Triplets bonus;
  for (int j = 0; j < 60; ++j) {
    bonus.rows.push_back(j);
    bonus.cols.push_back(j);
    bonus.vals.push_back(-0.5 - j % 7);
  }
  return withQ(hardKnapsack(60, 5), bonus);
}

// max x1 + ... + xn in the ellipsoid of the dense matrix 0.99^|i - j|: one
// Ipopt solve of seconds, each iteration factoring a dense system.
DenseModel longQcp(int n = 800) {
  Triplets q;
  for (int i = 0; i < n; ++i) {
    for (int j = i; j < n; ++j) {
      q.rows.push_back(i), q.cols.push_back(j);
      q.vals.push_back((i == j ? 1 : 2) * std::pow(0.99, j - i));
    }
  }
  return withQc(variables(std::vector<double>(n, 1), {}, -1), {}, q, '<', 1);
}

struct Limit {
  const char *name;
  DenseModel model;
  std::vector<std::pair<const char *, double>> params;
  std::vector<int> statuses;  // any of these
  bool reducedCosts;          // RC comes with the point
  int minIterations;          // SPX/NumIters at least
};

Limit limit(const char *name, DenseModel m,
            std::vector<std::pair<const char *, double>> params,
            std::vector<int> statuses, bool reducedCosts = false,
            int minIterations = 0) {
  return {name, m, params, statuses, reducedCosts, minIterations};
}

class LibkorvaLimitsTest : public LibkorvaTest {};

TEST_F(LibkorvaLimitsTest, LimitsEndWithTheirStatus) {
  DenseModel relaxation = hardKnapsack(40, 5);
  relaxation.vtype.clear();
  const Limit cases[] = {
      // With heuristics the root finds points; without them one node ends
      // the search before any integer point is seen.
      limit("node limit", hardKnapsack(150, 10), {{"MIP/MaxNodes", 1}},
            {KVA_SUB_OPTIMAL}, true),
      limit("node limit, no heuristics", hardKnapsack(150, 10),
            {{"MIP/MaxNodes", 1}, {"MIP/LevelHeurs", 0}}, {KVA_NODE_LIMIT}),
      // Neither Cbc's wrap-up after the limit nor the reduced-cost LP may
      // be cut short, and the search's own iterations are counted (the
      // root LP takes a few dozen; a busy machine may allow few more).
      limit("time limit", marketSplit(4, 30), {{"MaxTime", 1}},
            {KVA_SUB_OPTIMAL}, true, 100),
      // Dual simplex stops one pivot in, before it is primal feasible.
      limit("iteration limit", relaxation,
            {{"SPX/MaxIterations", 1}, {"Presolve", 0}}, {KVA_ITERATION_LIMIT}),
      limit("Bonmin time limit", hardMinlp(), {{"MaxTime", 0.5}},
            {KVA_SUB_OPTIMAL, KVA_TIME_LIMIT}),
      limit("DSDP time limit", eigenvalueModel(2, {{0, 1, 3}, {1, 2, 3}}),
            {{"MaxTime", 0}}, {KVA_TIME_LIMIT}),
      // Ipopt gives up after one iteration, and so does the search for any
      // point that settles its failures: the disc is not called unbounded.
      limit("Ipopt iteration limit",
            withQc(variables({1, 1}, {}, -1), {}, {{0, 1}, {0, 1}, {1, 1}}, '<',
                   1),
            {{"IPM/MaxIterations", 1}}, {KVA_NUMERICAL, KVA_ITERATION_LIMIT}),
  };
  for (const Limit &c : cases) {
    SCOPED_TRACE(c.name);
    // A fresh environment: no parameter of an earlier case stays set.
    TearDown();
    SetUp();
    for (const auto &p : c.params) setParam(p.first, p.second);
    int s = solve(c.model);
    EXPECT_NE(std::find(c.statuses.begin(), c.statuses.end(), s),
              c.statuses.end())
        << s << log();
    EXPECT_EQ(has("ObjVal"), s == KVA_SUB_OPTIMAL);
    double rc = 0;
    EXPECT_EQ(KVAgetdblattrarray(model, "RC", 0, 1, &rc) == KVA_OK,
              c.reducedCosts);
    EXPECT_GE(intAttr("SPX/NumIters"), c.minIterations);
    if (s == KVA_SUB_OPTIMAL) {
      // The incumbent is a point of this model, not of Cbc's preprocessed
      // one, with the objective reported (a linear one, without parts).
      std::vector<double> point = x();
      auto dot = [&point](const std::vector<double> &a) {
        return std::inner_product(a.begin(), a.end(), point.begin(), 0.0);
      };
      for (size_t i = 0; i < c.model.rows.size(); ++i) {
        double side = c.model.rhs[i], a = dot(c.model.rows[i]);
        EXPECT_TRUE(c.model.sense[i] == '<' ? a <= side + 1e-6
                                            : std::fabs(a - side) <= 1e-6)
            << "row " << i;
      }
      if (c.model.parts == nullptr) {
        EXPECT_NEAR(objVal(), dot(c.model.obj), 1e-6);
      }
      EXPECT_GT(dblAttr("MIP/GapAbs"), 0.0);
      EXPECT_DOUBLE_EQ(dblAttr("MIP/GapRel"),
                       dblAttr("MIP/GapAbs") / std::fabs(objVal()));
    }
  }
}

TEST_F(LibkorvaLimitsTest, StartValuesGiveTheSearchAPoint) {
  // One node without heuristics finds no point of its own (see above); a
  // start for the 0-1 columns alone is completed by Cbc (the slacks follow)
  // and returned.
  ASSERT_EQ(KVAsetintparam(env, "MIP/MaxNodes", 1), KVA_OK);
  ASSERT_EQ(KVAsetintparam(env, "MIP/LevelHeurs", 0), KVA_OK);
  DenseModel split = marketSplit(4, 30);
  ASSERT_EQ(solve(split), KVA_NODE_LIMIT) << log();
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
  DenseModel small = withRows(variables({1, 2, 3}, {}, 1, "BCC"),
                              {{1, 1, 0}, {0, 1, 1}}, "<>", {4, 5});
  DenseModel sos = withParts(withRows(variables({1, 2, 3, 1}, {1, 1, 1, 1}, -1),
                                      {{1, 1, 1, 1}}, "<", {10}),
                             [](KVAmodel k) {
                               ASSERT_EQ(addSos(k, 1, {0, 1, 2}, {1, 2, 3}), 0);
                             });
  struct Case {
    DenseModel model;
    std::vector<double> start;
    double optimum;
  };
  for (const Case &c : {Case{small, {0}, 11}, Case{small, {1, 3, 2}, 11},
                        Case{sos, {0, 0, 1, 1}, 4}}) {
    load(c.model);
    for (size_t j = 0; j < c.start.size(); ++j) {
      ASSERT_EQ(KVAsetdblattrelement(model, "Start", int(j), c.start[j]),
                KVA_OK);
    }
    ASSERT_EQ(KVAoptimize(model), KVA_OK);
    EXPECT_EQ(status(), KVA_OPTIMAL) << log();
    EXPECT_DOUBLE_EQ(objVal(), c.optimum);
  }
}

TEST_F(LibkorvaLimitsTest, TerminateFromAnotherThreadEndsWithInterrupted) {
  for (const DenseModel &hard :
       {hardKnapsack(150, 10), hardMinlp(), longQcp(),
        withQc(marketSplit(4, 30), {}, {{0}, {0}, {1}}, '<', 1)}) {
    clearLog();
    // A safety net so that a broken terminate fails instead of hanging.
    ASSERT_EQ(KVAsetdblparam(env, "MaxTime", 60.0), KVA_OK);
    load(hard);
    std::atomic<int> optimizeResult{-1};
    std::thread worker([&] { optimizeResult = KVAoptimize(model); });
    // While the solve runs, other calls on the model are refused.
    int busy = KVA_OK, count = 0;
    for (int tries = 0; tries < 2000 && busy != KVA_ERROR_MODEL_BUSY; ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      busy = KVAgetintattr(model, "NumVars", &count);
    }
    EXPECT_EQ(busy, KVA_ERROR_MODEL_BUSY);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(KVAterminate(model), KVA_OK);
    worker.join();
    EXPECT_EQ(optimizeResult.load(), KVA_OK);
    EXPECT_EQ(status(), KVA_INTERRUPTED) << log();
    EXPECT_NE(log().find("Status INTERRUPTED"), std::string::npos) << log();
    // Ended by the request, not by the safety net; a single Ipopt solve
    // was cut short, so Bonmin reports no best point.
    EXPECT_LT(dblAttr("SolverTime"), 60.0) << log();
    if (hard.vtype.empty()) {
      EXPECT_EQ(log().find("best"), std::string::npos) << log();
    }
  }
}

TEST_F(LibkorvaLimitsTest, TerminateBeforeTheSolveStartsStillStopsIt) {
  // The request is consumed: the next solve runs to its end or limit.
  ASSERT_EQ(KVAsetdblparam(env, "MaxTime", 0.5), KVA_OK);
  for (const DenseModel &m : {hardKnapsack(150, 10), hardMinlp(),
                              eigenvalueModel(2, {{0, 1, 3}, {1, 2, 3}})}) {
    load(m);
    ASSERT_EQ(KVAterminate(model), KVA_OK);
    ASSERT_EQ(KVAoptimize(model), KVA_OK);
    EXPECT_EQ(status(), KVA_INTERRUPTED);
    EXPECT_LE(intAttr("IPM/NumIters"), 1);
    ASSERT_EQ(KVAoptimize(model), KVA_OK);
    EXPECT_NE(status(), KVA_INTERRUPTED);
  }
}

}  // namespace
