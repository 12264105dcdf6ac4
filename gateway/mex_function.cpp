// The module's entry points: argument checks, reading, building, the solve on
// a worker thread with the log relayed and Ctrl+C watched, and the result.
#include <pthread.h>

#include <cstdio>

#include "gateway/korva_error.h"
#include "gateway/log_buffer.h"
#include "gateway/solve_driver.h"
#include "host/host.h"
#include "model/model_arguments.h"
#include "params/params.h"
#include "result/create_return_mx_array.h"

namespace {

constexpr int64_t pollPeriod = 100000;  // microseconds

void checkArguments(int nlhs, int nrhs, const mxArray *prhs[]) {
  if (nrhs < 1 || nrhs > 2) {
    mexErrMsgIdAndTxt("MATLAB:invalidNumInputs", "One or two inputs required.");
  }
  if (nlhs > 1) {
    mexErrMsgIdAndTxt("MATLAB:maxlhs", "Too many output arguments.");
  }
  if (!mxIsStruct(prhs[0])) {
    mexErrMsgIdAndTxt("MATLAB:inputNotStruct", "Input1 must be a structure.");
  }
  if (nrhs == 2 && !mxIsStruct(prhs[1])) {
    mexErrMsgIdAndTxt("MATLAB:inputNotStruct", "Input2 must be a structure.");
  }
}

void checkSetup(int code) {
  if (code != KVA_OK) {
    korvaErrorCode(code, KVAexplainerror(code));
  }
}

bool isFinalSuccess(int32_t status) {
  return status == KVA_OPTIMAL || status == KVA_INFEASIBLE ||
         status == KVA_UNBOUNDED || status == KVA_SUB_OPTIMAL;
}

void drainLocked() {
  pthread_mutex_lock(&outBuffer.lock);
  drainOutBuffer();
  pthread_mutex_unlock(&outBuffer.lock);
}

// Relays the log until the solve has a final status. Returns true when the
// loop ended through the status test: the buffer lock is then still held and
// *status is the final status. Returns false after a Ctrl+C, or when the
// worker ended with status 11 without one.
bool pollSolve(KVAmodel model, int32_t *status) {
  // The host may consume its interrupt flag when asked, so a Ctrl+C seen
  // before the worker runs is remembered until it can be acted on.
  bool interruptPending = false;
  for (;;) {
    bool workerEnded = waitForWorker(pollPeriod);
    interruptPending = utIsInterruptPending() || interruptPending;
    if (interruptPending && optimizeFinished.load() == statusRunning) {
      KVAterminate(model);
      mexWarnMsgTxt("Capture the ctrl+c signal. the solver will exit soon.");
      return false;
    }
    pthread_mutex_lock(&outBuffer.lock);
    int32_t current = optimizeFinished.load();
    if (current == statusRunning || current == statusNotStarted ||
        current == KVA_INTERRUPTED) {
      drainOutBuffer();
      pthread_mutex_unlock(&outBuffer.lock);
      if (current == KVA_INTERRUPTED && workerEnded) {
        return false;
      }
      continue;
    }
    *status = current;
    return true;
  }
}

// The final status test; the caller holds the buffer lock.
void finishSolve(int32_t status, pthread_t worker) {
  if (isFinalSuccess(status)) {
    drainOutBuffer();
    pthread_mutex_unlock(&outBuffer.lock);
    pthread_join(worker, nullptr);
    return;
  }
  char text[128];
  std::snprintf(text, sizeof text, "Error code: %d.", int(status));
  drainOutBuffer();
  pthread_mutex_unlock(&outBuffer.lock);
  pthread_join(worker, nullptr);
  korvaError("Optimize failed", text);
}

}  // namespace

extern "C" void mexfilerequiredapiversion(unsigned int *buildRelease,
                                          unsigned int *targetApiVersion) {
  *buildRelease = 0x2021B;
  *targetApiVersion = 0x08000000;
}

extern "C" void mexFunction(int nlhs, mxArray *plhs[], int nrhs,
                            const mxArray *prhs[]) {
  clearStaleGlobals();
  checkArguments(nlhs, nrhs, prhs);

  ModelArguments arguments;
  emptyModelArguments(&arguments);
  getModelArguments(&arguments, prhs[0]);
  Params params;
  emptyParams(&params);
  if (nrhs == 2) {
    getParams(&params, prhs[1]);
  }

  optimizeFinished.store(statusNotStarted);
  KVAenv env = nullptr;
  KVAmodel model = nullptr;
  checkSetup(KVAemptyenv(&env));
  globalEnv = env;
  checkSetup(KVAsetlogcallback(env, logToBuffer, nullptr));
  loadParams(env, &params);
  checkSetup(KVAstartenv(env));
  loadModelArguments(&env, &model, &arguments);

  pthread_t worker;
  startWorker(&worker, model);
  int32_t status = statusNotStarted;
  if (pollSolve(model, &status)) {
    finishSolve(status, worker);
  } else {
    pthread_join(worker, nullptr);
    // Whatever the solver logged after the last relay belongs to this call.
    drainLocked();
  }

  if (optimizeFinished.load() == KVA_INTERRUPTED) {
    plhs[0] = mxCreateStructArray(0, nullptr, 0, nullptr);
  } else {
    createReturnMxArray(model, plhs);
  }
  freeAll();
}
