// Process-wide state of the test host shared between its files: the fault
// list, the per-call counters, and the thread the current call runs on.
#ifndef KORVA_TESTHOST_HOST_STATE_H
#define KORVA_TESTHOST_HOST_STATE_H

#include <string>

#include "mex.h"

// The two host calls outside mex.h, with the signatures the module declares.
extern "C" bool utIsInterruptPending(void);
extern "C" bool utSetInterruptPending(bool pending);
extern "C" void ioFlush(void);

namespace testhost {

void recordFault(const std::string &fault);

// True when `array` is not null; a null array is a fault of `function`.
bool present(const mxArray *array, const char *function);

// The host interface is single-threaded: inside call(), use from any thread
// other than the caller's is a fault.
void checkCallerThread(const char *function);
void beginCall();
void endCall();

// Records a fault for every thread the module started and did not join,
// and joins it.
void checkThreadsJoined();

// Clears printed text, warnings, the flush and interrupt counters and a
// pending Ctrl+C.
void resetOutput();

}  // namespace testhost

#endif
