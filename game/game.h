// The game: its shared variables and the routines that work on them. The routines take no
// arguments and read and write the variables below; two give a result: read_command the
// command typed, current_room_exits the current room's exits text.
#pragma once

#include <array>

#include "runtime.h"

namespace game {

constexpr int kRoomCount = 58;

class Game {
 public:
  // The start-up, then the main loop; ends only by ending the program.
  [[noreturn]] void main();

  // ---- The shared variables (all 0 or empty until the start-up sets them) ----
  float current_room = 0;
  float has_lantern = 0;
  float has_sword = 0;
  float has_silver_spear = 0;
  float has_shield_of_virtue = 0;
  float time_limit_minutes = 0;
  float time_limit_extra_seconds = 0;
  float time_limit_seconds = 0;
  double deadline_timer = 0;                        // time of day at which time runs out
  std::array<RtString, kRoomCount + 1> room_exits;  // elements 1 to 58
  RtString command_text;

  // ---- Start-up ----
  void start_up();  // everything up to and including the two key waits and the deadline
  void fill_room_exits();
  void show_prologue();

  // ---- Main screen ----
  void draw_main_screen();
  void draw_compass();
  // The exits text of the current room (runtime error 9 outside rooms 1 to 58).
  RtString current_room_exits();
  void describe_room();

  // ---- Commands ----
  void run_command();
  RtString read_command();
  [[noreturn]] void show_game_over();
  [[noreturn]] void show_victory();
};

// The start routine of the game thread.
[[noreturn]] void game_main();

}  // namespace game
