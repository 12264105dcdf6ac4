#include <algorithm>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "host_state.h"
#include "testhost.h"

namespace testhost {

namespace {

std::mutex callMutex;
bool inCall = false;
std::thread::id callerThread;

}  // namespace

void beginCall() {
  std::lock_guard<std::mutex> lock(callMutex);
  inCall = true;
  callerThread = std::this_thread::get_id();
}

void endCall() {
  std::lock_guard<std::mutex> lock(callMutex);
  inCall = false;
}

void checkCallerThread(const char *function) {
  bool offThread = false;
  {
    std::lock_guard<std::mutex> lock(callMutex);
    offThread = inCall && std::this_thread::get_id() != callerThread;
  }
  if (offThread) {
    recordFault(std::string(function) + " called off the caller's thread");
  }
}

// An error discards whatever outputs the call had set, as the host does.
CallResult call(std::vector<const mxArray *> inputs, int nlhs) {
  resetOutput();
  takeFaults();
  std::vector<mxArray *> plhs(size_t(std::max(nlhs, 1)), nullptr);
  CallResult result;
  beginCall();
  try {
    mexFunction(nlhs, plhs.data(), int(inputs.size()), inputs.data());
  } catch (const HostError &error) {
    result.raised = true;
    result.identifier = error.identifier;
    result.message = error.text;
  }
  endCall();
  if (!result.raised) {
    result.output.reset(plhs[0]);
    plhs[0] = nullptr;
  }
  for (mxArray *extra : plhs) {
    mxDestroyArray(extra);
  }
  result.printed = takePrinted();
  result.warnings = takeWarnings();
  result.heldBlocks = heldBlocks();
  result.heldBytes = heldBytes();
  reclaimAll();
  checkThreadsJoined();
  result.faults = takeFaults();
  return result;
}

}  // namespace testhost
