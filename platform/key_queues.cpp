#include "key_queues.h"

#include <cctype>
#include <string_view>

namespace platform {

void KeyEventQueue::push(std::int32_t code) {
  const std::uint64_t position = written_.load(std::memory_order_relaxed);
  slots_[position % kSlots].store(code, std::memory_order_relaxed);
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

bool KeyboardBuffer::push(BufferedKey key) {
  const int tail = tail_.load(std::memory_order_relaxed);
  const int next = (tail + 1) % kSlots;
  if (next == head_.load(std::memory_order_acquire)) return false;
  slots_[tail].store(static_cast<std::uint16_t>(key.character | key.scan << 8), std::memory_order_relaxed);
  tail_.store(next, std::memory_order_release);
  return true;
}

bool KeyboardBuffer::pop(BufferedKey& key) {
  const int head = head_.load(std::memory_order_relaxed);
  if (head == tail_.load(std::memory_order_acquire)) return false;
  const std::uint16_t slot = slots_[head].load(std::memory_order_relaxed);
  key = BufferedKey{static_cast<std::uint8_t>(slot & 0xFF), static_cast<std::uint8_t>(slot >> 8)};
  head_.store((head + 1) % kSlots, std::memory_order_release);
  return true;
}

bool KeyboardBuffer::empty() const {
  return head_.load(std::memory_order_acquire) == tail_.load(std::memory_order_acquire);
}

std::int32_t key_code_of(const KeyStroke& key) {
  if (key.character == 0) return key.scan * 256;
  if (key.ctrl && key.character >= 1 && key.character <= 26) {
    if (key.character == 10) return 13;
    return key.character + (key.shift ? 64 : 96);
  }
  return key.character;
}

BufferedKey buffer_entry_of(const KeyStroke& key) {
  return BufferedKey{static_cast<std::uint8_t>(key.character), static_cast<std::uint8_t>(key.scan)};
}

KeyStroke typed_key(char character) {
  // Scan codes of the US keyboard's letter rows, in key order.
  static constexpr std::string_view kRows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
  static constexpr int kRowStart[] = {0x10, 0x1E, 0x2C};
  static constexpr std::string_view kDigits = "1234567890";
  KeyStroke key{0, static_cast<unsigned char>(character)};
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
  key.shift = std::isupper(static_cast<unsigned char>(character)) != 0;
  for (int row = 0; row < 3; ++row) {
    const auto at = kRows[row].find(lower);
    if (at != std::string_view::npos) key.scan = kRowStart[row] + static_cast<int>(at);
  }
  if (const auto at = kDigits.find(character); at != std::string_view::npos) {
    key.scan = 0x02 + static_cast<int>(at);
  }
  if (character == ' ') key.scan = 0x39;
  if (character == '\r' || character == '\n') key = KeyStroke{0x1C, 13};
  if (character == '\b') key = KeyStroke{0x0E, 8};
  return key;
}

}  // namespace platform

namespace platform {

int pc_scan_of_usb_usage(int usage) {
  // Letters a..z are usages 4..29; digits 1..9, 0 are 30..39.
  static constexpr std::uint8_t kLetters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                                0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                                0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
  if (usage >= 4 && usage <= 29) return kLetters[usage - 4];
  if (usage >= 30 && usage <= 39) return 0x02 + (usage - 30);
  if (usage >= 58 && usage <= 67) return 0x3B + (usage - 58);  // F1..F10
  struct Pair {
    int usage;
    int scan;
  };
  static constexpr Pair kOthers[] = {
      {40, 0x1C}, {41, 0x01}, {42, 0x0E}, {43, 0x0F}, {44, 0x39}, {45, 0x0C},  {46, 0x0D}, {47, 0x1A},
      {48, 0x1B}, {49, 0x2B}, {51, 0x27}, {52, 0x28}, {53, 0x29}, {54, 0x33},  {55, 0x34}, {56, 0x35},
      {68, 0x57}, {69, 0x58}, {73, 0x52}, {74, 0x47}, {75, 0x49}, {76, 0x53},  {77, 0x4F}, {78, 0x51},
      {79, 0x4D}, {80, 0x4B}, {81, 0x50}, {82, 0x48}, {88, 0x1C}, {100, 0x56},
  };
  for (const Pair& pair : kOthers) {
    if (pair.usage == usage) return pair.scan;
  }
  return 0;
}

}  // namespace platform
