// The environment and parameter functions of the C interface.
#include "libkorva/api_export.h"
#include "libkorva/api_guard.h"
#include "libkorva/handles.h"

int KVAemptyenv(KVAenv *env) {
  if (env == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  return guarded([&] {
    *env = new KVAenvData();
    return KVA_OK;
  });
}

int KVAsetlogcallback(KVAenv env, KVAlogcallback callback, void *userdata) {
  if (env == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  if (userdata != nullptr) return KVA_ERROR_INVALID_ARGUMENT;
  LogSink &sink = *env->state->log;
  std::lock_guard<std::mutex> guard(sink.lock);
  sink.callback = callback;
  return KVA_OK;
}

int KVAstartenv(KVAenv env) {
  if (env == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  std::lock_guard<std::mutex> guard(env->state->lock);
  if (env->state->started) return KVA_ERROR_ENV_STARTED;
  env->state->started = true;
  return KVA_OK;
}

int KVAfreeenv(KVAenv env) {
  if (env == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  {
    // Under the lock: a log line being written finishes first, and no
    // later one reaches the callback.
    LogSink &sink = *env->state->log;
    std::lock_guard<std::mutex> guard(sink.lock);
    sink.callback = nullptr;
    sink.detached = true;
  }
  delete env;
  return KVA_OK;
}

namespace {

template <class Setter>
int setParam(KVAenv env, Setter setter) {
  if (env == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  return guarded([&] {
    std::lock_guard<std::mutex> guard(env->state->lock);
    return setter(env->state->settings);
  });
}

}  // namespace

int KVAsetintparam(KVAenv env, const char *name, int value) {
  return setParam(env,
                  [&](Settings &s) { return setIntSetting(s, name, value); });
}

int KVAsetdblparam(KVAenv env, const char *name, double value) {
  return setParam(env,
                  [&](Settings &s) { return setDblSetting(s, name, value); });
}

int KVAsetstrparam(KVAenv env, const char *name, const char *value) {
  return setParam(env,
                  [&](Settings &s) { return setStrSetting(s, name, value); });
}
