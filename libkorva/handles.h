// What the opaque handles of the C interface point at.
#ifndef LIBKORVA_HANDLES_H
#define LIBKORVA_HANDLES_H

#include <atomic>
#include <memory>
#include <mutex>

#include "libkorva/api_export.h"
#include "libkorva/log_sink.h"
#include "libkorva/model_store.h"
#include "libkorva/settings.h"
#include "libkorva/solution.h"

// Shared by the environment and its models, so a model can still be solved
// (silently) after its environment has been freed.
struct EnvState {
  std::mutex lock;  // guards settings and started
  Settings settings;
  bool started = false;
  std::shared_ptr<LogSink> log = std::make_shared<LogSink>();
};

struct KVAenvData {
  std::shared_ptr<EnvState> state = std::make_shared<EnvState>();
};

struct KVAmodelData {
  std::shared_ptr<EnvState> env;
  ModelStore store;
  Solution solution;
  // Held by whichever call is using the model; a second call meanwhile gets
  // KVA_ERROR_MODEL_BUSY. KVAterminate does not take it.
  std::atomic<bool> busy{false};
  // Set by KVAterminate, consumed by the end of KVAoptimize. A request that
  // arrives just before the solve starts still stops it.
  std::atomic<bool> stopRequested{false};
};

#endif
