// Everything read from the model structure, and the operations around it.
// Every array comes from mxMalloc and belongs to the record; host data is
// always copied, so the release step never frees what the host owns.
#ifndef KORVA_MODEL_ARGUMENTS_H
#define KORVA_MODEL_ARGUMENTS_H

#include <cstddef>
#include <cstdint>

#include "host/korva_api.h"
#include "sparse/sparse_matrix.h"

struct QuadconArgument {
  CooMatrix Qc;
  int32_t numq;
  int32_t *qIndices;
  double *qValues;
  double rhs;
  double lhs;
  int32_t hasLhs;
  char sense;
  char *name;
};

struct GenconindArgument {
  int32_t binvar;
  int32_t binval;
  int32_t *aIndices;
  double *aValues;
  double rhs;
  double lhs;
  int32_t hasLhs;
  int32_t numA;
  char sense;
  char *name;
};

struct PsdVarArgument {
  CooMatrix obj;
  char *name;
};

struct PsdconArgument {
  CooMatrix *psdmats;
  int32_t *indices;
  int32_t numPsdmats;
  int32_t numLinearterm;
  int32_t *lineartermIndices;
  double *lineartermValues;
  double rhs;
  double lhs;
  int32_t hasLhs;
  char sense;
  char *name;
  int32_t numIndices;
};

struct ModelArguments {
  CscMatrix A;
  int32_t numObj;
  double *obj;
  char *sense;
  int32_t numRhs;
  double *rhs;
  int32_t numLhs;
  double *lhs;
  int32_t numLb;
  double *lb;
  int32_t numUb;
  double *ub;
  char *vtype;
  int32_t modelsense;
  char *modelname;
  double objcon;
  size_t numVarnames;
  char **varnames;
  size_t numConstrnames;
  char **constrnames;
  CooMatrix Q;
  int32_t numQuadcons;
  QuadconArgument *quadcons;
  int32_t numSos;
  int32_t numSosEntries;
  int32_t *sosTypes;
  int32_t *sosBegins;
  int32_t *sosIndices;
  double *sosWeights;
  int32_t numStart;
  double *start;
  int32_t numColbasis;
  int32_t *colbasis;
  int32_t numGenconinds;
  GenconindArgument *genconinds;
  int32_t numPsdVars;
  int32_t numPsdcons;
  PsdVarArgument *psdVars;
  PsdconArgument *psdcons;
};

// Empties the record and registers it in globalmArg for the error path.
void emptyModelArguments(ModelArguments *arguments);
void getModelArguments(ModelArguments *arguments, const mxArray *model);
void freeModelArguments(ModelArguments *arguments);

// Field readers: each checks one field's value and stores it;
// a bad value raises a host error and does not return.
void getA(ModelArguments *arguments, const mxArray *value);
void getObj(ModelArguments *arguments, const mxArray *value);
void getRhs(ModelArguments *arguments, const mxArray *value);
void getLhs(ModelArguments *arguments, const mxArray *value);
void getLb(ModelArguments *arguments, const mxArray *value);
void getUb(ModelArguments *arguments, const mxArray *value);
void getVtype(ModelArguments *arguments, const mxArray *value);
void getObjsense(ModelArguments *arguments, const mxArray *value);
void getModelname(ModelArguments *arguments, const mxArray *value);
void getObjcon(ModelArguments *arguments, const mxArray *value);
void getVarnames(ModelArguments *arguments, const mxArray *value);
void getConstrnames(ModelArguments *arguments, const mxArray *value);
void getQ(ModelArguments *arguments, const mxArray *value);
void getStart(ModelArguments *arguments, const mxArray *value);
void getColbasis(ModelArguments *arguments, const mxArray *value);
void getQuadcon(ModelArguments *arguments, const mxArray *value);
void getSos(ModelArguments *arguments, const mxArray *value);
void getGenconind(ModelArguments *arguments, const mxArray *value);
void getPsdVars(ModelArguments *arguments, const mxArray *value);
void getPsdcon(ModelArguments *arguments, const mxArray *value);

// Builds the record into a model of the started environment *env; the new
// handle goes to *model and to globalModel as soon as it exists.
void loadModelArguments(KVAenv *env, KVAmodel *model,
                        ModelArguments *arguments);
void checkPsdcons(const ModelArguments *arguments);

#endif
