// Environment, parameter and error-text functions of the solver interface.
#include "fake_render.h"
#include "fake_state.h"

using fake::record;
using fake::renderDouble;
using fake::renderEnv;
using fake::renderInt;
using fake::renderPointer;
using fake::renderText;
using fake::state;

namespace {

bool isLive(KVAenv env) { return state().environments.count(env) > 0; }

}  // namespace

extern "C" {

int KVAemptyenv(KVAenv *env) {
  int code = record("KVAemptyenv", {renderEnv(env)});
  if (code != KVA_OK) {
    return code;
  }
  if (env == nullptr) {
    return KVA_ERROR_NULL_ARGUMENT;
  }
  std::lock_guard<std::mutex> lock(state().mutex);
  *env = new KVAenvData;
  state().environments.insert(*env);
  return KVA_OK;
}

int KVAsetlogcallback(KVAenv env, KVAlogcallback callback, void *userdata) {
  int code =
      record("KVAsetlogcallback",
             {renderEnv(env),
              renderPointer(reinterpret_cast<void *>(callback), "callback"),
              renderPointer(userdata, "userdata")});
  if (code != KVA_OK) {
    return code;
  }
  std::lock_guard<std::mutex> lock(state().mutex);
  if (!isLive(env)) {
    return KVA_ERROR_INVALID_ARGUMENT;
  }
  env->callback = callback;
  state().lastCallback = callback;
  return KVA_OK;
}

int KVAstartenv(KVAenv env) {
  int code = record("KVAstartenv", {renderEnv(env)});
  if (code != KVA_OK) {
    return code;
  }
  KVAlogcallback callback;
  std::vector<std::string> messages;
  {
    std::lock_guard<std::mutex> lock(state().mutex);
    if (!isLive(env)) {
      return KVA_ERROR_INVALID_ARGUMENT;
    }
    callback = env->callback;
    messages = state().startMessages;
  }
  fake::logAll(callback, messages);
  return KVA_OK;
}

int KVAfreeenv(KVAenv env) {
  int code = record("KVAfreeenv", {renderEnv(env)});
  if (code != KVA_OK) {
    return code;
  }
  std::lock_guard<std::mutex> lock(state().mutex);
  if (!isLive(env)) {
    return KVA_ERROR_INVALID_ARGUMENT;
  }
  state().environments.erase(env);
  delete env;
  return KVA_OK;
}

const char *KVAexplainerror(int code) {
  record("KVAexplainerror", {renderInt(code)});
  static const char *const texts[] = {"No error.",
                                      "Null argument.",
                                      "Invalid argument.",
                                      "Out of memory.",
                                      "Unknown parameter.",
                                      "Invalid parameter value.",
                                      "Unknown attribute.",
                                      "Attribute is read-only.",
                                      "Data not available.",
                                      "Index out of range.",
                                      "Environment not started.",
                                      "Environment already started.",
                                      "Model is busy.",
                                      "File error.",
                                      "Internal error."};
  constexpr int numTexts = sizeof texts / sizeof texts[0];
  return code >= 0 && code < numTexts ? texts[code] : "Unknown error.";
}

int KVAsetintparam(KVAenv env, const char *name, int value) {
  return record("KVAsetintparam",
                {renderEnv(env), renderText(name), renderInt(value)});
}

int KVAsetdblparam(KVAenv env, const char *name, double value) {
  return record("KVAsetdblparam",
                {renderEnv(env), renderText(name), renderDouble(value)});
}

int KVAsetstrparam(KVAenv env, const char *name, const char *value) {
  return record("KVAsetstrparam",
                {renderEnv(env), renderText(name), renderText(value)});
}

}  // extern "C"
