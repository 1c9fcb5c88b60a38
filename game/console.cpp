#include "console.h"

namespace game {

namespace {
constexpr int kKeyPollMs = 100;
}

void print_line(std::string_view text) {
  print_text(text);
  scr_print_string({}, 1);
}

void print_text(std::string_view text) {
  const RtString item(text);
  scr_print_fit_check(item);
  scr_print_string(item, 0);
}

void print_empty_line() { scr_print_string({}, 1); }

void print_lines(std::span<const std::string_view> lines) {
  for (std::string_view line : lines) print_line(line);
}

void empty_keyboard_buffer() {
  while (!key_read_char().empty()) {
  }
}

RtString wait_for_key() {
  RtString key;
  while ((key = key_read_char()).empty()) key_wait(kKeyPollMs);
  return key;
}

}  // namespace game
