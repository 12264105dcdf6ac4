#include <cstdint>

#include "gateway/korva_error.h"
#include "model/model_additions.h"

namespace {

constexpr const char *psdvarFailure = "Caused by the addition of psdvar.";
constexpr const char *psdconFailure =
    "Caused by the addition of psd constraint.";

int64_t flatIndex(const CooMatrix &matrix, int32_t t) {
  return int64_t(matrix.numCols) * matrix.rowIdx[t] + matrix.colIdx[t];
}

// The solver takes flat indices as int, so a matrix whose entries lie
// beyond that range cannot be passed at all. Entries lie inside the matrix,
// so when its last position fits they all do and none need be looked at.
bool flatIndicesFit(const CooMatrix &matrix) {
  if (int64_t(matrix.numRows) * matrix.numCols <= int64_t(INT32_MAX) + 1) {
    return true;
  }
  for (int32_t t = 0; t < matrix.nnz; ++t) {
    if (flatIndex(matrix, t) > INT32_MAX) {
      return false;
    }
  }
  return true;
}

// Once the indices are known to fit, each column index becomes its entry's
// flat index, in place.
void toFlatIndices(CooMatrix *matrix) {
  for (int32_t t = 0; t < matrix->nnz; ++t) {
    matrix->colIdx[t] = int32_t(flatIndex(*matrix, t));
  }
}

void addPsdVar(KVAmodel model, CooMatrix *obj) {
  if (!flatIndicesFit(*obj)) {
    korvaErrorCode(KVA_ERROR_INDEX_OUT_OF_RANGE, psdvarFailure);
  }
  toFlatIndices(obj);
  int code = KVAaddpsdvar(model, obj->numRows, obj->nnz, obj->colIdx, obj->vals,
                          nullptr);
  if (code != KVA_OK) {
    korvaErrorCode(code, psdvarFailure);
  }
}

// The constraint's matrices one after another: matrix j's entries occupy
// positions begins[j] to begins[j+1]-1 of flatIdx and vals. A single matrix
// with entries is passed as it stands, its indices made flat in place, so
// its entries are neither copied nor held twice.
struct PsdTerms {
  int32_t *begins;
  int32_t *flatIdx;
  double *vals;
  bool copied;
};

// Checks everything before allocating, so an error leaves nothing held.
PsdTerms collectPsdTerms(PsdconArgument *psdcon) {
  int64_t total = 0;
  for (int32_t j = 0; j < psdcon->numPsdmats; ++j) {
    if (!flatIndicesFit(psdcon->psdmats[j])) {
      korvaErrorCode(KVA_ERROR_INDEX_OUT_OF_RANGE, psdconFailure);
    }
    total += psdcon->psdmats[j].nnz;
  }
  if (total > INT32_MAX) {
    korvaErrorCode(KVA_ERROR_INDEX_OUT_OF_RANGE, psdconFailure);
  }
  PsdTerms terms;
  terms.begins = static_cast<int32_t *>(
      mxMalloc(sizeof(int32_t) * (size_t(psdcon->numPsdmats) + 1)));
  terms.begins[0] = 0;
  for (int32_t j = 0; j < psdcon->numPsdmats; ++j) {
    terms.begins[j + 1] = terms.begins[j] + psdcon->psdmats[j].nnz;
  }
  terms.copied = psdcon->numPsdmats != 1 || total == 0;
  if (!terms.copied) {
    CooMatrix *matrix = &psdcon->psdmats[0];
    toFlatIndices(matrix);
    terms.flatIdx = matrix->colIdx;
    terms.vals = matrix->vals;
    return terms;
  }
  terms.flatIdx =
      static_cast<int32_t *>(mxMalloc(sizeof(int32_t) * size_t(total)));
  terms.vals = static_cast<double *>(mxMalloc(sizeof(double) * size_t(total)));
  for (int32_t j = 0; j < psdcon->numPsdmats; ++j) {
    const CooMatrix &matrix = psdcon->psdmats[j];
    const int32_t begin = terms.begins[j];
    for (int32_t t = 0; t < matrix.nnz; ++t) {
      terms.flatIdx[begin + t] = int32_t(flatIndex(matrix, t));
      terms.vals[begin + t] = matrix.vals[t];
    }
  }
  return terms;
}

void releasePsdTerms(PsdTerms *terms) {
  mxFree(terms->begins);
  if (terms->copied) {
    mxFree(terms->flatIdx);
    mxFree(terms->vals);
  }
}

void addPsdcon(KVAmodel model, PsdconArgument *psdcon) {
  PsdTerms terms = collectPsdTerms(psdcon);
  int32_t numEntries = terms.begins[psdcon->numPsdmats];
  int code;
  if (psdcon->hasLhs) {
    code = KVAaddrangepsdconstr(
        model, psdcon->numLinearterm, psdcon->numPsdmats, numEntries,
        psdcon->lineartermIndices, psdcon->lineartermValues, psdcon->indices,
        terms.begins, terms.flatIdx, terms.vals, psdcon->lhs, psdcon->rhs,
        nullptr);
  } else {
    code = KVAaddpsdconstr(model, psdcon->numLinearterm, psdcon->numPsdmats,
                           numEntries, psdcon->lineartermIndices,
                           psdcon->lineartermValues, psdcon->indices,
                           terms.begins, terms.flatIdx, terms.vals,
                           int(psdcon->sense), psdcon->rhs, nullptr);
  }
  releasePsdTerms(&terms);
  if (code != KVA_OK) {
    korvaErrorCode(code, psdconFailure);
  }
}

}  // namespace

// Runs only when the model gave both "psdvar" and "psdcon"; the variables
// go first because the constraints refer to them by their order.
void addPsdPart(KVAmodel model, ModelArguments *arguments) {
  if (arguments->psdcons == nullptr || arguments->psdVars == nullptr) {
    return;
  }
  checkPsdcons(arguments);
  for (int32_t j = 0; j < arguments->numPsdVars; ++j) {
    addPsdVar(model, &arguments->psdVars[j].obj);
  }
  for (int32_t i = 0; i < arguments->numPsdcons; ++i) {
    addPsdcon(model, &arguments->psdcons[i]);
  }
}
