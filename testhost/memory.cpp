#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <unordered_map>

#include "host_state.h"
#include "testhost.h"

namespace testhost {

namespace {

std::mutex memoryMutex;
std::unordered_map<void *, size_t> liveBlocks;
// Bytes held now and the most held since the last resetPeakBytes, kept as
// the blocks come and go so that the peak costs nothing to follow.
size_t liveBytes = 0;
size_t peakLiveBytes = 0;

// Bytes after every block that the module must never write: an overrun is
// a fault when the block goes back, whether freed or reclaimed.
constexpr unsigned char guard[8] = {0xA5, 0x5A, 0xC3, 0x3C,
                                    0x96, 0x69, 0xF0, 0x0F};

// Every block is a distinct pointer, also for 0 bytes, so that each can be
// freed once and counted.
void *trackedBlock(size_t bytes, bool zeroed) {
  if (bytes > SIZE_MAX - sizeof guard) {
    throw std::bad_alloc();
  }
  void *block = zeroed ? std::calloc(bytes + sizeof guard, 1)
                       : std::malloc(bytes + sizeof guard);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  std::memcpy(static_cast<unsigned char *>(block) + bytes, guard, sizeof guard);
  std::lock_guard<std::mutex> lock(memoryMutex);
  liveBlocks[block] = bytes;
  liveBytes += bytes;
  peakLiveBytes = std::max(peakLiveBytes, liveBytes);
  return block;
}

// The caller holds memoryMutex.
void releaseBlock(void *block, size_t bytes) {
  if (std::memcmp(static_cast<unsigned char *>(block) + bytes, guard,
                  sizeof guard) != 0) {
    recordFault("write past the end of an mxMalloc block of " +
                std::to_string(bytes) + " bytes");
  }
  liveBytes -= bytes;
  std::free(block);
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

size_t peakBytes() {
  std::lock_guard<std::mutex> lock(memoryMutex);
  return peakLiveBytes;
}

void resetPeakBytes() {
  std::lock_guard<std::mutex> lock(memoryMutex);
  peakLiveBytes = liveBytes;
}

void reclaimAll() {
  std::lock_guard<std::mutex> lock(memoryMutex);
  for (const auto &block : liveBlocks) {
    releaseBlock(block.first, block.second);
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
      testhost::releaseBlock(found->first, found->second);
      testhost::liveBlocks.erase(found);
      return;
    }
  }
  testhost::recordFault("mxFree of unknown pointer");
}
}
