#include "key_queues.h"

namespace platform {

namespace {
constexpr std::uint64_t kRepeatBit = 1 << 16;

std::uint64_t pack(BufferedKey key, bool repeat, std::uint32_t empty_reads_at_press) {
  return key.character | key.scan << 8 | (repeat ? kRepeatBit : 0) |
         std::uint64_t{empty_reads_at_press} << 32;
}
}  // namespace

void KeyEventQueue::push(std::int32_t code) {
  const std::uint64_t position = written_.load(std::memory_order_relaxed);
  // Release: a reader that reads this code then sees the write count reach its position, so
  // its re-check catches a reused slot.
  slots_[position % kSlots].store(code, std::memory_order_release);
  written_.store(position + 1, std::memory_order_release);
}

std::int32_t KeyEventQueue::pop() {
  for (;;) {
    const std::uint64_t written = written_.load(std::memory_order_acquire);
    if (read_ == written) return 0;
    if (written - read_ > kCapacity) read_ = written - kCapacity;  // the oldest were overwritten
    // Acquire keeps the re-check of the write count after the read of the slot.
    const std::int32_t code = slots_[read_ % kSlots].load(std::memory_order_acquire);
    if (written_.load(std::memory_order_acquire) - read_ >= kSlots) continue;  // slot reused
    ++read_;
    return code;
  }
}

bool KeyboardBuffer::push(BufferedKey key, bool repeat) {
  std::uint32_t& at_press = empty_reads_at_press_[key.scan];
  const std::uint32_t empty_reads = empty_reads_.load(std::memory_order_relaxed);
  if (!repeat) {
    at_press = empty_reads;
  } else if (at_press != empty_reads) {
    return false;  // found empty since the key's press
  }
  const int tail = tail_.load(std::memory_order_relaxed);
  const int next = (tail + 1) % kSlots;
  if (next == head_.load(std::memory_order_acquire)) return false;
  slots_[tail].store(pack(key, repeat, at_press), std::memory_order_relaxed);
  tail_.store(next, std::memory_order_release);
  return true;
}

bool KeyboardBuffer::pop(BufferedKey& key) {
  for (;;) {
    const int head = head_.load(std::memory_order_relaxed);
    if (head == tail_.load(std::memory_order_acquire)) {
      empty_reads_.store(empty_reads_.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
      return false;
    }
    const std::uint64_t slot = slots_[head].load(std::memory_order_relaxed);
    head_.store((head + 1) % kSlots, std::memory_order_release);
    // A repeat pushed while this reader found the buffer empty is dropped here.
    if ((slot & kRepeatBit) != 0 && slot >> 32 != empty_reads_.load(std::memory_order_relaxed)) continue;
    key = BufferedKey{static_cast<std::uint8_t>(slot & 0xFF), static_cast<std::uint8_t>(slot >> 8 & 0xFF)};
    return true;
  }
}

bool KeyboardBuffer::empty() const {
  return head_.load(std::memory_order_acquire) == tail_.load(std::memory_order_acquire);
}

}  // namespace platform
