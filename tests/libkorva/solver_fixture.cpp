#include "tests/libkorva/solver_fixture.h"

#include <cmath>
#include <mutex>

namespace {

std::mutex logLock;
std::string logText;

int recordLog(const char *message) {
  std::lock_guard<std::mutex> guard(logLock);
  logText += message;
  return 0;
}

}  // namespace

DenseModel hardKnapsack(int items, int rows) {
  unsigned seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<double>((seed >> 8) % 1000);
  };
  DenseModel m;
  m.rows.assign(rows, std::vector<double>(items));
  for (int i = 0; i < rows; ++i) {
    double total = 0;
    for (int j = 0; j < items; ++j) {
      m.rows[i][j] = 100 + next();
      total += m.rows[i][j];
    }
    m.rhs.push_back(total / 2);
    m.sense += '<';
  }
  for (int j = 0; j < items; ++j) {
    double weight = 0;
    for (int i = 0; i < rows; ++i) weight += m.rows[i][j];
    m.obj.push_back(weight / rows + std::fmod(next(), 200));
  }
  m.vtype.assign(items, 'B');
  m.ub.assign(items, 1);
  m.objSense = -1;
  return m;
}

void LibkorvaTest::SetUp() {
  clearLog();
  ASSERT_EQ(KVAemptyenv(&env), KVA_OK);
  ASSERT_EQ(KVAsetlogcallback(env, recordLog, nullptr), KVA_OK);
  ASSERT_EQ(KVAstartenv(env), KVA_OK);
}

void LibkorvaTest::TearDown() {
  if (model != nullptr) {
    EXPECT_EQ(KVAfreemodel(model), KVA_OK);
  }
  EXPECT_EQ(KVAfreeenv(env), KVA_OK);
}

KVAmodel LibkorvaTest::load(const DenseModel &m) {
  int n = static_cast<int>(m.obj.size());
  int rows = static_cast<int>(m.rows.size());
  std::vector<int> begin, count, rowIdx;
  std::vector<double> vals;
  for (int j = 0; j < n; ++j) {
    begin.push_back(static_cast<int>(rowIdx.size()));
    for (int i = 0; i < rows; ++i) {
      if (m.rows[i][j] != 0.0) {
        rowIdx.push_back(i);
        vals.push_back(m.rows[i][j]);
      }
    }
    count.push_back(static_cast<int>(rowIdx.size()) - begin.back());
  }
  std::vector<double> lb = m.lb.empty() ? std::vector<double>(n, 0.0) : m.lb;
  std::vector<double> ub =
      m.ub.empty() ? std::vector<double>(n, KVA_INFINITY) : m.ub;
  EXPECT_EQ(KVAloadmodel(
                env, &model, "test", n, rows, m.objSense, m.objConst,
                m.obj.data(), m.sense.empty() ? nullptr : m.sense.data(),
                m.rhs.data(), begin.data(), count.data(), rowIdx.data(),
                vals.data(), lb.data(), ub.data(),
                m.vtype.empty() ? nullptr : m.vtype.data(), nullptr, nullptr),
            KVA_OK);
  return model;
}

int LibkorvaTest::solve(const DenseModel &m) {
  load(m);
  EXPECT_EQ(KVAoptimize(model), KVA_OK);
  return status();
}

int LibkorvaTest::status() {
  int value = -1;
  EXPECT_EQ(KVAgetintattr(model, "Status", &value), KVA_OK);
  return value;
}

std::vector<double> LibkorvaTest::x() {
  int n = 0;
  EXPECT_EQ(KVAgetintattr(model, "NumVars", &n), KVA_OK);
  std::vector<double> values(n);
  EXPECT_EQ(KVAgetdblattrarray(model, "X", 0, n, values.data()), KVA_OK);
  return values;
}

double LibkorvaTest::objVal() {
  double value = 0.0;
  EXPECT_EQ(KVAgetdblattr(model, "ObjVal", &value), KVA_OK);
  return value;
}

std::string LibkorvaTest::log() {
  std::lock_guard<std::mutex> guard(logLock);
  return logText;
}

void LibkorvaTest::clearLog() {
  std::lock_guard<std::mutex> guard(logLock);
  logText.clear();
}
