// The two key queues and the keyboard services that read them.
#include <gtest/gtest.h>

#include "harness.h"
#include "runtime.h"

namespace {

TEST(KeyEventQueue, EmptyReadsZero) {
  platform::KeyEventQueue queue;
  EXPECT_EQ(queue.pop(), 0);
}

TEST(KeyEventQueue, KeepsTheNewest8192WhenOverfilled) {
  platform::KeyEventQueue queue;
  for (int code = 1; code <= 100'000; ++code) queue.push(code);
  EXPECT_EQ(queue.pop(), 100'000 - 8192 + 1);
  int last = 0, count = 1;
  for (int code; (code = queue.pop()) != 0; ++count) last = code;
  EXPECT_EQ(count, 8192);
  EXPECT_EQ(last, 100'000);
}

TEST(KeyboardBuffer, HoldsFifteenAndDropsTheSixteenth) {
  platform::KeyboardBuffer buffer;
  for (int i = 1; i <= 16; ++i) {
    EXPECT_EQ(buffer.push({static_cast<std::uint8_t>('a' + i - 1), 0}), i <= 15) << i;
  }
  platform::BufferedKey key;
  std::string read;
  while (buffer.pop(key)) read += static_cast<char>(key.character);
  EXPECT_EQ(read, "abcdefghijklmno");
  EXPECT_TRUE(buffer.push({'z', 0}));  // room again once read
}

TEST(KeyServices, PressAndReleaseFeedBothQueues) {
  platform::HeadlessSession session;
  session.host.key_now(platform::typed_key('a'));
  session.host.key_now(platform::usb_key(58));  // F1
  EXPECT_EQ(key_read_code(), 97);
  EXPECT_EQ(key_read_code(), -97);
  EXPECT_EQ(key_read_code(), 15104);
  EXPECT_EQ(key_read_code(), -15104);
  EXPECT_EQ(key_read_code(), 0);
  EXPECT_EQ(key_read_char(), "a");
  EXPECT_EQ(key_read_char(), std::string("\0\x3B", 2));
  EXPECT_EQ(key_read_char(), "");
}

TEST(KeyServices, ReadingOneQueueLeavesTheOther) {
  platform::HeadlessSession session;
  session.host.key_now(platform::typed_key('x'));
  EXPECT_EQ(key_read_char(), "x");
  EXPECT_EQ(key_read_code(), 'x');
}

TEST(KeyServices, KeyWaitReturnsOnAKeyWithoutSpinningTime) {
  platform::HeadlessSession session;
  session.host.key(5000, platform::typed_key('k'));
  key_wait(60'000);
  EXPECT_EQ(session.host.now(), 5000);
  EXPECT_EQ(key_read_char(), "k");
  key_wait(250);  // nothing more: times out after 250 ms
  EXPECT_EQ(session.host.now(), 5250);
}

}  // namespace
