#include "gateway/solve_driver.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "gateway/korva_error.h"

std::atomic<int32_t> optimizeFinished{statusNotStarted};

namespace {

// Lets the polling wait end as soon as the solve is over, so a short solve
// does not cost a whole polling period.
std::mutex workerLock;
std::condition_variable workerEnded;
bool workerDone = false;

}  // namespace

void *build_run(void *model) {
  KVAmodel solverModel = static_cast<KVAmodel>(model);
  optimizeFinished.store(statusRunning);
  KVAoptimize(solverModel);
  int status = KVA_UNKNOWN;
  if (KVAgetintattr(solverModel, "Status", &status) != KVA_OK) {
    status = KVA_UNKNOWN;
  }
  optimizeFinished.store(int32_t(status));
  {
    std::lock_guard<std::mutex> guard(workerLock);
    workerDone = true;
  }
  workerEnded.notify_all();
  return nullptr;
}

void startWorker(pthread_t *worker, KVAmodel model) {
  {
    std::lock_guard<std::mutex> guard(workerLock);
    workerDone = false;
  }
  int code = pthread_create(worker, nullptr, build_run, model);
  if (code != 0) {
    korvaErrorCode(code, "Caused by the start of the solve thread.");
  }
}

bool waitForWorker(int64_t microseconds) {
  std::unique_lock<std::mutex> guard(workerLock);
  workerEnded.wait_for(guard, std::chrono::microseconds(microseconds),
                       [] { return workerDone; });
  return workerDone;
}
