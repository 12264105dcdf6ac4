// The log: what reaches the callback and the log file, from which threads,
// when it stops, and that nothing goes to stdout instead.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "tests/libkorva/fixture.h"

namespace {

DenseModel smallLp(std::string vtype = "") {
  return withRows(variables({1, 1}, {}, -1, vtype), {{1, 2}, {3, 1}}, "<<",
                  {4, 6});
}

std::string fileText(const std::string &path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class LibkorvaLogTest : public LibkorvaTest {};

TEST_F(LibkorvaLogTest, EveryBackendLogsThroughTheCallbackOnly) {
  struct Case {
    const char *className;
    DenseModel model;
    int method;
    const char *backendLine;  // the library's line on a backend step
  };
  DenseModel disc =
      withQc(variables({1, 1}, {}, -1), {}, {{0, 1}, {0, 1}, {1, 1}}, '<', 1);
  const Case cases[] = {
      {"LP", smallLp(), 1, "Dual simplex: 2 iterations"},
      {"MILP", smallLp("II"), -1, "Branch and cut done"},
      {"LP", smallLp(), 2, "Crossover:"},
      {"QP", withQ(smallLp(), {{0, 1}, {0, 1}, {-1, -1}}), 2, "Barrier:"},
      {"QCP", disc, -1, "Ipopt iteration"},
      {"SDP", eigenvalueModel(2, {{0, 3}, {1, 1}}), -1, "DSDP iteration"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.className) + " " + c.backendLine);
    clearLog();
    ASSERT_EQ(KVAsetintparam(env, "Method", c.method), KVA_OK);
    load(c.model);
    // The solver libraries print with printf and std::cout alike; gtest
    // captures file descriptor 1.
    testing::internal::CaptureStdout();
    int code = KVAoptimize(model);
    std::cout.flush();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    ASSERT_EQ(code, KVA_OK);
    std::string text = log();
    EXPECT_NE(text.find("Model test: " + std::to_string(c.model.obj.size()) +
                        " variables"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(std::string(c.className) + " solved by"),
              std::string::npos);
    EXPECT_NE(text.find(c.backendLine), std::string::npos) << text;
    EXPECT_NE(text.find("Status OPTIMAL, objective"), std::string::npos);
  }
}

TEST_F(LibkorvaLogTest, OutputSwitches) {
  std::string path = ::testing::TempDir() + "libkorva_log_test.log";
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
  }
  // The file is appended to, solve after solve.
  ASSERT_EQ(KVAsetintparam(env, "OutputFlag", 1), KVA_OK);
  solve(smallLp());
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  std::string text = fileText(path);
  EXPECT_NE(text.find("Status OPTIMAL"), text.rfind("Status OPTIMAL"));
  std::remove(path.c_str());
}

TEST_F(LibkorvaLogTest, CallbackRunsOnTheSolvingThreadAndNeverAfterFree) {
  load(smallLp("II"));
  std::thread::id solving;
  std::thread worker([&] {
    solving = std::this_thread::get_id();
    KVAoptimize(model);
  });
  worker.join();
  EXPECT_EQ(loggingThreads(), std::set<std::thread::id>{solving});
  ASSERT_EQ(KVAfreeenv(env), KVA_OK);
  env = nullptr;
  clearLog();
  // The model outlives its environment: it still solves, silently.
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(status(), KVA_OPTIMAL);
  EXPECT_EQ(log(), "");
  EXPECT_TRUE(loggingThreads().empty());
}

}  // namespace
