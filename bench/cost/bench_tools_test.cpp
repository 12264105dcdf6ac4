// The benchmark's own instruments: if these are wrong, every ratio in the
// results is wrong with them.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "bench/cost/bench_models.h"
#include "bench/cost/null_solver.h"
#include "bench/cost/timing.h"
#include "result/create_return_mx_array.h"
#include "sparse/sparse_matrix.h"
#include "testhost.h"

namespace {

size_t storedEntries(const mxArray *sparse) {
  return mxGetJc(sparse)[mxGetN(sparse)];
}

TEST(BenchTiming, MedianMinimumAndMaximum) {
  struct Case {
    std::vector<double> seconds;
    double median;
  };
  for (const Case &c : {Case{{3, 1, 2}, 2}, Case{{4, 1, 3, 2}, 2.5}}) {
    const Stats stats = statsOf(c.seconds);
    EXPECT_EQ(stats.median, c.median);
    EXPECT_EQ(stats.min, 1);
    EXPECT_EQ(stats.max, c.seconds.size());
  }
}

TEST(BenchTiming, GrowthExponentOfPowerLaws) {
  const std::vector<double> sizes = {1e5, 1e6, 1e7};
  for (double power : {1.0, 1.5, 2.0}) {
    std::vector<double> times;
    for (double n : sizes) {
      times.push_back(3e-9 * std::pow(n, power));
    }
    EXPECT_NEAR(growthExponent(sizes, times), power, 1e-12);
  }
}

// The peak column: the most held at once since the reset, not the total
// allocated nor what is held at the end.
TEST(BenchMemory, PeakIsTheMostHeldAtOnce) {
  const size_t before = testhost::heldBytes();
  testhost::resetPeakBytes();
  void *first = mxMalloc(100);
  void *second = mxMalloc(50);
  mxFree(first);
  void *third = mxMalloc(80);
  EXPECT_EQ(testhost::peakBytes() - before, 150u);
  mxFree(second);
  mxFree(third);
  testhost::resetPeakBytes();
  EXPECT_EQ(testhost::peakBytes(), before);
}

// Every model the benchmark times must get through the module to the
// solve, with the entry count it is labelled with.
TEST(BenchModels, ReachTheSolveWithTheirEntryCount) {
  struct Case {
    BenchModel (*build)(size_t);
    const char *field;
  };
  for (const Case &c : {Case{linearModel, "A"}, Case{quadraticModel, "Q"},
                        Case{semidefiniteModel, "psdvar"}}) {
    SCOPED_TRACE(c.field);
    BenchModel bench = c.build(20000);
    testhost::Array model(bench.model);
    const mxArray *matrix = testhost::fieldOf(model.get(), c.field);
    if (mxIsStruct(matrix)) {
      matrix = mxGetField(matrix, 0, "obj");
      CooMatrix upper;
      EXPECT_TRUE(upperTriangle(matrix, &upper));
      free_coo(&upper);
      EXPECT_NEAR(2.0 * double(storedEntries(matrix)), 20000.0, 600.0);
    } else {
      EXPECT_EQ(storedEntries(matrix), 20000u);
    }
    nullsolver::reset();
    const auto before = BenchClock::now();
    testhost::CallResult result = testhost::call({model.get()});
    ASSERT_FALSE(result.raised) << result.message;
    EXPECT_GT(nullsolver::marks().firstModelCall, before);
    EXPECT_GE(nullsolver::marks().optimizeStart,
              nullsolver::marks().firstModelCall);
  }
}

TEST(BenchModels, SymmetricBandHoldsElevenEntriesPerColumn) {
  testhost::Array band(symmetricBand(1100));
  EXPECT_EQ(mxGetN(band.get()), 100u);
  EXPECT_EQ(storedEntries(band.get()), 1100u);
  CooMatrix upper;
  EXPECT_TRUE(upperTriangle(band.get(), &upper));
  free_coo(&upper);
}

// The two orders in which the null solver reports a semidefinite value
// must describe the same matrix, so that they differ only in the sort.
TEST(NullSolver, BothEntryOrdersGiveTheSameResult) {
  std::vector<std::vector<double>> dense;
  for (bool columnMajor : {false, true}) {
    nullsolver::reportPsdColumnMajor(columnMajor);
    KVAmodel model = nullsolver::modelOfSize(2, 1, 3);
    mxArray *plhs[1] = {nullptr};
    createReturnMxArray(model, plhs);
    testhost::Array result(plhs[0]);
    KVAfreemodel(model);
    const mxArray *value =
        mxGetCell(testhost::fieldOf(result.get(), "PsdX"), 0);
    EXPECT_EQ(storedEntries(value), 6u);
    std::vector<double> full(9, 0.0);
    for (size_t j = 0; j < 3; ++j) {
      for (mwIndex k = mxGetJc(value)[j]; k < mxGetJc(value)[j + 1]; ++k) {
        full[mxGetIr(value)[k] + 3 * j] = mxGetDoubles(value)[k];
      }
    }
    dense.push_back(full);
    EXPECT_EQ(testhost::doublesOf(testhost::fieldOf(result.get(), "X")),
              std::vector<double>(2, 0.0));
  }
  nullsolver::reportPsdColumnMajor(false);
  EXPECT_EQ(dense[0], dense[1]);
  testhost::reclaimAll();
}

}  // namespace
