// The log: what reaches the callback and the log file, from which threads,
// and when it stops.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>
#include <utility>

#include "tests/libkorva/model_builders.h"
#include "tests/libkorva/solver_fixture.h"

namespace {

DenseModel smallLp() {
  DenseModel m;
  m.obj = {1, 1};
  m.rows = {{1, 2}, {3, 1}};
  m.sense = "<<";
  m.rhs = {4, 6};
  m.objSense = -1;
  return m;
}

std::string fileText(const std::string &path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

size_t occurrences(const std::string &text, const std::string &part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos;
       at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

class LibkorvaLogTest : public LibkorvaTest {};

TEST_F(LibkorvaLogTest, HeaderBackendLinesAndFooterReachTheCallback) {
  struct Case {
    const char *name;
    DenseModel model;
    const char *backendLine;  // a line the backend itself writes
  };
  DenseModel mip = smallLp();
  mip.vtype = "II";
  for (const Case &c : {Case{"LP", smallLp(), "Optimal - objective value"},
                        Case{"MILP", mip, "Result - Optimal solution found"}}) {
    SCOPED_TRACE(c.name);
    clearLog();
    solve(c.model);
    std::string text = log();
    EXPECT_NE(text.find("Model test: 2 variables"), std::string::npos) << text;
    EXPECT_NE(text.find(std::string(c.name) + " solved by"), std::string::npos);
    EXPECT_NE(text.find(c.backendLine), std::string::npos) << text;
    EXPECT_NE(text.find("Status OPTIMAL, objective"), std::string::npos);
    EXPECT_EQ(KVAfreemodel(model), KVA_OK);
    model = nullptr;
  }
}

TEST_F(LibkorvaLogTest, BarrierLinesGoThroughTheCallbackNotStdout) {
  // Clp's barrier writes the size of its Cholesky factor to std::cout when
  // it logs; that line has to reach the callback instead.
  ASSERT_EQ(KVAsetintparam(env, "Method", 2), KVA_OK);
  for (bool quadratic : {false, true}) {
    SCOPED_TRACE(quadratic ? "QP" : "LP");
    clearLog();
    std::stringstream console;
    std::streambuf *saved = std::cout.rdbuf(console.rdbuf());
    load(smallLp());
    if (quadratic) {
      ASSERT_EQ(addQpTerms(model, Triplets{{0, 1}, {0, 1}, {-1, -1}}), KVA_OK);
    }
    int result = KVAoptimize(model);
    std::cout.rdbuf(saved);
    ASSERT_EQ(result, KVA_OK);
    EXPECT_EQ(status(), KVA_OPTIMAL) << log();
    EXPECT_EQ(console.str(), "");
    EXPECT_NE(log().find("elements in sparse Cholesky"), std::string::npos)
        << log();
    EXPECT_EQ(KVAfreemodel(model), KVA_OK);
    model = nullptr;
  }
}

TEST_F(LibkorvaLogTest, OutputSwitches) {
  std::string path = ::testing::TempDir() + "libkorva_log_test.log";
  std::remove(path.c_str());
  struct Case {
    const char *name;
    int outputFlag;
    int logToConsole;
    bool toCallback;
    bool toFile;
  };
  for (Case c : {Case{"all on", 1, 1, true, true},
                 Case{"console off", 1, 0, false, true},
                 Case{"output off", 0, 1, false, false}}) {
    SCOPED_TRACE(c.name);
    std::remove(path.c_str());
    clearLog();
    ASSERT_EQ(KVAsetintparam(env, "OutputFlag", c.outputFlag), KVA_OK);
    ASSERT_EQ(KVAsetintparam(env, "LogToConsole", c.logToConsole), KVA_OK);
    ASSERT_EQ(KVAsetstrparam(env, "LogFile", path.c_str()), KVA_OK);
    EXPECT_EQ(solve(smallLp()), KVA_OPTIMAL);
    EXPECT_EQ(log().find("Status OPTIMAL") != std::string::npos, c.toCallback);
    EXPECT_EQ(fileText(path).find("Status OPTIMAL") != std::string::npos,
              c.toFile);
    EXPECT_EQ(KVAfreemodel(model), KVA_OK);
    model = nullptr;
  }
  // The file is appended to, solve after solve.
  ASSERT_EQ(KVAsetintparam(env, "OutputFlag", 1), KVA_OK);
  solve(smallLp());
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(occurrences(fileText(path), "Status OPTIMAL"), 2u);
  std::remove(path.c_str());
}

std::mutex threadsLock;
std::set<std::thread::id> loggingThreads;

int recordThread(const char *) {
  std::lock_guard<std::mutex> guard(threadsLock);
  loggingThreads.insert(std::this_thread::get_id());
  return 0;
}

TEST_F(LibkorvaLogTest, CallbackRunsOnTheSolvingThreadAndNeverAfterFree) {
  KVAenv fixtureEnv = env;
  ASSERT_EQ(KVAemptyenv(&env), KVA_OK);
  ASSERT_EQ(KVAsetlogcallback(env, recordThread, nullptr), KVA_OK);
  ASSERT_EQ(KVAstartenv(env), KVA_OK);
  DenseModel mip = smallLp();
  mip.vtype = "II";
  load(mip);
  std::thread::id solving;
  std::thread worker([&] {
    solving = std::this_thread::get_id();
    KVAoptimize(model);
  });
  worker.join();
  ASSERT_EQ(KVAfreeenv(env), KVA_OK);
  env = fixtureEnv;
  auto takeThreads = [] {
    std::lock_guard<std::mutex> guard(threadsLock);
    return std::exchange(loggingThreads, {});
  };
  EXPECT_EQ(takeThreads(), std::set<std::thread::id>{solving});
  // The model outlives its environment: it still solves, silently.
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(status(), KVA_OPTIMAL);
  EXPECT_TRUE(takeThreads().empty());
}

}  // namespace
