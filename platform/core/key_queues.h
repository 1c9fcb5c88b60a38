// The two key queues. Each has one writer (the window thread) and one reader (the game
// thread) and no lock: a code or entry becomes visible to the reader once it is complete.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace platform {

// Ring of the newest 8192 key codes; when full, a new code overwrites the oldest.
class KeyEventQueue {
 public:
  static constexpr std::uint64_t kCapacity = 8192;

  void push(std::int32_t code);  // writer
  std::int32_t pop();            // reader; 0 when empty

 private:
  // Storage twice the capacity: a slot is reused only after kCapacity more codes than the
  // ring holds, so a reader that re-checks the write count never returns a reused slot.
  static constexpr std::uint64_t kSlots = kCapacity * 2;
  std::array<std::atomic<std::int32_t>, kSlots> slots_{};
  std::atomic<std::uint64_t> written_{0};
  std::uint64_t read_ = 0;
};

// One keyboard-buffer entry: a character code, or 0 and a scan code for a key without one.
struct BufferedKey {
  std::uint8_t character = 0;
  std::uint8_t scan = 0;
  bool operator==(const BufferedKey&) const = default;
};

// Sixteen slots of which fifteen are usable; when full, a new key is dropped.
class KeyboardBuffer {
 public:
  static constexpr int kSlots = 16;

  bool push(BufferedKey key);  // writer; false when the key was dropped
  bool pop(BufferedKey& key);  // reader; false when empty
  bool empty() const;

 private:
  std::array<std::atomic<std::uint16_t>, kSlots> slots_{};
  std::atomic<int> head_{0};  // next to read; written by the reader
  std::atomic<int> tail_{0};  // next to write; written by the writer
};

// What one key press gives the two queues: its key-event code and, unless the key only
// changes the state of Shift, Ctrl, Alt or a lock, its keyboard-buffer entry.
struct KeyPress {
  std::int32_t code = 0;
  BufferedKey entry;
  bool buffered = true;
  bool operator==(const KeyPress&) const = default;
};

}  // namespace platform
