// Solver parameters: the three name tables, the record they are read into,
// and reading, applying and releasing it.
#ifndef KORVA_PARAMS_H
#define KORVA_PARAMS_H

#include <cstdint>

#include "host/host.h"
#include "host/korva_api.h"

constexpr int32_t numParamsInt = 30;
constexpr int32_t numParamsDouble = 12;
constexpr int32_t numParamsString = 1;

extern const char *const paramsInt[numParamsInt];
extern const char *const paramsDouble[numParamsDouble];
extern const char *const paramsString[numParamsString];

struct Params {
  int32_t numIntParams;
  int32_t numDblParams;
  int32_t numStrParams;
  int32_t *intParamIndices;
  int32_t *dblParamIndices;
  int32_t *strParamIndices;
  double *dblParamValues;
  int32_t *intParamValues;
  char **strParamValues;
};

// Empties the record and registers it in globalParams for the error path.
void emptyParams(Params *params);
bool getParams(Params *params, const mxArray *structure);
void loadParams(KVAenv env, const Params *params);
void freeParams(Params *params);

#endif
