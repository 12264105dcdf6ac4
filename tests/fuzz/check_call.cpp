#include "check_call.h"

#include <pthread.h>

#include <cstdio>
#include <cstdlib>

#include "gateway/korva_error.h"
#include "gateway/log_buffer.h"

namespace {

[[noreturn]] void breach(const char *what, const testhost::CallResult &r) {
  std::fprintf(stderr, "call breach: %s (raised %d, message \"%s\")\n", what,
               int(r.raised), r.message.c_str());
  for (const std::string &fault : r.faults) {
    std::fprintf(stderr, "  host fault: %s\n", fault.c_str());
  }
  std::abort();
}

}  // namespace

void checkCall(const testhost::CallResult &result) {
  // KORVA_FUZZ_SHOW=1 prints each call's outcome, to see where the seeds or
  // a reproducer end.
  static const bool show = std::getenv("KORVA_FUZZ_SHOW") != nullptr;
  if (show) {
    std::fprintf(stderr, "outcome: %s\n",
                 result.raised ? result.message.c_str() : "result");
  }
  if (result.raised == (result.output != nullptr)) {
    breach("neither or both of error and result", result);
  }
  if (result.raised && result.message.empty()) {
    breach("error without a message", result);
  }
  if (!result.raised && !mxIsStruct(result.output.get())) {
    breach("result is not a structure", result);
  }
  if (globalSummay != nullptr || globalmArg != nullptr ||
      globalParams != nullptr || globalModel != nullptr ||
      globalEnv != nullptr) {
    breach("a global slot is still set", result);
  }
  if (pthread_mutex_trylock(&outBuffer.lock) != 0) {
    breach("the buffer lock is still held", result);
  }
  pthread_mutex_unlock(&outBuffer.lock);
  if (!result.faults.empty()) {
    breach("the host saw misuse", result);
  }
  if (testhost::heldBlocks() != 0) {
    breach("host memory still held after the call", result);
  }
}
