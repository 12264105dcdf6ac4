#include <cstdio>
#include <cstring>

#include "gateway/korva_error.h"
#include "model/field_read.h"
#include "model/model_arguments.h"

namespace {

constexpr size_t warningSubjectSize = 1024;

void emptyGenconind(GenconindArgument *genconind) {
  genconind->binvar = 0;
  genconind->binval = 0;
  genconind->aIndices = nullptr;
  genconind->aValues = nullptr;
  genconind->rhs = 0.0;
  genconind->lhs = 0.0;
  genconind->hasLhs = 0;
  genconind->numA = 0;
  genconind->sense = '<';
  genconind->name = nullptr;
}

void readGenconindField(const char *field, const char *subject,
                        const mxArray *value, GenconindArgument *genconind) {
  if (std::strcmp(field, "rhs") == 0) {
    genconind->rhs = readScalarDouble(subject, value);
  } else if (std::strcmp(field, "lhs") == 0) {
    genconind->lhs = readScalarDouble(subject, value);
    genconind->hasLhs = 1;
  } else if (std::strcmp(field, "sense") == 0) {
    if (!mxIsChar(value)) {
      korvaError(subject, "It should be char array.");
    }
    genconind->sense = firstChar(value, genconind->sense);
  } else if (std::strcmp(field, "a") == 0) {
    readLinearTerms(subject, subject, value, &genconind->numA,
                    &genconind->aIndices, &genconind->aValues);
  } else if (std::strcmp(field, "name") == 0) {
    if (!mxIsChar(value)) {
      korvaError(subject, "It should be char array.");
    }
    genconind->name = copyName(value);
  } else if (std::strcmp(field, "binvar") == 0) {
    genconind->binvar =
        oneBasedIndex(subject, readScalarDouble(subject, value));
  } else if (std::strcmp(field, "binval") == 0) {
    genconind->binval = truncateToInt32(readScalarDouble(subject, value));
  } else {
    korvaError(subject, "Invalid attribute.");
  }
}

}  // namespace

// A field left unset in one element only warns: the constraint keeps that
// field's initial value.
void getGenconind(ModelArguments *arguments, const mxArray *value) {
  int numFields = mxIsStruct(value) ? mxGetNumberOfFields(value) : 0;
  int32_t count = elementCount("genconind", value);
  GenconindArgument *genconinds = static_cast<GenconindArgument *>(
      mxMalloc(sizeof(GenconindArgument) * size_t(count)));
  for (int32_t k = 0; k < count; ++k) {
    emptyGenconind(&genconinds[k]);
  }
  arguments->genconinds = genconinds;
  arguments->numGenconinds = count;
  for (int32_t k = 0; k < count; ++k) {
    for (int f = 0; f < numFields; ++f) {
      const char *name = mxGetFieldNameByNumber(value, f);
      const mxArray *field = getElementField(value, mwIndex(k), f);
      if (field == nullptr) {
        char warningSubject[warningSubjectSize];
        std::snprintf(warningSubject, sizeof warningSubject, "genconind.%s",
                      name);
        korvaWarningIndex(warningSubject, k + 1, "It is empty!");
        continue;
      }
      char subject[nameBufferSize];
      std::snprintf(subject, sizeof subject, "genconind(%d).%s", int(k + 1),
                    name);
      readGenconindField(name, subject, field, &genconinds[k]);
    }
  }
}
