// The game's start-up: window, screen, the state's start values, the prologue and the two
// key presses that start the clock.
#include "console.h"
#include "game.h"
#include "story_text.h"

namespace game {

namespace {

// The directions that lead out of each room, for the compass; never printed.
// clang-format off
constexpr std::array<std::string_view, kRoomCount> kRoomExits = {
    /*  1- 4 */ "SOUTH", "NORTH, SOUTH, OR EAST", "NORTH OR EAST", "WEST OR SOUTH",
    /*  5- 8 */ "NORTH, SOUTH, EAST, OR WEST", "NORTH OR SOUTH", "NORTH OR WEST", "EAST OR WEST",
    /*  9-12 */ "NORTH OR EAST", "NORTH OR SOUTH", "EAST OR SOUTH", "EAST OR WEST",
    /* 13-16 */ "EAST OR WEST", "NORTH, SOUTH, EAST, OR WEST", "SOUTH", "NORTH OR WEST",
    /* 17-20 */ "NORTH OR SOUTH", "WEST OR SOUTH", "EAST", "WEST",
    /* 21-24 */ "EAST OR WEST", "NORTH OR SOUTH", "NORTH OR SOUTH", "NORTH OR SOUTH",
    /* 25-28 */ "NORTH, EAST OR WEST", "WEST OR SOUTH", "NORTH OR SOUTH", "NORTH OR WEST",
    /* 29-32 */ "EAST, WEST, OR SOUTH", "NORTH OR EAST", "NORTH, SOUTH, OR WEST", "EAST OR SOUTH",
    /* 33-36 */ "EAST OR WEST", "NORTH, SOUTH, OR EAST", "NORTH", "WEST OR SOUTH",
    /* 37-40 */ "EAST OR WEST", "EAST OR SOUTH", "NORTH OR SOUTH", "EAST OR NORTH",
    /* 41-44 */ "WEST OR SOUTH", "NORTH OR SOUTH", "NORTH, SOUTH, OR EAST", "NORTH, EAST, OR WEST",
    /* 45-48 */ "NORTH OR WEST", "EAST, WEST, OR SOUTH", "EAST OR WEST", "EAST, WEST, OR SOUTH",
    /* 49-52 */ "NORTH OR WEST", "NORTH OR SOUTH", "NORTH OR SOUTH", "NORTH OR SOUTH",
    /* 53-56 */ "NORTH OR WEST", "EAST", "WEST", "NORTH OR EAST",
    /* 57-58 */ "NORTH OR SOUTH", "EAST OR SOUTH",
};
// clang-format on

constexpr int kScreenMode = 12;
constexpr int kBrightWhite = 15;
constexpr int kBlack = 0;

}  // namespace

void Game::start_up() {
  scr_title(str_concat(str_concat("The Valewarden Saga", " - "), "v1.0"));
  current_room = 1;
  scr_set_mode(kScreenMode);
  scr_color(kBrightWhite, kBlack);
  scr_clear();
  scr_icon();
  has_lantern = 1;
  has_sword = 1;
  has_silver_spear = 0;
  has_shield_of_virtue = 0;
  time_limit_minutes = 120;
  time_limit_extra_seconds = 0;
  time_limit_seconds = time_limit_extra_seconds + time_limit_minutes * 60.0f;
  fill_room_exits();
  show_prologue();
  wait_for_key();
  wait_for_key();
  deadline_timer = time_of_day(0.1) + static_cast<double>(time_limit_seconds);
}

void Game::fill_room_exits() {
  for (int room = 1; room <= kRoomCount; ++room) room_exits[room] = RtString(kRoomExits[room - 1]);
}

void Game::show_prologue() { print_lines(story::prologue); }

void Game::main() {
  start_up();
  for (;;) {
    draw_main_screen();
    describe_room();
    run_command();
  }
}

void game_main() {
  Game game;
  game.main();
}

}  // namespace game
