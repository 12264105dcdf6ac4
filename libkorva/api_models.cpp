// Creating and freeing models through the C interface.
#include <memory>

#include "libkorva/api_export.h"
#include "libkorva/api_guard.h"
#include "libkorva/store_create.h"

namespace {

int createModel(KVAenv env, KVAmodel *model, const LinearInput &input) {
  if (model == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  *model = nullptr;
  if (env == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  return guarded([&] {
    {
      std::lock_guard<std::mutex> guard(env->state->lock);
      if (!env->state->started) return KVA_ERROR_ENV_NOT_STARTED;
    }
    auto data = std::make_unique<KVAmodelData>();
    data->env = env->state;
    int code = fillStore(data->store, input);
    if (code == KVA_OK) *model = data.release();
    return code;
  });
}

}  // namespace

int KVAloadmodel(KVAenv env, KVAmodel *model, const char *name, int numVars,
                 int numConss, int objSense, double objConst, const double *obj,
                 const char *sense, const double *rhs, const int *colBegin,
                 const int *colCount, const int *rowIdx, const double *vals,
                 const double *lb, const double *ub, const char *vtype,
                 const char *const *varnames, const char *const *constrnames) {
  LinearInput input{true, name,  numVars, numConss, objSense, objConst,
                    obj,  sense, rhs,     colBegin, colCount, rowIdx,
                    vals, lb,    ub,      vtype,    varnames, constrnames};
  return createModel(env, model, input);
}

int KVAnewmodel(KVAenv env, KVAmodel *model, const char *name, int numVars,
                const double *obj, const double *lb, const double *ub,
                const char *vtype, const char *const *varnames) {
  LinearInput input{false,   name,    numVars, 0,       1,        0.0,
                    obj,     nullptr, nullptr, nullptr, nullptr,  nullptr,
                    nullptr, lb,      ub,      vtype,   varnames, nullptr};
  return createModel(env, model, input);
}

int KVAfreemodel(KVAmodel model) {
  if (model == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  bool idle = false;
  if (!model->busy.compare_exchange_strong(idle, true)) {
    return KVA_ERROR_MODEL_BUSY;
  }
  delete model;
  return KVA_OK;
}
