// The steps of loadModelArguments beyond the linear core: quadratic
// objective terms, quadratic constraints, SOS sets, the semidefinite part and
// indicator constraints. Each raises its own error on failure.
#ifndef KORVA_MODEL_ADDITIONS_H
#define KORVA_MODEL_ADDITIONS_H

#include "model/model_arguments.h"

void addQpTerms(KVAmodel model, const ModelArguments *arguments);
void addQuadcons(KVAmodel model, const ModelArguments *arguments);
void addSosConstraints(KVAmodel model, const ModelArguments *arguments);
// Rewrites each psdvar's obj.colIdx into flat indices in place.
void addPsdPart(KVAmodel model, ModelArguments *arguments);
void addGenconinds(KVAmodel model, const ModelArguments *arguments);

#endif
