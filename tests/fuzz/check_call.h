// What must hold after every gateway call, whatever its input: exactly one
// way out was taken, the release step left nothing registered, the buffer
// lock is free and the host saw no misuse. A breach aborts the run with a
// description, which libFuzzer reports as a crash.
#ifndef KORVA_FUZZ_CHECK_CALL_H
#define KORVA_FUZZ_CHECK_CALL_H

#include "testhost.h"

void checkCall(const testhost::CallResult &result);

#endif
