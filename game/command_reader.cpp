// The timed command reader with its countdown, and the game-over screen it leads to.
#include <cmath>
#include <cstdint>

#include "console.h"
#include "game.h"
#include "story_text.h"

namespace game {

namespace {

constexpr int kPassesPerSecond = 30;
constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kSpace = 32;
constexpr int kCountdownRow = 2;
constexpr int kCountdownColumn = 32;
const RtString kCountdownFormat = " [  ####:##  ]";

// Throws away every waiting key code and keyboard-buffer entry.
void empty_key_queues() {
  float key_code = 0;
  RtString second;
  do {
    key_code = static_cast<float>(key_read_code());
    key_read_char();
    second = key_read_char();
  } while (!(key_code == 0 && second.empty()));
}

bool is_letter_or_space(float code) {
  return (code >= 65 && code <= 90) || (code >= 97 && code <= 122) || code == kSpace;
}

RtString edited(const RtString& typed_text, float key_code) {
  if (key_code == kBackspace) return str_left(typed_text, static_cast<int>(typed_text.size()) - 1);
  if (is_letter_or_space(key_code))
    return str_upper(str_concat(typed_text, str_chr(static_cast<int>(key_code))));
  return typed_text;
}

// " [  mmmm:ss  ]" on row 2: whole minutes from the rounded seconds, and what is left of
// the seconds (-0.5 to 59.5) rounded by the field.
void show_countdown(double seconds_left) {
  const auto rounded = static_cast<std::int64_t>(std::nearbyint(seconds_left));
  const auto minutes_shown = static_cast<float>(rounded / 60);
  const auto seconds_shown = static_cast<float>(static_cast<long double>(seconds_left) -
                                                static_cast<long double>(minutes_shown * 60.0f));
  RtString countdown;
  const int next_field = scr_print_formatted_single(kCountdownFormat, minutes_shown, 0, countdown);
  scr_print_formatted_single(kCountdownFormat, seconds_shown, next_field, countdown);
  scr_locate(kCountdownRow, kCountdownColumn);
  print_line(countdown);
}

}  // namespace

RtString Game::read_command() {
  const auto prompt_col = static_cast<float>(scr_cursor_column());
  const auto prompt_row = static_cast<float>(scr_cursor_row());
  scr_copy_page(0, 1);
  empty_key_queues();
  RtString typed_text;
  float key_code = 0;
  do {
    time_limit(kPassesPerSecond);
    scr_copy_page(1, 0);
    scr_locate(static_cast<int>(prompt_row), static_cast<int>(prompt_col));
    print_line(typed_text);
    key_code = static_cast<float>(key_read_code());
    typed_text = edited(typed_text, key_code);
    const double seconds_left = deadline_timer - time_of_day(0.1);
    show_countdown(seconds_left);
    if (seconds_left <= 0) show_game_over();
    scr_display();
  } while (key_code != kEnter);
  scr_auto_display();
  return typed_text;
}

void Game::show_game_over() {
  scr_clear();
  print_lines(story::game_over);
  scr_display();
  rt_end_program();
}

}  // namespace game
