#include "libkorva/log_sink.h"

#include <cstdarg>
#include <vector>

bool isLogging(const LogRoute &route) {
  return route.toConsole || route.file != nullptr;
}

void logLine(LogRoute &route, const std::string &text) {
  std::string line = text + "\n";
  // One lock for callback and file: lines from solver threads stay whole and
  // in one order in both places.
  std::lock_guard<std::mutex> guard(route.sink->lock);
  if (route.toConsole && !route.sink->detached) {
    if (route.sink->callback != nullptr) {
      route.sink->callback(line.c_str());
    } else {
      std::fputs(line.c_str(), stdout);
    }
  }
  if (route.file != nullptr) std::fputs(line.c_str(), route.file.get());
}

void logFormatted(LogRoute &route, const char *format, ...) {
  if (!isLogging(route)) return;
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::vector<char> text(length > 0 ? length + 1 : 1, '\0');
  if (length > 0) std::vsnprintf(text.data(), text.size(), format, args);
  va_end(args);
  logLine(route, text.data());
}
