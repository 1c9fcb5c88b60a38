// The command table: each row's words, the condition on the game's state, what it does and
// how testing goes on after it.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "game.h"

namespace game {

enum class Continuation {
  carry_on,        // go on testing the rows after it
  return_at_once,  // a move: run_command returns straight away
  never_returns,   // the program ends
};

struct CommandRow {
  std::array<std::string_view, 4> words;  // unused entries are empty
  bool (*condition)(const Game&);         // nullptr: none
  void (*effect)(Game&);
  Continuation continuation;
};

// The sixteen rows in their testing order.
std::span<const CommandRow> command_table();

// Screens and effects that the rows use.
[[noreturn]] void show_farewell();
void show_help();
void show_inventory(const Game& game);
void show_examine_page(std::span<const std::string_view> page);
void take_item(float& flag, std::string_view message);

}  // namespace game
