// The command table: quit words, help, inventory, and commands that do nothing.
#include "commands.h"

#include <gtest/gtest.h>

#include <set>

#include "harness.h"

namespace {

using testing_support::full_row;
using testing_support::GameSession;

const std::string kRule79(79, '_');

TEST(Quit, EveryQuitWordShowsTheFarewellBoxAndEndsWithExitCodeZero) {
  for (const char* word : {"quit", "QUIT", "end", "exit", "q", "  Q  "}) {
    GameSession session;
    std::int64_t at = session.start();
    at = session.command(at, word);
    session.host.key(at + 1000, platform::typed_key('z'));
    EXPECT_EQ(session.play(), 0) << word;
    EXPECT_EQ(session.host.now(), at + 1000) << word;  // held until a new key
    EXPECT_EQ(session.row(1), full_row(kRule79));
    EXPECT_EQ(session.row(2), full_row(std::string(79, ' ')));
    EXPECT_EQ(session.row(3),
              " Thank you for playing -The Valewarden Saga-. Until next time, the evil shall   ");
    EXPECT_EQ(session.row(4), full_row(" return."));
    EXPECT_EQ(session.row(6), full_row(kRule79));
    EXPECT_EQ(session.row(7), full_row(""));
    EXPECT_EQ(session.row(30), full_row("Press any key to continue"));
  }
}

TEST(Help, ShowsItsFrameAndTakesTwoNewKeyPresses) {
  GameSession session;
  std::int64_t at = session.start();
  at = session.command(at, "help");
  session.host.key(at + 3000, platform::typed_key('a'));
  EXPECT_EQ(session.play(), -1);  // still on the help screen after one key
  EXPECT_EQ(session.row(1), full_row(""));
  EXPECT_EQ(session.row(2), full_row(kRule79));
  EXPECT_EQ(session.row(4),
            full_row("\\ The Valewarden Saga - Basic Controls                                        \\"));
  EXPECT_EQ(session.row(7),
            full_row("\\ Examine - Item or Object    - Allows the player to examine an item or object\\"));
  EXPECT_EQ(session.row(13),
            full_row("\\ End                         - End's game                                    \\"));
  EXPECT_EQ(session.row(15),
            full_row("\\ *Everything from items, characters, and objects have a capital letter.*     \\"));
  EXPECT_EQ(session.row(16), full_row(kRule79));
  EXPECT_EQ(session.row(18), full_row("PRESS ANY KEY..."));
  for (int r = 3; r <= 15; ++r) {
    EXPECT_EQ(session.row(r)[0], '\\');
    EXPECT_EQ(session.row(r)[78], '\\');
  }
}

TEST(Help, SecondKeyReturnsToTheMainScreen) {
  GameSession session;
  std::int64_t at = session.start();
  at = session.command(at, "h");
  session.host.key(at + 3000, platform::typed_key('a'));
  session.host.key(at + 4000, platform::usb_key(82));  // an arrow key counts too
  EXPECT_EQ(session.play(), -1);
  EXPECT_EQ(session.row(16), full_row("If you are stuck just type HELP."));
}

TEST(Inventory, ListsTheItemsHeldAndTakesOneKey) {
  GameSession session;
  std::int64_t at = session.start();
  at = session.command(at, "inventory");
  EXPECT_EQ(session.play(), -1);
  EXPECT_EQ(session.row(1), full_row("INVENTORY..."));
  EXPECT_EQ(session.row(3), full_row("-An old dented tin lantern to vanquish the darkness."));
  EXPECT_EQ(session.row(4), full_row("-Crafted out of only the finest steel in the region."));
  EXPECT_EQ(session.row(5), full_row(""));
  EXPECT_EQ(session.row(6), full_row("PRESS ANY KEY..."));

  GameSession left;
  at = left.start();
  at = left.command(at, "i");
  left.host.key(at + 2000, platform::typed_key('k'));
  EXPECT_EQ(left.play(), -1);
  EXPECT_EQ(left.row(16), full_row("If you are stuck just type HELP."));
}

TEST(Inventory, ItemsTakenAddTheirLinesInOrder) {
  const struct {
    float spear, shield;
    std::vector<std::string> lines;
  } cases[] = {
      {0, 1, {"-The Shield of Virtue, a blessed shield from a fallen Knight."}},
      {1, 0, {"-A Silver Spear left by a dead hero."}},
      {1,
       1,
       {"-A Silver Spear left by a dead hero.",
        "-The Shield of Virtue, a blessed shield from a fallen Knight."}},
  };
  for (const auto& c : cases) {
    platform::HeadlessSession session;
    scr_set_mode(12);
    game::Game g;
    g.has_lantern = g.has_sword = 1;
    g.has_silver_spear = c.spear;
    g.has_shield_of_virtue = c.shield;
    session.host.key(100, platform::typed_key('k'));
    EXPECT_EQ(session.run([&] { game::show_inventory(g); }), 0);
    for (std::size_t i = 0; i < c.lines.size(); ++i)
      EXPECT_EQ(session.row(5 + static_cast<int>(i)), full_row(c.lines[i]));
    EXPECT_EQ(session.row(5 + static_cast<int>(c.lines.size())), full_row(""));
  }
}

TEST(Commands, TextsThatMatchNoRowDoNothing) {
  for (const char* text : {"GO  NORTH", "GO N", "NORTH EAST", "TALK", "USE SWORD", "TAKE SPEAR", "EXAMINE",
                           "north", "", "EXAMINE SILVER SPEAR", "USE SHIELD OF VIRTUE"}) {
    GameSession session;
    std::int64_t at = session.start();
    at = session.command(at, text);
    EXPECT_EQ(session.play(), -1) << text;
    EXPECT_EQ(session.game.current_room, 1) << text;
    EXPECT_EQ(session.row(18), "__The Stone Bridge" + std::string(62, '_')) << text;
  }
}

TEST(Commands, TheCommandIsStoredNormalised) {
  GameSession session;
  std::int64_t at = session.start();
  session.command(at, "  talk  to  me  ");
  EXPECT_EQ(session.play(), -1);
  EXPECT_EQ(session.game.command_text, "TALK  TO  ME");
}

TEST(Commands, AtMostOneRowHasAnyWord) {
  std::set<std::string_view> words;
  for (const game::CommandRow& row : game::command_table()) {
    for (std::string_view word : row.words) {
      if (!word.empty()) {
        EXPECT_TRUE(words.insert(word).second) << word;
      }
    }
  }
  EXPECT_EQ(game::command_table().size(), 16u);
}

}  // namespace
