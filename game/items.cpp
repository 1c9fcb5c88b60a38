// Examine pages, taking an item, and the victory screen.
#include "commands.h"
#include "console.h"
#include "story_text.h"

namespace game {

void show_examine_page(std::span<const std::string_view> page) {
  scr_clear();
  print_lines(page);
  empty_keyboard_buffer();
  wait_for_key();
}

void take_item(float& flag, std::string_view message) {
  flag = 1;
  print_line(message);
}

void Game::show_victory() {
  scr_color(15, 0);
  scr_clear();
  print_lines(story::victory);
  wait_for_key();
  rt_end_program();
}

}  // namespace game
