#include "gateway/korva_error.h"
#include "params/params.h"

namespace {

template <typename T>
T *allocate(int32_t count) {
  return static_cast<T *>(mxMalloc(sizeof(T) * size_t(count)));
}

template <typename T>
void release(T **array) {
  if (*array != nullptr) {
    mxFree(*array);
    *array = nullptr;
  }
}

}  // namespace

// The record is nulled before it is registered, so the release step can run
// at any point of the allocations below.
void emptyParams(Params *params) {
  *params = Params{};
  globalParams = params;
  params->intParamValues = allocate<int32_t>(numParamsInt);
  params->intParamIndices = allocate<int32_t>(numParamsInt);
  params->dblParamValues = allocate<double>(numParamsDouble);
  params->dblParamIndices = allocate<int32_t>(numParamsDouble);
  params->strParamIndices = allocate<int32_t>(numParamsString);
  params->strParamValues = allocate<char *>(numParamsString);
}

void freeParams(Params *params) {
  params->numIntParams = 0;
  release(&params->intParamValues);
  release(&params->intParamIndices);
  params->numDblParams = 0;
  release(&params->dblParamValues);
  release(&params->dblParamIndices);
  for (int32_t k = 0; k < params->numStrParams; ++k) {
    release(&params->strParamValues[k]);
  }
  params->numStrParams = 0;
  release(&params->strParamValues);
  release(&params->strParamIndices);
}
