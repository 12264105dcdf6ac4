// Recording, and the queries tests make of what was recorded.
#include "fake_state.h"

#include <utility>

namespace fake {

State &state() {
  static State instance;
  return instance;
}

int record(const char *function, std::vector<std::string> args) {
  State &s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.calls.push_back({function, std::move(args)});
  int occurrence = ++s.callCounts[function];
  auto scripted = s.failures.find(function);
  if (scripted == s.failures.end()) {
    return KVA_OK;
  }
  auto code = scripted->second.find(occurrence);
  return code == scripted->second.end() ? KVA_OK : code->second;
}

int checkModel(int code, KVAmodel model) {
  if (code != KVA_OK) {
    return code;
  }
  return withModel(model, [](KVAmodel) { return KVA_OK; });
}

void logAll(KVAlogcallback callback, const std::vector<std::string> &messages) {
  if (callback == nullptr) {
    return;
  }
  for (const std::string &message : messages) {
    callback(message.c_str());
  }
}

std::string Call::text() const {
  std::string text = function + "(";
  for (size_t i = 0; i < args.size(); ++i) {
    text += (i > 0 ? ", " : "") + args[i];
  }
  return text + ")";
}

State::~State() { releaseHandles(*this); }

void releaseHandles(State &s) {
  for (KVAmodel model : s.models) {
    delete model;
  }
  for (KVAenv env : s.environments) {
    delete env;
  }
  s.models.clear();
  s.environments.clear();
}

// Handles still alive from an earlier test are deleted here; a module that
// frees one of them later gets an error code instead of a double free.
void reset() {
  State &s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  releaseHandles(s);
  s.calls.clear();
  s.callCounts.clear();
  s.failures.clear();
  s.intAttrs.clear();
  s.dblAttrs.clear();
  s.dblArrayAttrs.clear();
  s.psdX.clear();
  s.statusAfterOptimize = KVA_OPTIMAL;
  s.statusAfterTerminate = KVA_INTERRUPTED;
  s.blockUntilTerminate = false;
  s.optimizeMessages.clear();
  s.optimizeLogThreads = 1;
  s.startMessages.clear();
  s.lastCallback = nullptr;
  s.terminateArrived.notify_all();
}

std::vector<Call> calls() {
  State &s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.calls;
}

std::vector<std::string> callTexts() {
  std::vector<std::string> texts;
  for (const Call &call : calls()) {
    texts.push_back(call.text());
  }
  return texts;
}

std::vector<std::string> callFunctions() {
  std::vector<std::string> names;
  for (const Call &call : calls()) {
    names.push_back(call.function);
  }
  return names;
}

std::vector<Call> callsOf(const std::string &function) {
  std::vector<Call> matching;
  for (const Call &call : calls()) {
    if (call.function == function) {
      matching.push_back(call);
    }
  }
  return matching;
}

KVAlogcallback registeredCallback() {
  State &s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.lastCallback;
}

int liveEnvironments() {
  State &s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return static_cast<int>(s.environments.size());
}

int liveModels() {
  State &s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return static_cast<int>(s.models.size());
}

}  // namespace fake
