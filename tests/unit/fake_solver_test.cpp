// The recording fake solver the module's tests stand on: how calls are
// rendered, scripted failures, where attribute values come from, and the
// solve's threads (logging, blocking until terminate).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "fake_solver.h"

namespace {

KVAenv startedEnv() {
  KVAenv env = nullptr;
  EXPECT_EQ(KVAemptyenv(&env), KVA_OK);
  EXPECT_EQ(KVAstartenv(env), KVA_OK);
  return env;
}

KVAmodel newModel(KVAenv env, int numVars) {
  KVAmodel model = nullptr;
  EXPECT_EQ(KVAnewmodel(env, &model, nullptr, numVars, nullptr, nullptr,
                        nullptr, nullptr, nullptr),
            KVA_OK);
  return model;
}

// What the log callback received, per thread, in order.
std::mutex loggedMutex;
std::map<std::thread::id, std::vector<std::string>> logged;

int logMessage(const char *message) {
  std::lock_guard<std::mutex> lock(loggedMutex);
  logged[std::this_thread::get_id()].push_back(message);
  return 0;
}

std::map<std::thread::id, std::vector<std::string>> takeLogged() {
  std::map<std::thread::id, std::vector<std::string>> taken;
  std::lock_guard<std::mutex> lock(loggedMutex);
  taken.swap(logged);
  return taken;
}

TEST(FakeSolver, CallsRenderArraysByTheirOwnCounts) {
  // Buffers longer than the counts: only the counted part may show.
  const char sense[] = "<=X";
  const double obj[] = {1, -2, 3, 99};
  const double rhs[] = {4, 5, 99};
  const int colBegin[] = {0, 2, 3, 99};
  const int colCount[] = {2, 1, 2, 99};
  const int rowIdx[] = {0, 1, 1, 0, 1, 99};
  const double vals[] = {1, 2, 3, 4, 5, 99};
  const double lb[] = {0, 0, 0};
  const double ub[] = {1e20, 1e20, 1e20};
  const char *const varnames[] = {"x", "y", "z", "w"};
  const char *const constrnames[] = {"r1", "r2", "r3"};
  const int linear[] = {0, 1, 2};
  const double values[] = {1.5, 2, 3};
  struct Case {
    const char *label;
    std::function<void(KVAenv, KVAmodel)> call;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"full load",
       [&](KVAenv env, KVAmodel) {
         KVAmodel model = nullptr;
         KVAloadmodel(env, &model, "lp", 3, 2, -1, 0.5, obj, sense, rhs,
                      colBegin, colCount, rowIdx, vals, lb, ub, "CIBX",
                      varnames, constrnames);
       },
       "KVAloadmodel(env, model, \"lp\", 3, 2, -1, 0.5, [1 -2 3], \"<=\", "
       "[4 5], [0 2 3], [2 1 2], [0 1 1 0 1], [1 2 3 4 5], [0 0 0], "
       "[1e+20 1e+20 1e+20], \"CIB\", [\"x\" \"y\" \"z\"], [\"r1\" \"r2\"])"},
      {"empty load",
       [&](KVAenv env, KVAmodel) {
         KVAmodel model = nullptr;
         KVAloadmodel(env, &model, nullptr, 0, 0, 1, 0, obj, nullptr, nullptr,
                      colBegin, colCount, rowIdx, vals, nullptr, nullptr,
                      nullptr, nullptr, nullptr);
       },
       "KVAloadmodel(env, model, null, 0, 0, 1, 0, [], null, null, [], [], "
       "[], [], null, null, null, null, null)"},
      {"sense as integer",
       [&](KVAenv, KVAmodel model) {
         KVAaddqconstr(model, 1, linear, values, 2, linear, linear, values, '<',
                       5, nullptr);
       },
       "KVAaddqconstr(model, 1, [0], [1.5], 2, [0 1], [0 1], [1.5 2], '<', "
       "5, null)"},
      {"matrix begins",
       [&](KVAenv, KVAmodel model) {
         KVAaddrangepsdconstr(model, 0, 2, 3, nullptr, nullptr, linear,
                              colBegin, rowIdx, vals, -1, 1, nullptr);
       },
       "KVAaddrangepsdconstr(model, 0, 2, 3, null, null, [0 1], [0 2 3], "
       "[0 1 1], [1 2 3], -1, 1, null)"},
      {"characters",
       [](KVAenv, KVAmodel model) {
         KVAsetcharattrarray(model, "VType", 1, 2, "BIC");
       },
       "KVAsetcharattrarray(model, \"VType\", 1, 2, \"BI\")"},
      {"size query",
       [](KVAenv, KVAmodel model) {
         int sizes[3];
         KVAgetmatattrelement(model, "PsdX", 0, &sizes[0], &sizes[1], &sizes[2],
                              nullptr, nullptr);
       },
       "KVAgetmatattrelement(model, \"PsdX\", 0, out, out, out, null, null)"},
      {"callback",
       [](KVAenv env, KVAmodel) {
         KVAsetlogcallback(env, logMessage, nullptr);
       },
       "KVAsetlogcallback(env, callback, null)"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.label);
    fake::reset();
    KVAenv env = startedEnv();
    KVAmodel model = newModel(env, 3);
    c.call(env, model);
    ASSERT_FALSE(fake::callTexts().empty());
    EXPECT_EQ(fake::callTexts().back(), c.text);
  }
}

TEST(FakeSolver, FailedCreationCreatesNothingAndLeavesTheHandle) {
  struct Case {
    const char *function;
    std::function<int(KVAenv, void **)> create;
    std::function<int()> live;
  };
  const std::vector<Case> cases = {
      {"KVAemptyenv",
       [](KVAenv, void **handle) {
         return KVAemptyenv(reinterpret_cast<KVAenv *>(handle));
       },
       fake::liveEnvironments},
      {"KVAnewmodel",
       [](KVAenv env, void **handle) {
         return KVAnewmodel(env, reinterpret_cast<KVAmodel *>(handle), nullptr,
                            0, nullptr, nullptr, nullptr, nullptr, nullptr);
       },
       fake::liveModels},
      {"KVAloadmodel",
       [](KVAenv env, void **handle) {
         return KVAloadmodel(env, reinterpret_cast<KVAmodel *>(handle), nullptr,
                             0, 0, 1, 0, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr);
       },
       fake::liveModels},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.function);
    fake::reset();
    KVAenv env = startedEnv();
    // The second call from here on fails.
    int earlier = static_cast<int>(fake::callsOf(c.function).size());
    int live = c.live();
    fake::failCall(c.function, KVA_ERROR_OUT_OF_MEMORY, earlier + 2);
    void *first = nullptr;
    ASSERT_EQ(c.create(env, &first), KVA_OK);
    void *second = first;
    EXPECT_EQ(c.create(env, &second), KVA_ERROR_OUT_OF_MEMORY);
    EXPECT_EQ(second, first);
    EXPECT_EQ(c.live(), live + 1);
    void *third = nullptr;
    EXPECT_EQ(c.create(env, &third), KVA_OK);
    EXPECT_NE(third, first);
    EXPECT_EQ(c.live(), live + 2);
    EXPECT_EQ(fake::callsOf(c.function).size(), size_t(earlier + 3));
  }
  EXPECT_STREQ(KVAexplainerror(KVA_ERROR_INVALID_ARGUMENT),
               "Invalid argument.");
  EXPECT_STREQ(KVAexplainerror(99), "Unknown error.");
  fake::reset();
  EXPECT_TRUE(fake::calls().empty());
  EXPECT_EQ(fake::liveEnvironments(), 0);
  EXPECT_EQ(fake::liveModels(), 0);
}

// A model of 3 variables and 2 rows with one quadratic constraint and two
// semidefinite variables added.
KVAmodel builtModel() {
  fake::reset();
  KVAenv env = startedEnv();
  KVAmodel model = nullptr;
  EXPECT_EQ(KVAloadmodel(env, &model, nullptr, 3, 2, 1, 0, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr),
            KVA_OK);
  EXPECT_EQ(KVAaddqconstr(model, 0, nullptr, nullptr, 0, nullptr, nullptr,
                          nullptr, '<', 1, nullptr),
            KVA_OK);
  for (int j = 0; j < 2; ++j) {
    EXPECT_EQ(KVAaddpsdvar(model, 2, 0, nullptr, nullptr, nullptr), KVA_OK);
  }
  return model;
}

TEST(FakeSolver, ScriptedAttributesWinOverModelState) {
  constexpr int untouched = -7;
  struct Case {
    const char *attribute;
    std::function<void()> script;
    bool found;
    int value;
  };
  const std::vector<Case> cases = {
      {"NumVars", [] {}, true, 3},
      {"NumConss", [] {}, true, 3},
      {"NumPsdVars", [] {}, true, 2},
      {"Status", [] {}, true, KVA_UNKNOWN},
      {"NumVars", [] { fake::setIntAttr("NumVars", 9); }, true, 9},
      {"IPM/NumIters", [] {}, false, untouched},
      {"IPM/NumIters", [] { fake::setDblAttr("IPM/NumIters", 4); }, false,
       untouched},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.attribute);
    KVAmodel model = builtModel();
    c.script();
    int value = untouched;
    EXPECT_EQ(KVAgetintattr(model, c.attribute, &value) == KVA_OK, c.found);
    EXPECT_EQ(value, c.value);
  }

  KVAmodel model = builtModel();
  fake::setDblArrayAttr("X", {1, 2, 3});
  double x[2] = {untouched, untouched};
  EXPECT_EQ(KVAgetdblattrarray(model, "X", 1, 2, x), KVA_OK);
  EXPECT_EQ(x[0], 2);
  EXPECT_EQ(x[1], 3);
  EXPECT_NE(KVAgetdblattrarray(model, "X", 2, 2, x), KVA_OK);
  EXPECT_EQ(x[0], 2);

  fake::setPsdX({{2, 2, {0, 3}, {1.5, 2.5}}});
  int sizes[3] = {0, 0, 0};
  int flatIdx[2] = {untouched, untouched};
  double vals[2] = {untouched, untouched};
  EXPECT_EQ(KVAgetmatattrelement(model, "PsdX", 0, &sizes[0], &sizes[1],
                                 &sizes[2], nullptr, nullptr),
            KVA_OK);
  EXPECT_EQ(std::vector<int>(sizes, sizes + 3), (std::vector<int>{2, 2, 2}));
  EXPECT_EQ(KVAgetmatattrelement(model, "PsdX", 0, &sizes[0], &sizes[1],
                                 &sizes[2], flatIdx, vals),
            KVA_OK);
  EXPECT_EQ(std::vector<int>(flatIdx, flatIdx + 2), (std::vector<int>{0, 3}));
  EXPECT_EQ(std::vector<double>(vals, vals + 2),
            (std::vector<double>{1.5, 2.5}));
  EXPECT_NE(KVAgetmatattrelement(model, "PsdX", 1, &sizes[0], &sizes[1],
                                 &sizes[2], nullptr, nullptr),
            KVA_OK);
}

TEST(FakeSolver, StatusAfterOptimizeAndTerminate) {
  enum class Terminate { never, before, fromOtherThread };
  struct Case {
    const char *label;
    bool block;
    Terminate terminate;
    std::function<void()> script;
    int status;
  };
  const std::vector<Case> cases = {
      {"default", false, Terminate::never, [] {}, KVA_OPTIMAL},
      {"scripted after optimize", false, Terminate::never,
       [] { fake::setStatusAfterOptimize(KVA_INF_OR_UBD); }, KVA_INF_OR_UBD},
      {"blocked until terminate", true, Terminate::fromOtherThread, [] {},
       KVA_INTERRUPTED},
      {"terminate before optimize", true, Terminate::before, [] {},
       KVA_INTERRUPTED},
      {"explicit status", true, Terminate::fromOtherThread,
       [] { fake::setIntAttr("Status", KVA_INFEASIBLE); }, KVA_INFEASIBLE},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.label);
    fake::reset();
    KVAmodel model = newModel(startedEnv(), 1);
    fake::blockUntilTerminate(c.block);
    c.script();
    if (c.terminate == Terminate::before) {
      EXPECT_EQ(KVAterminate(model), KVA_OK);
    }
    std::atomic<bool> returned{false};
    std::thread worker([&] {
      EXPECT_EQ(KVAoptimize(model), KVA_OK);
      returned = true;
    });
    if (c.terminate == Terminate::fromOtherThread) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      EXPECT_FALSE(returned);
      EXPECT_EQ(KVAterminate(model), KVA_OK);
    }
    worker.join();
    int status = -1;
    EXPECT_EQ(KVAgetintattr(model, "Status", &status), KVA_OK);
    EXPECT_EQ(status, c.status);
  }
}

TEST(FakeSolver, LogMessagesReachTheCallbackFromEveryThread) {
  const std::vector<std::string> start = {"starting", "100%"};
  const std::vector<std::string> solve = {"a", "b", "c", "d"};
  constexpr int threads = 4;
  fake::reset();
  takeLogged();
  fake::logDuringStart(start);
  fake::logDuringOptimize(solve, threads);
  KVAenv env = nullptr;
  ASSERT_EQ(KVAemptyenv(&env), KVA_OK);
  ASSERT_EQ(KVAsetlogcallback(env, logMessage, nullptr), KVA_OK);
  EXPECT_EQ(fake::registeredCallback(), &logMessage);
  ASSERT_EQ(KVAstartenv(env), KVA_OK);
  std::map<std::thread::id, std::vector<std::string>> atStart = takeLogged();
  EXPECT_EQ(atStart.size(), 1u);
  EXPECT_EQ(atStart[std::this_thread::get_id()], start);

  ASSERT_EQ(KVAoptimize(newModel(env, 1)), KVA_OK);
  std::map<std::thread::id, std::vector<std::string>> during = takeLogged();
  EXPECT_EQ(during.size(), size_t(threads));
  EXPECT_EQ(during.count(std::this_thread::get_id()), 0u);
  for (const auto &thread : during) {
    EXPECT_EQ(thread.second, solve);
  }
}

}  // namespace
