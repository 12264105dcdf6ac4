// A started environment that records the log, a dense model description
// with its non-linear parts, and the C calls that add those parts.
#ifndef LIBKORVA_TESTS_FIXTURE_H
#define LIBKORVA_TESTS_FIXTURE_H

#include <gtest/gtest.h>

#include <functional>
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

DenseModel variables(std::vector<double> obj, std::vector<double> ub = {},
                     int objSense = 1, std::string vtype = "",
                     std::vector<double> lb = {});
DenseModel withRows(DenseModel m, std::vector<std::vector<double>> rows,
                    std::string sense, std::vector<double> rhs);
DenseModel withParts(DenseModel m, std::function<void(KVAmodel)> more);
DenseModel withQ(DenseModel m, Triplets q);
DenseModel withQc(DenseModel m, Sparse linear, Triplets quad, char sense,
                  double rhs);
// A multi-dimensional 0-1 knapsack (maximise) that Cbc needs a long search
// to prove; every row is half the total weight, so all-zero is feasible and
// heuristics find points at once.
DenseModel hardKnapsack(int items, int rows);
// min <C, X> s.t. trace X = 1 over one psd variable: C's least eigenvalue.
DenseModel eigenvalueModel(int dim, Sparse c);

int addQpTerms(KVAmodel model, const Triplets &q);
int addQuadConstraint(KVAmodel model, const Sparse &linear,
                      const Triplets &quad, char sense, double rhs);
int addSos(KVAmodel model, int type, const std::vector<int> &members,
           const std::vector<double> &weights);
int addIndicator(KVAmodel model, int binVar, int binVal, const Sparse &row,
                 char sense, double rhs);
int addPsdVar(KVAmodel model, int dim, const Sparse &obj);
// Linear terms and psd variable `var` with `coef`; sense 'R' makes the row
// lhs <= ... <= rhs.
int addPsdRow(KVAmodel model, const Sparse &linear, int var, const Sparse &coef,
              char sense, double rhs, double lhs = 0);

class LibkorvaTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  KVAmodel load(const DenseModel &m);  // frees the model loaded before
  int solve(const DenseModel &m);      // loads, optimizes, gives the status
  void release();
  // Attributes of the model; reading one that is not available fails.
  int intAttr(const char *name);
  double dblAttr(const char *name);
  bool has(const char *dblAttr);
  int status() { return intAttr("Status"); }
  double objVal() { return dblAttr("ObjVal"); }
  std::vector<double> x();
  std::string log();
  std::set<std::thread::id> loggingThreads();  // that called the callback
  void clearLog();

  KVAenv env = nullptr;
  KVAmodel model = nullptr;
};

#endif
