#include "gateway/korva_error.h"
#include "model/model_arguments.h"

namespace {

// The linear part's indices are ascending, so its last one bounds them all.
void checkLinearPart(const PsdconArgument &psdcon, int32_t i, int32_t numObj) {
  if (psdcon.numLinearterm > numObj) {
    korvaErrorIndex("psdcon", i,
                    "The number of variables in the linear term is greater "
                    "than that in the objective term.");
  }
  if (psdcon.numLinearterm > 0 &&
      psdcon.lineartermIndices[psdcon.numLinearterm - 1] >= numObj) {
    korvaErrorIndex("psdcon", i,
                    "The indices of variables in the linear term are greater "
                    "than that the length of objective term.");
  }
}

// These checks number the constraint from 1, the ones above from 0.
void checkMatrices(const PsdconArgument &psdcon, int32_t i,
                   const ModelArguments *arguments) {
  for (int32_t j = 0; j < psdcon.numPsdmats; ++j) {
    int32_t v = psdcon.indices[j];
    if (v < 0) {
      korvaErrorIndex("psdcon", i + 1,
                      "The index of the psd variable should start from 1.");
    }
    if (v >= arguments->numPsdVars) {
      korvaErrorIndex("psdcon", i + 1,
                      "The index of the psd variable is greater than the "
                      "total number of psd variables.");
    }
    if (psdcon.psdmats[j].numCols != arguments->psdVars[v].obj.numCols) {
      korvaErrorIndex("psdcon", i + 1,
                      "The matrix sizes of the constraints and variables are "
                      "different.");
    }
  }
}

}  // namespace

void checkPsdcons(const ModelArguments *arguments) {
  for (int32_t i = 0; i < arguments->numPsdcons; ++i) {
    const PsdconArgument &psdcon = arguments->psdcons[i];
    checkLinearPart(psdcon, i, arguments->numObj);
    if (psdcon.numPsdmats != psdcon.numIndices) {
      korvaErrorIndex("psdcon", i,
                      "The number of psd constraint matrices and the length "
                      "of psd variable indices are different.");
    }
    checkMatrices(psdcon, i, arguments);
  }
}
