// A started environment that records the log, a dense model description
// with its non-linear parts, and the C calls that add those parts.
#ifndef LIBKORVA_TESTS_FIXTURE_H
#define LIBKORVA_TESTS_FIXTURE_H

#include <gtest/gtest.h>

#include <algorithm>
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

// A model as the optimality check reads it: rows lhs <= a x (+ <A, X>) <= rhs,
// the linear rows first, then one row per psd constraint; psd entries are
// row -1 for the objective, flat index r * dim + c with r <= c.
struct KktModel {
  int sense = 1;
  std::vector<double> obj, lb, ub, lhs, rhs;
  int numLinear = 0;
  Triplets a, q;
  std::vector<int> dims;
  struct PsdEntry {
    int row, var, flat;
    double val;
  };
  std::vector<PsdEntry> psd;
};

// The least eigenvalue of the symmetric n x n matrix m (cyclic Jacobi).
inline double leastEigenvalue(std::vector<double> m, int n) {
  for (int sweep = 0; sweep < 60; ++sweep) {
    for (int p = 0; p < n; ++p) {
      for (int r = p + 1; r < n; ++r) {
        if (std::fabs(m[p * n + r]) < 1e-300) continue;
        double theta = (m[r * n + r] - m[p * n + p]) / (2 * m[p * n + r]);
        double t = (theta >= 0 ? 1 : -1) /
                   (std::fabs(theta) + std::sqrt(theta * theta + 1));
        double c = 1 / std::sqrt(t * t + 1), s = t * c;
        for (int k = 0; k < n; ++k) {
          double kp = m[k * n + p], kr = m[k * n + r];
          m[k * n + p] = c * kp - s * kr;
          m[k * n + r] = s * kp + c * kr;
        }
        for (int k = 0; k < n; ++k) {
          double pk = m[p * n + k], rk = m[r * n + k];
          m[p * n + k] = c * pk - s * rk;
          m[r * n + k] = s * pk + c * rk;
        }
      }
    }
  }
  double least = inf;
  for (int k = 0; k < n; ++k) least = std::min(least, m[k * n + k]);
  return least;
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
    std::vector<int> begin(n + 1, 0), counts(n, 0), idx(m.a.vals.size());
    std::vector<double> vals(m.a.vals.size());
    for (int k = 0; k < count(m.a.vals); ++k) {
      if (m.a.rows[k] < rows) ++begin[m.a.cols[k] + 1];
    }
    for (int j = 0; j < n; ++j) begin[j + 1] += begin[j];
    for (int k = 0; k < count(m.a.vals); ++k) {
      int j = m.a.cols[k], p = begin[j] + counts[j];
      if (m.a.rows[k] >= rows) continue;
      idx[p] = m.a.rows[k];
      vals[p] = m.a.vals[k];
      ++counts[j];
    }
    ASSERT_EQ(KVAloadmodel(env, &model, "kkt", n, rows, m.sense, 0,
                           m.obj.data(), nullptr, m.rhs.data(), begin.data(),
                           counts.data(), idx.data(), vals.data(), m.lb.data(),
                           m.ub.data(), nullptr, nullptr, nullptr),
              KVA_OK);
    ASSERT_EQ(KVAsetdblattrarray(model, "LHS", 0, rows, m.lhs.data()), KVA_OK);
    ASSERT_EQ(addQpTerms(model, m.q), KVA_OK);
    for (int v = 0; v < count(m.dims); ++v) {
      Sparse c;
      for (auto &e : m.psd) {
        if (e.row >= 0 || e.var != v) continue;
        c.idx.push_back(e.flat);
        c.vals.push_back(e.val);
      }
      ASSERT_EQ(addPsdVar(model, m.dims[v], c), KVA_OK);
    }
    for (int i = rows; i < count(m.lhs); ++i) {
      Sparse linear, coef;  // one psd variable per constraint here
      for (int k = 0; k < count(m.a.vals); ++k) {
        if (m.a.rows[k] != i) continue;
        linear.idx.push_back(m.a.cols[k]);
        linear.vals.push_back(m.a.vals[k]);
      }
      int var = 0;
      for (auto &e : m.psd) {
        if (e.row != i) continue;
        var = e.var;
        coef.idx.push_back(e.flat);
        coef.vals.push_back(e.val);
      }
      ASSERT_EQ(addPsdRow(model, linear, var, coef, 'R', m.rhs[i], m.lhs[i]),
                KVA_OK);
    }
  }

  // The largest violation of the optimality conditions at the point the
  // model reports (X, Pi, RC, PsdX), each scaled by 1 + the size of what it
  // is measured against: primal feasibility of rows, bounds and psd blocks,
  // stationarity g = A' Pi + RC (S = C - sum Pi_i A_i for psd blocks), the
  // signs of the duals, and complementarity as min(|dual|, distance to the
  // side it holds) and <X, S>.
  double kktResidual(const KktModel &m) {
    int n = count(m.obj), rows = count(m.lhs);
    std::vector<double> xs(n), pi(rows), rc(n), act(rows, 0.0), g = m.obj;
    EXPECT_EQ(KVAgetdblattrarray(model, "X", 0, n, xs.data()), KVA_OK);
    EXPECT_EQ(KVAgetdblattrarray(model, "Pi", 0, rows, pi.data()), KVA_OK);
    EXPECT_EQ(KVAgetdblattrarray(model, "RC", 0, n, rc.data()), KVA_OK);
    std::vector<std::vector<double>> X, S;
    for (int v = 0; v < count(m.dims); ++v) {
      int d = m.dims[v], k = 0;
      std::vector<int> flat(d * d);
      std::vector<double> vals(d * d);
      X.emplace_back(d * d, 0.0);
      S.emplace_back(d * d, 0.0);
      EXPECT_EQ(KVAgetmatattrelement(model, "PsdX", v, &k, &d, &d, flat.data(),
                                     vals.data()),
                KVA_OK);
      for (int t = 0; t < k; ++t) X.back()[flat[t]] = vals[t];
    }
    for (int k = 0; k < count(m.q.vals); ++k) {
      g[m.q.rows[k]] += m.q.vals[k] * xs[m.q.cols[k]];
      g[m.q.cols[k]] += m.q.vals[k] * xs[m.q.rows[k]];
    }
    double scale = 1, worst = 0;
    for (double c : g) scale = std::max(scale, std::fabs(c));
    for (auto &e : m.psd) scale = std::max(scale, std::fabs(e.val));
    std::vector<double> r = g;
    for (int k = 0; k < count(m.a.vals); ++k) {
      act[m.a.rows[k]] += m.a.vals[k] * xs[m.a.cols[k]];
      r[m.a.cols[k]] -= m.a.vals[k] * pi[m.a.rows[k]];
    }
    for (auto &e : m.psd) {
      int v = e.var, d = m.dims[v], f = e.flat, t = (f % d) * d + f / d;
      double y = e.row < 0 ? -1 : pi[e.row];
      if (e.row >= 0) act[e.row] += (f == t ? 1 : 2) * e.val * X[v][f];
      S[v][f] -= y * e.val;
      if (f != t) S[v][t] -= y * e.val;
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
    for (size_t v = 0; v < X.size(); ++v) {
      int d = m.dims[v];
      double size = 1, inner = 0;
      for (int f = 0; f < d * d; ++f) {
        size = std::max(size, std::fabs(X[v][f]));
        inner += X[v][f] * S[v][f];
        S[v][f] *= m.sense;
      }
      worst = std::max({worst, -leastEigenvalue(X[v], d) / size,
                        -leastEigenvalue(S[v], d) / scale,
                        std::fabs(inner) / (size * scale)});
    }
    return worst;
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
