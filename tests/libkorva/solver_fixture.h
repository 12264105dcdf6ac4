// A started environment that records the log, and small builders for the
// models the tests solve.
#ifndef LIBKORVA_TESTS_SOLVER_FIXTURE_H
#define LIBKORVA_TESTS_SOLVER_FIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/korva_api.h"

// Dense description of a model with linear rows; entries equal to 0 in
// rows are left out of the matrix.
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
};

// A multi-dimensional 0-1 knapsack (maximise) that Cbc needs a long search
// to prove; every row is half the total weight, so all-zero is feasible and
// heuristics find points at once.
DenseModel hardKnapsack(int items, int rows);

class LibkorvaTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Loads the model; fails the test when loading fails.
  KVAmodel load(const DenseModel &model);
  // Loads, optimizes, and returns the status.
  int solve(const DenseModel &model);
  int status();
  std::vector<double> x();
  double objVal();
  std::string log();
  void clearLog();

  KVAenv env = nullptr;
  KVAmodel model = nullptr;
};

#endif
