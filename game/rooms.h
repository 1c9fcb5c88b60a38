// The 58 rooms as data, and the one routine that prints a room in the common layout:
// title bar, description lines, closing rule, and the item line while its item is there.
#pragma once

#include <array>
#include <string_view>

#include "game.h"

namespace game {

enum class RoomItem { none, silver_spear, shield_of_virtue };

struct Room {
  std::string_view title;
  int width;                              // of the title bar and the closing rule
  std::array<std::string_view, 6> lines;  // the description; unused entries are empty
  RoomItem item = RoomItem::none;
  std::string_view item_line = {};
};

// Rooms 1 to 58 at indices 0 to 57.
extern const std::array<Room, kRoomCount> kRooms;

// Prints room `number`'s description at the cursor.
void print_room(int number, const Game& game);

}  // namespace game
