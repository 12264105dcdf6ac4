#include <algorithm>
#include <cstdio>
#include <cstring>

#include "gateway/korva_error.h"
#include "model/field_read.h"
#include "model/model_arguments.h"

namespace {

void readPsdVarField(const char *field, int32_t k, const mxArray *value,
                     PsdVarArgument *psdVar) {
  char subject[nameBufferSize];
  std::snprintf(subject, sizeof subject, "psdvar(%d).%s", int(k + 1), field);
  if (std::strcmp(field, "obj") == 0) {
    readSymmetricSparse(subject, value, &psdVar->obj);
  } else if (std::strcmp(field, "name") == 0) {
    if (!mxIsChar(value)) {
      korvaError("psdvar.name", "It should be char array.");
    }
    psdVar->name = copyName(value);
  } else {
    korvaError(subject, "Invalid attribute.");
  }
}

}  // namespace

// The record array is allocated even for an empty "psdvar", since its
// existence is what tells the build step that the field was given.
void getPsdVars(ModelArguments *arguments, const mxArray *value) {
  int numFields = mxIsStruct(value) ? mxGetNumberOfFields(value) : 0;
  int32_t count = elementCount("psdvar", value);
  PsdVarArgument *psdVars = static_cast<PsdVarArgument *>(
      mxMalloc(sizeof(PsdVarArgument) * size_t(std::max(count, 1))));
  for (int32_t k = 0; k < count; ++k) {
    psdVars[k].obj = CooMatrix{0, 0, 0, nullptr, nullptr, nullptr};
    psdVars[k].name = nullptr;
  }
  arguments->psdVars = psdVars;
  arguments->numPsdVars = count;
  for (int32_t k = 0; k < count; ++k) {
    for (int f = 0; f < numFields; ++f) {
      const mxArray *field = getElementField(value, mwIndex(k), f);
      if (field != nullptr) {
        readPsdVarField(mxGetFieldNameByNumber(value, f), k, field,
                        &psdVars[k]);
      }
    }
  }
}
