// The gateway on the test host against the real solver library. Every call
// carries a small MaxTime so the solves stay short.
#include "check_call.h"
#include "decode_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  DecodeOptions options;
  options.realLibrary = true;
  DecodedCall call = decodeInput(data, size, options);
  std::vector<const mxArray *> inputs;
  for (const testhost::Array &input : call.inputs) {
    inputs.push_back(input.get());
  }
  checkCall(testhost::call(inputs, call.nlhs));
  return 0;
}
