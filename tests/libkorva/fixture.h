// A started environment that records the log, a dense model description
// with its non-linear parts, and the C calls that add those parts.
#ifndef LIBKORVA_TESTS_FIXTURE_H
#define LIBKORVA_TESTS_FIXTURE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "host/korva_api.h"

constexpr double inf = KVA_INFINITY;

struct Triplets {
  std::vector<int> rows, cols;
  std::vector<double> vals;
};

// Entries of a row by column, or of a symmetric matrix of order n by
// r * n + c with r <= c.
struct Sparse {
  std::vector<int> idx;
  std::vector<double> vals;
};

template <typename T>
int count(const std::vector<T> &v) {
  return static_cast<int>(v.size());
}

inline int addQpTerms(KVAmodel model, const Triplets &q) {
  return KVAaddqpterms(model, count(q.vals), q.rows.data(), q.cols.data(),
                       q.vals.data());
}

inline int addQuadConstraint(KVAmodel model, const Sparse &linear,
                             const Triplets &quad, char sense, double rhs) {
  return KVAaddqconstr(model, count(linear.idx), linear.idx.data(),
                       linear.vals.data(), count(quad.vals), quad.rows.data(),
                       quad.cols.data(), quad.vals.data(), sense, rhs, "qc");
}

inline int addSos(KVAmodel model, int type, const std::vector<int> &members,
                  const std::vector<double> &weights) {
  int begins[] = {0, count(members)};
  return KVAaddsos(model, 1, begins[1], &type, begins, members.data(),
                   weights.data());
}

inline int addIndicator(KVAmodel model, int binVar, int binVal,
                        const Sparse &row, char sense, double rhs) {
  return KVAaddgenconstrIndicator(model, "ind", binVar, binVal, count(row.idx),
                                  row.idx.data(), row.vals.data(), sense, rhs);
}

inline int addPsdVar(KVAmodel model, int dim, const Sparse &obj) {
  return KVAaddpsdvar(model, dim, count(obj.vals), obj.idx.data(),
                      obj.vals.data(), nullptr);
}

// Linear terms and psd variable `var` with `coef`; sense 'R' makes the row
// lhs <= ... <= rhs.
inline int addPsdRow(KVAmodel model, const Sparse &linear, int var,
                     const Sparse &coef, char sense, double rhs,
                     double lhs = 0) {
  int begin[] = {0, count(coef.vals)};
  if (sense == 'R') {
    return KVAaddrangepsdconstr(model, count(linear.idx), 1, begin[1],
                                linear.idx.data(), linear.vals.data(), &var,
                                begin, coef.idx.data(), coef.vals.data(), lhs,
                                rhs, nullptr);
  }
  return KVAaddpsdconstr(model, count(linear.idx), 1, begin[1],
                         linear.idx.data(), linear.vals.data(), &var, begin,
                         coef.idx.data(), coef.vals.data(), sense, rhs,
                         nullptr);
}

// Entries equal to 0 in rows are left out of the matrix; `parts` adds the
// rest of the model once it is loaded.
struct DenseModel {
  std::vector<double> obj;
  std::vector<std::vector<double>> rows;
  std::string sense;  // one character per row
  std::vector<double> rhs;
  std::vector<double> lb;  // empty: all 0
  std::vector<double> ub;  // empty: all infinite
  std::string vtype;       // empty: all 'C'
  int objSense = 1;
  double objConst = 0.0;
  std::function<void(KVAmodel)> parts = nullptr;
};

inline DenseModel variables(std::vector<double> obj,
                            std::vector<double> ub = {}, int objSense = 1,
                            std::string vtype = "",
                            std::vector<double> lb = {}) {
  return {obj, {}, "", {}, lb, ub, vtype, objSense};
}

inline DenseModel withRows(DenseModel m, std::vector<std::vector<double>> rows,
                           std::string sense, std::vector<double> rhs) {
  m.rows = rows;
  m.sense = sense;
  m.rhs = rhs;
  return m;
}

// Adds `more` to the model's parts.
inline DenseModel withParts(DenseModel m, std::function<void(KVAmodel)> more) {
  std::function<void(KVAmodel)> before = m.parts;
  m.parts = [before, more](KVAmodel model) {
    if (before != nullptr) before(model);
    more(model);
  };
  return m;
}

inline DenseModel withQ(DenseModel m, Triplets q) {
  return withParts(m, [q](KVAmodel k) { ASSERT_EQ(addQpTerms(k, q), KVA_OK); });
}

inline DenseModel withQc(DenseModel m, Sparse linear, Triplets quad, char sense,
                         double rhs) {
  return withParts(m, [=](KVAmodel k) {
    ASSERT_EQ(addQuadConstraint(k, linear, quad, sense, rhs), KVA_OK);
  });
}

// A multi-dimensional 0-1 knapsack (maximise) that Cbc needs a long search
// to prove; every row is half the total weight, so all-zero is feasible and
// heuristics find points at once.
inline DenseModel hardKnapsack(int items, int rows) {
  unsigned seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<double>((seed >> 8) % 1000);
  };
  DenseModel m =
      variables({}, std::vector<double>(items, 1), -1, std::string(items, 'B'));
  m.rows.assign(rows, std::vector<double>(items));
  for (std::vector<double> &row : m.rows) {
    double total = 0;
    for (double &a : row) total += a = 100 + next();
    m.rhs.push_back(total / 2);
    m.sense += '<';
  }
  for (int j = 0; j < items; ++j) {
    double weight = 0;
    for (const std::vector<double> &row : m.rows) weight += row[j];
    m.obj.push_back(weight / rows + std::fmod(next(), 200));
  }
  return m;
}

// min <C, X> s.t. trace X = 1 over one psd variable: C's least eigenvalue.
inline DenseModel eigenvalueModel(int dim, Sparse c) {
  Sparse identity{{}, std::vector<double>(dim, 1.0)};
  for (int r = 0; r < dim; ++r) identity.idx.push_back(r * dim + r);
  return withParts(variables({}), [=](KVAmodel k) {
    ASSERT_EQ(addPsdVar(k, dim, c), KVA_OK);
    ASSERT_EQ(addPsdRow(k, {}, 0, identity, '=', 1.0), KVA_OK);
  });
}

// A model as the optimality check reads it: linear rows lhs <= a x <= rhs
// (a sorted by column), then rows on one psd variable of order dim, whose
// entries are {row (-1: objective), r * dim + c with r <= c, value}.
struct KktModel {
  int sense = 1;
  std::vector<double> obj, lb, ub, lhs, rhs;
  int numLinear = 0;
  Triplets a, q;
  int dim = 0;
  std::vector<std::array<double, 3>> psd;
};

// Whether the n x n matrix m + tol I is positive semidefinite (Cholesky).
inline bool psdWithin(std::vector<double> m, int n, double tol) {
  for (int j = 0; j < n; ++j) {
    for (int i = j; i < n; ++i) {
      double v = m[i * n + j] + (i == j ? tol : 0);
      for (int k = 0; k < j; ++k) v -= m[i * n + k] * m[j * n + k];
      if (i == j && v <= 0) return false;
      m[i * n + j] = i == j ? std::sqrt(v) : v / m[j * n + j];
    }
  }
  return true;
}

// What the log callback received, and from which threads.
inline std::mutex logLock;
inline std::string logText;
inline std::set<std::thread::id> logThreads;

inline int recordLog(const char *message) {
  std::lock_guard<std::mutex> guard(logLock);
  logText += message;
  logThreads.insert(std::this_thread::get_id());
  return 0;
}

class LibkorvaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clearLog();
    ASSERT_EQ(KVAemptyenv(&env), KVA_OK);
    ASSERT_EQ(KVAsetlogcallback(env, recordLog, nullptr), KVA_OK);
    ASSERT_EQ(KVAstartenv(env), KVA_OK);
  }

  void TearDown() override {
    release();
    if (env != nullptr) {
      EXPECT_EQ(KVAfreeenv(env), KVA_OK);
    }
  }

  // Frees the model loaded before; fails the test when loading fails.
  KVAmodel load(const DenseModel &m) {
    release();
    std::vector<int> begin, counts, rowIdx;
    std::vector<double> vals;
    for (size_t j = 0; j < m.obj.size(); ++j) {
      begin.push_back(count(rowIdx));
      for (size_t i = 0; i < m.rows.size(); ++i) {
        if (m.rows[i][j] == 0.0) continue;
        rowIdx.push_back(static_cast<int>(i));
        vals.push_back(m.rows[i][j]);
      }
      counts.push_back(count(rowIdx) - begin.back());
    }
    std::vector<double> lb(m.obj.size(), 0.0), ub(m.obj.size(), inf);
    EXPECT_EQ(KVAloadmodel(
                  env, &model, "test", count(m.obj), count(m.rows), m.objSense,
                  m.objConst, m.obj.data(), m.sense.data(), m.rhs.data(),
                  begin.data(), counts.data(), rowIdx.data(), vals.data(),
                  m.lb.empty() ? lb.data() : m.lb.data(),
                  m.ub.empty() ? ub.data() : m.ub.data(),
                  m.vtype.empty() ? nullptr : m.vtype.data(), nullptr, nullptr),
              KVA_OK);
    if (m.parts != nullptr && model != nullptr) m.parts(model);
    return model;
  }

  // Loads, optimizes, and gives the status.
  int solve(const DenseModel &m) {
    load(m);
    EXPECT_EQ(KVAoptimize(model), KVA_OK);
    return status();
  }

  void release() {
    if (model != nullptr) {
      EXPECT_EQ(KVAfreemodel(model), KVA_OK);
    }
    model = nullptr;
  }

  // Sets an integer parameter, or a double one where the name is no
  // integer parameter's.
  void setParam(const char *name, double value) {
    if (KVAsetintparam(env, name, static_cast<int>(value)) != KVA_OK) {
      ASSERT_EQ(KVAsetdblparam(env, name, value), KVA_OK) << name;
    }
  }

  // Attributes of the model; reading one that is not available fails.
  int intAttr(const char *name) {
    int value = -1;
    EXPECT_EQ(KVAgetintattr(model, name, &value), KVA_OK) << name;
    return value;
  }
  double dblAttr(const char *name) {
    double value = 0.0;
    EXPECT_EQ(KVAgetdblattr(model, name, &value), KVA_OK) << name;
    return value;
  }
  bool has(const char *dblAttr) {
    double value = 0.0;
    return KVAgetdblattr(model, dblAttr, &value) == KVA_OK;
  }
  int status() { return intAttr("Status"); }
  double objVal() { return dblAttr("ObjVal"); }
  std::vector<double> x() {
    std::vector<double> values(intAttr("NumVars"));
    EXPECT_EQ(KVAgetdblattrarray(model, "X", 0, count(values), values.data()),
              KVA_OK);
    return values;
  }

  void loadKkt(const KktModel &m) {
    release();
    int n = count(m.obj), rows = m.numLinear;
    std::vector<int> begin(n, 0), counts(n, 0);
    for (int col : m.a.cols) ++counts[col];
    for (int j = 1; j < n; ++j) begin[j] = begin[j - 1] + counts[j - 1];
    ASSERT_EQ(KVAloadmodel(env, &model, "kkt", n, rows, m.sense, 0,
                           m.obj.data(), nullptr, m.rhs.data(), begin.data(),
                           counts.data(), m.a.rows.data(), m.a.vals.data(),
                           m.lb.data(), m.ub.data(), nullptr, nullptr, nullptr),
              KVA_OK);
    ASSERT_EQ(KVAsetdblattrarray(model, "LHS", 0, rows, m.lhs.data()), KVA_OK);
    ASSERT_EQ(addQpTerms(model, m.q), KVA_OK);
    for (int i = -1; m.dim > 0 && i < count(m.lhs); i = i < 0 ? rows : i + 1) {
      Sparse c;
      for (auto [row, flat, val] : m.psd) {
        if (row == i) c.idx.push_back(flat), c.vals.push_back(val);
      }
      int code = i < 0 ? addPsdVar(model, m.dim, c)
                       : addPsdRow(model, {}, 0, c, 'R', m.rhs[i], m.lhs[i]);
      ASSERT_EQ(code, KVA_OK);
    }
  }

  // The largest violation of the optimality conditions at the point the
  // model reports (X, Pi, RC, PsdX), each scaled by 1 + the size of what it
  // is measured against: primal feasibility of rows, bounds and X >= 0,
  // stationarity g = A' Pi + RC and S = C - sum Pi_i A_i >= 0 (<= 0 when
  // maximising), the signs of the duals, and complementarity as
  // min(|dual|, distance to the side it holds) and <X, S> = 0.
  double kktResidual(const KktModel &m) {
    int n = count(m.obj), rows = count(m.lhs), d = m.dim, k = 0;
    std::vector<double> xs(n), pi(rows), rc(n), act(rows, 0.0), g = m.obj;
    std::vector<double> X(d * d, 0.0), S(d * d, 0.0), vals(d * d);
    std::vector<int> flat(d * d);
    EXPECT_EQ(KVAgetdblattrarray(model, "X", 0, n, xs.data()), KVA_OK);
    EXPECT_EQ(KVAgetdblattrarray(model, "Pi", 0, rows, pi.data()), KVA_OK);
    EXPECT_EQ(KVAgetdblattrarray(model, "RC", 0, n, rc.data()), KVA_OK);
    if (d > 0) {
      EXPECT_EQ(KVAgetmatattrelement(model, "PsdX", 0, &k, &d, &d, flat.data(),
                                     vals.data()),
                KVA_OK);
    }
    for (int t = 0; t < k; ++t) X[flat[t]] = vals[t];
    for (int t = 0; t < count(m.q.vals); ++t) {
      g[m.q.rows[t]] += m.q.vals[t] * xs[m.q.cols[t]];
      g[m.q.cols[t]] += m.q.vals[t] * xs[m.q.rows[t]];
    }
    double scale = 1, size = 1, inner = 0, worst = 0;
    for (double c : g) scale = std::max(scale, std::fabs(c));
    for (auto e : m.psd) scale = std::max(scale, std::fabs(e[2]));
    for (double v : X) size = std::max(size, std::fabs(v));
    std::vector<double> r = g;
    for (int t = 0; t < count(m.a.vals); ++t) {
      act[m.a.rows[t]] += m.a.vals[t] * xs[m.a.cols[t]];
      r[m.a.cols[t]] -= m.a.vals[t] * pi[m.a.rows[t]];
    }
    for (auto [row, f, val] : m.psd) {
      int i = static_cast<int>(row), e = static_cast<int>(f);
      int t = (e % d) * d + e / d;  // the entry's mirror
      if (i >= 0) act[i] += (e == t ? 1 : 2) * val * X[e];
      S[e] -= (i < 0 ? -1 : pi[i]) * val * m.sense;
      if (e != t) S[t] = S[e];
    }
    // A side held by dual y: the lower one when sense * y > 0.
    auto side = [&](double value, double y, double lo, double hi) {
      double bound = m.sense * y > 0 ? lo : hi;
      double gap = std::fabs(value - bound) / (1 + std::fabs(bound));
      return std::max({(lo - value) / (1 + std::fabs(lo)),
                       (value - hi) / (1 + std::fabs(hi)),
                       std::min(std::fabs(y) / scale, gap)});
    };
    for (int j = 0; j < n; ++j) {
      worst = std::max({worst, std::fabs(r[j] - rc[j]) / scale,
                        side(xs[j], rc[j], m.lb[j], m.ub[j])});
    }
    for (int i = 0; i < rows; ++i) {
      worst = std::max(worst, side(act[i], pi[i], m.lhs[i], m.rhs[i]));
    }
    for (int f = 0; f < d * d; ++f) inner += X[f] * S[f];
    bool psd = psdWithin(X, d, 1e-7 * size) && psdWithin(S, d, 1e-7 * scale);
    return std::max({worst, std::fabs(inner) / (size * scale), psd ? 0 : 1.0});
  }

  std::string log() {
    std::lock_guard<std::mutex> guard(logLock);
    return logText;
  }
  std::set<std::thread::id> loggingThreads() {
    std::lock_guard<std::mutex> guard(logLock);
    return logThreads;
  }
  void clearLog() {
    std::lock_guard<std::mutex> guard(logLock);
    logText.clear();
    logThreads.clear();
  }

  KVAenv env = nullptr;
  KVAmodel model = nullptr;
};

#endif
