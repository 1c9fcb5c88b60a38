// Test helpers: a headless game session with scripted keys and a readable screen.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "game.h"
#include "headless.h"

namespace testing_support {

constexpr std::int64_t kHour = 3600LL * 1000;

// The rows of a page as text, 1-based: rows[1] is row 1.
std::vector<std::string> rows_of(const platform::Page& page);
// `text` padded with spaces to a full 80-column row.
std::string full_row(std::string_view text);

// A game run in the headless front end. The two keys that start the game are typed at 1 s
// and 2 s; commands after that, each line followed by Enter.
struct GameSession : platform::HeadlessSession {
  explicit GameSession(std::int64_t wall_ms = 10 * kHour) : HeadlessSession(wall_ms) {}
  game::Game game;
  int exit_code = 0;

  // Types the prologue's two keys; returns the time after them.
  std::int64_t start(std::int64_t at_ms = 1000);
  // Types `line` and Enter from `at_ms`; returns the time after it.
  std::int64_t command(std::int64_t at_ms, std::string_view line);
  // Runs the game until it ends or the script runs out; returns the exit code (-1: still going).
  int play();
  // The rows of the frame shown last (1-based).
  std::vector<std::string> last_frame() const;
};

}  // namespace testing_support
