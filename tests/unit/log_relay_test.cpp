// The log buffer: what is kept, doubled, dropped and printed. Logging from
// the solver's threads while the caller drains runs in the gateway's tests,
// under TSan too.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

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

}  // namespace
