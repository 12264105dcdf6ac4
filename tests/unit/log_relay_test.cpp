// The log buffer: what is kept, doubled, dropped and printed, also while
// several threads log at once and the caller drains: every message must
// arrive once, whole, in its thread's order, and the buffer must never hold
// more than its capacity. Run under TSan too.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "gateway/log_buffer.h"
#include "testhost.h"

namespace {

class LogBufferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    outBuffer.length = 0;
    outBuffer.text[0] = '\0';
    testhost::takePrinted();
  }
};

TEST_F(LogBufferTest, AppendsWholeMessagesOrNothing) {
  const int capacity = outBufferSize - 1;
  struct Case {
    const char *name;
    int heldBefore;
    std::string message;
    int expected;  // return value: new length or 0
  };
  const Case cases[] = {
      {"empty message", 0, "", 0},
      {"plain", 0, "abc", 3},
      {"percent doubled", 0, "50%\n", 5},
      {"fills to capacity", 0, std::string(capacity, 'x'), capacity},
      {"one past capacity", 0, std::string(capacity + 1, 'x'), 0},
      {"fits the rest", capacity - 9, std::string(9, 'x'), capacity},
      {"one over the rest", capacity - 9, std::string(10, 'x'), 0},
      {"doubling makes it too long", capacity - 9, "12345678%", 0},
      {"far too long", 0, std::string(3 * outBufferSize, 'x'), 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    outBuffer.length = c.heldBefore;
    std::memset(outBuffer.text, 'h', size_t(c.heldBefore));
    outBuffer.text[c.heldBefore] = '\0';
    EXPECT_EQ(addMsgToBuffer(c.message.c_str()), c.expected);
    int length = c.expected == 0 ? c.heldBefore : c.expected;
    EXPECT_EQ(outBuffer.length, length);
    EXPECT_EQ(outBuffer.text[length], '\0');
  }
}

TEST_F(LogBufferTest, DrainPrintsExactlyWhatCameInAndEmpties) {
  logToBuffer("gap 5% ");
  logToBuffer("%d %s\n");
  pthread_mutex_lock(&outBuffer.lock);
  drainOutBuffer();
  drainOutBuffer();
  pthread_mutex_unlock(&outBuffer.lock);
  EXPECT_EQ(testhost::takePrinted(), "gap 5% %d %s\n");
  EXPECT_EQ(outBuffer.length, 0);
}

constexpr int numThreads = 4;

// "t<thread> m<seq> 50%|" padded to vary the length; the "%" checks the
// doubling survives interleaving and the "|" ends each message.
std::string message(int thread, int seq) {
  return "t" + std::to_string(thread) + " m" + std::to_string(seq) + " " +
         std::string(size_t(seq % 7), '.') + " 50%|";
}

void drainNow() {
  pthread_mutex_lock(&outBuffer.lock);
  drainOutBuffer();
  pthread_mutex_unlock(&outBuffer.lock);
}

std::vector<std::string> split(const std::string &text) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  std::string part;
  while (std::getline(in, part, '|')) {
    parts.push_back(part + "|");
  }
  return parts;
}

// Each thread's messages in arrival order, keyed by thread number.
std::map<int, std::vector<int>> sequencesOf(const std::vector<std::string> &m) {
  std::map<int, std::vector<int>> sequences;
  for (const std::string &part : m) {
    int thread = -1;
    int seq = -1;
    EXPECT_EQ(std::sscanf(part.c_str(), "t%d m%d", &thread, &seq), 2) << part;
    EXPECT_EQ(part, message(thread, seq)) << "split or altered message";
    sequences[thread].push_back(seq);
  }
  return sequences;
}

class LogRelayStress : public ::testing::Test {
 protected:
  void SetUp() override {
    drainNow();
    testhost::takePrinted();
  }
};

TEST_F(LogRelayStress, ConcurrentLoggersAndDrainsLoseNothing) {
  // Total volume stays under the capacity, so nothing may be dropped however
  // the drains fall. Every logger pauses halfway until a drain has run, so
  // at least one drain falls between its messages on any schedule.
  constexpr int perThread = 900;
  std::atomic<int> halfway{0};
  std::atomic<bool> drainedHalfway{false};
  std::atomic<int> running{numThreads};
  std::vector<std::thread> loggers;
  for (int t = 0; t < numThreads; ++t) {
    loggers.emplace_back([&, t] {
      for (int seq = 0; seq < perThread; ++seq) {
        if (seq == perThread / 2) {
          ++halfway;
          while (!drainedHalfway.load()) {
            std::this_thread::yield();
          }
        }
        logToBuffer(message(t, seq).c_str());
      }
      --running;
    });
  }
  while (running.load() > 0) {
    bool allHalfway = halfway.load() == numThreads;
    drainNow();
    if (allHalfway) {
      drainedHalfway = true;
    }
  }
  for (std::thread &logger : loggers) {
    logger.join();
  }
  drainNow();

  std::map<int, std::vector<int>> sequences =
      sequencesOf(split(testhost::takePrinted()));
  ASSERT_EQ(sequences.size(), size_t(numThreads));
  for (const auto &thread : sequences) {
    ASSERT_EQ(thread.second.size(), size_t(perThread)) << thread.first;
    for (int seq = 0; seq < perThread; ++seq) {
      EXPECT_EQ(thread.second[size_t(seq)], seq) << "thread " << thread.first;
    }
  }
}

TEST_F(LogRelayStress, FloodBeyondCapacityDropsWholeMessages) {
  constexpr int perThread = 20000;  // about 3 times the capacity in total
  std::atomic<bool> done{false};
  std::atomic<int> worst{0};
  std::thread watcher([&] {
    while (!done.load()) {
      pthread_mutex_lock(&outBuffer.lock);
      int length = outBuffer.length;
      // A drain leaves the old bytes; the NUL is only due after an append.
      bool terminated = length == 0 || outBuffer.text[length] == '\0';
      pthread_mutex_unlock(&outBuffer.lock);
      EXPECT_TRUE(terminated);
      worst.store(std::max(worst.load(), length));
    }
  });
  std::vector<std::thread> loggers;
  for (int t = 0; t < numThreads; ++t) {
    loggers.emplace_back([t] {
      for (int seq = 0; seq < perThread; ++seq) {
        logToBuffer(message(t, seq).c_str());
      }
    });
  }
  for (std::thread &logger : loggers) {
    logger.join();
  }
  done = true;
  watcher.join();
  EXPECT_LE(worst.load(), outBufferSize - 1);
  EXPECT_LE(outBuffer.length, outBufferSize - 1);
  EXPECT_GT(outBuffer.length, outBufferSize - 64) << "buffer should be full";

  drainNow();
  std::map<int, std::vector<int>> sequences =
      sequencesOf(split(testhost::takePrinted()));
  for (const auto &thread : sequences) {
    for (size_t k = 1; k < thread.second.size(); ++k) {
      EXPECT_LT(thread.second[k - 1], thread.second[k]) << thread.first;
    }
  }
  // Once drained, the buffer takes messages again from position 0.
  logToBuffer("after|");
  drainNow();
  EXPECT_EQ(testhost::takePrinted(), "after|");
}

}  // namespace
