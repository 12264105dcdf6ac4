#include "unit_support.h"

#include <pthread.h>

#include <algorithm>

#include "gateway/log_buffer.h"

namespace unit {

Fields longMilp() {
  constexpr int rows = 4;
  constexpr int items = 30;
  std::vector<testhost::Entry> entries;
  std::vector<double> rhs;
  for (int i = 0; i < rows; ++i) {
    double total = 0;
    for (int j = 0; j < items; ++j) {
      double weight =
          ((i + 1) * (j + 1) * 37 + (j + 1) * (j + 1) * 11 + 7 * (i + 1)) % 100;
      entries.push_back({size_t(i), size_t(j), weight});
      total += weight;
    }
    entries.push_back({size_t(i), size_t(items + i), 1});
    entries.push_back({size_t(i), size_t(items + rows + i), -1});
    rhs.push_back(double(int(total / 2)));
  }
  mxArray *obj = mxCreateDoubleMatrix(1, items + 2 * rows, mxREAL);
  mxArray *ub = mxCreateDoubleMatrix(1, items + 2 * rows, mxREAL);
  std::string vtype;
  for (int j = 0; j < items + 2 * rows; ++j) {
    mxGetDoubles(obj)[j] = j < items ? 0 : 1;
    mxGetDoubles(ub)[j] = j < items ? 1 : KVA_INFINITY;
    vtype += j < items ? 'B' : 'C';
  }
  mxArray *rhsArray = mxCreateDoubleMatrix(1, rows, mxREAL);
  std::copy(rhs.begin(), rhs.end(), mxGetDoubles(rhsArray));
  return {{"A", testhost::sparse(rows, items + 2 * rows, entries)},
          {"obj", obj},
          {"rhs", rhsArray},
          {"lhsorsense", testhost::text("=")},
          {"ub", ub},
          {"vtype", testhost::text(vtype)}};
}

Fields merged(Fields base, const Fields &extra) {
  for (const auto &[name, value] : extra) {
    auto same = std::find_if(base.begin(), base.end(),
                             [&](const auto &f) { return f.first == name; });
    if (same == base.end()) {
      base.emplace_back(name, value);
    } else {
      mxDestroyArray(same->second);
      same->second = value;
    }
  }
  return base;
}

testhost::CallResult solve(Fields model, Fields params) {
  testhost::Array modelArray(testhost::structure(std::move(model)));
  testhost::Array paramsArray(testhost::structure(
      merged({{"OutputFlag", testhost::scalar(0)}}, params)));
  return testhost::call({modelArray.get(), paramsArray.get()});
}

double number(const testhost::CallResult &result, const char *field) {
  const mxArray *value = testhost::fieldOf(result.output.get(), field);
  return value != nullptr ? mxGetScalar(value) : -1e300;
}

std::vector<double> vector(const testhost::CallResult &result,
                           const char *field) {
  const mxArray *value = testhost::fieldOf(result.output.get(), field);
  return value != nullptr ? testhost::doublesOf(value) : std::vector<double>();
}

std::string status(const testhost::CallResult &result) {
  if (result.raised) {
    return "raised: " + result.message;
  }
  const mxArray *value = testhost::fieldOf(result.output.get(), "Status");
  return value != nullptr ? testhost::stringOf(value) : "no status";
}

void expectNothingLeft(const testhost::CallResult &result) {
  EXPECT_EQ(result.heldBlocks, 0u);
  EXPECT_TRUE(result.faults.empty()) << result.faults.front();
  EXPECT_EQ(probe::liveModels(), 0);
  EXPECT_EQ(probe::liveEnvironments(), 0);
  EXPECT_EQ(globalSummay, nullptr);
  EXPECT_EQ(globalmArg, nullptr);
  EXPECT_EQ(globalParams, nullptr);
  EXPECT_EQ(globalModel, nullptr);
  EXPECT_EQ(globalEnv, nullptr);
}

}  // namespace unit

// The log buffer's lock checks its owner in the tests, so that an unlock
// without the lock fails, which the test host records as a fault.
[[maybe_unused]] const bool outBufferLockChecked = [] {
  pthread_mutexattr_t attributes;
  pthread_mutexattr_init(&attributes);
  pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_ERRORCHECK);
  return pthread_mutex_init(&outBuffer.lock, &attributes) == 0;
}();

// Read by ThreadSanitizer at start-up, so that the test binary run alone
// gets them too: OpenBLAS's worker threads, behind Clp's dense
// factorisation, synchronise in code the sanitizer does not see.
extern "C" const char *__tsan_default_suppressions() {
  return "race:libopenblas\nrace:CoinDenseFactorization\n";
}
