// Examine pages, taking the two items, and winning with the shield.
#include <gtest/gtest.h>

#include <span>

#include "harness.h"
#include "story_text.h"

namespace {

using testing_support::full_row;
using testing_support::GameSession;

struct PageShape {
  const char* name;
  std::span<const std::string_view> page;
  const char* header;
  std::vector<std::size_t> lengths;  // text rows without their padding; 0 is an empty row
  bool padded;
};

TEST(ExaminePages, HaveTheirShapes) {
  const PageShape shapes[] = {
      {"lantern", game::story::lantern_page, "__Lantern", {76, 71, 78, 73, 78, 73}, true},
      {"sword", game::story::sword_page, "__Sword", {72, 78, 79, 77, 77, 78, 26}, true},
      {"spear", game::story::silver_spear_page, "__Silver Spear", {74, 78, 75, 75, 69, 77, 60}, true},
      {"shield",
       game::story::shield_page,
       "__Shield Of Virtue",
       {73, 75, 78, 78, 75, 78, 74, 74, 7, 0, 48, 0, 79, 35},
       false},
      {"herbs", game::story::dried_herbs_page, "__Dried Herbs", {79, 79, 69, 78, 77, 62}, true},
      {"woman", game::story::woman_page, "__Althea", {78, 79, 76, 79, 73}, true},
  };
  for (const PageShape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    std::string header = shape.header;
    header.resize(79, '_');
    EXPECT_EQ(shape.page[0], header);
    ASSERT_EQ(shape.page.size(), shape.lengths.size() + 1);
    for (std::size_t i = 0; i < shape.lengths.size(); ++i) {
      const std::string_view line = shape.page[i + 1];
      const std::size_t text_length = line.find_last_not_of(' ') + 1;
      if (shape.lengths[i] == 0) {
        EXPECT_TRUE(line.empty());
        continue;
      }
      EXPECT_EQ(text_length, shape.lengths[i]) << line;
      EXPECT_EQ(line.size(), shape.padded ? 79u : shape.lengths[i]) << line;
      EXPECT_EQ(line[0], ' ');
      EXPECT_NE(line[1], ' ');
      for (char byte : line) EXPECT_TRUE(byte >= 0x20 && byte <= 0x7E);
    }
  }
}

TEST(VictoryScreen, HasItsShape) {
  const auto& lines = game::story::victory;
  const std::size_t lengths[] = {79, 0,  75, 75, 79, 73, 9,  0, 37, 0, 79, 78,
                                 73, 72, 76, 78, 11, 0,  55, 0, 45, 0, 18, 0};
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].size(), lengths[i]) << "row " << i + 1;
  EXPECT_EQ(lines[0], "__Congratulations!" + std::string(61, '_'));
  EXPECT_EQ(lines[20], " Thank you for playing. -The Valewarden Saga-");
  EXPECT_EQ(lines[22], " The Thistlewarden");
}

TEST(GameOverScreen, HasItsShape) {
  const auto& lines = game::story::game_over;
  const std::size_t lengths[] = {79, 0, 78, 76, 77, 51, 0, 19, 0, 75, 75, 75, 78, 74, 71, 14, 0, 78, 39};
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].size(), lengths[i]) << "row " << i + 1;
  EXPECT_EQ(lines[0], "__Game Over" + std::string(68, '_'));
}

using ItemSession = testing_support::RoomSession;

TEST(Examine, RowsWorkOnlyWhereTheirConditionsHold) {
  const struct {
    const char* command;
    float room, spear, shield;
    const char* header;  // empty: nothing happens
  } cases[] = {
      {"examine lantern", 1, 0, 0, "__Lantern"},
      {"EXAMINE SWORD", 40, 0, 0, "__Sword"},
      {"examine silver spear", 15, 0, 0, ""},
      {"examine silver spear", 3, 1, 0, "__Silver Spear"},
      {"examine shield of virtue", 33, 0, 0, ""},
      {"examine shield of virtue", 2, 0, 1, "__Shield Of Virtue"},
      {"examine dried herbs", 58, 0, 0, "__Dried Herbs"},
      {"examine dried herbs", 57, 0, 0, ""},
      {"examine woman", 47, 0, 0, "__Althea"},
      {"examine woman", 46, 0, 0, ""},
      {"examine  lantern", 1, 0, 0, ""},
      {"examine the lantern", 1, 0, 0, ""},
  };
  for (const auto& c : cases) {
    ItemSession session(c.room, c.spear, c.shield);
    session.command(1000, c.command);
    EXPECT_EQ(session.play(), -1) << c.command;
    if (*c.header != '\0') {
      EXPECT_TRUE(session.row(1).starts_with(c.header)) << c.command << " in " << c.room;
    } else {
      EXPECT_EQ(session.row(16), full_row("If you are stuck just type HELP."))
          << c.command << " in " << c.room;
    }
  }
}

TEST(Examine, TypedKeysAreThrownAwayAndOneNewKeyReturns) {
  ItemSession session(1, 0, 0);
  const std::int64_t at = session.command(1000, "examine sword");
  session.host.key(at + 2000, platform::typed_key('k'));
  EXPECT_EQ(session.play(), -1);
  EXPECT_EQ(session.row(16), full_row("If you are stuck just type HELP."));  // back after one key

  ItemSession waiting(1, 0, 0);
  waiting.command(1000, "examine sword");
  EXPECT_EQ(waiting.play(), -1);
  EXPECT_EQ(waiting.row(1), full_row("__Sword" + std::string(72, '_')));  // the typed keys did not end it
}

TEST(Take, WorksOnceInItsRoomAndRemovesTheItemLine) {
  const struct {
    const char* command;
    float room;
    bool taken;
  } cases[] = {
      {"take silver spear", 15, true},     {"take silver spear", 14, false},
      {"take shield of virtue", 33, true}, {"take shield of virtue", 15, false},
      {"take spear", 15, false},
  };
  for (const auto& c : cases) {
    ItemSession session(c.room, 0, 0);
    session.command(1000, c.command);
    EXPECT_EQ(session.play(), -1);
    const float taken = c.room == 15 ? session.game.has_silver_spear : session.game.has_shield_of_virtue;
    EXPECT_EQ(taken, c.taken ? 1 : 0) << c.command << " in " << c.room;
    int item_lines = 0;
    for (int r = 18; r <= 26; ++r) item_lines += session.row(r).starts_with("/ ") ? 1 : 0;
    EXPECT_EQ(item_lines, !c.taken && (c.room == 15 || c.room == 33) ? 1 : 0)
        << c.command << " in " << c.room;
  }
}

TEST(Take, TheMessageIsPrintedUnderTheCountdown) {
  const struct {
    float room;
    const char* command;
    const char* message;
  } cases[] = {
      {15, "take silver spear\r", "-You have taken the Sliver Spear."},
      {33, "take shield of virtue\r", "-You take the shield off the corpse of it's previous owner."},
  };
  for (const auto& c : cases) {
    testing_support::RoomSession session(c.room);
    session.host.type(500, c.command);
    session.run([&] { session.game.run_command(); });
    EXPECT_TRUE(session.row(2).substr(31).starts_with(" [   119:")) << session.row(2);
    EXPECT_EQ(session.row(3), full_row(c.message));
  }
}

TEST(Use, WinsOnlyInRoom55WithTheShield) {
  const struct {
    float room, shield;
    bool wins;
  } cases[] = {{55, 1, true}, {55, 0, false}, {54, 1, false}, {33, 1, false}};
  for (const auto& c : cases) {
    ItemSession session(c.room, 0, c.shield);
    const std::int64_t at = session.command(1000, "use shield of virtue");
    session.host.key(at + 5000, platform::typed_key('x'));
    const int code = session.play();
    EXPECT_EQ(code == 0, c.wins) << c.room << " " << c.shield;
    if (c.wins) {
      EXPECT_EQ(session.row(1), full_row("__Congratulations!" + std::string(61, '_')));
      EXPECT_EQ(session.row(21), full_row(" Thank you for playing. -The Valewarden Saga-"));
      EXPECT_EQ(session.row(30), full_row("Press any key to continue"));
      EXPECT_EQ(session.host.now(),
                at + 5000);  // the buffered keys ended the victory wait; this key ends the program
    }
  }
}

}  // namespace
