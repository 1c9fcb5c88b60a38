// The key queues with a real writer thread and a reader thread, as in the windowed game.
#include <gtest/gtest.h>

#include <thread>

#include "key_queues.h"

namespace {

TEST(KeyQueuesAcrossThreads, EventQueueDeliversInOrderWithoutLoss) {
  platform::KeyEventQueue queue;
  constexpr int kCodes = 200'000;
  std::thread writer([&] {
    for (int code = 1; code <= kCodes; ++code) queue.push(code);
  });
  int last = 0;
  while (last < kCodes) {
    const int code = queue.pop();
    if (code == 0) continue;
    ASSERT_GT(code, last);  // in order; older codes may have been overwritten, never repeated
    last = code;
  }
  writer.join();
  EXPECT_EQ(last, kCodes);
}

TEST(KeyQueuesAcrossThreads, KeyboardBufferNeverDuplicatesOrReorders) {
  platform::KeyboardBuffer buffer;
  constexpr int kKeys = 50'000;
  std::thread writer([&] {
    for (int i = 0; i < kKeys; ++i) {
      while (!buffer.push({static_cast<std::uint8_t>(i & 0xFF), static_cast<std::uint8_t>(i >> 8 & 0xFF)})) {
        std::this_thread::yield();
      }
    }
  });
  for (int expected = 0; expected < kKeys;) {
    platform::BufferedKey key;
    if (!buffer.pop(key)) continue;
    ASSERT_EQ(key.character | key.scan << 8, expected & 0xFFFF);
    ++expected;
  }
  writer.join();
}

}  // namespace
