// The main screen: title box, compass of the current room's exits, hint, and the room.
#include <cmath>

#include "console.h"
#include "game.h"
#include "rooms.h"

namespace game {

namespace {
constexpr std::string_view kTitleBoxEdge = "            +----------------------------+";
constexpr std::string_view kTitleBoxMiddle =
    "            \xA6"
    "    THE VALEWARDEN SAGA     "
    "\xA6";
constexpr std::string_view kCompassWall = "][][][][][][][][][][][][][][][][][] ";
constexpr std::string_view kCompassEastWall = " ][][][][][][][][][][][][][][][][][][][";
constexpr int kCompassIndent = 38;
}  // namespace

void Game::draw_main_screen() {
  scr_clear();
  for (int i = 0; i < 5; ++i) print_empty_line();
  print_line(kTitleBoxEdge);
  print_line(kTitleBoxMiddle);
  print_line(kTitleBoxEdge);
  for (int i = 0; i < 3; ++i) print_empty_line();
  draw_compass();
  print_empty_line();
  print_line("If you are stuck just type HELP.");
  print_empty_line();
}

RtString Game::current_room_exits() {
  const int index = static_cast<int>(std::nearbyint(current_room));
  if (index < 1 || index > kRoomCount) {
    rt_raise_error(rt_error::kSubscriptOutOfRange);
    return {};
  }
  return room_exits[index];
}

void Game::draw_compass() {
  auto leads = [this](const char* direction) { return str_find(current_room_exits(), direction) != 0; };
  print_text(str_space(kCompassIndent));
  print_line(leads("NORTH") ? "N" : "");
  print_text(kCompassWall);
  print_text(leads("WEST") ? "W" : " ");
  print_text(" + ");
  print_text(leads("EAST") ? "E" : " ");
  print_text(kCompassEastWall);
  print_empty_line();
  print_text(str_space(kCompassIndent));
  print_line(leads("SOUTH") ? "S" : "");
}

void Game::describe_room() {
  for (int room = 1; room <= kRoomCount; ++room) {
    if (current_room == static_cast<float>(room)) print_room(room, *this);
  }
}

}  // namespace game
