#include "model/model_arguments.h"

#include <cstring>

#include "gateway/korva_error.h"

namespace {

struct FieldReader {
  const char *name;
  void (*read)(ModelArguments *, const mxArray *);
};

// Names are compared in this order, exactly and case-sensitively.
constexpr FieldReader fieldReaders[] = {
    {"A", getA},
    {"modelname", getModelname},
    {"rhs", getRhs},
    {"objcon", getObjcon},
    {"lhsorsense", getLhs},
    {"obj", getObj},
    {"modelsense", getObjsense},
    {"lb", getLb},
    {"ub", getUb},
    {"vtype", getVtype},
    {"Q", getQ},
    {"varnames", getVarnames},
    {"constrnames", getConstrnames},
    {"quadcon", getQuadcon},
    {"sos", getSos},
    {"start", getStart},
    {"colbasis", getColbasis},
    {"genconind", getGenconind},
    {"psdvar", getPsdVars},
    {"psdcon", getPsdcon},
};

template <typename T>
void release(T *&pointer) {
  if (pointer != nullptr) {
    mxFree(pointer);
    pointer = nullptr;
  }
}

// free_csc and free_coo leave a record without entries alone, but the
// conversions made its arrays all the same ("A" keeps its columns for the
// library to see them empty).
void releaseRecord(CscMatrix *csc) {
  free_csc(csc);
  release(csc->colBegin);
  release(csc->rowIdx);
  release(csc->colCount);
  release(csc->vals);
}

void releaseRecord(CooMatrix *coo) {
  free_coo(coo);
  release(coo->rowIdx);
  release(coo->colIdx);
  release(coo->vals);
}

void releaseNames(size_t count, char **&names) {
  if (names == nullptr) {
    return;
  }
  for (size_t i = 0; i < count; ++i) {
    release(names[i]);
  }
}

}  // namespace

void emptyModelArguments(ModelArguments *arguments) {
  globalmArg = arguments;
  *arguments = ModelArguments{};
  arguments->modelsense = 1;
}

void getModelArguments(ModelArguments *arguments, const mxArray *model) {
  int numFields = mxGetNumberOfFields(model);
  if (numFields < 1 || mxGetNumberOfElements(model) == 0) {
    return;
  }
  for (int field = 0; field < numFields; ++field) {
    const mxArray *value = getElementField(model, 0, field);
    if (value == nullptr) {
      continue;
    }
    const char *name = mxGetFieldNameByNumber(model, field);
    bool known = false;
    for (const FieldReader &reader : fieldReaders) {
      if (std::strcmp(name, reader.name) == 0) {
        reader.read(arguments, value);
        known = true;
        break;
      }
    }
    if (!known) {
      korvaError(name, "Unsupported model attribute.");
    }
  }
}

// Only non-null pointers are freed, so a record that a reader's error left
// partly filled releases safely.
void freeModelArguments(ModelArguments *arguments) {
  releaseRecord(&arguments->A);
  releaseRecord(&arguments->Q);
  if (arguments->quadcons != nullptr) {
    for (int32_t i = 0; i < arguments->numQuadcons; ++i) {
      QuadconArgument *quadcon = &arguments->quadcons[i];
      release(quadcon->qIndices);
      release(quadcon->qValues);
      releaseRecord(&quadcon->Qc);
      release(quadcon->name);
    }
  }
  release(arguments->vtype);
  release(arguments->modelname);
  release(arguments->sense);
  release(arguments->sosTypes);
  release(arguments->sosBegins);
  release(arguments->sosIndices);
  release(arguments->sosWeights);
  if (arguments->genconinds != nullptr) {
    for (int32_t i = 0; i < arguments->numGenconinds; ++i) {
      GenconindArgument *genconind = &arguments->genconinds[i];
      release(genconind->name);
      release(genconind->aIndices);
      // Always the record's own copy, never host data.
      release(genconind->aValues);
    }
  }
  release(arguments->rhs);
  release(arguments->lhs);
  release(arguments->obj);
  release(arguments->lb);
  release(arguments->ub);
  release(arguments->start);
  release(arguments->colbasis);
  releaseNames(arguments->numVarnames, arguments->varnames);
  releaseNames(arguments->numConstrnames, arguments->constrnames);
  release(arguments->varnames);
  release(arguments->constrnames);
  if (arguments->psdcons != nullptr) {
    for (int32_t i = 0; i < arguments->numPsdcons; ++i) {
      PsdconArgument *psdcon = &arguments->psdcons[i];
      release(psdcon->name);
      release(psdcon->lineartermIndices);
      release(psdcon->lineartermValues);
      release(psdcon->indices);
      if (psdcon->psdmats != nullptr) {
        for (int32_t j = 0; j < psdcon->numPsdmats; ++j) {
          releaseRecord(&psdcon->psdmats[j]);
        }
      }
      release(psdcon->psdmats);
    }
  }
  if (arguments->psdVars != nullptr) {
    for (int32_t i = 0; i < arguments->numPsdVars; ++i) {
      releaseRecord(&arguments->psdVars[i].obj);
      release(arguments->psdVars[i].name);
    }
  }
  release(arguments->psdVars);
  release(arguments->psdcons);
  release(arguments->quadcons);
  release(arguments->genconinds);
}
