// The map: for each room and direction, the neighbouring room, or none.
#pragma once

#include <array>
#include <string_view>

#include "game.h"

namespace game {

enum class Direction { north, east, south, west };
constexpr std::array<Direction, 4> kDirections = {Direction::north, Direction::east, Direction::south,
                                                  Direction::west};

// The room that `direction` leads to from `room`, or 0 when there is no exit that way.
int neighbour(int room, Direction direction);

}  // namespace game
