// Small models of every class with known outcomes: optima (point, objective,
// semidefinite values), infeasible, unbounded and refused models.
#include <coin/CoinMpsIO.hpp>

#include <array>
#include <cmath>
#include <filesystem>
#include <random>

#include "tests/libkorva/fixture.h"

namespace {

struct Outcome {
  const char *name;
  DenseModel model;
  int status;
  double objVal;
  std::vector<double> x;     // empty: not checked
  std::vector<double> psdX;  // full matrix of psd variable 0, if not empty
  const char *logMention;    // of an UNSUPPORTED model
};

Outcome optimum(const char *name, DenseModel m, double objVal,
                std::vector<double> x = {}, std::vector<double> psdX = {}) {
  return {name, std::move(m), KVA_OPTIMAL, objVal, x, psdX, nullptr};
}

Outcome ends(const char *name, DenseModel m, int status,
             const char *logMention = nullptr) {
  return {name, std::move(m), status, 0, {}, {}, logMention};
}

// max x + y  s.t.  x + 2y <= 4,  3x + y <= 6  ->  x = 1.6, y = 1.2.
DenseModel twoRowMax() {
  return withRows(variables({1, 1}, {}, -1), {{1, 2}, {3, 1}}, "<<", {4, 6});
}

DenseModel withIndicator(DenseModel m, int binVal, char sense, double rhs) {
  return withParts(m, [=](KVAmodel k) {
    ASSERT_EQ(addIndicator(k, 1, binVal, {{0}, {1}}, sense, rhs), KVA_OK);
  });
}

// Models that Clp and Cbc solve, where Method and Presolve choose the path.
std::vector<Outcome> linearCases() {
  // min x + 2y  s.t.  x + y >= 3, x <= 2.
  DenseModel minimise =
      withRows(variables({1, 2}, {2, inf}), {{1, 1}}, ">", {3});
  DenseModel freeVars = withRows(variables({1, -1}, {}, 1, "", {-inf, -inf}),
                                 {{1, -1}, {1, 1}}, ">=", {-2, 0});
  DenseModel noPoint = withRows(minimise, {{1, 1}, {1, 1}}, "><", {3, 2});
  DenseModel ray = withRows(twoRowMax(), {{1, -1}}, "<", {1});
  auto integer = [](DenseModel m) {
    m.vtype = "IC";
    return m;
  };
  // x0 + ... + x3 <= 10 on [0, 1], max x0 + 2x1 + 3x2 + x3: a set over
  // x0..x2 keeps the best one (type 1) or the best neighbouring pair (2).
  auto sos = [](int type, std::vector<double> lb) {
    DenseModel m = withRows(variables({1, 2, 3, 1}, {1, 1, 1, 1}, -1, "", lb),
                            {{1, 1, 1, 1}}, "<", {10});
    return withParts(m, [type](KVAmodel k) {
      ASSERT_EQ(addSos(k, type, {0, 1, 2}, {1, 2, 3}), KVA_OK);
    });
  };
  Triplets square{{0}, {0}, {1}};
  return {
      optimum("maximise", twoRowMax(), 2.8, {1.6, 1.2}),
      optimum("minimise", minimise, 4, {2, 1}),
      optimum("free variables", freeVars, -2, {-1, 1}),
      // max 5a + 4b + 3c  s.t.  2a + 3b + c <= 4, c <= 0.5.
      optimum("mixed types",
              withRows(variables({5, 4, 3}, {1, 1, .5}, -1, "BIC"), {{2, 3, 1}},
                       "<", {4}),
              6.5, {1, 0, .5}),
      ends("infeasible LP", noPoint, KVA_INFEASIBLE),
      ends("infeasible MILP", integer(noPoint), KVA_INFEASIBLE),
      ends("unbounded LP", ray, KVA_UNBOUNDED),
      ends("unbounded MILP", integer(ray), KVA_UNBOUNDED),
      ends("unbounded QP", withQ(variables({0, -1}), square), KVA_UNBOUNDED),
      ends("infeasible QP",
           withQ(withRows(variables({0, 0}), {{1, 1}}, "<", {-1}), square),
           KVA_INFEASIBLE),
      // x0^2 - 3.2 x0 over the integers: 2, where the relaxation gives 1.6.
      optimum("MIQP", withQ(variables({-3.2, 0}, {3, 3}, 1, "IC"), square),
              -2.4, {2}),
      ends("non-convex QP", withQ(variables({0, 0}, {1, 1}), {{0}, {1}, {1}}),
           KVA_UNSUPPORTED, "not convex"),
      optimum("SOS1", sos(1, {}), 4, {0, 0, 1, 1}),
      optimum("SOS2", sos(2, {}), 6, {0, 1, 1, 1}),
      // Cbc's set branching assumes members that may be zero.
      ends("SOS member above zero", sos(1, {0, .5, 0, 0}), KVA_UNSUPPORTED,
           "bounds exclude zero"),
      // max x + 10z, x in [0, 10]: z = 1 forces x <= 2.
      optimum("indicator on 1",
              withIndicator(variables({1, 10}, {10, 1}, -1, "CB"), 1, '<', 2),
              12, {2, 1}),
      // min x + 5z: z = 0 would force x >= 8, so z = 1 is cheaper.
      optimum("indicator on 0",
              withIndicator(variables({1, 5}, {10, 1}, 1, "CB"), 0, '>', 8), 5,
              {0, 1}),
      // min -x - 10z: z = 1 pins x to 3 (-13), which beats z = 0, x = 10.
      optimum("indicator equality",
              withIndicator(variables({-1, -10}, {10, 1}, 1, "CB"), 1, '=', 3),
              -13, {3, 1}),
      ends("indicator without a bound",
           withIndicator(variables({1, 10}, {inf, 1}, -1, "CB"), 1, '<', 2),
           KVA_UNSUPPORTED, "big-M"),
  };
}

// Models that Bonmin and DSDP solve.
std::vector<Outcome> nonlinearCases() {
  Triplets disc{{0, 1}, {0, 1}, {1, 1}};
  // min -x - y on the disc of radius sqrt(2) with x - y = 0.5.
  DenseModel freePair = withRows(variables({-1, -1}, {}, 1, "", {-inf, -inf}),
                                 {{1, -1}}, "=", {.5});
  double y = (std::sqrt(15.0) - 1) / 4;
  // max x + y + 10 over integers in [-5, 5] with x^2 + y^2 <= 5.5.
  DenseModel miqcp = variables({1, 1}, {5, 5}, -1, "II", {-5, -5});
  miqcp.objConst = 10;
  DenseModel ranged = withParts(variables({1, 1}), [disc](KVAmodel k) {
    ASSERT_EQ(addQuadConstraint(k, {}, disc, '<', 2), KVA_OK);
    ASSERT_EQ(KVAsetdblattrelement(k, "LHS", 0, 1.0), KVA_OK);
  });
  auto refused = [](int objSense, Triplets q, Triplets quad, char sense) {
    DenseModel m = withQ(variables({1, 1}, {3, 3}, objSense, "IC"), q);
    return quad.vals.empty() ? m : withQc(m, {}, quad, sense, 1);
  };

  Sparse c{{0, 1, 3}, {1, 2, 3}};  // [1 2; 2 3]
  double lambda = 2 - std::sqrt(5.0), v1 = lambda - 1, norm = 4 + v1 * v1;
  DenseModel largest = eigenvalueModel(2, c);
  largest.objSense = -1;
  // t free, y in [0, 5], y + t <= 4; X11 = 1, X01 = 1 and
  // -1 <= X00 - t <= 0, so t >= X00 >= 1: min t - y = -2.
  DenseModel ordinary = withRows(variables({1, -1}, {inf, 5}, 1, "", {-inf, 0}),
                                 {{1, 1}}, "<", {4});
  ordinary.parts = [](KVAmodel k) {
    ASSERT_EQ(addPsdVar(k, 2, {}), KVA_OK);
    ASSERT_EQ(addPsdRow(k, {}, 0, {{3}, {1}}, '=', 1), KVA_OK);
    ASSERT_EQ(addPsdRow(k, {}, 0, {{1}, {.5}}, '=', 1), KVA_OK);
    ASSERT_EQ(addPsdRow(k, {{0}, {-1}}, 0, {{0}, {1}}, 'R', 0, -1), KVA_OK);
  };
  // a, b free: a - b = 0.5, a + b - X00 = 1, X01 = 0.5; min a + 2b + trace X
  // = 1.25 + 2.5 X00 + X11 with X00 X11 >= 1/4: X00 = sqrt(0.1) = 2 X11/5.
  DenseModel shared = withRows(variables({1, 2}, {}, 1, "", {-inf, -inf}),
                               {{1, -1}}, "=", {.5});
  shared.parts = [](KVAmodel k) {
    ASSERT_EQ(addPsdVar(k, 2, {{0, 3}, {1, 1}}), KVA_OK);
    ASSERT_EQ(addPsdRow(k, {{0, 1}, {1, 1}}, 0, {{0}, {-1}}, '=', 1), KVA_OK);
    ASSERT_EQ(addPsdRow(k, {}, 0, {{1}, {.5}}, '=', .5), KVA_OK);
  };
  double x00 = std::sqrt(0.1), b = (0.5 + x00) / 2;
  // min -x with X00 - x = 0: both grow without bound.
  DenseModel psdRay = withParts(variables({-1}), [](KVAmodel k) {
    ASSERT_EQ(addPsdVar(k, 2, {}), KVA_OK);
    ASSERT_EQ(addPsdRow(k, {{0}, {-1}}, 0, {{0}, {1}}, '=', 0), KVA_OK);
  });
  return {
      optimum("QCP, lower side on a concave function",
              withQc(freePair, {}, {{0, 1}, {0, 1}, {-1, -1}}, '>', -2),
              -2 * y - .5, {y + .5, y}),
      // 13 at (1, 2) or (2, 1), where the relaxation reaches 10 + sqrt(11).
      optimum("MIQCP", withQc(miqcp, {}, disc, '<', 5.5), 13),
      ends("infeasible QCP",
           withQc(variables({1, 1}, {}, 1, "", {2, -inf}), {}, disc, '<', 1),
           KVA_INFEASIBLE),
      // min -y with x^2 <= y.
      ends("unbounded QCP",
           withQc(variables({0, -1}, {}, 1, "", {-inf, -inf}), {{1}, {-1}},
                  {{0}, {0}, {1}}, '<', 0),
           KVA_UNBOUNDED),
      ends("saddle constraint", refused(1, {}, {{0, 1}, {0, 1}, {1, -1}}, '<'),
           KVA_UNSUPPORTED, "constraint 0"),
      ends("convex function bounded below", refused(1, {}, disc, '>'),
           KVA_UNSUPPORTED, "constraint 0"),
      ends("ranged quadratic constraint", ranged, KVA_UNSUPPORTED,
           "constraint 0"),
      ends("concave objective minimised", refused(1, {{0}, {0}, {-1}}, {}, 0),
           KVA_UNSUPPORTED, "not convex"),
      ends("convex objective maximised", refused(-1, {{0}, {0}, {1}}, {}, 0),
           KVA_UNSUPPORTED, "not concave"),
      // X = v v' for the unit eigenvector v = (2, lambda - 1) / |v|; the
      // off-diagonal 2 of C counts twice in <C, X>.
      optimum("smallest eigenvalue", eigenvalueModel(2, c), lambda, {},
              {4 / norm, 2 * v1 / norm, 2 * v1 / norm, v1 * v1 / norm}),
      optimum("largest eigenvalue", largest, 2 + std::sqrt(5.0)),
      optimum("ranged semidefinite row", ordinary, -2, {1, 3}, {1, 1, 1, 1}),
      optimum("free variables sharing rows", shared, 1.25 + 5 * x00,
              {b + .5, b}, {x00, .5, .5, 2.5 * x00}),
      ends("infeasible SDP",
           withParts(eigenvalueModel(2, {{0}, {1}}),
                     [](KVAmodel k) {
                       addPsdRow(k, {}, 0, {{0, 3}, {1, 1}}, '=', -1);
                     }),
           KVA_INFEASIBLE),
      ends("unbounded SDP", psdRay, KVA_UNBOUNDED),
      ends("semidefinite with an integer variable",
           withParts(variables({1}, {}, 1, "I"),
                     [](KVAmodel k) {
                       addPsdVar(k, 2, {{0, 3}, {1, 1}});
                     }),
           KVA_UNSUPPORTED, "MISDP"),
  };
}

// A convex QP (concave when maximised) with a point x0 inside its bounds
// and rows: Q = B'B, with boxed variables when B has fewer rows than x
// and 0.1 I added when it has as many; rows may be empty.
KktModel randomQp(unsigned seed) {
  std::mt19937 random(seed);
  auto uniform = [&](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random);
  };
  KktModel m;
  int n = 1 + random() % 8, rank = 1 + random() % n;
  m.numLinear = random() % 6;
  m.sense = random() % 2 ? 1 : -1;
  std::vector<double> x0;
  for (int j = 0; j < n; ++j) {
    x0.push_back(uniform(-2, 2));
    bool boxed = rank < n || random() % 2;
    m.lb.push_back(boxed || random() % 2 ? x0[j] - uniform(0, 2) : -inf);
    m.ub.push_back(boxed || random() % 2 ? x0[j] + uniform(0, 2) : inf);
    m.obj.push_back(uniform(-5, 5));
  }
  std::vector<double> b(rank * n);
  for (double &v : b) v = uniform(-1, 1);
  for (int r = 0; r < n; ++r) {
    for (int c = 0; c < n; ++c) {
      double v = r == c && rank == n ? 0.1 : 0;  // no near-singular free QP
      for (int k = 0; k < rank; ++k) v += b[k * n + r] * b[k * n + c];
      m.q.rows.push_back(r), m.q.cols.push_back(c);
      m.q.vals.push_back(m.sense * v);
    }
  }
  // Then a column in no row and no quadratic term.
  m.obj.push_back(uniform(-1, 1)), m.lb.push_back(-1), m.ub.push_back(2);
  std::vector<double> act(m.numLinear, 0.0);
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < m.numLinear; ++i) {
      if (random() % 3 == 0) continue;
      m.a.rows.push_back(i), m.a.cols.push_back(j);
      m.a.vals.push_back(uniform(-3, 3));
      act[i] += m.a.vals.back() * x0[j];
    }
  }
  for (double v : act) {
    int kind = random() % 4;  // <, >, ranged, =
    m.lhs.push_back(kind == 0 ? -inf : kind == 3 ? v : v - uniform(0, 1));
    m.rhs.push_back(kind == 1 ? inf : kind == 3 ? v : v + uniform(0, 1));
  }
  return m;
}

// Lovasz theta of the n-cycle (max <J, X>, trace X = 1, X_ij = 0 on its
// edges) or the max-cut relaxation of a random graph (max <L, X> / 4,
// diag X = 1), beside a scalar in [lb, ub] of cost tCost in no row and an
// empty row -1 <= 0 <= 1.
KktModel graphSdp(int n, bool cut, double lb, double ub, double tCost) {
  KktModel m{-1, {tCost}, {lb}, {ub}, {-1}, {1}, 1, {}, {}, n, {}};
  std::mt19937 random(n);
  std::vector<double> degree(n, 0);
  auto entry = [&m](int row, int flat, double v) {
    m.psd.push_back({double(row), double(flat), v});
  };
  auto fix = [&](int flat, double v) {
    m.lhs.push_back(v), m.rhs.push_back(v);
    entry(count(m.lhs) - 1, flat, 1);
  };
  for (int r = 0; r < n; ++r) {
    for (int c = r + 1; c < n; ++c) {
      bool edge = cut ? random() % 3 == 0 : c == r + 1 || c - r == n - 1;
      if (cut && edge) entry(-1, r * n + c, -0.25), ++degree[r], ++degree[c];
      if (!cut) entry(-1, r * n + c, 1);
      if (!cut && edge) fix(r * n + c, 0);
    }
  }
  m.lhs.push_back(1), m.rhs.push_back(1);  // trace X = 1, or X_00 = 1
  for (int r = 0; r < n; ++r) {
    entry(-1, r * n + r, cut ? degree[r] / 4 : 1);
    if (cut && r > 0) fix(r * n + r, 1);
    if (!cut || r == 0) entry(count(m.lhs) - 1, r * n + r, 1);
  }
  return m;
}

// The netlib LP in `file`, with 0.01 ||x||^2 added to its objective when
// `quadratic`, as the benchmark makes its QPs.
KktModel netlib(const std::string &file, bool quadratic) {
  CoinMpsIO mps;
  mps.messageHandler()->setLogLevel(0);
  EXPECT_EQ(mps.readMps(file.c_str(), ""), 0) << file;
  KktModel m;
  int n = mps.getNumCols();
  auto side = [](double v) { return std::max(-inf, std::min(inf, v)); };
  for (int j = 0; j < n; ++j) {
    m.obj.push_back(mps.getObjCoefficients()[j]);
    m.lb.push_back(side(mps.getColLower()[j]));
    m.ub.push_back(side(mps.getColUpper()[j]));
    if (quadratic) m.q.rows.push_back(j), m.q.cols.push_back(j);
    if (quadratic) m.q.vals.push_back(0.01);
  }
  m.numLinear = mps.getNumRows();
  for (int i = 0; i < m.numLinear; ++i) {
    m.lhs.push_back(side(mps.getRowLower()[i]));
    m.rhs.push_back(side(mps.getRowUpper()[i]));
  }
  const CoinPackedMatrix &a = *mps.getMatrixByCol();
  for (int j = 0; j < n; ++j) {
    for (int p = a.getVectorFirst(j); p < a.getVectorLast(j); ++p) {
      m.a.rows.push_back(a.getIndices()[p]), m.a.cols.push_back(j);
      m.a.vals.push_back(a.getElements()[p]);
    }
  }
  return m;
}

class LibkorvaSolveTest : public LibkorvaTest {
 protected:
  void check(const Outcome &c) {
    clearLog();
    load(c.model);
    ASSERT_EQ(KVAoptimize(model), KVA_OK);
    ASSERT_EQ(status(), c.status) << log();
    EXPECT_EQ(has("ObjVal"), c.status == KVA_OPTIMAL);
    if (c.status == KVA_OPTIMAL) {
      EXPECT_NEAR(objVal(), c.objVal, 1e-6);
      double gap = 0;
      if (KVAgetdblattr(model, "MIP/GapAbs", &gap) == KVA_OK) {
        EXPECT_LE(gap, 1e-4);
      }
      std::vector<double> values = x();
      for (size_t j = 0; j < c.x.size(); ++j) {
        EXPECT_NEAR(values[j], c.x[j], 1e-6) << "x[" << j << "]";
      }
    }
    int count = 0, rows = 0, cols = 0;
    if (c.status != KVA_OPTIMAL) {
      EXPECT_NE(KVAgetmatattrelement(model, "PsdX", 0, &count, &rows, &cols,
                                     nullptr, nullptr),
                KVA_OK);
    }
    if (!c.psdX.empty()) checkPsdX(c.psdX);
    if (c.logMention != nullptr) {
      EXPECT_NE(log().find("Unsupported: "), std::string::npos);
      EXPECT_NE(log().find(c.logMention), std::string::npos) << log();
    }
  }

  // Both triangles of the matrix are reported.
  void checkPsdX(const std::vector<double> &expected) {
    int count = 0, rows = 0, cols = 0;
    ASSERT_EQ(KVAgetmatattrelement(model, "PsdX", 0, &count, &rows, &cols,
                                   nullptr, nullptr),
              KVA_OK);
    ASSERT_EQ(rows * cols, static_cast<int>(expected.size()));
    std::vector<int> flat(count);
    std::vector<double> vals(count), full(expected.size(), 0.0);
    ASSERT_EQ(KVAgetmatattrelement(model, "PsdX", 0, &count, &rows, &cols,
                                   flat.data(), vals.data()),
              KVA_OK);
    for (int k = 0; k < count; ++k) full[flat[k]] = vals[k];
    for (size_t f = 0; f < full.size(); ++f) {
      EXPECT_NEAR(full[f], expected[f], 1e-5) << "PsdX entry " << f;
    }
    EXPECT_EQ(KVAgetmatattrelement(model, "PsdX", 1, &count, &rows, &cols,
                                   nullptr, nullptr),
              KVA_ERROR_INDEX_OUT_OF_RANGE);
    EXPECT_EQ(KVAgetmatattrelement(model, "X", 0, &count, &rows, &cols, nullptr,
                                   nullptr),
              KVA_ERROR_UNKNOWN_ATTRIBUTE);
    int iterations = 0;
    ASSERT_EQ(KVAgetintattr(model, "IPM/NumIters", &iterations), KVA_OK);
    EXPECT_GT(iterations, 0);
  }
};

TEST_F(LibkorvaSolveTest, LinearAndQuadraticWithEveryMethodAndPresolve) {
  for (int method : {-1, 0, 1, 2}) {
    for (int presolve : {-1, 0}) {
      ASSERT_EQ(KVAsetintparam(env, "Method", method), KVA_OK);
      ASSERT_EQ(KVAsetintparam(env, "Presolve", presolve), KVA_OK);
      for (const Outcome &c : linearCases()) {
        SCOPED_TRACE(std::string(c.name) + ", method " +
                     std::to_string(method) + ", presolve " +
                     std::to_string(presolve));
        check(c);
      }
    }
  }
}

TEST_F(LibkorvaSolveTest, QuadraticConstraintsAndSemidefiniteModels) {
  for (const Outcome &c : nonlinearCases()) {
    SCOPED_TRACE(c.name);
    check(c);
  }
}

// Without variables a constraint is the constant 0 between its sides.
TEST_F(LibkorvaSolveTest, ConstraintsWithoutVariables) {
  for (double rhs : {1.0, -1.0}) {
    EXPECT_EQ(solve(withQc(DenseModel(), {}, {}, '<', rhs)),
              rhs > 0 ? KVA_OPTIMAL : KVA_INFEASIBLE);
  }
}

TEST_F(LibkorvaSolveTest, BlocksTooLargeForTheBarrierAreRefused) {
  EXPECT_EQ(solve(eigenvalueModel(23170, {{0}, {1}})), KVA_UNSUPPORTED);
  EXPECT_NE(log().find("more than 23169 rows"), std::string::npos) << log();
}

// Every point is checked against the optimality conditions, 1e-7 scaled.
class LibkorvaKktTest : public LibkorvaTest {
 protected:
  void expectOptimal(const KktModel &m, const std::string &name) {
    SCOPED_TRACE(name);
    clearLog();
    loadKkt(m);
    ASSERT_EQ(KVAoptimize(model), KVA_OK);
    ASSERT_EQ(status(), KVA_OPTIMAL) << log();
    double residual = kktResidual(m);
    EXPECT_LE(residual, 1e-7) << log();
  }
};

TEST_F(LibkorvaKktTest, RandomConvexQps) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    expectOptimal(randomQp(seed), "seed " + std::to_string(seed));
  }
}

// The netlib LPs beside the repository, as LPs and as the benchmark's QPs.
TEST_F(LibkorvaKktTest, NetlibLpsAndQps) {
  std::filesystem::path folder = KORVA_NETLIB_DIR;
  if (!std::filesystem::exists(folder)) GTEST_SKIP() << "no " << folder;
  for (auto &entry : std::filesystem::directory_iterator(folder)) {
    std::string file = entry.path().string();
    if (file.size() < 7 || file.substr(file.size() - 7) != ".mps.gz") continue;
    for (bool quadratic : {false, true}) {
      expectOptimal(netlib(file, quadratic),
                    entry.path().stem().string() + (quadratic ? " QP" : ""));
    }
  }
}

TEST_F(LibkorvaKktTest, ThetaAndMaxCutBesideIdleColumnsAndRows) {
  for (bool cut : {false, true}) {
    for (int n : {5, 6, 12}) {
      for (auto [lb, ub, cost] : std::vector<std::array<double, 3>>{
               {0, inf, 0}, {-inf, inf, 0}, {2, 3, 0}, {-3, inf, -2}}) {
        expectOptimal(graphSdp(n, cut, lb, ub, cost),
                      std::string(cut ? "max-cut " : "theta ") +
                          std::to_string(n) + ", t from " + std::to_string(lb));
      }
    }
  }
  // t's cost rising without bound; the empty row made 0.5 <= 0 <= 1.
  loadKkt(graphSdp(6, false, 0, inf, 1));
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(status(), KVA_UNBOUNDED);
  KktModel excluded = graphSdp(6, false, 0, inf, 0);
  excluded.lhs[0] = 0.5;
  loadKkt(excluded);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(status(), KVA_INFEASIBLE);
}

}  // namespace
