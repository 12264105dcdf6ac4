#include "gateway/korva_error.h"

#include <cstdio>

#include "host/host.h"
#include "model/model_arguments.h"
#include "params/params.h"

ModelSummary *globalSummay = nullptr;
ModelArguments *globalmArg = nullptr;
Params *globalParams = nullptr;
KVAmodel globalModel = nullptr;
KVAenv globalEnv = nullptr;

namespace {

constexpr size_t messageSize = 1024;

// The module's own records go first, then the model, then the environment
// the model belongs to.
void releaseGlobals() {
  if (globalSummay != nullptr) {
    freeModelSummary(globalSummay);
  }
  if (globalmArg != nullptr) {
    freeModelArguments(globalmArg);
  }
  if (globalParams != nullptr) {
    freeParams(globalParams);
  }
  if (globalModel != nullptr) {
    KVAfreemodel(globalModel);
  }
  if (globalEnv != nullptr) {
    KVAfreeenv(globalEnv);
  }
  globalSummay = nullptr;
  globalmArg = nullptr;
  globalParams = nullptr;
  globalModel = nullptr;
  globalEnv = nullptr;
}

}  // namespace

void freeAll(void) { releaseGlobals(); }

// A host whose user turned warnings into errors leaves the call from inside
// the warning: the call then releases what it holds, as on every error.
void raiseWarning(const char *text) {
  try {
    mexWarnMsgTxt(text);
  } catch (...) {
    releaseGlobals();
    throw;
  }
}

void clearStaleGlobals(void) {
  globalSummay = nullptr;
  globalmArg = nullptr;
  globalParams = nullptr;
  releaseGlobals();
}

void freeModelSummary(ModelSummary *summary) {
  if (summary->text != nullptr) {
    mxFree(summary->text);
    summary->text = nullptr;
  }
}

// The buffers are static: the host may still read the text while it unwinds
// the call. snprintf cuts an over-long text instead of overrunning.
void korvaError(const char *subject, const char *detail) {
  static char message[messageSize];
  releaseGlobals();
  std::snprintf(message, messageSize, "%s. %s", subject, detail);
  mexErrMsgTxt(message);
  __builtin_unreachable();
}

void korvaErrorIndex(const char *subject, int32_t index, const char *detail) {
  static char message[messageSize];
  releaseGlobals();
  std::snprintf(message, messageSize, "%s %d. %s", subject, int(index), detail);
  mexErrMsgTxt(message);
  __builtin_unreachable();
}

void korvaErrorCode(int32_t, const char *reason) {
  static char message[messageSize];
  releaseGlobals();
  std::snprintf(message, messageSize, "Reason : %s", reason);
  mexErrMsgTxt(message);
  __builtin_unreachable();
}

void korvaWarning(const char *subject, const char *detail) {
  char message[messageSize];
  std::snprintf(message, messageSize, "%s. %s", subject, detail);
  raiseWarning(message);
}

void korvaWarningIndex(const char *subject, int32_t index, const char *detail) {
  char message[messageSize];
  std::snprintf(message, messageSize, "%s %d. %s", subject, int(index), detail);
  raiseWarning(message);
}
