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

// How the polling loop ended.
enum class PollEnd {
  finalStatus,  // the buffer lock is still held
  stoppedByCtrlC,
  interruptedWithoutCtrlC,
};

// Relays the log until the solve has a final status or is stopped. A Ctrl+C
// is taken from the host as soon as it is seen, so that no host function can
// act on it while the worker runs; it is acted on only while the solve runs,
// and *ctrlCSeen tells the caller to hand back one it did not act on.
PollEnd pollSolve(KVAmodel model, int32_t *status, bool *ctrlCSeen) {
  for (;;) {
    bool workerEnded = waitForWorker(pollPeriod);
    if (utIsInterruptPending()) {
      utSetInterruptPending(false);
      *ctrlCSeen = true;
    }
    if (*ctrlCSeen && optimizeFinished.load() == statusRunning) {
      KVAterminate(model);
      return PollEnd::stoppedByCtrlC;
    }
    pthread_mutex_lock(&outBuffer.lock);
    int32_t current = optimizeFinished.load();
    bool going = current == statusRunning || current == statusNotStarted ||
                 current == KVA_INTERRUPTED;
    // Once the worker has ended, whatever it published is final.
    if (going && !workerEnded) {
      drainOutBuffer();
      pthread_mutex_unlock(&outBuffer.lock);
      continue;
    }
    if (current == KVA_INTERRUPTED) {
      drainOutBuffer();
      pthread_mutex_unlock(&outBuffer.lock);
      return PollEnd::interruptedWithoutCtrlC;
    }
    *status = current;
    return PollEnd::finalStatus;
  }
}

// The final status test; the caller holds the buffer lock. An ignored Ctrl+C
// goes back to the host before the failure error, which never returns.
void finishSolve(int32_t status, pthread_t worker, bool ctrlCSeen) {
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
  if (ctrlCSeen) {
    utSetInterruptPending(true);
  }
  korvaError("Optimize failed", text);
}

// Shown only once the worker has been joined: a host whose user turned
// warnings into errors leaves the call from inside the warning. The log of
// the stopped solve is relayed after it, or before the call leaves.
void warnStopped() {
  try {
    mexWarnMsgTxt("Capture the ctrl+c signal. the solver will exit soon.");
  } catch (...) {
    drainLocked();
    freeAll();
    throw;
  }
  drainLocked();
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
  bool ctrlCSeen = false;
  PollEnd end = pollSolve(model, &status, &ctrlCSeen);
  if (end == PollEnd::finalStatus) {
    finishSolve(status, worker, ctrlCSeen);
  } else {
    pthread_join(worker, nullptr);
    if (end == PollEnd::stoppedByCtrlC) {
      warnStopped();
    } else {
      // Whatever the solver logged after the last relay belongs to this call.
      drainLocked();
    }
  }

  if (optimizeFinished.load() == KVA_INTERRUPTED) {
    plhs[0] = mxCreateStructArray(0, nullptr, 0, nullptr);
  } else {
    createReturnMxArray(model, plhs);
  }
  freeAll();
  if (ctrlCSeen && end != PollEnd::stoppedByCtrlC) {
    utSetInterruptPending(true);
  }
}
