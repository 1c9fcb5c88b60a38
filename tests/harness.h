// Test helpers: a headless game session with scripted keys and a readable screen.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "game.h"
#include "headless.h"

namespace testing_support {

constexpr std::int64_t kHour = 3600LL * 1000;

// `text` padded with spaces to a full 80-column row.
std::string full_row(std::string_view text);

// Types `line` and then Enter from `at_ms`; returns the time after it.
std::int64_t type_command(platform::HeadlessHost& host, std::int64_t at_ms, std::string_view line);

// A game standing in `room` holding the items given, its deadline `seconds_left` ahead, with
// the main screen drawn as a pass of the main loop draws it before the prompt.
struct RoomSession : platform::HeadlessSession {
  explicit RoomSession(float room, float spear = 0, float shield = 0, double seconds_left = 7200);
  // Types `line` and Enter from `at_ms`; returns the time after it.
  std::int64_t command(std::int64_t at_ms, std::string_view line) { return type_command(host, at_ms, line); }
  // Runs the main loop from here until the program ends or the script runs out.
  int play();
  game::Game game;
};

// Room 1's main screen with the prompt printed, as the command reader finds it.
struct PromptSession : RoomSession {
  explicit PromptSession(double seconds_left = 7200);
  // Runs the reader; returns its text, or "<ended>" when the program ended in it.
  std::string read();
  int exit_code = 0;
};

// A game run in the headless front end. The two keys that start the game are typed at 1 s
// and 2 s; commands after that, each line followed by Enter.
struct GameSession : platform::HeadlessSession {
  explicit GameSession(std::int64_t wall_ms = 10 * kHour) : HeadlessSession(wall_ms) {}
  game::Game game;
  int exit_code = 0;

  // Types the prologue's two keys; returns the time after them.
  std::int64_t start(std::int64_t at_ms = 1000);
  // Types `line` and Enter from `at_ms`; returns the time after it.
  std::int64_t command(std::int64_t at_ms, std::string_view line) { return type_command(host, at_ms, line); }
  // Runs the game until it ends or the script runs out; returns the exit code (-1: still going).
  int play();
};

}  // namespace testing_support
