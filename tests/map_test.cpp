// The map: its neighbours, the exits texts that the compass reads, and walking it.
#include "map.h"

#include <gtest/gtest.h>

#include <deque>

#include "harness.h"

namespace {

using game::Direction;
using game::kDirections;
using game::neighbour;
using testing_support::GameSession;

Direction opposite(Direction direction) {
  switch (direction) {
    case Direction::north: return Direction::south;
    case Direction::south: return Direction::north;
    case Direction::east: return Direction::west;
    case Direction::west: return Direction::east;
  }
  return direction;
}

const char* word_of(Direction direction) {
  static const char* const kWords[] = {"NORTH", "EAST", "SOUTH", "WEST"};
  return kWords[static_cast<int>(direction)];
}

TEST(Map, EveryMoveCanBeUndone) {
  for (int room = 1; room <= 58; ++room) {
    for (Direction direction : kDirections) {
      const int next = neighbour(room, direction);
      if (next != 0) {
        EXPECT_EQ(neighbour(next, opposite(direction)), room) << room << " " << word_of(direction);
      }
    }
  }
}

TEST(Map, CompassLettersAreExactlyTheDirectionsWithANeighbour) {
  game::Game g;
  g.fill_room_exits();
  for (int room = 1; room <= 58; ++room) {
    for (Direction direction : kDirections) {
      const bool named = str_find(g.room_exits[static_cast<std::size_t>(room)], word_of(direction)) != 0;
      EXPECT_EQ(named, neighbour(room, direction) != 0) << room << " " << word_of(direction);
    }
  }
}

// Shortest walks by breadth-first search over the table.
int shortest_walk(int from, int to) {
  std::vector<int> steps(59, -1);
  std::deque<int> queue{from};
  steps[static_cast<std::size_t>(from)] = 0;
  while (!queue.empty()) {
    const int room = queue.front();
    queue.pop_front();
    for (Direction direction : kDirections) {
      const int next = neighbour(room, direction);
      if (next != 0 && steps[static_cast<std::size_t>(next)] < 0) {
        steps[static_cast<std::size_t>(next)] = steps[static_cast<std::size_t>(room)] + 1;
        queue.push_back(next);
      }
    }
  }
  return steps[static_cast<std::size_t>(to)];
}

TEST(Map, EveryRoomIsReachableAndTheKeyWalksHaveTheirLengths) {
  for (int room = 1; room <= 58; ++room) EXPECT_GE(shortest_walk(1, room), 0) << room;
  EXPECT_EQ(shortest_walk(1, 15), 7);
  EXPECT_EQ(shortest_walk(1, 33), 13);
  EXPECT_EQ(shortest_walk(33, 55), 14);
}

TEST(Map, RoomsWithOneExitAndWithFour) {
  std::vector<int> one, four;
  for (int room = 1; room <= 58; ++room) {
    int exits = 0;
    for (Direction direction : kDirections) exits += neighbour(room, direction) != 0;
    if (exits == 1) one.push_back(room);
    if (exits == 4) four.push_back(room);
  }
  EXPECT_EQ(one, (std::vector<int>{1, 15, 19, 20, 35, 54, 55}));
  EXPECT_EQ(four, (std::vector<int>{5, 14}));
}

TEST(Movement, EachCommandMovesOneStep) {
  const struct {
    std::vector<const char*> commands;
    float room;
  } cases[] = {
      {{"south"}, 2},
      {{"  north  "}, 1},  // no way north from room 1
      {{"s", "s", "n"}, 2},
      {{"go south", "SOUTH", "n", "n"}, 1},
      {{"s", "s", "e", "s", "e", "e", "n"}, 15},
      {{"s", "e", "e", "w", "w"}, 2},
      {{"s", "go  south"}, 2},
      {{"s", "west", "go east"}, 21},
  };
  for (const auto& c : cases) {
    GameSession session;
    std::int64_t at = session.start();
    for (const char* command : c.commands) at = session.command(at, command);
    EXPECT_EQ(session.play(), -1);
    EXPECT_EQ(session.game.current_room, c.room) << c.commands.size();
  }
}

TEST(Movement, WalkingEveryExitOfEveryRoomThroughTheDispatcher) {
  for (int room = 1; room <= 58; ++room) {
    for (Direction direction : kDirections) {
      testing_support::RoomSession session(static_cast<float>(room));
      session.host.type(100, std::string(word_of(direction)) + "\r");
      session.run([&] { session.game.run_command(); });
      const int expected = neighbour(room, direction) != 0 ? neighbour(room, direction) : room;
      EXPECT_EQ(session.game.current_room, static_cast<float>(expected)) << room << " " << word_of(direction);
    }
  }
}

}  // namespace
