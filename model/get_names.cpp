#include "gateway/korva_error.h"
#include "model/field_read.h"
#include "model/model_arguments.h"

namespace {

// The pointer array is nulled and stored before the first name is copied,
// so that an error on a later cell releases the names already copied.
void copyNames(const char *field, const mxArray *value, size_t *count,
               char ***names) {
  if (!mxIsCell(value)) {
    korvaError(field, "It should be cell!");
  }
  size_t n = mxGetNumberOfElements(value);
  char **list = static_cast<char **>(mxMalloc(sizeof(char *) * n));
  for (size_t i = 0; i < n; ++i) {
    list[i] = nullptr;
  }
  *names = list;
  *count = n;
  for (size_t i = 0; i < n; ++i) {
    const mxArray *name = mxGetCell(value, i);
    if (name == nullptr || !mxIsChar(name)) {
      korvaError(field, "It should be char array.");
    }
    list[i] = copyName(name);
  }
}

}  // namespace

void getVarnames(ModelArguments *arguments, const mxArray *value) {
  copyNames("varnames", value, &arguments->numVarnames, &arguments->varnames);
}

void getConstrnames(ModelArguments *arguments, const mxArray *value) {
  copyNames("constrnames", value, &arguments->numConstrnames,
            &arguments->constrnames);
}
