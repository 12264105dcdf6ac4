#include "solver_probe.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>

namespace probe {

namespace {

std::mutex probeMutex;
std::map<std::string, int> callCounts;
std::map<std::string, std::pair<int, int>> failures;  // occurrence, code
bool statusForced = false;
int forcedStatus = 0;
bool reversed = false;
ModelSnapshot snapshot;
int models = 0;
int environments = 0;
std::string logText;
std::vector<std::string> parameterList;
KVAlogcallback moduleCallback = nullptr;

// Counts the call and returns the code it must fail with, or KVA_OK.
int injected(const char *function) {
  std::lock_guard<std::mutex> lock(probeMutex);
  int count = ++callCounts[function];
  auto failure = failures.find(function);
  if (failure != failures.end() && failure->second.first == count) {
    return failure->second.second;
  }
  return KVA_OK;
}

void record(const char *name, const std::string &value) {
  std::lock_guard<std::mutex> lock(probeMutex);
  parameterList.push_back(std::string(name) + "=" + value);
}

std::string text(double value) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%.17g", value);
  return digits;
}

void count(int *live, int code, int change) {
  std::lock_guard<std::mutex> lock(probeMutex);
  *live += code == KVA_OK ? change : 0;
}

int teeLog(const char *message);

KVAlogcallback teeTo(KVAlogcallback callback) {
  std::lock_guard<std::mutex> lock(probeMutex);
  moduleCallback = callback;
  return teeLog;
}

int teeLog(const char *message) {
  KVAlogcallback callback;
  {
    std::lock_guard<std::mutex> lock(probeMutex);
    logText += message;
    callback = moduleCallback;
  }
  return callback(message);
}

}  // namespace

void reset() {
  std::lock_guard<std::mutex> lock(probeMutex);
  callCounts.clear();
  failures.clear();
  statusForced = false;
  reversed = false;
  snapshot = ModelSnapshot();
  logText.clear();
  parameterList.clear();
}

void failCall(const std::string &function, int occurrence, int code) {
  std::lock_guard<std::mutex> lock(probeMutex);
  failures[function] = {occurrence, code};
}

void reportStatus(int status) {
  std::lock_guard<std::mutex> lock(probeMutex);
  statusForced = true;
  forcedStatus = status;
}

void reverseMatrixEntries() {
  std::lock_guard<std::mutex> lock(probeMutex);
  reversed = true;
}

void reverseIfAsked(int code, const int *count, int *flat, double *values) {
  std::lock_guard<std::mutex> lock(probeMutex);
  if (reversed && code == KVA_OK && flat != nullptr && values != nullptr) {
    std::reverse(flat, flat + *count);
    std::reverse(values, values + *count);
  }
}

ModelSnapshot lastModel() {
  std::lock_guard<std::mutex> lock(probeMutex);
  return snapshot;
}

int liveModels() {
  std::lock_guard<std::mutex> lock(probeMutex);
  return models;
}

int liveEnvironments() {
  std::lock_guard<std::mutex> lock(probeMutex);
  return environments;
}

std::string logged() {
  std::lock_guard<std::mutex> lock(probeMutex);
  return logText;
}

std::vector<std::string> parameters() {
  std::lock_guard<std::mutex> lock(probeMutex);
  return parameterList;
}

}  // namespace probe

using probe::injected;

namespace probe {

ModelSnapshot snapshotOf(KVAmodel model);

// Keeps what the library holds as the solve starts.
KVAmodel snapshotTaken(KVAmodel model) {
  ModelSnapshot taken = snapshotOf(model);
  std::lock_guard<std::mutex> lock(probeMutex);
  snapshot = taken;
  return model;
}

}  // namespace probe

// A call that goes through unless told to fail; `then` runs after it, with
// its result code in `code`.
#define PASS(name, params, args, ...)                  \
  extern "C" int __real_##name params;                 \
  extern "C" int __wrap_##name params {                \
    int code = injected(#name);                        \
    code = code != KVA_OK ? code : __real_##name args; \
    __VA_ARGS__;                                       \
    return code;                                       \
  }

PASS(KVAemptyenv, (KVAenv * e), (e),
     probe::count(&probe::environments, code, 1))
PASS(KVAfreeenv, (KVAenv e), (e),
     probe::count(&probe::environments, code, -(e != nullptr)))
PASS(KVAloadmodel,
     (KVAenv e, KVAmodel *m, const char *n, int nv, int nc, int os, double oc,
      const double *o, const char *s, const double *r, const int *cb,
      const int *cc, const int *ri, const double *v, const double *lb,
      const double *ub, const char *vt, const char *const *vn,
      const char *const *cn),
     (e, m, n, nv, nc, os, oc, o, s, r, cb, cc, ri, v, lb, ub, vt, vn, cn),
     probe::count(&probe::models, code, 1))
PASS(KVAnewmodel,
     (KVAenv e, KVAmodel *m, const char *n, int nv, const double *o,
      const double *lb, const double *ub, const char *vt,
      const char *const *vn),
     (e, m, n, nv, o, lb, ub, vt, vn), probe::count(&probe::models, code, 1))
PASS(KVAfreemodel, (KVAmodel m), (m),
     probe::count(&probe::models, code, -(m != nullptr)))
// The library logs to the probe, which passes every text on to the module.
PASS(KVAsetlogcallback, (KVAenv e, KVAlogcallback callback, void *data),
     (e, probe::teeTo(callback), data))
PASS(KVAsetintparam, (KVAenv e, const char *n, int v), (e, n, v),
     probe::record(n, std::to_string(v)))
PASS(KVAsetdblparam, (KVAenv e, const char *n, double v), (e, n, v),
     probe::record(n, probe::text(v)))
PASS(KVAsetstrparam, (KVAenv e, const char *n, const char *v), (e, n, v),
     probe::record(n, v))
PASS(KVAoptimize, (KVAmodel m), (probe::snapshotTaken(m)))
PASS(KVAstartenv, (KVAenv e), (e))
PASS(KVAsetdblattr, (KVAmodel m, const char *n, double v), (m, n, v))
PASS(KVAsetstrattr, (KVAmodel m, const char *n, const char *v), (m, n, v))
PASS(KVAsetdblattrarray,
     (KVAmodel m, const char *n, int f, int c, const double *v),
     (m, n, f, c, v))
PASS(KVAsetcharattrarray,
     (KVAmodel m, const char *n, int f, int c, const char *v), (m, n, f, c, v))
PASS(KVAsetdblattrelement, (KVAmodel m, const char *n, int e, double v),
     (m, n, e, v))
PASS(KVAaddqpterms,
     (KVAmodel m, int n, const int *r, const int *c, const double *v),
     (m, n, r, c, v))
PASS(KVAaddqconstr,
     (KVAmodel m, int nl, const int *li, const double *lv, int nq,
      const int *qr, const int *qc, const double *qv, int s, double r,
      const char *n),
     (m, nl, li, lv, nq, qr, qc, qv, s, r, n))
PASS(KVAaddsos,
     (KVAmodel m, int n, int nm, const int *t, const int *b, const int *i,
      const double *w),
     (m, n, nm, t, b, i, w))
PASS(KVAaddgenconstrIndicator,
     (KVAmodel m, const char *n, int bv, int bl, int nl, const int *li,
      const double *lv, int s, double r),
     (m, n, bv, bl, nl, li, lv, s, r))
PASS(KVAaddpsdvar,
     (KVAmodel m, int d, int n, const int *f, const double *v, const char *nm),
     (m, d, n, f, v, nm))
PASS(KVAaddpsdconstr,
     (KVAmodel m, int nl, int np, int ne, const int *li, const double *lv,
      const int *pi, const int *mb, const int *f, const double *v, int s,
      double r, const char *n),
     (m, nl, np, ne, li, lv, pi, mb, f, v, s, r, n))
PASS(KVAaddrangepsdconstr,
     (KVAmodel m, int nl, int np, int ne, const int *li, const double *lv,
      const int *pi, const int *mb, const int *f, const double *v, double l,
      double r, const char *n),
     (m, nl, np, ne, li, lv, pi, mb, f, v, l, r, n))
PASS(KVAgetmatattrelement,
     (KVAmodel m, const char *n, int e, int *ne, int *r, int *c, int *f,
      double *v),
     (m, n, e, ne, r, c, f, v), probe::reverseIfAsked(code, ne, f, v))

// "Status" may be forced; the module reads it on the worker thread and when
// it builds the result.
extern "C" int __real_KVAgetintattr(KVAmodel m, const char *n, int *v);
extern "C" int __wrap_KVAgetintattr(KVAmodel m, const char *n, int *v) {
  int code = injected("KVAgetintattr");
  if (code != KVA_OK) {
    return code;
  }
  {
    std::lock_guard<std::mutex> lock(probe::probeMutex);
    if (probe::statusForced && std::strcmp(n, "Status") == 0) {
      *v = probe::forcedStatus;
      return KVA_OK;
    }
  }
  return __real_KVAgetintattr(m, n, v);
}

// Read straight from the library: a test's own reads neither count as the
// module's calls nor fail with them.
namespace probe {

namespace {

int integer(KVAmodel model, const char *attribute) {
  int value = -1;
  __real_KVAgetintattr(model, attribute, &value);
  return value;
}

std::vector<double> doubles(KVAmodel model, const char *attribute, int count) {
  std::vector<double> values(size_t(std::max(count, 0)), 0.0);
  for (int k = 0; k < count; ++k) {
    if (KVAgetdblattrarray(model, attribute, k, 1, &values[k]) != KVA_OK) {
      values[k] = std::nan("");
    }
  }
  return values;
}

}  // namespace

ModelSnapshot snapshotOf(KVAmodel model) {
  ModelSnapshot taken;
  taken.numVars = integer(model, "NumVars");
  taken.numConss = integer(model, "NumConss");
  taken.numQConstrs = integer(model, "NumQConstrs");
  taken.numSos = integer(model, "NumSOS");
  taken.numGenConstrs = integer(model, "NumGenConstrs");
  taken.numPsdVars = integer(model, "NumPsdVars");
  taken.numPsdConstrs = integer(model, "NumPsdConstrs");
  taken.modelSense = integer(model, "ModelSense");
  KVAgetdblattr(model, "ObjConst", &taken.objConst);
  taken.obj = doubles(model, "Obj", taken.numVars);
  taken.lb = doubles(model, "LB", taken.numVars);
  taken.ub = doubles(model, "UB", taken.numVars);
  taken.start = doubles(model, "Start", taken.numVars);
  int sides = taken.numConss;  // linear rows, then quadratic constraints
  taken.lhs = doubles(model, "LHS", sides);
  taken.rhs = doubles(model, "RHS", sides);
  return taken;
}

}  // namespace probe
