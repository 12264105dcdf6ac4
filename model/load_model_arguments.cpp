#include <cstring>

#include "gateway/korva_error.h"
#include "model/model_additions.h"
#include "model/model_arguments.h"

namespace {

constexpr const char *variablesLengthText =
    "Its length should be equal to the number of variables.";

// One `sense` per row; the old text is released after it was read.
void replaceSense(ModelArguments *arguments, char sense) {
  size_t numRows = size_t(arguments->A.numRows);
  char *buffer = static_cast<char *>(mxMalloc(numRows + 1));
  std::memset(buffer, sense, numRows);
  buffer[numRows] = '\0';
  if (arguments->sense != nullptr) {
    mxFree(arguments->sense);
  }
  arguments->sense = buffer;
}

// Ranged rows are loaded as "<" rows; their lower sides are set afterwards.
void normalizeSense(ModelArguments *arguments) {
  int32_t numRows = arguments->A.numRows;
  if ((arguments->sense == nullptr && numRows > 0) || arguments->numLhs != 0) {
    replaceSense(arguments, '<');
  } else if (arguments->sense != nullptr &&
             std::strlen(arguments->sense) == 1 && numRows >= 2) {
    replaceSense(arguments, arguments->sense[0]);
  }
}

double *filledDoubles(int32_t count, double value) {
  double *values =
      static_cast<double *>(mxMalloc(sizeof(double) * size_t(count)));
  for (int32_t i = 0; i < count; ++i) {
    values[i] = value;
  }
  return values;
}

// An empty "lb" or "ub" counts as not given; its buffer is replaced.
void setDefaultBounds(ModelArguments *arguments, int32_t numVars) {
  if (arguments->numLb == 0) {
    if (arguments->lb != nullptr) {
      mxFree(arguments->lb);
    }
    arguments->lb = filledDoubles(numVars, 0.0);
    arguments->numLb = numVars;
  }
  if (arguments->numUb == 0) {
    if (arguments->ub != nullptr) {
      mxFree(arguments->ub);
    }
    arguments->ub = filledDoubles(numVars, KVA_INFINITY);
    arguments->numUb = numVars;
  }
}

// The names to pass, or null with a warning when their count does not fit.
const char *const *namesToPass(size_t numNames, char **names, int32_t expected,
                               const char *warning) {
  if (numNames == 0) {
    return nullptr;
  }
  if (numNames != size_t(expected)) {
    raiseWarning(warning);
    return nullptr;
  }
  return names;
}

const char *const *varnamesToPass(const ModelArguments *arguments,
                                  int32_t numVars) {
  return namesToPass(arguments->numVarnames, arguments->varnames, numVars,
                     "Number of varnames is not equal to numvars!");
}

// The solver reads as many bounds as there are variables, so shorter or
// longer vectors are refused before any model exists.
void checkBoundLengths(const ModelArguments *arguments, int32_t numVars) {
  if (arguments->numLb != numVars) {
    korvaError("lb", variablesLengthText);
  }
  if (arguments->numUb != numVars) {
    korvaError("ub", variablesLengthText);
  }
}

void checkMatrixLengths(const ModelArguments *arguments) {
  int32_t numRows = arguments->A.numRows;
  if (arguments->numRhs != numRows) {
    korvaError("rhs",
               "Its length should be equal to the number of constraints in "
               "the linear constraint matrix.");
  }
  if (arguments->numLhs != 0 && arguments->numLhs != numRows) {
    korvaError("lhsorsense",
               "The length of lhs should be equal to the number of "
               "constraints in the linear constraint matrix.");
  }
  size_t numSenses =
      arguments->sense == nullptr ? 0 : std::strlen(arguments->sense);
  if (arguments->numLhs == 0 && numSenses != size_t(numRows)) {
    korvaError("lhsorsense",
               "The length of sense should be one or equal to the number of "
               "constraints in the linear constraint matrix.");
  }
  if (arguments->numObj != arguments->A.numCols) {
    korvaError("obj", variablesLengthText);
  }
  checkBoundLengths(arguments, arguments->A.numCols);
}

void setRowSides(KVAmodel model, const ModelArguments *arguments) {
  int32_t numRows = arguments->A.numRows;
  int code = KVAsetdblattrarray(model, "LHS", 0, numRows, arguments->lhs);
  if (code != KVA_OK) {
    korvaErrorCode(code, "Caused by the addition of LHS.");
  }
  code = KVAsetdblattrarray(model, "RHS", 0, numRows, arguments->rhs);
  if (code != KVA_OK) {
    korvaErrorCode(code, "Caused by the addition of RHS.");
  }
}

// Objective sense and constant travel inside the creation call here.
void loadWithMatrix(KVAenv env, KVAmodel *model, ModelArguments *arguments) {
  const CscMatrix &A = arguments->A;
  setDefaultBounds(arguments, A.numCols);
  const char *const *constrnames =
      namesToPass(arguments->numConstrnames, arguments->constrnames, A.numRows,
                  "Number of constrnames is not equal to numconstrs!");
  const char *const *varnames = varnamesToPass(arguments, A.numCols);
  checkMatrixLengths(arguments);
  int code = KVAloadmodel(
      env, model, nullptr, A.numCols, A.numRows, arguments->modelsense,
      arguments->objcon, arguments->obj, arguments->sense, arguments->rhs,
      A.colBegin, A.colCount, A.rowIdx, A.vals, arguments->lb, arguments->ub,
      nullptr, varnames, constrnames);
  if (code != KVA_OK) {
    korvaErrorCode(code, "Caused by the addition of linear constraint.");
  }
  globalModel = *model;
  if (arguments->numLhs != 0) {
    setRowSides(*model, arguments);
  }
}

void loadFromObjective(KVAenv env, KVAmodel *model, ModelArguments *arguments) {
  int32_t numVars = arguments->numObj;
  setDefaultBounds(arguments, numVars);
  const char *const *varnames = varnamesToPass(arguments, numVars);
  checkBoundLengths(arguments, numVars);
  int code =
      KVAnewmodel(env, model, arguments->modelname, numVars, arguments->obj,
                  arguments->lb, arguments->ub, nullptr, varnames);
  if (code != KVA_OK) {
    korvaErrorCode(code, "Caused by the creation of the new model.");
  }
  globalModel = *model;
  KVAsetintattr(*model, "ModelSense", arguments->modelsense);
  if (arguments->objcon != 0.0) {
    code = KVAsetdblattr(*model, "ObjConst", arguments->objcon);
    if (code != KVA_OK) {
      korvaErrorCode(code, "Caused by the addition of objcon.");
    }
  }
}

// Types and start values beyond the model's variables are skipped silently.
void setTypesNameAndStart(KVAmodel model, const ModelArguments *arguments) {
  int numVars = 0;
  if (KVAgetintattr(model, "NumVars", &numVars) != KVA_OK) {
    numVars = 0;
  }
  if (arguments->vtype != nullptr) {
    size_t numTypes = std::strlen(arguments->vtype);
    if (numTypes <= size_t(numVars)) {
      int code = KVAsetcharattrarray(model, "VType", 0, int(numTypes),
                                     arguments->vtype);
      if (code != KVA_OK) {
        korvaErrorCode(code, "Caused by the addition of vtype.");
      }
    }
  }
  if (arguments->modelname != nullptr) {
    int code = KVAsetstrattr(model, "ModelName", arguments->modelname);
    if (code != KVA_OK) {
      korvaErrorCode(code, "Caused by the addition of modelname.");
    }
  }
  if (arguments->numStart != 0 && arguments->numStart <= numVars) {
    for (int32_t i = 0; i < arguments->numStart; ++i) {
      int code = KVAsetdblattrelement(model, "Start", i, arguments->start[i]);
      if (code != KVA_OK) {
        korvaErrorCode(code, "Caused by the addition of starts.");
      }
    }
  }
}

}  // namespace

// A matrix without both "obj" and "rhs" is ignored: the model is then made
// from the objective alone.
void loadModelArguments(KVAenv *env, KVAmodel *model,
                        ModelArguments *arguments) {
  normalizeSense(arguments);
  if (arguments->A.numCols != 0 && arguments->numObj != 0 &&
      arguments->numRhs != 0) {
    loadWithMatrix(*env, model, arguments);
  } else {
    loadFromObjective(*env, model, arguments);
  }
  addQpTerms(*model, arguments);
  addQuadcons(*model, arguments);
  addSosConstraints(*model, arguments);
  setTypesNameAndStart(*model, arguments);
  addPsdPart(*model, arguments);
  addGenconinds(*model, arguments);
}
