// What a solve writes: nothing on file descriptors 1 and 2, whatever the
// backend and outcome, and a short log of the library's own lines (header,
// the backend's steps, status), in the model's sense, without the backends'
// banners, echoes or internals, through the callback on the solving thread.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <thread>

#include "tests/libkorva/fixture.h"

namespace {

// Points file descriptors 1 and 2 at a temporary file while it lives.
class DescriptorCapture {
 public:
  DescriptorCapture() : file_(std::tmpfile()) {
    std::fflush(nullptr);
    for (int fd : {1, 2}) {
      saved_[fd - 1] = dup(fd);
      dup2(fileno(file_), fd);
    }
  }
  // Restores the descriptors; gives what was written.
  std::string text() {
    std::fflush(nullptr);
    for (int fd : {1, 2}) {
      dup2(saved_[fd - 1], fd);
      close(saved_[fd - 1]);
    }
    std::string written;
    std::rewind(file_);
    for (int c; (c = std::fgetc(file_)) != EOF;) written += char(c);
    std::fclose(file_);
    return written;
  }

 private:
  FILE *file_;
  int saved_[2];
};

class LibkorvaCaptureTest : public LibkorvaTest {};

TEST_F(LibkorvaCaptureTest, SolvesWriteOnlyTheirShortLog) {
  struct Case {
    const char *name;
    DenseModel model;
    int status;
    const char *backendLine = "";  // the library's line on a backend step
    int method = -1;
    double maxTime = 1e20;
  };
  // max x + y, x + 2y <= 4, 3x + y <= 6: 2.8, whose minimised form is -2.8.
  DenseModel lp =
      withRows(variables({1, 1}, {}, -1), {{1, 2}, {3, 1}}, "<<", {4, 6});
  DenseModel infeasible = withRows(lp, {{1, 1}, {1, 1}}, "<>", {1, 2});
  DenseModel ray = withRows(variables({1, 1}, {}, -1), {{1, -1}}, "<", {1});
  Triplets concave{{0, 1}, {0, 1}, {-1, -1}};
  DenseModel knapsack =
      withRows(variables({5, 4, 3, 2}, {1, 1, 1, 1}, -1, "BBBB"),
               {{2, 3, 1, 4}}, "<", {5});
  DenseModel sos = withParts(
      withRows(variables({1, 2, 3}, {1, 1, 1}, -1), {{1, 1, 1}}, "<", {2}),
      [](KVAmodel k) {
        ASSERT_EQ(addSos(k, 1, {0, 1, 2}, {1, 2, 3}), KVA_OK);
      });
  DenseModel indicator = withParts(knapsack, [](KVAmodel k) {
    ASSERT_EQ(addIndicator(k, 0, 1, {{1, 2}, {1, 1}}, '<', 1), KVA_OK);
  });
  DenseModel disc =
      withQc(variables({1, 1}, {}, -1), {}, {{0, 1}, {0, 1}, {1, 1}}, '<', 1);
  DenseModel miqcp = disc;
  miqcp.vtype = "IC";
  DenseModel sdp = eigenvalueModel(2, {{0, 3}, {-1, 1}});
  const Case cases[] = {
      {"LP", lp, KVA_OPTIMAL, "Dual simplex: 2 iterations", 1},
      {"LP", lp, KVA_OPTIMAL, "Crossover:", 2},
      {"LP infeasible", infeasible, KVA_INFEASIBLE},
      {"LP unbounded", ray, KVA_UNBOUNDED},
      {"QP", withQ(lp, concave), KVA_OPTIMAL, "Barrier:"},
      // Falls along x = y, where (x - y)^2 stays 0.
      {"QP unbounded",
       withQ(variables({-1, -1}), {{0, 0, 1}, {0, 1, 1}, {1, -2, 1}}),
       KVA_UNBOUNDED},
      {"QP infeasible", withQ(infeasible, concave), KVA_INFEASIBLE},
      {"MILP", knapsack, KVA_OPTIMAL, "Branch and cut done"},
      {"MILP infeasible", withRows(knapsack, {{1, 1, 1, 1}}, ">", {5}),
       KVA_INFEASIBLE},
      {"SOS", sos, KVA_OPTIMAL},
      {"indicator", indicator, KVA_OPTIMAL},
      {"QCP", disc, KVA_OPTIMAL, "Ipopt iteration"},
      {"MIQCP", miqcp, KVA_OPTIMAL, "1 quadratic constraints"},
      {"MIQCP without time", miqcp, KVA_TIME_LIMIT, "", -1, 0},
      {"SDP", sdp, KVA_OPTIMAL, "DSDP iteration"},
  };
  const char *foreign[] = {
      "Welcome",       "Cbc0",          "Clp0",     "Coin0",  "command",
      "was changed",   "Ipopt 3",       "EXIT",     "******", "e+308",
      "nothing to do", "solvers might", "Number of"};
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + c.backendLine);
    clearLog();
    setParam("MaxTime", c.maxTime);
    setParam("Method", c.method);
    load(c.model);
    DescriptorCapture capture;
    std::thread::id solving;
    int code = -1;
    std::thread worker([&] {
      solving = std::this_thread::get_id();
      code = KVAoptimize(model);
    });
    worker.join();
    EXPECT_EQ(capture.text(), "");
    ASSERT_EQ(code, KVA_OK);
    ASSERT_EQ(status(), c.status);
    EXPECT_EQ(loggingThreads(), std::set<std::thread::id>{solving});
    std::string text = log();
    EXPECT_NE(text.find("Model test: " + std::to_string(c.model.obj.size()) +
                        " variables"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(c.backendLine), std::string::npos) << text;
    for (const char *word : foreign) {
      EXPECT_EQ(text.find(word), std::string::npos) << word << "\n" << text;
    }
    EXPECT_LE(std::count(text.begin(), text.end(), '\n'), 16) << text;
    EXPECT_EQ(text.find("Status OPTIMAL, objective") != std::string::npos,
              c.status == KVA_OPTIMAL);
    if (status() == KVA_OPTIMAL && objVal() > 0) {
      // The minimised form's value would show the internal sign.
      char negated[32];
      std::snprintf(negated, sizeof negated, "-%.4g", objVal());
      EXPECT_EQ(text.find(negated), std::string::npos) << text;
    }
  }
}

}  // namespace
