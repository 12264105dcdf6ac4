#include "bench/cost/null_solver.h"

#include <cstring>
#include <vector>

// The handles point at these records; the module never looks inside.
struct KVAenvData {
  int unused;
};

struct KVAmodelData {
  int numVars;
  int numConss;
  std::vector<int> psdDims;
};

namespace {

nullsolver::Marks currentMarks;
bool modelCreated = false;
bool psdColumnMajor = false;
KVAenvData theEnv;

void noteModelCreated() {
  if (!modelCreated) {
    modelCreated = true;
    currentMarks.firstModelCall = nullsolver::Clock::now();
  }
}

bool named(const char *name, const char *expected) {
  return std::strcmp(name, expected) == 0;
}

// Flat index r * dim + c of the upper triangle, row by row or column by
// column.
void fillUpperTriangle(int dim, int *flatIdx, double *vals) {
  int k = 0;
  for (int outer = 0; outer < dim; ++outer) {
    if (psdColumnMajor) {
      for (int r = 0; r <= outer; ++r, ++k) {
        flatIdx[k] = r * dim + outer;
        vals[k] = 1.0;
      }
    } else {
      for (int c = outer; c < dim; ++c, ++k) {
        flatIdx[k] = outer * dim + c;
        vals[k] = 1.0;
      }
    }
  }
}

}  // namespace

namespace nullsolver {

void reset() {
  currentMarks = Marks{};
  modelCreated = false;
}

Marks marks() { return currentMarks; }

void reportPsdColumnMajor(bool columnMajor) { psdColumnMajor = columnMajor; }

KVAmodel modelOfSize(int numVars, int numConss, int psdDim) {
  KVAmodel model = new KVAmodelData{numVars, numConss, {}};
  if (psdDim > 0) {
    model->psdDims.push_back(psdDim);
  }
  return model;
}

}  // namespace nullsolver

extern "C" {

int KVAemptyenv(KVAenv *env) {
  *env = &theEnv;
  return KVA_OK;
}
int KVAsetlogcallback(KVAenv, KVAlogcallback, void *) { return KVA_OK; }
int KVAstartenv(KVAenv) { return KVA_OK; }
int KVAfreeenv(KVAenv) { return KVA_OK; }
const char *KVAexplainerror(int) { return "null solver"; }

int KVAsetintparam(KVAenv, const char *, int) { return KVA_OK; }
int KVAsetdblparam(KVAenv, const char *, double) { return KVA_OK; }
int KVAsetstrparam(KVAenv, const char *, const char *) { return KVA_OK; }

int KVAloadmodel(KVAenv, KVAmodel *model, const char *, int numVars,
                 int numConss, int, double, const double *, const char *,
                 const double *, const int *, const int *, const int *,
                 const double *, const double *, const double *, const char *,
                 const char *const *, const char *const *) {
  noteModelCreated();
  *model = new KVAmodelData{numVars, numConss, {}};
  return KVA_OK;
}

int KVAnewmodel(KVAenv, KVAmodel *model, const char *, int numVars,
                const double *, const double *, const double *, const char *,
                const char *const *) {
  noteModelCreated();
  *model = new KVAmodelData{numVars, 0, {}};
  return KVA_OK;
}

int KVAsetintattr(KVAmodel, const char *, int) { return KVA_OK; }
int KVAsetdblattr(KVAmodel, const char *, double) { return KVA_OK; }
int KVAsetstrattr(KVAmodel, const char *, const char *) { return KVA_OK; }
int KVAsetdblattrarray(KVAmodel, const char *, int, int, const double *) {
  return KVA_OK;
}
int KVAsetcharattrarray(KVAmodel, const char *, int, int, const char *) {
  return KVA_OK;
}
int KVAsetdblattrelement(KVAmodel, const char *, int, double) { return KVA_OK; }

int KVAaddqpterms(KVAmodel, int, const int *, const int *, const double *) {
  return KVA_OK;
}
int KVAaddqconstr(KVAmodel model, int, const int *, const double *, int,
                  const int *, const int *, const double *, int, double,
                  const char *) {
  ++model->numConss;
  return KVA_OK;
}
int KVAaddsos(KVAmodel, int, int, const int *, const int *, const int *,
              const double *) {
  return KVA_OK;
}
int KVAaddgenconstrIndicator(KVAmodel, const char *, int, int, int, const int *,
                             const double *, int, double) {
  return KVA_OK;
}
int KVAaddpsdvar(KVAmodel model, int dim, int, const int *, const double *,
                 const char *) {
  model->psdDims.push_back(dim);
  return KVA_OK;
}
int KVAaddpsdconstr(KVAmodel, int, int, int, const int *, const double *,
                    const int *, const int *, const int *, const double *, int,
                    double, const char *) {
  return KVA_OK;
}
int KVAaddrangepsdconstr(KVAmodel, int, int, int, const int *, const double *,
                         const int *, const int *, const int *, const double *,
                         double, double, const char *) {
  return KVA_OK;
}

int KVAoptimize(KVAmodel) {
  currentMarks.optimizeStart = nullsolver::Clock::now();
  return KVA_OK;
}
int KVAterminate(KVAmodel) { return KVA_OK; }

int KVAgetintattr(KVAmodel model, const char *name, int *value) {
  if (named(name, "Status")) {
    *value = KVA_OPTIMAL;
  } else if (named(name, "NumVars")) {
    *value = model->numVars;
  } else if (named(name, "NumConss")) {
    *value = model->numConss;
  } else if (named(name, "NumPsdVars")) {
    *value = int(model->psdDims.size());
  } else {
    *value = 0;
  }
  return KVA_OK;
}

int KVAgetdblattr(KVAmodel, const char *, double *value) {
  *value = 0.0;
  return KVA_OK;
}

int KVAgetdblattrarray(KVAmodel, const char *, int, int count, double *values) {
  std::memset(values, 0, sizeof(double) * size_t(count));
  return KVA_OK;
}

int KVAgetmatattrelement(KVAmodel model, const char *, int element,
                         int *numEntries, int *numRows, int *numCols,
                         int *flatIdx, double *vals) {
  if (element < 0 || element >= int(model->psdDims.size())) {
    return KVA_ERROR_INDEX_OUT_OF_RANGE;
  }
  const int dim = model->psdDims[size_t(element)];
  *numEntries = dim * (dim + 1) / 2;
  *numRows = dim;
  *numCols = dim;
  if (flatIdx != nullptr && vals != nullptr) {
    fillUpperTriangle(dim, flatIdx, vals);
  }
  return KVA_OK;
}

int KVAfreemodel(KVAmodel model) {
  delete model;
  return KVA_OK;
}

}  // extern "C"
