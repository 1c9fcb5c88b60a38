// Fuzzes the whole game in the headless front end with random key codes and characters at
// random times. The game must never crash, `current_room` must stay within 1 to 58, and
// every frame it shows must be one of the screens the game draws.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game.h"
#include "headless.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

bool any_row(const platform::Frame& frame, const std::string& text) {
  for (int row = 1; row <= 30; ++row) {
    if (frame.row(row).find(text) != std::string::npos) return true;
  }
  return false;
}

// One of the game's screens: prologue, main screen, help, inventory, examine pages,
// farewell, victory or game over.
bool known_screen(const platform::Frame& frame) {
  const std::string first = frame.row(1);
  return frame.row(5).starts_with("__Prologue") || any_row(frame, "THE VALEWARDEN SAGA") ||
         any_row(frame, "If you are stuck just type HELP.") ||
         frame.row(2).starts_with(std::string(79, '_')) || first.starts_with("INVENTORY...") ||
         first.starts_with(std::string(79, '_')) || first.starts_with("__");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::HeadlessSession session;
  game::Game game;
  std::int64_t at = 0;
  for (std::size_t i = 0; i + 2 < size; i += 3) {
    at += data[i] * 8;
    const std::uint8_t kind = data[i + 1];
    const std::uint8_t value = data[i + 2];
    if (kind < 160) {
      session.host.key(at, platform::typed_key(static_cast<char>(value % 95 + 32)), kind % 40);
    } else if (kind < 200) {
      session.host.key(at, platform::typed_key(kind < 180 ? '\r' : '\b'), value % 60);
    } else {
      session.host.key(at,
                       platform::KeyStroke{value % 0x59, kind % 2 == 0 ? 0 : value, kind % 3 == 0, false});
    }
  }
  session.host.end_run_at(at + 2000);
  session.host.on_frame([&](const platform::Frame& frame) {
    check(known_screen(frame));
    check(game.current_room == 0 || (game.current_room >= 1 && game.current_room <= 58));
  });
  const int code = session.run([&] { game.main(); });
  check(code == 0 || code == -1);
  check(game.current_room >= 1 && game.current_room <= 58);
  return 0;
}
