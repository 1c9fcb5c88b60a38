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
// Once the reader has found the buffer empty, the repeats of a key held since before then
// stay out until the key is pressed again, so that a wait that empties the buffer first ends
// only on a new press. The reader counts the times it finds the buffer empty; a repeat
// enters, and is taken, only while that count stands where it stood at its key's press.
class KeyboardBuffer {
 public:
  static constexpr int kSlots = 16;

  // Writer; false when the key was dropped. `repeat`: the key was already down.
  bool push(BufferedKey key, bool repeat = false);
  bool pop(BufferedKey& key);  // reader; false when empty
  bool empty() const;

 private:
  // Each slot: the character, the scan code, whether it is a repeat, and the count of empty
  // reads at its key's press.
  std::array<std::atomic<std::uint64_t>, kSlots> slots_{};
  std::atomic<int> head_{0};                               // next to read; written by the reader
  std::atomic<int> tail_{0};                               // next to write; written by the writer
  std::atomic<std::uint32_t> empty_reads_{0};              // written by the reader
  std::array<std::uint32_t, 256> empty_reads_at_press_{};  // by scan code; the writer's own
};

// What one key press gives the two queues: its key-event code and, unless the key only
// changes the state of Shift, Ctrl, Alt or a lock, its keyboard-buffer entry.
struct KeyPress {
  std::int32_t code = 0;
  BufferedKey entry;
  bool buffered = true;
  bool repeat = false;  // the key was already down
  bool operator==(const KeyPress&) const = default;
};

}  // namespace platform
