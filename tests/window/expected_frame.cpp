// Writes the frame our renderer makes for the screen that the game shows after the given
// keys, played in the headless front end. The window tests compare real captures with it.
// Usage: expected_frame OUT.ppm [KEY...]  (KEY: a character, Return, ctrl+Return, space,
// BackSpace, F1, KP_Home)
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "game.h"
#include "headless.h"
#include "render.h"

namespace {

platform::ScriptedKey stroke_of(std::string_view name) {
  if (name == "Return") return platform::typed_key('\r');
  if (name == "ctrl+Return") return platform::usb_key(40, {.ctrl = true});
  if (name == "space") return platform::typed_key(' ');
  if (name == "BackSpace") return platform::typed_key('\b');
  if (name == "F1") return platform::usb_key(58);
  if (name == "KP_Home") return platform::usb_key(95);  // keypad 7 with Num Lock off
  return platform::typed_key(name.empty() ? ' ' : name[0]);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: expected_frame OUT.ppm [KEY...]\n");
    return 2;
  }
  platform::HeadlessSession session;
  std::int64_t at = 500;
  for (int i = 2; i < argc; ++i, at += 300) session.host.key(at, stroke_of(argv[i]));
  session.host.end_run_at(at + 2000);
  game::Game game;
  const int code = session.run([&] { game.main(); });
  const platform::Page page = session.runtime.snapshot();
  std::vector<std::uint32_t> pixels;
  platform::render_page(page, pixels);
  std::ofstream out(argv[1], std::ios::binary);
  out << "P6\n" << page.columns * 8 << " " << page.rows * 16 << "\n255\n";
  for (std::uint32_t pixel : pixels) {
    const char rgb[3] = {static_cast<char>(pixel >> 16), static_cast<char>(pixel >> 8),
                         static_cast<char>(pixel)};
    out.write(rgb, 3);
  }
  for (int row = 0; row < page.rows; ++row)
    std::fprintf(stderr, "%2d|%s|\n", row + 1, page.row_text(row).c_str());
  std::fprintf(stderr, "exit: %d\n", code);
  return 0;
}
