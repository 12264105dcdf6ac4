// Solving: KVAoptimize logs what was scripted from its own threads, may wait
// for KVAterminate, then sets the model's "Status".
#include <functional>
#include <thread>

#include "fake_render.h"
#include "fake_state.h"

using fake::record;
using fake::renderModel;
using fake::state;
using fake::withModel;

namespace {

struct SolveScript {
  KVAlogcallback callback = nullptr;
  std::vector<std::string> messages;
  int threads = 0;
  bool block = false;
};

void logFromThreads(const SolveScript &script) {
  std::vector<std::thread> loggers;
  for (int t = 0; t < script.threads; ++t) {
    loggers.emplace_back(fake::logAll, script.callback,
                         std::cref(script.messages));
  }
  for (std::thread &logger : loggers) {
    logger.join();
  }
}

}  // namespace

extern "C" {

int KVAoptimize(KVAmodel model) {
  int code = record("KVAoptimize", {renderModel(model)});
  if (code != KVA_OK) {
    return code;
  }
  SolveScript script;
  code = withModel(model, [&script](KVAmodel m) {
    // The callback is the environment's, so nothing is logged once that
    // environment is gone.
    if (state().environments.count(m->env) > 0) {
      script.callback = m->env->callback;
    }
    script.messages = state().optimizeMessages;
    script.threads = state().optimizeLogThreads;
    script.block = state().blockUntilTerminate;
    return KVA_OK;
  });
  if (code != KVA_OK) {
    return code;
  }
  logFromThreads(script);

  std::unique_lock<std::mutex> lock(state().mutex);
  auto gone = [model] { return state().models.count(model) == 0; };
  if (script.block) {
    state().terminateArrived.wait(
        lock, [&] { return gone() || model->terminateRequested; });
  }
  if (gone()) {
    return KVA_ERROR_INVALID_ARGUMENT;
  }
  model->status = model->terminateRequested ? state().statusAfterTerminate
                                            : state().statusAfterOptimize;
  model->terminateRequested = false;
  return KVA_OK;
}

// A request that arrives before KVAoptimize starts is kept and ends that
// solve at once.
int KVAterminate(KVAmodel model) {
  int code = record("KVAterminate", {renderModel(model)});
  if (code != KVA_OK) {
    return code;
  }
  code = withModel(model, [](KVAmodel m) {
    m->terminateRequested = true;
    return KVA_OK;
  });
  state().terminateArrived.notify_all();
  return code;
}

}  // extern "C"
