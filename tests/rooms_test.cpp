// Every room record against its shape, and the room layout on the main screen.
#include "rooms.h"

#include <gtest/gtest.h>

#include <regex>
#include <vector>

#include "harness.h"

namespace {

using testing_support::full_row;

// Each room's title and the lengths of its description lines, as the rooms are laid out.
struct RoomShape {
  int room;
  const char* title;
  std::vector<std::size_t> lengths;
};

const RoomShape kRoomShapes[] = {
    {1, "The Stone Bridge", {80, 80, 74}},
    {2, "The Village Gate", {71, 70, 78, 36}},
    {3, "The Village Square", {75, 79, 80, 17}},
    {4, "The Stone CHapel", {80, 77, 56}},
    {5, "The Elder's Homestead", {79, 80, 63}},
    {6, "The Baker's Hearth", {79, 77, 57}},
    {7, "The Village Market", {78, 78, 39}},
    {8, "The Cobbler's Shop", {78, 79, 29}},
    {9, "The Weaver's Cottage", {76, 76, 60}},
    {10, "The Rusty Chalice Tavern", {80, 77, 26}},
    {11, "The Stables", {76, 77, 27}},
    {12, "The Grain Mill", {76, 78, 22}},
    {13, "The Fisherman's Shack", {77, 70, 44}},
    {14, "The Tanner's Hut", {79, 76, 52}},
    {15, "The Hermit's Garden", {74, 79, 12}},
    {16, "The Ruined Watchtower", {77, 79, 16}},
    {17, "The Willow Grove", {77, 77, 18}},
    {18, "The Forbidden Well", {78, 74}},
    {19, "The Bandit's Hollow", {79, 76, 25}},
    {20, "The Butcher's Yard", {78, 64}},
    {21, "The Village Blacksmith", {78, 78, 26}},
    {22, "The Unstable Crossing", {79, 78, 77, 71, 68}},
    {23, "The Shifting Midpoint", {77, 79, 68, 75, 78, 17}},
    {24, "The Final Span", {79, 79, 79, 76, 76}},
    {25, "The Smoldering Gate", {73, 77, 66}},
    {26, "The Ashen Courtyard", {77, 73, 74, 18}},
    {27, "The Collapsed Stable", {72, 77, 50}},
    {28, "The Ruined Entrance Hall", {73, 76, 47}},
    {29, "The Infernal Corridor", {72, 77, 51}},
    {30, "The Armory of Ash", {79, 79, 50}},
    {31, "The Blasted Banquet Hall", {74, 78, 58}},
    {32, "The Tower Stairwell", {78, 76, 38}},
    {33, "The Throne of Cinders", {71, 71, 68, 16}},
    {34, "The Obsidian Balcony", {74, 79, 51}},
    {35, "The Dungeon Descent", {77, 78, 39}},
    {36, "The Scalding Antechamber", {75, 78}},
    {37, "The Chained Pit", {76, 79, 51}},
    {38, "The Lava Chamber", {75, 78, 21}},
    {39, "The Infernal Vault", {76, 79, 61}},
    {40, "The Approach", {73, 79, 69}},
    {41, "The Pyre Room", {77, 78, 66}},
    {42, "Dragon's Lair Entrance", {79, 77, 55}},
    {43, "The Infernal Sanctum", {76, 77, 43}},
    {44, "The Fiery Rift", {75, 72, 31}},
    {45, "The Bone-Littered Passage", {71, 78, 76}},
    {46, "The Smoldering Maw", {77, 78, 62}},
    {47, "The Inferno's Antenchamber", {78, 79, 68}},
    {48, "The Collapsed Storeroom", {79, 73, 57}},
    {49, "The Shadowed Descent", {76, 72, 76}},
    {50, "The Molten Labyrinth", {78, 77, 49}},
    {51, "The Ember Veins", {76, 74, 56}},
    {52, "The Pyric Hollow", {76, 69, 76, 9}},
    {53, "The Shattered Bridge", {74, 73, 48}},
    {54, "The Searing Hall", {76, 78, 52}},
    {55, "The Dragon's Cradle", {77, 77, 66}},
    {56, "The Fireheart Pit", {73, 76, 59}},
    {57, "The Infernal Abyss", {78, 77, 52}},
    {58, "The Conflagration Chamber", {73, 76, 65}},
};

TEST(Rooms, EveryRecordHasItsShape) {
  const std::regex compass_word("\\b(north|south|east|west)\\w*", std::regex::icase);
  for (const RoomShape& shape : kRoomShapes) {
    const game::Room& room = game::kRooms[static_cast<std::size_t>(shape.room - 1)];
    SCOPED_TRACE("room " + std::to_string(shape.room));
    EXPECT_EQ(room.title, shape.title);
    EXPECT_EQ(room.width, shape.room <= 10 ? 80 : 79);
    EXPECT_LT(room.title.size() + 2, static_cast<std::size_t>(room.width));
    std::size_t count = 0;
    for (std::string_view line : room.lines) {
      if (line.empty()) continue;
      ASSERT_LT(count, shape.lengths.size());
      EXPECT_EQ(line.size(), shape.lengths[count]) << line;
      EXPECT_EQ(line.substr(0, 4), "    ");
      EXPECT_NE(line[4], ' ');
      const bool keeps_trailing_spaces = shape.room == 40 && count == 1;
      if (keeps_trailing_spaces) {
        EXPECT_EQ(line.substr(line.size() - 5), std::string(1, line[line.size() - 5]) + "    ");
      } else {
        EXPECT_NE(line.back(), ' ');
        EXPECT_EQ(line.substr(4).find("  "), std::string_view::npos) << line;
      }
      for (char byte : line) EXPECT_TRUE(byte >= 0x20 && byte <= 0x7E) << line;
      EXPECT_FALSE(std::regex_search(std::string(line), compass_word) && shape.room != 47) << line;
      ++count;
    }
    EXPECT_EQ(count, shape.lengths.size());
    const bool has_item = shape.room == 15 || shape.room == 33;
    EXPECT_EQ(room.item != game::RoomItem::none, has_item);
  }
}

TEST(Rooms, ItemLinesAreExact) {
  EXPECT_EQ(game::kRooms[14].item, game::RoomItem::silver_spear);
  EXPECT_EQ(game::kRooms[14].item_line, "/ The glimmering shine of a Silver Spear sticks out of the ground.");
  EXPECT_EQ(game::kRooms[32].item, game::RoomItem::shield_of_virtue);
  EXPECT_EQ(game::kRooms[32].item_line, "/ The Shield of Virtue is Clenched in the hands of a dead Knight.");
}

TEST(Rooms, TheDragonIsCapitalisedWhereItIsACharacter) {
  for (int room : {44, 50, 55, 56, 57, 58}) {
    std::string text;
    for (std::string_view line : game::kRooms[static_cast<std::size_t>(room - 1)].lines)
      text += std::string(line) + " ";
    EXPECT_NE(text.find("Dragon"), std::string::npos) << room;
    EXPECT_EQ(text.find("dragon"), std::string::npos) << room;
  }
}

// The room's block of the main screen: title bar on row 18, then lines, rule, item line.
std::vector<std::string> drawn_room(int room, float spear = 0, float shield = 0) {
  testing_support::RoomSession session(static_cast<float>(room), spear, shield);
  std::vector<std::string> rows;
  for (int r = 18; r < scr_cursor_row(); ++r) rows.push_back(session.row(r));
  return rows;
}

TEST(Rooms, ThePromptFollowsTheDescriptionWithoutScrolling) {
  for (const RoomShape& shape : kRoomShapes) {
    const bool has_item = shape.room == 15 || shape.room == 33;
    const std::size_t rows = 2 + shape.lengths.size() + (has_item ? 1 : 0);
    EXPECT_EQ(drawn_room(shape.room).size(), rows) << shape.room;
  }
  EXPECT_EQ(18 + drawn_room(23).size(), 26u);  // the longest: the prompt on row 26
}

TEST(Rooms, ItemLineGoesOnceTheItemIsTaken) {
  const std::vector<std::string> before = drawn_room(15);
  EXPECT_EQ(before.back(), full_row("/ The glimmering shine of a Silver Spear sticks out of the ground."));
  const std::vector<std::string> after = drawn_room(15, 1);
  EXPECT_EQ(after.size(), before.size() - 1);
  EXPECT_EQ(after.back(), full_row(std::string(79, '_')));
  EXPECT_EQ(drawn_room(33, 0, 1).size(), drawn_room(33).size() - 1);
  EXPECT_EQ(drawn_room(33, 1, 0).size(), drawn_room(33).size());  // the spear has no say there
}

TEST(Rooms, TitleBarsFillTheirWidth) {
  EXPECT_EQ(drawn_room(10).front(), "__The Rusty Chalice Tavern" + std::string(54, '_'));
  EXPECT_EQ(drawn_room(11).front(), full_row("__The Stables" + std::string(66, '_')));
  EXPECT_EQ(drawn_room(42).front(), full_row("__Dragon's Lair Entrance" + std::string(55, '_')));
}

}  // namespace
