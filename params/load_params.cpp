#include "params/params.h"

// The solver's answers are not examined: a value it refuses does not stop the
// call.
void loadParams(KVAenv env, const Params *params) {
  for (int32_t k = 0; k < params->numIntParams; ++k) {
    KVAsetintparam(env, paramsInt[params->intParamIndices[k]],
                   params->intParamValues[k]);
  }
  for (int32_t k = 0; k < params->numDblParams; ++k) {
    KVAsetdblparam(env, paramsDouble[params->dblParamIndices[k]],
                   params->dblParamValues[k]);
  }
  for (int32_t k = 0; k < params->numStrParams; ++k) {
    KVAsetstrparam(env, paramsString[params->strParamIndices[k]],
                   params->strParamValues[k]);
  }
}
