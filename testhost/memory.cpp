#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>
#include <unordered_map>

#include "host_state.h"
#include "testhost.h"

namespace testhost {

namespace {

std::mutex memoryMutex;
std::unordered_map<void *, size_t> liveBlocks;

// Every block is a distinct pointer, also for 0 bytes, so that each can be
// freed once and counted.
void *trackedBlock(size_t bytes, bool zeroed) {
  void *block = zeroed ? std::calloc(bytes == 0 ? 1 : bytes, 1)
                       : std::malloc(bytes == 0 ? 1 : bytes);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  std::lock_guard<std::mutex> lock(memoryMutex);
  liveBlocks[block] = bytes;
  return block;
}

}  // namespace

size_t heldBlocks() {
  std::lock_guard<std::mutex> lock(memoryMutex);
  return liveBlocks.size();
}

size_t heldBytes() {
  std::lock_guard<std::mutex> lock(memoryMutex);
  size_t total = 0;
  for (const auto &block : liveBlocks) {
    total += block.second;
  }
  return total;
}

void reclaimAll() {
  std::lock_guard<std::mutex> lock(memoryMutex);
  for (const auto &block : liveBlocks) {
    std::free(block.first);
  }
  liveBlocks.clear();
}

}  // namespace testhost

extern "C" {

void *mxMalloc(size_t n) {
  testhost::checkCallerThread("mxMalloc");
  return testhost::trackedBlock(n, false);
}

void *mxCalloc(size_t n, size_t size) {
  testhost::checkCallerThread("mxCalloc");
  if (size != 0 && n > SIZE_MAX / size) {
    throw std::bad_alloc();
  }
  return testhost::trackedBlock(n * size, true);
}

// A pointer the host did not hand out (array data, or one already freed) is
// recorded and left alone instead of corrupting the heap.
void mxFree(void *ptr) {
  testhost::checkCallerThread("mxFree");
  if (ptr == nullptr) {
    return;
  }
  {
    std::lock_guard<std::mutex> lock(testhost::memoryMutex);
    auto found = testhost::liveBlocks.find(ptr);
    if (found != testhost::liveBlocks.end()) {
      testhost::liveBlocks.erase(found);
      std::free(ptr);
      return;
    }
  }
  testhost::recordFault("mxFree of unknown pointer");
}
}
