// What tests script: failing calls, attribute values, solve behaviour and
// log messages.
#include <utility>

#include "fake_state.h"

namespace fake {

void failCall(const std::string &function, int code, int occurrence) {
  State &s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.failures[function][occurrence] = code;
}

void setIntAttr(const std::string &name, int value) {
  State &s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.intAttrs[name] = value;
}

void setDblAttr(const std::string &name, double value) {
  State &s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.dblAttrs[name] = value;
}

void setDblArrayAttr(const std::string &name, std::vector<double> values) {
  State &s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.dblArrayAttrs[name] = std::move(values);
}

void setPsdX(std::vector<MatrixValue> values) {
  State &s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.psdX = std::move(values);
}

void setStatusAfterOptimize(int status) {
  State &s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.statusAfterOptimize = status;
}

void setStatusAfterTerminate(int status) {
  State &s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.statusAfterTerminate = status;
}

void blockUntilTerminate(bool block) {
  State &s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.blockUntilTerminate = block;
}

void logDuringOptimize(std::vector<std::string> messages, int threads) {
  State &s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.optimizeMessages = std::move(messages);
  s.optimizeLogThreads = threads;
}

void logDuringStart(std::vector<std::string> messages) {
  State &s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.startMessages = std::move(messages);
}

}  // namespace fake
