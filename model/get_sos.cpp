#include <cstdint>
#include <cstdio>
#include <cstring>

#include "gateway/korva_error.h"
#include "model/field_read.h"
#include "model/model_arguments.h"

namespace {

int32_t *zeroedInts(int32_t count) {
  int32_t *values =
      static_cast<int32_t *>(mxMalloc(sizeof(int32_t) * size_t(count)));
  for (int32_t k = 0; k < count; ++k) {
    values[k] = 0;
  }
  return values;
}

// The number of entries of set k's "index" or "weight", checked as the
// first pass needs it.
int32_t memberCount(const char *subject, int32_t k, const mxArray *value) {
  if (!mxIsDouble(value)) {
    korvaErrorIndex(subject, k + 1, "It should be double.");
  }
  const char *problem = denseCopyProblem(value);
  if (problem != nullptr) {
    korvaErrorIndex(subject, k + 1, problem);
  }
  return int32_t(mxGetNumberOfElements(value));
}

// First pass: only sizes the sets, so that the member arrays are allocated
// once and filled in place.
void measureSets(ModelArguments *arguments, const mxArray *value,
                 int numFields) {
  int64_t total = 0;
  for (int32_t k = 0; k < arguments->numSos; ++k) {
    int32_t indexLength = 0;
    int32_t weightLength = 0;
    for (int f = 0; f < numFields; ++f) {
      const mxArray *field = getElementField(value, mwIndex(k), f);
      if (field == nullptr) {
        continue;
      }
      const char *name = mxGetFieldNameByNumber(value, f);
      if (std::strcmp(name, "index") == 0) {
        indexLength = memberCount("sos.index", k, field);
      } else if (std::strcmp(name, "weight") == 0) {
        if (mxIsEmpty(field)) {
          korvaErrorIndex("sos.weight", k + 1, "It is empty!");
        }
        weightLength = memberCount("sos.weight", k, field);
      }
    }
    if (indexLength != weightLength) {
      korvaError("sos", "index_length != weight_length. ");
    }
    total += indexLength;
    if (total > INT32_MAX) {
      korvaError("sos", "It is too large.");
    }
    arguments->numSosEntries = int32_t(total);
    arguments->sosBegins[k + 1] = arguments->sosBegins[k] + indexLength;
  }
}

void copyWeights(const char *subject, const mxArray *value, double *out) {
  int32_t count = 0;
  double *weights = copyDoubles(subject, value, &count);
  std::memcpy(out, weights, sizeof(double) * size_t(count));
  mxFree(weights);
}

// Second pass. Field names are tested even where an element holds no value,
// so an unknown field fails at the first set.
void fillSets(ModelArguments *arguments, const mxArray *value, int numFields) {
  for (int32_t k = 0; k < arguments->numSos; ++k) {
    int32_t begin = arguments->sosBegins[k];
    for (int f = 0; f < numFields; ++f) {
      const char *name = mxGetFieldNameByNumber(value, f);
      char subject[nameBufferSize];
      std::snprintf(subject, sizeof subject, "sos(%d).%s", int(k + 1), name);
      bool isType = std::strcmp(name, "type") == 0;
      bool isIndex = std::strcmp(name, "index") == 0;
      bool isWeight = std::strcmp(name, "weight") == 0;
      if (!isType && !isIndex && !isWeight) {
        korvaError(subject, "Invalid attribute.");
      }
      const mxArray *field = getElementField(value, mwIndex(k), f);
      if (field == nullptr) {
        continue;
      }
      if (!mxIsDouble(field)) {
        korvaError(subject, "It should be double.");
      }
      if (isType) {
        arguments->sosTypes[k] =
            mxIsEmpty(field) ? 0 : truncateToInt32(realScalar(subject, field));
      } else if (isIndex) {
        readOneBasedIndices(subject, field, arguments->sosIndices + begin);
      } else {
        copyWeights(subject, field, arguments->sosWeights + begin);
      }
    }
  }
}

}  // namespace

void getSos(ModelArguments *arguments, const mxArray *value) {
  if (!mxIsStruct(value) || mxGetNumberOfElements(value) == 0) {
    korvaError("sos", "It should be struct!");
  }
  int numFields = mxGetNumberOfFields(value);
  int32_t count = int32_t(mxGetNumberOfElements(value));
  arguments->sosTypes = zeroedInts(count);
  arguments->sosBegins = zeroedInts(count + 1);
  arguments->numSos = count;
  measureSets(arguments, value, numFields);
  int32_t numEntries = arguments->numSosEntries;
  arguments->sosIndices =
      static_cast<int32_t *>(mxMalloc(sizeof(int32_t) * size_t(numEntries)));
  arguments->sosWeights =
      static_cast<double *>(mxMalloc(sizeof(double) * size_t(numEntries)));
  fillSets(arguments, value, numFields);
}
