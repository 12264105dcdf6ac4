// One solve of a model: log route, stop signal, backend choice, timing.
#ifndef LIBKORVA_OPTIMIZE_H
#define LIBKORVA_OPTIMIZE_H

#include "libkorva/handles.h"

// Replaces model.solution with the outcome of solving model.store.
void optimizeModel(KVAmodelData &model);

#endif
