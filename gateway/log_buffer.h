// The process-wide log buffer: the solver's log callback appends to it from
// any thread; the calling thread drains it to the host's command window.
#ifndef KORVA_LOG_BUFFER_H
#define KORVA_LOG_BUFFER_H

#include <pthread.h>

#include <cstdint>

constexpr int32_t outBufferSize = 102400;

struct OutBuffer {
  int32_t length;  // bytes held, without the NUL
  char text[outBufferSize];
  pthread_mutex_t lock;
};

extern OutBuffer outBuffer;

// The callback registered with the solver: appends under the buffer lock.
int logToBuffer(const char *message);
// Appends one message, every "%" doubled so the held text is a format that
// prints exactly what came in. Returns the new length, or 0 when nothing was
// appended (empty message, or one that does not fit whole). The caller holds
// the buffer lock.
int addMsgToBuffer(const char *message);
void flushIO(void);
// Prints and empties the buffer; the caller holds the buffer lock.
void drainOutBuffer(void);

#endif
