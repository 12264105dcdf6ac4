// Thread bookkeeping for the module's own threads. The module's calls of
// pthread_create, pthread_join and pthread_mutex_unlock reach these wrappers
// (the link wraps the symbols); a thread started during a call and not
// joined by its end is a fault, as is a call left with a thread it cannot
// join, and an unlock that fails (an error-checking mutex not held).
#include <pthread.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <vector>

#include "host_state.h"
#include "testhost.h"

extern "C" int __real_pthread_create(pthread_t *thread,
                                     const pthread_attr_t *attributes,
                                     void *(*start)(void *), void *argument);
extern "C" int __real_pthread_join(pthread_t thread, void **value);
extern "C" int __real_pthread_mutex_unlock(pthread_mutex_t *mutex);

namespace testhost {

namespace {

std::mutex threadMutex;
std::vector<pthread_t> unjoined;
int refusals = 0;

}  // namespace

void refuseThreadStarts(int count) {
  std::lock_guard<std::mutex> lock(threadMutex);
  refusals = count;
}

void checkThreadsJoined() {
  std::vector<pthread_t> left;
  {
    std::lock_guard<std::mutex> lock(threadMutex);
    left.swap(unjoined);
  }
  for (pthread_t thread : left) {
    recordFault("a thread the call started was not joined");
    __real_pthread_join(thread, nullptr);
  }
}

}  // namespace testhost

extern "C" int __wrap_pthread_create(pthread_t *thread,
                                     const pthread_attr_t *attributes,
                                     void *(*start)(void *), void *argument) {
  std::lock_guard<std::mutex> lock(testhost::threadMutex);
  if (testhost::refusals > 0) {
    --testhost::refusals;
    return EAGAIN;
  }
  int code = __real_pthread_create(thread, attributes, start, argument);
  if (code == 0) {
    testhost::unjoined.push_back(*thread);
  }
  return code;
}

extern "C" int __wrap_pthread_join(pthread_t thread, void **value) {
  int code = __real_pthread_join(thread, value);
  if (code == 0) {
    std::lock_guard<std::mutex> lock(testhost::threadMutex);
    auto &list = testhost::unjoined;
    list.erase(std::remove_if(
                   list.begin(), list.end(),
                   [thread](pthread_t t) { return pthread_equal(t, thread); }),
               list.end());
  }
  return code;
}

extern "C" int __wrap_pthread_mutex_unlock(pthread_mutex_t *mutex) {
  int code = __real_pthread_mutex_unlock(mutex);
  if (code != 0) {
    testhost::recordFault("a mutex was unlocked by a thread not holding it");
  }
  return code;
}
