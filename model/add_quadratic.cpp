#include "gateway/korva_error.h"
#include "model/model_additions.h"

namespace {

constexpr const char *quadconFailure =
    "Caused by the addition of quadratic constraint.";

// The linear part's indices are ascending, so its last one bounds them all.
void checkQuadcon(const QuadconArgument &quadcon, int32_t i, int32_t numObj) {
  if (quadcon.numq > numObj) {
    korvaErrorIndex("quadcon", i,
                    "The number of variables in the linear term is greater "
                    "than that in the objective term.");
  }
  if (quadcon.numq > 0 && quadcon.qIndices[quadcon.numq - 1] >= numObj) {
    korvaErrorIndex("quadcon", i,
                    "The indices of variables in the linear term are greater "
                    "than that the length of objective term.");
  }
}

// The constraint went in with sense '<' and its right-hand side; its lower
// side is set afterwards on the newest constraint.
void makeRanged(KVAmodel model, const QuadconArgument &quadcon) {
  int numConss = 0;
  int code = KVAgetintattr(model, "NumConss", &numConss);
  if (code != KVA_OK) {
    korvaErrorCode(code, quadconFailure);
  }
  code = KVAsetdblattrelement(model, "LHS", numConss - 1, quadcon.lhs);
  if (code != KVA_OK) {
    korvaErrorCode(code, quadconFailure);
  }
  code = KVAsetdblattrelement(model, "RHS", numConss - 1, quadcon.rhs);
  if (code != KVA_OK) {
    korvaErrorCode(code, quadconFailure);
  }
}

}  // namespace

void addQpTerms(KVAmodel model, const ModelArguments *arguments) {
  const CooMatrix &Q = arguments->Q;
  if (Q.nnz == 0) {
    return;
  }
  int code = KVAaddqpterms(model, Q.nnz, Q.rowIdx, Q.colIdx, Q.vals);
  if (code != KVA_OK) {
    korvaErrorCode(code, "Caused by the addition of Qterm.");
  }
}

// Every constraint is checked before the first one is added.
void addQuadcons(KVAmodel model, const ModelArguments *arguments) {
  for (int32_t i = 0; i < arguments->numQuadcons; ++i) {
    checkQuadcon(arguments->quadcons[i], i, arguments->numObj);
  }
  for (int32_t i = 0; i < arguments->numQuadcons; ++i) {
    const QuadconArgument &quadcon = arguments->quadcons[i];
    const CooMatrix &Qc = quadcon.Qc;
    int code =
        KVAaddqconstr(model, quadcon.numq, quadcon.qIndices, quadcon.qValues,
                      Qc.nnz, Qc.rowIdx, Qc.colIdx, Qc.vals, int(quadcon.sense),
                      quadcon.rhs, quadcon.name);
    if (code != KVA_OK) {
      korvaErrorCode(code, quadconFailure);
    }
    if (quadcon.hasLhs) {
      makeRanged(model, quadcon);
    }
  }
}
