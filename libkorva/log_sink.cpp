#include "libkorva/log_sink.h"

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
