// Semidefinite models solved by DSDP: optimum, matrix values, ordinary
// variables of every bound kind, statuses and limits.
#include <cmath>
#include <vector>

#include "tests/libkorva/solver_fixture.h"

namespace {

struct Entries {
  std::vector<int> flat;  // r * dim + c, r <= c
  std::vector<double> vals;
};

struct PsdRow {
  std::vector<int> linearIdx;
  std::vector<double> linearVals;
  int var;
  Entries coef;
};

class LibkorvaSdpTest : public LibkorvaTest {
 protected:
  void addVar(int dim, const Entries &obj) {
    ASSERT_EQ(KVAaddpsdvar(model, dim, static_cast<int>(obj.vals.size()),
                           obj.flat.data(), obj.vals.data(), nullptr),
              KVA_OK);
  }
  // sense '<', '>', '=' or 'R' for lhs <= ... <= rhs.
  void addRow(const PsdRow &row, char sense, double rhs, double lhs = 0.0) {
    int begin[] = {0, static_cast<int>(row.coef.vals.size())};
    int numLinear = static_cast<int>(row.linearIdx.size());
    int code =
        sense == 'R'
            ? KVAaddrangepsdconstr(model, numLinear, 1, begin[1],
                                   row.linearIdx.data(), row.linearVals.data(),
                                   &row.var, begin, row.coef.flat.data(),
                                   row.coef.vals.data(), lhs, rhs, nullptr)
            : KVAaddpsdconstr(model, numLinear, 1, begin[1],
                              row.linearIdx.data(), row.linearVals.data(),
                              &row.var, begin, row.coef.flat.data(),
                              row.coef.vals.data(), sense, rhs, nullptr);
    ASSERT_EQ(code, KVA_OK);
  }
  // min <C, X> s.t. trace X = 1: the optimum is C's smallest eigenvalue.
  void loadEigenvalueModel(int dim, const Entries &c) {
    DenseModel none;
    load(none);
    addVar(dim, c);
    Entries identity;
    for (int r = 0; r < dim; ++r) {
      identity.flat.push_back(r * dim + r);
      identity.vals.push_back(1.0);
    }
    addRow({{}, {}, 0, identity}, '=', 1.0);
  }
  // The full matrix from "PsdX"; both triangles must be reported.
  std::vector<double> psdX(int element, int *dim) {
    int count = 0, rows = 0, cols = 0;
    EXPECT_EQ(KVAgetmatattrelement(model, "PsdX", element, &count, &rows, &cols,
                                   nullptr, nullptr),
              KVA_OK);
    EXPECT_EQ(rows, cols);
    std::vector<int> flat(count);
    std::vector<double> vals(count);
    EXPECT_EQ(KVAgetmatattrelement(model, "PsdX", element, &count, &rows, &cols,
                                   flat.data(), vals.data()),
              KVA_OK);
    std::vector<double> full(rows * cols, 0.0);
    for (int k = 0; k < count; ++k) full[flat[k]] = vals[k];
    *dim = rows;
    return full;
  }
  int ipmIters() {
    int value = -1;
    EXPECT_EQ(KVAgetintattr(model, "IPM/NumIters", &value), KVA_OK);
    return value;
  }
};

TEST_F(LibkorvaSdpTest, SmallestEigenvalueWithItsProjectorAsPsdX) {
  // C = [1 2; 2 3]: the off-diagonal 2 counts twice in <C, X>.
  loadEigenvalueModel(2, {{0, 1, 3}, {1.0, 2.0, 3.0}});
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  ASSERT_EQ(status(), KVA_OPTIMAL);
  double lambda = 2.0 - std::sqrt(5.0);
  EXPECT_NEAR(objVal(), lambda, 1e-7);
  // X = v v' for the unit eigenvector v of lambda.
  double v0 = 2.0, v1 = lambda - 1.0;
  double norm = v0 * v0 + v1 * v1;
  std::vector<double> expected = {v0 * v0 / norm, v0 * v1 / norm,
                                  v1 * v0 / norm, v1 * v1 / norm};
  int dim = 0;
  std::vector<double> x = psdX(0, &dim);
  ASSERT_EQ(dim, 2);
  for (int f = 0; f < 4; ++f) EXPECT_NEAR(x[f], expected[f], 1e-6) << f;
  EXPECT_GT(ipmIters(), 0);
  EXPECT_NE(log().find("SDP solved by DSDP"), std::string::npos);
  EXPECT_NE(log().find("primal"), std::string::npos);
}

TEST_F(LibkorvaSdpTest, OrdinaryVariablesWithRangedPsdConstraint) {
  // t free, y in [0, 5], y + t <= 4; X = [X00 X01; X01 X11] with X11 = 1,
  // X01 = 1 and -1 <= X00 - t <= 0, so t >= X00 >= 1. min t - y = -2.
  DenseModel m;
  m.obj = {1.0, -1.0};
  m.lb = {-KVA_INFINITY, 0.0};
  m.ub = {KVA_INFINITY, 5.0};
  m.rows = {{1.0, 1.0}};
  m.sense = "<";
  m.rhs = {4.0};
  load(m);
  addVar(2, {});
  addRow({{}, {}, 0, {{3}, {1.0}}}, '=', 1.0);
  addRow({{}, {}, 0, {{1}, {0.5}}}, '=', 1.0);
  addRow({{0}, {-1.0}, 0, {{0}, {1.0}}}, 'R', 0.0, -1.0);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  ASSERT_EQ(status(), KVA_OPTIMAL);
  EXPECT_NEAR(objVal(), -2.0, 1e-6);
  std::vector<double> values = x();
  EXPECT_NEAR(values[0], 1.0, 1e-6);
  EXPECT_NEAR(values[1], 3.0, 1e-6);
  int dim = 0;
  std::vector<double> matrix = psdX(0, &dim);
  for (double entry : matrix) EXPECT_NEAR(entry, 1.0, 1e-5);
}

TEST_F(LibkorvaSdpTest, FreeVariablesSharingRowsAreRecovered) {
  // a, b free: a - b = 0.5 and a + b - X00 = 1, X01 = 0.5; min a + 2b +
  // trace X = 1.25 + 2.5 X00 + X11 with X00 X11 >= 1/4, least at
  // X00 = sqrt(0.1), X11 = 2.5 X00.
  DenseModel m;
  m.obj = {1, 2};
  m.lb = {-KVA_INFINITY, -KVA_INFINITY};
  m.rows = {{1, -1}};
  m.sense = "=";
  m.rhs = {0.5};
  load(m);
  addVar(2, {{0, 3}, {1.0, 1.0}});
  addRow({{0, 1}, {1.0, 1.0}, 0, {{0}, {-1.0}}}, '=', 1.0);
  addRow({{}, {}, 0, {{1}, {0.5}}}, '=', 0.5);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  ASSERT_EQ(status(), KVA_OPTIMAL);
  double x00 = std::sqrt(0.1);
  EXPECT_NEAR(objVal(), 1.25 + 5 * x00, 1e-6);
  std::vector<double> values = x();
  double b = (0.5 + x00) / 2;
  EXPECT_NEAR(values[0], b + 0.5, 1e-6);
  EXPECT_NEAR(values[1], b, 1e-6);
  int dim = 0;
  std::vector<double> matrix = psdX(0, &dim);
  EXPECT_NEAR(matrix[0], x00, 1e-6);
  EXPECT_NEAR(matrix[1], 0.5, 1e-6);
  EXPECT_NEAR(matrix[2], 0.5, 1e-6);
  EXPECT_NEAR(matrix[3], 2.5 * x00, 1e-6);
}

TEST_F(LibkorvaSdpTest, MaximisationNegatesTheObjective) {
  // max <C, X> s.t. trace X = 1 is C's largest eigenvalue.
  loadEigenvalueModel(2, {{0, 1, 3}, {1.0, 2.0, 3.0}});
  ASSERT_EQ(KVAsetintattr(model, "ModelSense", -1), KVA_OK);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  ASSERT_EQ(status(), KVA_OPTIMAL);
  EXPECT_NEAR(objVal(), 2.0 + std::sqrt(5.0), 1e-7);
}

TEST_F(LibkorvaSdpTest, InfeasibleAndUnboundedModels) {
  // trace X = -1 has no psd solution.
  loadEigenvalueModel(2, {{0}, {1.0}});
  Entries identity{{0, 3}, {1.0, 1.0}};
  addRow({{}, {}, 0, identity}, '=', -1.0);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(status(), KVA_INFEASIBLE);
  KVAfreemodel(model);
  model = nullptr;

  // min -x with x >= 0 and X00 - x = 0: both grow without bound.
  DenseModel m;
  m.obj = {-1.0};
  load(m);
  addVar(2, {});
  addRow({{0}, {-1.0}, 0, {{0}, {1.0}}}, '=', 0.0);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(status(), KVA_UNBOUNDED);
  int count = 0, rows = 0, cols = 0;
  EXPECT_EQ(KVAgetmatattrelement(model, "PsdX", 0, &count, &rows, &cols,
                                 nullptr, nullptr),
            KVA_ERROR_DATA_NOT_AVAILABLE);
}

TEST_F(LibkorvaSdpTest, BlocksTooLargeForTheBarrierAreRefused) {
  loadEigenvalueModel(23170, {{0}, {1.0}});
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(status(), KVA_UNSUPPORTED);
  EXPECT_NE(log().find("more than 23169 rows"), std::string::npos) << log();
}

TEST_F(LibkorvaSdpTest, TimeLimitAndTerminateStopTheFirstIteration) {
  loadEigenvalueModel(2, {{0, 1, 3}, {1.0, 2.0, 3.0}});
  ASSERT_EQ(KVAsetdblparam(env, "MaxTime", 0.0), KVA_OK);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(status(), KVA_TIME_LIMIT);
  EXPECT_LE(ipmIters(), 1);

  ASSERT_EQ(KVAsetdblparam(env, "MaxTime", KVA_INFINITY), KVA_OK);
  ASSERT_EQ(KVAterminate(model), KVA_OK);
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(status(), KVA_INTERRUPTED);
  EXPECT_LE(ipmIters(), 1);
}

}  // namespace
