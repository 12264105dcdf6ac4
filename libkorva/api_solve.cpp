// Solving and stopping through the C interface.
#include "libkorva/api_export.h"
#include "libkorva/api_guard.h"
#include "libkorva/optimize.h"

int KVAoptimize(KVAmodel model) {
  return withModel(model, [](KVAmodelData &data) {
    try {
      optimizeModel(data);
    } catch (...) {
      // A failure inside a backend leaves a model with no answer, not a
      // half-filled one.
      data.stopRequested.store(false);
      data.solution = Solution{};
      data.solution.solved = true;
      throw;
    }
    return KVA_OK;
  });
}

int KVAterminate(KVAmodel model) {
  if (model == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  model->stopRequested.store(true);
  return KVA_OK;
}
