#include <cstdarg>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "host_state.h"
#include "testhost.h"

namespace testhost {

namespace {

std::mutex outputMutex;
std::string printedText;
std::vector<std::string> warningList;
int flushes = 0;
int queries = 0;
bool interruptPending = false;
bool warningsThrow = false;
std::function<bool(int)> interruptScript = [](int) { return false; };

std::string formatText(const char *format, va_list args) {
  if (format == nullptr) {
    return std::string();
  }
  va_list measure;
  va_copy(measure, args);
  int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length <= 0) {
    return std::string();
  }
  std::string text(size_t(length) + 1, '\0');
  std::vsnprintf(&text[0], text.size(), format, args);
  text.resize(size_t(length));
  return text;
}

}  // namespace

HostError::HostError(std::string identifier, std::string text)
    : std::runtime_error(text),
      identifier(std::move(identifier)),
      text(std::move(text)) {}

void resetOutput() {
  std::lock_guard<std::mutex> lock(outputMutex);
  printedText.clear();
  warningList.clear();
  flushes = 0;
  queries = 0;
  interruptPending = false;
}

void scriptInterrupt(std::function<bool(int query)> pending) {
  std::lock_guard<std::mutex> lock(outputMutex);
  interruptScript = std::move(pending);
}

bool interruptLeftPending() {
  std::lock_guard<std::mutex> lock(outputMutex);
  return interruptPending;
}

void warningsAsErrors(bool raise) {
  std::lock_guard<std::mutex> lock(outputMutex);
  warningsThrow = raise;
}

int interruptQueries() {
  std::lock_guard<std::mutex> lock(outputMutex);
  return queries;
}

int flushCount() {
  std::lock_guard<std::mutex> lock(outputMutex);
  return flushes;
}

size_t printedLength() {
  std::lock_guard<std::mutex> lock(outputMutex);
  return printedText.size();
}

std::string takePrinted() {
  std::lock_guard<std::mutex> lock(outputMutex);
  std::string taken;
  taken.swap(printedText);
  return taken;
}

std::vector<std::string> takeWarnings() {
  std::lock_guard<std::mutex> lock(outputMutex);
  std::vector<std::string> taken;
  taken.swap(warningList);
  return taken;
}

}  // namespace testhost

using testhost::checkCallerThread;

extern "C" {

void mexErrMsgTxt(const char *text) {
  checkCallerThread("mexErrMsgTxt");
  throw testhost::HostError(std::string(), text != nullptr ? text : "");
}

void mexErrMsgIdAndTxt(const char *identifier, const char *text, ...) {
  checkCallerThread("mexErrMsgIdAndTxt");
  va_list args;
  va_start(args, text);
  std::string formatted = testhost::formatText(text, args);
  va_end(args);
  throw testhost::HostError(identifier != nullptr ? identifier : "", formatted);
}

void mexWarnMsgTxt(const char *text) {
  checkCallerThread("mexWarnMsgTxt");
  std::lock_guard<std::mutex> lock(testhost::outputMutex);
  if (testhost::warningsThrow) {
    throw testhost::HostError(std::string(), text != nullptr ? text : "");
  }
  testhost::warningList.emplace_back(text != nullptr ? text : "");
}

int mexPrintf(const char *format, ...) {
  checkCallerThread("mexPrintf");
  va_list args;
  va_start(args, format);
  std::string formatted = testhost::formatText(format, args);
  va_end(args);
  std::lock_guard<std::mutex> lock(testhost::outputMutex);
  testhost::printedText += formatted;
  return int(formatted.size());
}

void ioFlush(void) {
  checkCallerThread("ioFlush");
  std::lock_guard<std::mutex> lock(testhost::outputMutex);
  ++testhost::flushes;
}

// The script runs outside the lock, so it may use the host itself. A Ctrl+C
// it lets arrive stays pending until the module clears it.
bool utIsInterruptPending(void) {
  checkCallerThread("utIsInterruptPending");
  std::function<bool(int)> script;
  int query = 0;
  {
    std::lock_guard<std::mutex> lock(testhost::outputMutex);
    script = testhost::interruptScript;
    query = testhost::queries++;
  }
  bool arrives = script ? script(query) : false;
  std::lock_guard<std::mutex> lock(testhost::outputMutex);
  testhost::interruptPending = testhost::interruptPending || arrives;
  return testhost::interruptPending;
}

bool utSetInterruptPending(bool pending) {
  checkCallerThread("utSetInterruptPending");
  std::lock_guard<std::mutex> lock(testhost::outputMutex);
  bool was = testhost::interruptPending;
  testhost::interruptPending = pending;
  return was;
}
}
