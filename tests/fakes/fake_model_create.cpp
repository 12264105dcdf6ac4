// Model creation and release. A creation call that fails creates nothing
// and leaves the caller's handle as it was.
#include "fake_render.h"
#include "fake_state.h"

using fake::record;
using fake::renderChars;
using fake::renderDouble;
using fake::renderDoubles;
using fake::renderEnv;
using fake::renderInt;
using fake::renderInts;
using fake::renderModel;
using fake::renderNames;
using fake::renderText;
using fake::state;

namespace {

int createModel(KVAenv env, KVAmodel *model, int numVars, int numConss) {
  if (model == nullptr) {
    return KVA_ERROR_NULL_ARGUMENT;
  }
  std::lock_guard<std::mutex> lock(state().mutex);
  if (state().environments.count(env) == 0) {
    return KVA_ERROR_INVALID_ARGUMENT;
  }
  KVAmodel created = new KVAmodelData;
  created->env = env;
  created->numVars = numVars;
  created->numConss = numConss;
  state().models.insert(created);
  *model = created;
  return KVA_OK;
}

// Entries of the compressed-column matrix: the end of the last column.
int matrixEntries(int numVars, const int *colBegin, const int *colCount) {
  if (numVars <= 0 || colBegin == nullptr || colCount == nullptr) {
    return 0;
  }
  return colBegin[numVars - 1] + colCount[numVars - 1];
}

}  // namespace

extern "C" {

int KVAloadmodel(KVAenv env, KVAmodel *model, const char *name, int numVars,
                 int numConss, int objSense, double objConst, const double *obj,
                 const char *sense, const double *rhs, const int *colBegin,
                 const int *colCount, const int *rowIdx, const double *vals,
                 const double *lb, const double *ub, const char *vtype,
                 const char *const *varnames, const char *const *constrnames) {
  int numEntries = matrixEntries(numVars, colBegin, colCount);
  int code = record(
      "KVAloadmodel",
      {renderEnv(env), renderModel(model), renderText(name), renderInt(numVars),
       renderInt(numConss), renderInt(objSense), renderDouble(objConst),
       renderDoubles(obj, numVars), renderChars(sense, numConss),
       renderDoubles(rhs, numConss), renderInts(colBegin, numVars),
       renderInts(colCount, numVars), renderInts(rowIdx, numEntries),
       renderDoubles(vals, numEntries), renderDoubles(lb, numVars),
       renderDoubles(ub, numVars), renderChars(vtype, numVars),
       renderNames(varnames, numVars), renderNames(constrnames, numConss)});
  if (code != KVA_OK) {
    return code;
  }
  return createModel(env, model, numVars, numConss);
}

int KVAnewmodel(KVAenv env, KVAmodel *model, const char *name, int numVars,
                const double *obj, const double *lb, const double *ub,
                const char *vtype, const char *const *varnames) {
  int code =
      record("KVAnewmodel",
             {renderEnv(env), renderModel(model), renderText(name),
              renderInt(numVars), renderDoubles(obj, numVars),
              renderDoubles(lb, numVars), renderDoubles(ub, numVars),
              renderChars(vtype, numVars), renderNames(varnames, numVars)});
  if (code != KVA_OK) {
    return code;
  }
  return createModel(env, model, numVars, 0);
}

int KVAfreemodel(KVAmodel model) {
  int code = record("KVAfreemodel", {renderModel(model)});
  if (code != KVA_OK) {
    return code;
  }
  std::lock_guard<std::mutex> lock(state().mutex);
  if (state().models.erase(model) == 0) {
    return KVA_ERROR_INVALID_ARGUMENT;
  }
  delete model;
  return KVA_OK;
}

}  // extern "C"
