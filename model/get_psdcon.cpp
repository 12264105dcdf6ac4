#include <algorithm>
#include <cstdio>
#include <cstring>

#include "gateway/korva_error.h"
#include "model/field_read.h"
#include "model/model_arguments.h"

namespace {

void emptyPsdcon(PsdconArgument *psdcon) {
  psdcon->psdmats = nullptr;
  psdcon->indices = nullptr;
  psdcon->numPsdmats = 0;
  psdcon->numLinearterm = 0;
  psdcon->lineartermIndices = nullptr;
  psdcon->lineartermValues = nullptr;
  psdcon->rhs = 0.0;
  psdcon->lhs = 0.0;
  psdcon->hasLhs = 0;
  psdcon->sense = '<';
  psdcon->name = nullptr;
  psdcon->numIndices = 0;
}

void readPsdmats(int32_t k, const mxArray *value, PsdconArgument *psdcon) {
  char subject[nameBufferSize];
  std::snprintf(subject, sizeof subject, "psdcon(%d).psdmats", int(k + 1));
  if (!mxIsCell(value)) {
    korvaError(subject, "It should be cell!");
  }
  checkRealAndSize(subject, value);
  int32_t count = int32_t(mxGetNumberOfElements(value));
  CooMatrix *matrices =
      static_cast<CooMatrix *>(mxMalloc(sizeof(CooMatrix) * size_t(count)));
  for (int32_t m = 0; m < count; ++m) {
    matrices[m] = CooMatrix{0, 0, 0, nullptr, nullptr, nullptr};
  }
  psdcon->psdmats = matrices;
  psdcon->numPsdmats = count;
  for (int32_t m = 1; m <= count; ++m) {
    char cellSubject[nameBufferSize];
    std::snprintf(cellSubject, sizeof cellSubject, "psdcon(%d).psdmats{%d}",
                  int(k + 1), int(m));
    // An unset cell holds no array at all, which is not sparse either.
    const mxArray *cell = mxGetCell(value, mwIndex(m - 1));
    if (cell == nullptr) {
      korvaError(cellSubject, "It should be sparse.");
    }
    readSymmetricSparse(cellSubject, cell, &matrices[m - 1]);
  }
}

// Indices are only truncated and shifted here; the build step bounds them.
void readIndices(const mxArray *value, PsdconArgument *psdcon) {
  if (!mxIsDouble(value)) {
    korvaError("psdcon.indices", "It should be double.");
  }
  int32_t count = 0;
  double *given = copyDoubles("psdcon.indices", value, &count);
  int32_t *indices =
      static_cast<int32_t *>(mxMalloc(sizeof(int32_t) * size_t(count)));
  for (int32_t j = 0; j < count; ++j) {
    indices[j] = truncateToInt32(given[j]) - 1;
  }
  mxFree(given);
  psdcon->indices = indices;
  psdcon->numIndices = count;
}

void readLhsOrSense(const mxArray *value, PsdconArgument *psdcon) {
  if (!mxIsScalar(value)) {
    korvaError("psdcon.lhsorsense", "It should be scalar.");
  }
  if (mxIsChar(value)) {
    psdcon->sense = firstChar(value, psdcon->sense);
  } else if (mxIsDouble(value)) {
    psdcon->hasLhs = 1;
    psdcon->lhs = realScalar("psdcon.lhsorsense", value);
  } else {
    korvaError("psdcon.lhsorsense", "It should be double or char.");
  }
}

void readPsdconField(const char *field, int32_t k, const mxArray *value,
                     PsdconArgument *psdcon) {
  char subject[nameBufferSize];
  std::snprintf(subject, sizeof subject, "psdcon(%d).%s", int(k + 1), field);
  if (std::strcmp(field, "psdmats") == 0) {
    readPsdmats(k, value, psdcon);
  } else if (std::strcmp(field, "indices") == 0) {
    readIndices(value, psdcon);
  } else if (std::strcmp(field, "rhs") == 0) {
    psdcon->rhs = readScalarDouble("psdcon.rhs", value);
  } else if (std::strcmp(field, "lhsorsense") == 0) {
    readLhsOrSense(value, psdcon);
  } else if (std::strcmp(field, "linearterm") == 0) {
    if (!mxIsEmpty(value)) {
      readLinearTerms(subject, "psdcon.linearterm", value,
                      &psdcon->numLinearterm, &psdcon->lineartermIndices,
                      &psdcon->lineartermValues);
    }
  } else if (std::strcmp(field, "name") == 0) {
    if (!mxIsChar(value)) {
      korvaError("psdcon.name", "It should be char array.");
    }
    psdcon->name = copyName(value);
  } else {
    korvaError(subject, "Invalid attribute.");
  }
}

}  // namespace

// The record array is allocated even for an empty "psdcon", since its
// existence is what tells the build step that the field was given.
void getPsdcon(ModelArguments *arguments, const mxArray *value) {
  int numFields = mxIsStruct(value) ? mxGetNumberOfFields(value) : 0;
  int32_t count = elementCount("psdcon", value);
  PsdconArgument *psdcons = static_cast<PsdconArgument *>(
      mxMalloc(sizeof(PsdconArgument) * size_t(std::max(count, 1))));
  for (int32_t k = 0; k < count; ++k) {
    emptyPsdcon(&psdcons[k]);
  }
  arguments->psdcons = psdcons;
  arguments->numPsdcons = count;
  for (int32_t k = 0; k < count; ++k) {
    for (int f = 0; f < numFields; ++f) {
      const mxArray *field = getElementField(value, mwIndex(k), f);
      if (field != nullptr) {
        readPsdconField(mxGetFieldNameByNumber(value, f), k, field,
                        &psdcons[k]);
      }
    }
  }
}
