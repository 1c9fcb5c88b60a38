// A whole game, as a player plays it: prologue, the spear, the shield, and victory.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using testing_support::full_row;
using testing_support::GameSession;

TEST(WholeGame, FromThePrologueToVictory) {
  GameSession session;
  std::int64_t at = session.start();
  std::vector<std::string> titles;  // the room title on each countdown frame
  std::string countdown;
  session.host.on_frame([&](const platform::Frame& frame) {
    const std::string title = frame.row(18).substr(0, frame.row(18).find("___"));
    if (titles.empty() || titles.back() != title) titles.push_back(title);
    if (frame.requested) countdown = frame.row(2).substr(31, 14);
  });
  const char* const walk[] = {// To the hermit's garden and its spear.
                              "south", "s", "go east", "S", "e", "e", "n", "take silver spear",
                              // Over the bridge and into the castle to the throne and its shield.
                              "s", "s", "s", "s", "s", "w", "s", "w", "take shield of virtue", "inventory",
                              // Down through the dungeon to the dragon's cradle.
                              "e", "s", "e", "s", "s", "w", "w", "w", "s", "w", "w", "s", "s", "e",
                              "use shield of virtue"};
  for (const std::string command : walk) {
    at = session.command(at, command);
    if (command == "inventory") {
      session.host.key(at, platform::typed_key(' '));  // leaves the inventory screen
      at += 500;
    }
  }
  session.host.key(at + 3000, platform::typed_key('x'));  // ends the program
  EXPECT_EQ(session.play(), 0);
  EXPECT_EQ(session.game.current_room, 55);
  EXPECT_EQ(session.game.has_silver_spear, 1);
  EXPECT_EQ(session.game.has_shield_of_virtue, 1);
  EXPECT_EQ(session.row(1), full_row("__Congratulations!" + std::string(61, '_')));
  EXPECT_EQ(session.row(23), full_row(" The Thistlewarden"));
  EXPECT_EQ(session.row(30), full_row("Press any key to continue"));
  EXPECT_GT(countdown, " [   100: 0  ]");  // plenty of time left: a few minutes used
  EXPECT_NE(std::find(titles.begin(), titles.end(), "__The Hermit's Garden"), titles.end());
  EXPECT_NE(std::find(titles.begin(), titles.end(), "__The Throne of Cinders"), titles.end());
  EXPECT_NE(std::find(titles.begin(), titles.end(), "__The Dragon's Cradle"), titles.end());
}

}  // namespace
