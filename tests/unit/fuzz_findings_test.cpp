// Inputs the fuzzer found that once misused the host or crashed: each must
// now end in one clear error, with no host misuse and nothing left behind.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fake_solver.h"
#include "testhost.h"

namespace {

using testhost::scalar;
using testhost::structure;

struct Finding {
  const char *what;
  std::function<mxArray *()> params;
  const char *message;
};

TEST(FuzzFindings, BadParameterValuesEndInOneError) {
  const Finding findings[] = {
      {"empty integer parameter",
       [] {
         return structure({{"Method", testhost::emptyDouble()}});
       },
       "Method. It should be scalar."},
      {"empty real parameter",
       [] {
         return structure({{"MaxTime", mxCreateDoubleMatrix(2, 0, mxREAL)}});
       },
       "MaxTime. It should be scalar."},
      {"empty sparse parameter",
       [] {
         return structure({{"MIP_GapRel", testhost::sparse(0, 3, {})}});
       },
       "MIP/GapRel. It should be scalar."},
  };
  for (const Finding &finding : findings) {
    fake::reset();
    testhost::Array model(structure({{"obj", testhost::row({1})}}));
    testhost::Array params(finding.params());
    testhost::CallResult result = testhost::call({model.get(), params.get()});
    EXPECT_TRUE(result.raised) << finding.what;
    EXPECT_EQ(result.message, finding.message) << finding.what;
    EXPECT_TRUE(result.faults.empty()) << finding.what;
    EXPECT_EQ(fake::liveEnvironments(), 0) << finding.what;
  }
}

}  // namespace
