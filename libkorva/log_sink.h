// Where the library's log goes: the environment's callback, held behind a
// lock so that freeing the environment cuts it off for good, and the route
// one solve writes through (callback or stdout, plus the log file).
#ifndef LIBKORVA_LOG_SINK_H
#define LIBKORVA_LOG_SINK_H

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "libkorva/api_export.h"

struct LogSink {
  std::mutex lock;
  KVAlogcallback callback = nullptr;
  // Cleared by KVAfreeenv; a solve still running then logs nowhere.
  bool detached = false;
};

struct FileCloser {
  void operator()(FILE *file) const { std::fclose(file); }
};

struct LogRoute {
  std::shared_ptr<LogSink> sink;
  bool toConsole = false;
  std::unique_ptr<FILE, FileCloser> file;
};

// Whether anything would be written; backends keep their log level at 0
// otherwise.
bool isLogging(const LogRoute &route);
// Writes one line (a newline is added) from any thread.
void logLine(LogRoute &route, const std::string &text);
// logLine with printf formatting.
void logFormatted(LogRoute &route, const char *format, ...)
    __attribute__((format(printf, 2, 3)));

#endif
