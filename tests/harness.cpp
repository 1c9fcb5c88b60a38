#include "harness.h"

namespace testing_support {

std::string full_row(std::string_view text) {
  std::string row(text);
  row.resize(80, ' ');
  return row;
}

RoomSession::RoomSession(float room, float spear, float shield, double seconds_left) {
  scr_set_mode(12);
  scr_color(15, 0);
  game.fill_room_exits();
  game.has_lantern = game.has_sword = 1;
  game.current_room = room;
  game.has_silver_spear = spear;
  game.has_shield_of_virtue = shield;
  game.deadline_timer = time_of_day(0.1) + seconds_left;
  game.draw_main_screen();
  game.describe_room();
}

int RoomSession::play() {
  return run([this] {
    for (;;) {
      game.run_command();
      game.draw_main_screen();
      game.describe_room();
    }
  });
}

std::int64_t GameSession::start(std::int64_t at_ms) {
  host.key(at_ms, platform::typed_key('\r'));
  host.key(at_ms + 1000, platform::typed_key('\r'));
  return at_ms + 2000;
}

PromptSession::PromptSession(double seconds_left) : RoomSession(1, 0, 0, seconds_left) {
  scr_print_string("> ", 0);
}

std::string PromptSession::read() {
  std::string text = "<ended>";
  exit_code = run([&] { text = game.read_command(); });
  return text;
}

std::int64_t type_command(platform::HeadlessHost& host, std::int64_t at_ms, std::string_view line) {
  const std::int64_t after = host.type(at_ms, line);
  host.key(after, platform::typed_key('\r'));
  return after + 500;
}

int GameSession::play() {
  exit_code = run([this] { game.main(); });
  return exit_code;
}

}  // namespace testing_support
