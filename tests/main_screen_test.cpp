// The main screen: title box, compass, hint and the room, row by row.
#include <gtest/gtest.h>

#include "harness.h"
#include "rooms.h"

namespace {

using testing_support::full_row;
using testing_support::GameSession;
using MainScreen = testing_support::RoomSession;

const std::string kWalls = "][][][][][][][][][][][][][][][][][] ";
const std::string kEastWalls = " ][][][][][][][][][][][][][][][][][][][";

TEST(MainScreen, Room1RowByRow) {
  MainScreen screen(1);
  for (int r : {1, 2, 3, 4, 5, 9, 10, 11, 15, 17}) EXPECT_EQ(screen.row(r), full_row("")) << r;
  EXPECT_EQ(screen.row(6), full_row("            +----------------------------+"));
  EXPECT_EQ(screen.row(7), full_row("            \xA6    THE VALEWARDEN SAGA     \xA6"));
  EXPECT_EQ(screen.row(8), full_row("            +----------------------------+"));
  EXPECT_EQ(screen.row(12), full_row(""));
  EXPECT_EQ(screen.row(13), kWalls + " " + " + " + " " + kEastWalls);
  EXPECT_EQ(screen.row(14), full_row(std::string(38, ' ') + "S"));
  EXPECT_EQ(screen.row(16), full_row("If you are stuck just type HELP."));
  EXPECT_EQ(screen.row(18), "__The Stone Bridge" + std::string(62, '_'));
  EXPECT_EQ(screen.row(19), std::string(game::kRooms[0].lines[0]));
  EXPECT_EQ(screen.row(20), std::string(game::kRooms[0].lines[1]));
  EXPECT_EQ(screen.row(21), full_row(game::kRooms[0].lines[2]));
  EXPECT_EQ(screen.row(22), std::string(80, '_'));
  EXPECT_EQ(scr_cursor_row(), 23);
  EXPECT_EQ(scr_cursor_column(), 1);
}

TEST(MainScreen, CompassLettersFollowTheExitsText) {
  const struct {
    int room;
    const char* north;
    const char* west;
    const char* east;
    const char* south;
  } cases[] = {
      {1, " ", " ", " ", "S"},  {5, "N", "W", "E", "S"},  {14, "N", "W", "E", "S"}, {40, "N", " ", "E", " "},
      {25, "N", "W", "E", " "}, {19, " ", " ", "E", " "}, {55, " ", "W", " ", " "}, {29, " ", "W", "E", "S"},
  };
  for (const auto& c : cases) {
    MainScreen screen(static_cast<float>(c.room));
    EXPECT_EQ(screen.row(12), full_row(std::string(38, ' ') + c.north)) << c.room;
    EXPECT_EQ(screen.row(13), kWalls + c.west + " + " + c.east + kEastWalls) << c.room;
    EXPECT_EQ(screen.row(14), full_row(std::string(38, ' ') + c.south)) << c.room;
  }
}

TEST(MainScreen, EightyColumnLinesLeaveNoEmptyRows) {
  // Room 1's title bar, first two lines and rule are 80 wide; room 11's bar is 79.
  MainScreen wide(1);
  for (int r = 18; r <= 22; ++r) EXPECT_NE(wide.row(r), full_row("")) << r;
  MainScreen narrow(11);
  EXPECT_EQ(narrow.row(18), full_row("__The Stables" + std::string(66, '_')));
  EXPECT_EQ(narrow.row(22), full_row(std::string(79, '_')));
}

TEST(MainScreen, RoomOutsideTheMapIsSubscriptOutOfRange) {
  MainScreen screen(1);
  screen.game.current_room = 59;
  screen.game.draw_main_screen();
  ASSERT_FALSE(screen.host.boxes().empty());
  EXPECT_NE(screen.host.boxes()[0].title.find("Unhandled Error #9"), std::string::npos);
  EXPECT_NE(screen.host.boxes()[0].text.find("Subscript out of range"), std::string::npos);
}

TEST(MainScreen, ACommandThatDoesNothingRedrawsTheSameScreen) {
  GameSession session;
  std::int64_t at = session.start();
  at = session.command(at, "talk");
  session.command(at + 2000, "");
  EXPECT_EQ(session.play(), -1);
  MainScreen expected(1);
  for (int r = 3; r <= 30; ++r) {
    if (r != 23) {
      EXPECT_EQ(session.row(r), expected.row(r)) << r;
    }
  }
  EXPECT_EQ(session.row(23), full_row("> "));
}

}  // namespace
