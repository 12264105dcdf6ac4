// Which backend a model goes to, from what it contains.
#ifndef LIBKORVA_MODEL_CLASS_H
#define LIBKORVA_MODEL_CLASS_H

#include <string>

#include "libkorva/model_store.h"

enum class Backend { ClpLinear, ClpQuadratic, Cbc, Dsdp, Bonmin, None };

struct ModelClass {
  Backend backend;
  std::string name;  // "LP", "MILP", ... for the log
};

ModelClass classifyModel(const ModelStore &store);

#endif
