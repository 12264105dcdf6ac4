#include "gateway/korva_error.h"
#include "model/field_read.h"
#include "model/model_arguments.h"

namespace {

void copyDoubleField(const char *field, const mxArray *value, int32_t *count,
                     double **values) {
  if (!mxIsDouble(value)) {
    korvaError(field, "It should be double.");
  }
  *values = copyDoubles(field, value, count);
}

}  // namespace

void getObj(ModelArguments *arguments, const mxArray *value) {
  copyDoubleField("obj", value, &arguments->numObj, &arguments->obj);
}

void getRhs(ModelArguments *arguments, const mxArray *value) {
  copyDoubleField("rhs", value, &arguments->numRhs, &arguments->rhs);
}

void getLb(ModelArguments *arguments, const mxArray *value) {
  copyDoubleField("lb", value, &arguments->numLb, &arguments->lb);
}

void getUb(ModelArguments *arguments, const mxArray *value) {
  copyDoubleField("ub", value, &arguments->numUb, &arguments->ub);
}

void getStart(ModelArguments *arguments, const mxArray *value) {
  copyDoubleField("start", value, &arguments->numStart, &arguments->start);
}

// A double "lhsorsense" gives the rows' lower sides, a char one their senses.
void getLhs(ModelArguments *arguments, const mxArray *value) {
  if (mxIsDouble(value)) {
    arguments->lhs = copyDoubles("lhsorsense", value, &arguments->numLhs);
  } else if (mxIsChar(value)) {
    arguments->sense = copyWholeString(value);
  } else {
    korvaError("lhsorsense", "It should be double or char.");
  }
}

// Basis statuses are codes, not indices: truncated, never shifted.
void getColbasis(ModelArguments *arguments, const mxArray *value) {
  if (!mxIsDouble(value)) {
    korvaError("colbasis", "It should be double.");
  }
  int32_t count = 0;
  double *values = copyDoubles("colbasis", value, &count);
  int32_t *statuses =
      static_cast<int32_t *>(mxMalloc(sizeof(int32_t) * size_t(count)));
  for (int32_t i = 0; i < count; ++i) {
    statuses[i] = truncateToInt32(values[i]);
  }
  mxFree(values);
  arguments->numColbasis = count;
  arguments->colbasis = statuses;
}
