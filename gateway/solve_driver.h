// The worker thread that runs the solve, and the word through which it
// reports its progress and final status to the calling thread.
#ifndef KORVA_SOLVE_DRIVER_H
#define KORVA_SOLVE_DRIVER_H

#include <pthread.h>

#include <atomic>
#include <cstdint>

#include "host/korva_api.h"

constexpr int32_t statusNotStarted = 9999;
constexpr int32_t statusRunning = 9998;

// 9999 before the worker starts, 9998 while it solves, then the model's
// final "Status" (0 when that cannot be read).
extern std::atomic<int32_t> optimizeFinished;

// The worker body; its argument is the solver model handle.
void *build_run(void *model);

// Starts build_run on the model; a thread that cannot be created raises a
// host error through the release step.
void startWorker(pthread_t *worker, KVAmodel model);

// Waits at most `microseconds`, returning early once the worker has published
// its final status. Returns whether the worker has done so.
bool waitForWorker(int64_t microseconds);

#endif
