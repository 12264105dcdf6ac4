// The fake's process-wide state, shared by its interface functions. Every
// access holds State::mutex; log callbacks are always called without it,
// since they take the module's own buffer lock.
#ifndef KORVA_FAKE_STATE_H
#define KORVA_FAKE_STATE_H

#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "fake_solver.h"

struct KVAenvData {
  KVAlogcallback callback = nullptr;
};

struct KVAmodelData {
  KVAenv env = nullptr;
  int numVars = 0;
  int numConss = 0;
  int numPsdVars = 0;
  int status = KVA_UNKNOWN;
  bool terminateRequested = false;
};

namespace fake {

struct State {
  // Handles still alive when the process ends go with it.
  ~State();
  std::mutex mutex;
  std::condition_variable terminateArrived;
  std::vector<Call> calls;
  std::map<std::string, int> callCounts;
  // function -> occurrence -> result code
  std::map<std::string, std::map<int, int>> failures;
  std::map<std::string, int> intAttrs;
  std::map<std::string, double> dblAttrs;
  std::map<std::string, std::vector<double>> dblArrayAttrs;
  std::vector<MatrixValue> psdX;
  int statusAfterOptimize = KVA_OPTIMAL;
  int statusAfterTerminate = KVA_INTERRUPTED;
  bool blockUntilTerminate = false;
  std::vector<std::string> optimizeMessages;
  int optimizeLogThreads = 1;
  std::vector<std::string> startMessages;
  KVAlogcallback lastCallback = nullptr;
  std::set<KVAenv> environments;
  std::set<KVAmodel> models;
};

State &state();

// Deletes every live handle; the caller holds the lock.
void releaseHandles(State &s);

// Records one call and returns the result code scripted for this
// occurrence of the function, 0 when none is.
int record(const char *function, std::vector<std::string> args);

// Runs `action` on a live model under the lock and returns its result
// code; a handle that is not alive (freed, or from before a reset) gets an
// error code instead.
template <typename Action>
int withModel(KVAmodel model, Action action) {
  std::lock_guard<std::mutex> lock(state().mutex);
  if (state().models.count(model) == 0) {
    return KVA_ERROR_INVALID_ARGUMENT;
  }
  return action(model);
}

// For calls that only need a live model: the scripted `code` if any, else
// the handle check.
int checkModel(int code, KVAmodel model);

// Calls `callback` with each message in order; a null callback drops them.
void logAll(KVAlogcallback callback, const std::vector<std::string> &messages);

}  // namespace fake

#endif
