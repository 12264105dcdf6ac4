// The gateway on the test host against the recording fake, with scripted
// statuses, log traffic, Ctrl+C and failing solver calls.
#include <cstdio>
#include <cstdlib>

#include "check_call.h"
#include "decode_input.h"
#include "fake_solver.h"
#include "fuzz_format.h"

namespace {

void scriptFake(const DecodedCall &call) {
  fake::reset();
  fake::setStatusAfterOptimize(call.status);
  if (!call.failedCall.empty()) {
    fake::failCall(call.failedCall, call.failCode);
  }
  if (call.flags & fuzzformat::flagLog) {
    fake::logDuringOptimize({"iteration 1 100%\n", "", "gap 5%%\n"}, 2);
  }
  bool interrupt = call.flags & fuzzformat::flagInterrupt;
  testhost::scriptInterrupt([interrupt](int) { return interrupt; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  DecodedCall call = decodeInput(data, size, DecodeOptions{});
  scriptFake(call);
  std::vector<const mxArray *> inputs;
  for (const testhost::Array &input : call.inputs) {
    inputs.push_back(input.get());
  }
  testhost::CallResult result = testhost::call(inputs, call.nlhs);
  checkCall(result);
  if (fake::liveEnvironments() != 0 || fake::liveModels() != 0) {
    std::fprintf(stderr, "call breach: a solver handle outlived the call\n");
    std::abort();
  }
  return 0;
}
