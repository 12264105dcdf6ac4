// Times the module's own work on the test host with a solver that returns at
// once: from entry to the first model call and to the start of the solve,
// and the building of the result, each against a memcpy of the same bytes;
// then the triplet sort and the symmetric upper-triangle copy alone. Prints
// Markdown.
//
// Usage: gateway_cost [largest power of ten, default 7] [repetitions, >= 5]
//                     [only this model: A, Q or semidefinite]

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "bench/cost/bench_models.h"
#include "bench/cost/null_solver.h"
#include "bench/cost/timing.h"
#include "result/create_return_mx_array.h"
#include "sparse/sparse_matrix.h"
#include "testhost.h"

namespace {

struct Row {
  std::string model;
  size_t nnz;
  Stats copyIn;
  Stats firstModelCall;
  Stats solveStart;
  Stats copyOut;
  Stats result;
  size_t hostBytes;
  size_t resultBytes;
  size_t peakIn;   // mxMalloc high-water mark of a call
  size_t peakOut;  // of building the result alone
};

struct CallTimes {
  Stats firstModelCall;
  Stats solveStart;
  size_t peak;
};

// The most mxMalloc bytes held at once while `work` runs, above what was
// held before it.
template <typename Work>
size_t peakOf(Work work) {
  const size_t before = testhost::heldBytes();
  testhost::resetPeakBytes();
  work();
  return testhost::peakBytes() - before;
}

// The first run is a warm-up and is not counted.
CallTimes timeCall(const mxArray *model, int repetitions) {
  std::vector<double> first, start;
  size_t peak = 0;
  for (int r = -1; r < repetitions; ++r) {
    nullsolver::reset();
    testhost::CallResult result;
    auto entry = BenchClock::now();
    peak = std::max(peak, peakOf([&] {
                      entry = BenchClock::now();
                      result = testhost::call({model});
                    }));
    if (result.raised) {
      std::fprintf(stderr, "gateway_cost: the call failed: %s\n",
                   result.message.c_str());
      std::exit(1);
    }
    const nullsolver::Marks marks = nullsolver::marks();
    if (r < 0) {
      continue;
    }
    first.push_back(secondsBetween(entry, marks.firstModelCall));
    start.push_back(secondsBetween(entry, marks.optimizeStart));
  }
  return {statsOf(first), statsOf(start), peak};
}

struct ResultTimes {
  Stats build;
  size_t peak;
};

ResultTimes timeResult(const BenchModel &bench, int repetitions) {
  KVAmodel model =
      nullsolver::modelOfSize(bench.numVars, bench.numConss, bench.psdDim);
  std::vector<double> seconds;
  size_t peak = 0;
  for (int r = -1; r < repetitions; ++r) {
    mxArray *plhs[1] = {nullptr};
    BenchClock::time_point start, end;
    peak = std::max(peak, peakOf([&] {
                      start = BenchClock::now();
                      createReturnMxArray(model, plhs);
                      end = BenchClock::now();
                    }));
    if (r >= 0) {
      seconds.push_back(secondsBetween(start, end));
    }
    mxDestroyArray(plhs[0]);
    testhost::reclaimAll();
  }
  KVAfreemodel(model);
  return {statsOf(seconds), peak};
}

Row measure(const std::string &name, size_t nnz, const BenchModel &bench,
            int repetitions) {
  Row row{};
  row.model = name;
  row.nnz = nnz;
  row.copyIn = memcpyTime(bench.hostBytes, repetitions);
  row.copyOut = memcpyTime(bench.resultBytes, repetitions);
  row.hostBytes = bench.hostBytes;
  row.resultBytes = bench.resultBytes;
  const CallTimes call = timeCall(bench.model, repetitions);
  row.firstModelCall = call.firstModelCall;
  row.solveStart = call.solveStart;
  row.peakIn = call.peak;
  const ResultTimes result = timeResult(bench, repetitions);
  row.result = result.build;
  row.peakOut = result.peak;
  mxDestroyArray(bench.model);
  return row;
}

double ratio(const Stats &time, const Stats &reference) {
  return time.median / reference.median;
}

void printCostTable(const std::vector<Row> &rows) {
  std::printf(
      "| model | nnz | memcpy in (ms) | entry to first model call (ms) | "
      "ratio | entry to solve start (ms) | ratio | memcpy out (ms) | "
      "result build (ms) | ratio |\n"
      "|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|\n");
  for (const Row &row : rows) {
    std::printf("| %s | %zu | %s | %s | %.2f | %s | %.2f | %s | %s | %.2f |\n",
                row.model.c_str(), row.nnz, millis(row.copyIn).c_str(),
                millis(row.firstModelCall).c_str(),
                ratio(row.firstModelCall, row.copyIn),
                millis(row.solveStart).c_str(),
                ratio(row.solveStart, row.copyIn), millis(row.copyOut).c_str(),
                millis(row.result).c_str(), ratio(row.result, row.copyOut));
  }
}

double megabytes(size_t bytes) { return double(bytes) / 1e6; }

void printPeakTable(const std::vector<Row> &rows) {
  std::printf(
      "\nPeak of the module's own allocations (mxMalloc high-water mark) "
      "during a call and while building the result, against the bytes of "
      "the model's and of the result's arrays:\n\n"
      "| model | nnz | model (MB) | peak in call (MB) | ratio | "
      "result (MB) | peak in result build (MB) | ratio |\n"
      "|---|--:|--:|--:|--:|--:|--:|--:|\n");
  for (const Row &row : rows) {
    std::printf("| %s | %zu | %.3g | %.3g | %.2f | %.3g | %.3g | %.2f |\n",
                row.model.c_str(), row.nnz, megabytes(row.hostBytes),
                megabytes(row.peakIn),
                double(row.peakIn) / double(row.hostBytes),
                megabytes(row.resultBytes), megabytes(row.peakOut),
                double(row.peakOut) / double(row.resultBytes));
  }
}

// Growth is fitted from 10^5 up: below that, fixed costs dominate. The
// memcpy of the same bytes is fitted too, since caches make even a copy
// grow faster than linearly over this range.
void printGrowth(const std::vector<Row> &rows) {
  std::printf(
      "\nGrowth exponent of the median time over nnz from 10^5 up "
      "(1 = linear; the memcpy columns are the reference):\n\n"
      "| model | memcpy in | entry to solve start | memcpy out | "
      "result build |\n|---|--:|--:|--:|--:|\n");
  for (const char *name : {"A", "Q", "semidefinite"}) {
    std::vector<double> sizes, copyIn, start, copyOut, result;
    for (const Row &row : rows) {
      if (row.model == name && row.nnz >= 100000) {
        sizes.push_back(double(row.nnz));
        copyIn.push_back(row.copyIn.median);
        start.push_back(row.solveStart.median);
        copyOut.push_back(row.copyOut.median);
        result.push_back(row.result.median);
      }
    }
    if (sizes.size() >= 2) {
      std::printf("| %s | %.2f | %.2f | %.2f | %.2f |\n", name,
                  growthExponent(sizes, copyIn), growthExponent(sizes, start),
                  growthExponent(sizes, copyOut),
                  growthExponent(sizes, result));
    }
  }
}

// Triplets of an n-entry square matrix, row by row or column by column.
CooMatrix triplets(size_t nnz, bool rowMajor) {
  const int32_t dim = int32_t(std::sqrt(double(nnz))) + 1;
  CooMatrix coo{int32_t(nnz), dim, dim, nullptr, nullptr, nullptr};
  coo.rowIdx = static_cast<int32_t *>(mxMalloc(nnz * sizeof(int32_t)));
  coo.colIdx = static_cast<int32_t *>(mxMalloc(nnz * sizeof(int32_t)));
  coo.vals = static_cast<double *>(mxMalloc(nnz * sizeof(double)));
  for (size_t k = 0; k < nnz; ++k) {
    const int32_t major = int32_t(k / size_t(dim));
    const int32_t minor = int32_t(k % size_t(dim));
    coo.rowIdx[k] = rowMajor ? major : minor;
    coo.colIdx[k] = rowMajor ? minor : major;
    coo.vals[k] = double(k);
  }
  return coo;
}

Stats timeSort(size_t nnz, bool rowMajor, int repetitions) {
  std::vector<double> seconds;
  for (int r = 0; r < repetitions; ++r) {
    CooMatrix coo = triplets(nnz, rowMajor);
    const auto start = BenchClock::now();
    sort(&coo);
    seconds.push_back(secondsBetween(start, BenchClock::now()));
    free_coo(&coo);
  }
  return statsOf(seconds);
}

Stats timeUpperTriangle(const mxArray *matrix, int repetitions) {
  std::vector<double> seconds;
  for (int r = 0; r < repetitions; ++r) {
    CooMatrix upper;
    const auto start = BenchClock::now();
    const bool symmetric = upperTriangle(matrix, &upper);
    seconds.push_back(secondsBetween(start, BenchClock::now()));
    if (!symmetric) {
      std::fprintf(stderr, "gateway_cost: band matrix not symmetric\n");
      std::exit(1);
    }
    free_coo(&upper);
  }
  return statsOf(seconds);
}

void printKernelRow(const char *name, size_t n, const Stats &time) {
  const double perEntry = time.median * 1e9 / double(n);
  std::printf("| %s | %zu | %s | %.2f | %.3f |\n", name, n,
              millis(time).c_str(), perEntry, perEntry / std::log2(double(n)));
}

void printKernels(int largestPower, int repetitions) {
  std::printf(
      "\nSort and symmetric upper-triangle copy alone (ns per entry should "
      "stay flat for a linear pass; ns per entry and log2 n for the full "
      "sort):\n\n"
      "| operation | n | time (ms) | ns per entry | ns per entry / log2 n |\n"
      "|---|--:|--:|--:|--:|\n");
  for (int p = 4; p <= largestPower; ++p) {
    const size_t n = size_t(std::pow(10.0, p));
    printKernelRow("sort, row-major input", n, timeSort(n, true, repetitions));
  }
  for (int p = 4; p <= largestPower; ++p) {
    const size_t n = size_t(std::pow(10.0, p));
    printKernelRow("sort, column-major input", n,
                   timeSort(n, false, repetitions));
  }
  for (int p = 4; p <= largestPower; ++p) {
    mxArray *band = symmetricBand(size_t(std::pow(10.0, p)));
    printKernelRow("symmetric upper triangle, 11 per column",
                   mxGetJc(band)[mxGetN(band)],
                   timeUpperTriangle(band, repetitions));
    mxDestroyArray(band);
  }
}

}  // namespace

int main(int argc, char **argv) {
  // Freed memory stays with the process, so repeated runs reuse pages that
  // are already mapped: what is timed is the copying and converting, not the
  // kernel handing out fresh pages, which otherwise dominates and varies.
  // Only the GNU C library has these settings.
#ifdef __GLIBC__
  mallopt(M_MMAP_MAX, 0);
  mallopt(M_TRIM_THRESHOLD, -1);
#endif
  const int largestPower = argc > 1 ? std::atoi(argv[1]) : 7;
  const int repetitions = argc > 2 ? std::max(5, std::atoi(argv[2])) : 5;
  const std::string only = argc > 3 ? argv[3] : "";
  const std::vector<std::pair<std::string, std::function<BenchModel(size_t)>>>
      builders = {{"A", linearModel},
                  {"Q", quadraticModel},
                  {"semidefinite", semidefiniteModel}};
  std::vector<Row> rows;
  for (const auto &[name, build] : builders) {
    if (!only.empty() && only != name) {
      continue;
    }
    for (int p = 4; p <= largestPower; ++p) {
      const size_t nnz = size_t(std::pow(10.0, p));
      rows.push_back(measure(name, nnz, build(nnz), repetitions));
    }
  }
  printCostTable(rows);
  printPeakTable(rows);
  printGrowth(rows);
  if (only.empty()) {
    printKernels(largestPower, repetitions);
  }
  return 0;
}
