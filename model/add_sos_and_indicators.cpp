#include "gateway/korva_error.h"
#include "model/model_additions.h"

// All sets go to the solver in one call, in their packed form.
void addSosConstraints(KVAmodel model, const ModelArguments *arguments) {
  if (arguments->numSos == 0) {
    return;
  }
  int code = KVAaddsos(model, arguments->numSos, arguments->numSosEntries,
                       arguments->sosTypes, arguments->sosBegins,
                       arguments->sosIndices, arguments->sosWeights);
  if (code != KVA_OK) {
    korvaErrorCode(code, "Caused by the addition of SOS constraint.");
  }
}

void addGenconinds(KVAmodel model, const ModelArguments *arguments) {
  for (int32_t i = 0; i < arguments->numGenconinds; ++i) {
    const GenconindArgument &genconind = arguments->genconinds[i];
    int code = KVAaddgenconstrIndicator(model, genconind.name, genconind.binvar,
                                        genconind.binval, genconind.numA,
                                        genconind.aIndices, genconind.aValues,
                                        int(genconind.sense), genconind.rhs);
    if (code != KVA_OK) {
      korvaErrorCode(code, "Caused by the addition of indicator constraint.");
    }
  }
}
