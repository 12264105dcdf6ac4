#include <cstring>

#include "gateway/korva_error.h"
#include "model/field_read.h"
#include "model/model_arguments.h"

void getVtype(ModelArguments *arguments, const mxArray *value) {
  if (!mxIsChar(value)) {
    korvaError("vtype", "It should be char array.");
  }
  arguments->vtype = copyWholeString(value);
}

void getModelname(ModelArguments *arguments, const mxArray *value) {
  if (!mxIsChar(value)) {
    korvaError("modelname", "It should be char array.");
  }
  arguments->modelname = copyWholeString(value);
}

// Only "Max" and "max" maximise; any other text minimises.
void getObjsense(ModelArguments *arguments, const mxArray *value) {
  if (!mxIsChar(value)) {
    korvaError("modelsense", "It should be char array.");
  }
  char *text = static_cast<char *>(mxMalloc(nameBufferSize));
  if (mxGetString(value, text, nameBufferSize) != 0) {
    mxFree(text);
    korvaError("modelsense", "too long!");
  }
  bool maximise =
      std::strcmp(text, "Max") == 0 || std::strcmp(text, "max") == 0;
  arguments->modelsense = maximise ? -1 : 1;
  mxFree(text);
}

void getObjcon(ModelArguments *arguments, const mxArray *value) {
  if (!mxIsDouble(value)) {
    korvaError("objcon", "It should be double.");
  }
  if (!mxIsScalar(value)) {
    korvaError("objcon", "It should be scalar.");
  }
  arguments->objcon = realScalar("objcon", value);
}
