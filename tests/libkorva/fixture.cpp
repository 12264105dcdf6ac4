#include "tests/libkorva/fixture.h"

#include <cmath>
#include <mutex>

namespace {

std::mutex logLock;
std::string logText;
std::set<std::thread::id> logThreads;

int recordLog(const char *message) {
  std::lock_guard<std::mutex> guard(logLock);
  logText += message;
  logThreads.insert(std::this_thread::get_id());
  return 0;
}

}  // namespace

DenseModel variables(std::vector<double> obj, std::vector<double> ub,
                     int objSense, std::string vtype, std::vector<double> lb) {
  return {obj, {}, "", {}, lb, ub, vtype, objSense};
}

DenseModel withRows(DenseModel m, std::vector<std::vector<double>> rows,
                    std::string sense, std::vector<double> rhs) {
  m.rows = std::move(rows);
  m.sense = std::move(sense);
  m.rhs = std::move(rhs);
  return m;
}

DenseModel withParts(DenseModel m, std::function<void(KVAmodel)> more) {
  std::function<void(KVAmodel)> before = m.parts;
  m.parts = [before, more](KVAmodel model) {
    if (before != nullptr) before(model);
    more(model);
  };
  return m;
}

DenseModel withQ(DenseModel m, Triplets q) {
  return withParts(m, [q](KVAmodel k) { ASSERT_EQ(addQpTerms(k, q), KVA_OK); });
}

DenseModel withQc(DenseModel m, Sparse linear, Triplets quad, char sense,
                  double rhs) {
  return withParts(m, [=](KVAmodel k) {
    ASSERT_EQ(addQuadConstraint(k, linear, quad, sense, rhs), KVA_OK);
  });
}

DenseModel hardKnapsack(int items, int rows) {
  unsigned seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<double>((seed >> 8) % 1000);
  };
  DenseModel m =
      variables({}, std::vector<double>(items, 1), -1, std::string(items, 'B'));
  m.rows.assign(rows, std::vector<double>(items));
  for (int i = 0; i < rows; ++i) {
    double total = 0;
    for (double &a : m.rows[i]) total += a = 100 + next();
    m.rhs.push_back(total / 2);
    m.sense += '<';
  }
  for (int j = 0; j < items; ++j) {
    double weight = 0;
    for (int i = 0; i < rows; ++i) weight += m.rows[i][j];
    m.obj.push_back(weight / rows + std::fmod(next(), 200));
  }
  return m;
}

DenseModel eigenvalueModel(int dim, Sparse c) {
  Sparse identity;
  for (int r = 0; r < dim; ++r) identity.idx.push_back(r * dim + r);
  identity.vals.assign(dim, 1.0);
  return withParts(variables({}), [=](KVAmodel k) {
    ASSERT_EQ(addPsdVar(k, dim, c), KVA_OK);
    ASSERT_EQ(addPsdRow(k, {}, 0, identity, '=', 1.0), KVA_OK);
  });
}

int addQpTerms(KVAmodel model, const Triplets &q) {
  return KVAaddqpterms(model, static_cast<int>(q.vals.size()), q.rows.data(),
                       q.cols.data(), q.vals.data());
}

int addQuadConstraint(KVAmodel model, const Sparse &linear,
                      const Triplets &quad, char sense, double rhs) {
  return KVAaddqconstr(model, static_cast<int>(linear.idx.size()),
                       linear.idx.data(), linear.vals.data(),
                       static_cast<int>(quad.vals.size()), quad.rows.data(),
                       quad.cols.data(), quad.vals.data(), sense, rhs, "qc");
}

int addSos(KVAmodel model, int type, const std::vector<int> &members,
           const std::vector<double> &weights) {
  int begins[] = {0, static_cast<int>(members.size())};
  return KVAaddsos(model, 1, begins[1], &type, begins, members.data(),
                   weights.data());
}

int addIndicator(KVAmodel model, int binVar, int binVal, const Sparse &row,
                 char sense, double rhs) {
  return KVAaddgenconstrIndicator(model, "ind", binVar, binVal,
                                  static_cast<int>(row.idx.size()),
                                  row.idx.data(), row.vals.data(), sense, rhs);
}

int addPsdVar(KVAmodel model, int dim, const Sparse &obj) {
  return KVAaddpsdvar(model, dim, static_cast<int>(obj.vals.size()),
                      obj.idx.data(), obj.vals.data(), nullptr);
}

int addPsdRow(KVAmodel model, const Sparse &linear, int var, const Sparse &coef,
              char sense, double rhs, double lhs) {
  int begin[] = {0, static_cast<int>(coef.vals.size())};
  int numLinear = static_cast<int>(linear.idx.size());
  if (sense == 'R') {
    return KVAaddrangepsdconstr(
        model, numLinear, 1, begin[1], linear.idx.data(), linear.vals.data(),
        &var, begin, coef.idx.data(), coef.vals.data(), lhs, rhs, nullptr);
  }
  return KVAaddpsdconstr(model, numLinear, 1, begin[1], linear.idx.data(),
                         linear.vals.data(), &var, begin, coef.idx.data(),
                         coef.vals.data(), sense, rhs, nullptr);
}

void LibkorvaTest::SetUp() {
  clearLog();
  ASSERT_EQ(KVAemptyenv(&env), KVA_OK);
  ASSERT_EQ(KVAsetlogcallback(env, recordLog, nullptr), KVA_OK);
  ASSERT_EQ(KVAstartenv(env), KVA_OK);
}

void LibkorvaTest::TearDown() {
  release();
  if (env != nullptr) {
    EXPECT_EQ(KVAfreeenv(env), KVA_OK);
  }
}

KVAmodel LibkorvaTest::load(const DenseModel &m) {
  release();
  int n = static_cast<int>(m.obj.size());
  std::vector<int> begin, count, rowIdx;
  std::vector<double> vals;
  for (int j = 0; j < n; ++j) {
    begin.push_back(static_cast<int>(rowIdx.size()));
    for (size_t i = 0; i < m.rows.size(); ++i) {
      if (m.rows[i][j] != 0.0) {
        rowIdx.push_back(static_cast<int>(i));
        vals.push_back(m.rows[i][j]);
      }
    }
    count.push_back(static_cast<int>(rowIdx.size()) - begin.back());
  }
  std::vector<double> lb = m.lb.empty() ? std::vector<double>(n, 0.0) : m.lb;
  std::vector<double> ub = m.ub.empty() ? std::vector<double>(n, inf) : m.ub;
  EXPECT_EQ(
      KVAloadmodel(
          env, &model, "test", n, static_cast<int>(m.rows.size()), m.objSense,
          m.objConst, m.obj.data(), m.sense.data(), m.rhs.data(), begin.data(),
          count.data(), rowIdx.data(), vals.data(), lb.data(), ub.data(),
          m.vtype.empty() ? nullptr : m.vtype.data(), nullptr, nullptr),
      KVA_OK);
  if (m.parts != nullptr && model != nullptr) m.parts(model);
  return model;
}

int LibkorvaTest::solve(const DenseModel &m) {
  load(m);
  EXPECT_EQ(KVAoptimize(model), KVA_OK);
  return status();
}

void LibkorvaTest::release() {
  if (model != nullptr) {
    EXPECT_EQ(KVAfreemodel(model), KVA_OK);
  }
  model = nullptr;
}

int LibkorvaTest::intAttr(const char *name) {
  int value = -1;
  EXPECT_EQ(KVAgetintattr(model, name, &value), KVA_OK) << name;
  return value;
}

double LibkorvaTest::dblAttr(const char *name) {
  double value = 0.0;
  EXPECT_EQ(KVAgetdblattr(model, name, &value), KVA_OK) << name;
  return value;
}

std::vector<double> LibkorvaTest::x() {
  std::vector<double> values(intAttr("NumVars"));
  EXPECT_EQ(KVAgetdblattrarray(model, "X", 0, static_cast<int>(values.size()),
                               values.data()),
            KVA_OK);
  return values;
}

bool LibkorvaTest::has(const char *dblAttr) {
  double value = 0;
  return KVAgetdblattr(model, dblAttr, &value) == KVA_OK;
}

std::string LibkorvaTest::log() {
  std::lock_guard<std::mutex> guard(logLock);
  return logText;
}

std::set<std::thread::id> LibkorvaTest::loggingThreads() {
  std::lock_guard<std::mutex> guard(logLock);
  return logThreads;
}

void LibkorvaTest::clearLog() {
  std::lock_guard<std::mutex> guard(logLock);
  logText.clear();
  logThreads.clear();
}
