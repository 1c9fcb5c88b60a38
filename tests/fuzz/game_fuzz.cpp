// Fuzzes the whole game in the headless front end with random key codes and characters at
// random times. The game must never crash, `current_room` must stay within 1 to 58, and
// every frame it shows must be one of the screens the game draws.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game.h"
#include "headless.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

// Whether two pages hold the same cells (a Cell is three bytes, with no padding).
static_assert(sizeof(platform::Cell) == 3);
bool same_cells(const platform::Page& a, const platform::Page& b) {
  return a.cells.size() == b.cells.size() &&
         std::memcmp(a.cells.data(), b.cells.data(), a.cells.size() * sizeof(platform::Cell)) == 0;
}

// One of the game's screens: prologue, main screen, help, inventory, examine pages,
// farewell, victory or game over.
bool known_screen(const platform::Frame& frame) {
  std::array<std::string, 30> rows;
  for (int row = 1; row <= 30; ++row) rows[row - 1] = frame.row(row);
  const auto any_row = [&](const std::string& text) {
    return std::any_of(rows.begin(), rows.end(),
                       [&](const std::string& row) { return row.find(text) != row.npos; });
  };
  const std::string underscores(79, '_');
  return rows[4].starts_with("__Prologue") || any_row("THE VALEWARDEN SAGA") ||
         any_row("If you are stuck just type HELP.") || rows[1].starts_with(underscores) ||
         rows[0].starts_with("INVENTORY...") || rows[0].starts_with(underscores) || rows[0].starts_with("__");
}

// Schedules the keys the input describes, three bytes a key: the gap in milliseconds since
// the previous key, its kind and a value. Returns the time of the last key.
std::int64_t script_keys(platform::HeadlessHost& host, const std::uint8_t* data, std::size_t size) {
  std::int64_t at = 0;
  for (std::size_t i = 0; i + 2 < size; i += 3) {
    at += data[i];
    const std::uint8_t kind = data[i + 1];
    const std::uint8_t value = data[i + 2];
    if (kind < 160) {
      host.key(at, platform::typed_key(static_cast<char>(value % 95 + 32)), kind % 40);
    } else if (kind < 200) {
      host.key(at, platform::typed_key(kind < 180 ? '\r' : '\b'), value % 60);
    } else {
      // Any key with any modifiers, some with a text event of their own.
      platform::ScriptedKey key =
          platform::usb_key(value, {kind % 2 == 0, kind % 3 == 0, kind % 5 == 0, kind % 7 == 0});
      if (kind % 4 == 0) key.text = std::string(1, static_cast<char>(value));
      host.key(at, key, kind % 50);
    }
  }
  return at;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::HeadlessSession session;
  game::Game game;
  session.host.end_run_at(script_keys(session.host, data, size) + 500);
  session.host.keep_frames(0);
  platform::Page checked;  // the last frame checked: a frame identical to it needs no new look
  session.host.on_frame([&](const platform::Frame& frame) {
    check(game.current_room == 0 || (game.current_room >= 1 && game.current_room <= 58));
    if (same_cells(frame.page, checked)) return;
    check(known_screen(frame));
    checked = frame.page;
  });
  const int code = session.run([&] { game.main(); });
  check(code == 0 || code == -1);
  check(game.current_room >= 1 && game.current_room <= 58);
  return 0;
}
