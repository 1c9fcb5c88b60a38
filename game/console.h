// The game's ways of printing and of waiting for keys, each one call in the game's code.
#pragma once

#include <span>
#include <string_view>

#include "runtime.h"

namespace game {

// One item at the cursor followed by a newline (moved whole to the next row if it does
// not fit the rest of this one).
void print_line(std::string_view text);
// One item at the cursor, no newline.
void print_text(std::string_view text);
void print_empty_line();
// Each line as one item with a newline; "" gives an empty line.
void print_lines(std::span<const std::string_view> lines);

// Takes keys from the keyboard buffer until it is empty.
void empty_keyboard_buffer();
// Waits for a key in the keyboard buffer and takes it.
RtString wait_for_key();

}  // namespace game
