#include "gateway/log_buffer.h"

#include <cstring>

#include "host/host.h"

OutBuffer outBuffer = {0, {0}, PTHREAD_MUTEX_INITIALIZER};

int logToBuffer(const char *message) {
  pthread_mutex_lock(&outBuffer.lock);
  addMsgToBuffer(message);
  return pthread_mutex_unlock(&outBuffer.lock);
}

int addMsgToBuffer(const char *message) {
  // Counted in 64 bits: a message of any length is dropped whole, never cut,
  // and its count cannot overflow.
  const int64_t capacity = outBufferSize - 1;
  int64_t n = int64_t(std::strlen(message));
  if (n > capacity) {
    return 0;
  }
  int64_t percents = 0;
  for (int64_t i = 0; i < n; ++i) {
    percents += message[i] == '%';
  }
  int64_t grown = n + percents;
  if (outBuffer.length + grown > capacity || n == 0) {
    return 0;
  }
  char *out = outBuffer.text + outBuffer.length;
  if (percents == 0) {
    std::memcpy(out, message, size_t(n));
  } else {
    for (int64_t i = 0; i < n; ++i) {
      *out++ = message[i];
      if (message[i] == '%') {
        *out++ = '%';
      }
    }
  }
  outBuffer.length += int32_t(grown);
  outBuffer.text[outBuffer.length] = '\0';
  return outBuffer.length;
}

void flushIO(void) { ioFlush(); }

void drainOutBuffer(void) {
  if (outBuffer.length != 0) {
    mexPrintf(outBuffer.text);
    flushIO();
  }
  outBuffer.length = 0;
}
