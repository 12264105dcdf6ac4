// The one way out for every failure: release what the call holds through the
// global slots, then raise one host error (which never returns).
#ifndef KORVA_ERROR_H
#define KORVA_ERROR_H

#include <cstdint>

#include "host/korva_api.h"

struct ModelArguments;
struct Params;

// A model summary record. No step of a call fills one; its slot is released
// first when set.
struct ModelSummary {
  char *text;
};

extern ModelSummary *globalSummay;
extern ModelArguments *globalmArg;
extern Params *globalParams;
extern KVAmodel globalModel;
extern KVAenv globalEnv;

[[noreturn]] void korvaError(const char *subject, const char *detail);
[[noreturn]] void korvaErrorIndex(const char *subject, int32_t index,
                                  const char *detail);
[[noreturn]] void korvaErrorCode(int32_t code, const char *reason);
// Shows a warning; one the host raises as an error releases everything
// first, as korvaError does.
void raiseWarning(const char *text);
void korvaWarning(const char *subject, const char *detail);
void korvaWarningIndex(const char *subject, int32_t index, const char *detail);

// Releases the records' contents, the model and the environment, and nulls
// all five slots.
void freeAll(void);
void freeModelSummary(ModelSummary *summary);
// Called at the start of every call: a model or environment still registered
// by a call the host aborted is freed; the record slots are only cleared,
// since their memory went back to the host with that call.
void clearStaleGlobals(void);

#endif
