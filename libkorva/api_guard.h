// How every C entry point runs its body: no exception crosses the C surface,
// and a model is used by one call at a time.
#ifndef LIBKORVA_API_GUARD_H
#define LIBKORVA_API_GUARD_H

#include <new>

#include "libkorva/api_export.h"
#include "libkorva/handles.h"

template <class Body>
int guarded(Body body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc &) {
    return KVA_ERROR_OUT_OF_MEMORY;
  } catch (...) {
    return KVA_ERROR_INTERNAL;
  }
}

// Runs body(model) holding the model's busy flag.
template <class Body>
int withModel(KVAmodel model, Body body) noexcept {
  if (model == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  bool idle = false;
  if (!model->busy.compare_exchange_strong(idle, true)) {
    return KVA_ERROR_MODEL_BUSY;
  }
  int code = guarded([&] { return body(*model); });
  model->busy.store(false);
  return code;
}

// As withModel, for bodies that change the model: a successful change
// discards the last solve's results, which no longer describe the model.
template <class Body>
int editModel(KVAmodel model, Body body) noexcept {
  return withModel(model, [&](KVAmodelData &data) {
    int code = body(data);
    if (code == KVA_OK) data.solution = Solution{};
    return code;
  });
}

#endif
