#include <mutex>
#include <string>
#include <vector>

#include "host_state.h"
#include "testhost.h"

namespace testhost {

namespace {

std::mutex faultMutex;
std::vector<std::string> faultList;

}  // namespace

void recordFault(const std::string &fault) {
  std::lock_guard<std::mutex> lock(faultMutex);
  faultList.push_back(fault);
}

bool present(const mxArray *array, const char *function) {
  if (array == nullptr) {
    recordFault(std::string(function) + " of a null array");
    return false;
  }
  return true;
}

std::vector<std::string> takeFaults() {
  std::lock_guard<std::mutex> lock(faultMutex);
  std::vector<std::string> taken;
  taken.swap(faultList);
  return taken;
}

}  // namespace testhost
