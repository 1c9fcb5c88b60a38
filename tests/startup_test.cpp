// Start-up: window, state, the prologue and the two key presses that start the clock.
#include <gtest/gtest.h>

#include "harness.h"
#include "story_text.h"

namespace {

using testing_support::full_row;
using testing_support::GameSession;
using testing_support::kHour;

TEST(StartUp, NamesTheWindowAndSetsTheScreen) {
  GameSession session;
  EXPECT_EQ(session.play(), -1);
  EXPECT_EQ(session.host.title(), "The Valewarden Saga - v1.0");
  EXPECT_EQ(session.host.title().size(), 26u);
  EXPECT_TRUE(session.host.icon_set());
  EXPECT_EQ(session.host.screen_width(), 640);
  EXPECT_EQ(session.host.screen_height(), 480);
  const platform::Page page = session.runtime.snapshot();
  EXPECT_EQ(page.at(0, 0).foreground, 15);
  EXPECT_EQ(page.at(0, 0).background, 0);
}

TEST(StartUp, ShowsThePrologueAndWaits) {
  GameSession session;
  EXPECT_EQ(session.play(), -1);
  for (int r = 1; r <= 23; ++r) EXPECT_EQ(session.row(r), full_row(game::story::prologue[r - 1])) << r;
  EXPECT_EQ(session.row(5), full_row("__Prologue" + std::string(69, '_')));
  EXPECT_EQ(session.row(23), full_row(" Press 'Enter' to Begin Your Adventure into The Valewarden Saga."));
  EXPECT_EQ(session.row(24), full_row(""));
  EXPECT_EQ(session.game.deadline_timer, 0);  // not started
}

TEST(StartUp, PrologueHasItsShape) {
  const auto& lines = game::story::prologue;
  const std::size_t lengths[] = {0,  0,  0, 0,  79, 0,  75, 79, 76, 77, 77, 74,
                                 76, 78, 0, 78, 76, 74, 40, 0,  57, 0,  79};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].size(), lengths[i]) << "row " << i + 1;
    if (i >= 6 && !lines[i].empty()) {
      EXPECT_EQ(lines[i].substr(0, 2), " " + std::string(1, lines[i][1])) << "row " << i + 1;
      EXPECT_NE(lines[i][1], ' ');
    }
    for (std::size_t c = 0; c < lines[i].size(); ++c) {
      const auto byte = static_cast<unsigned char>(lines[i][c]);
      const bool quote = (i == 9 && c == 65 && byte == 0x93) || (i == 10 && c == 6 && byte == 0x94);
      EXPECT_TRUE(quote || (byte >= 0x20 && byte <= 0x7E)) << "row " << i + 1 << " column " << c + 1;
    }
  }
  EXPECT_EQ(static_cast<unsigned char>(lines[9][65]), 0x93);
  EXPECT_EQ(static_cast<unsigned char>(lines[10][6]), 0x94);
}

TEST(StartUp, OneEnterDoesNotStartTheGame) {
  GameSession session;
  session.host.key(1000, platform::typed_key('\r'));
  EXPECT_EQ(session.play(), -1);
  EXPECT_EQ(session.row(23), full_row(" Press 'Enter' to Begin Your Adventure into The Valewarden Saga."));
}

TEST(StartUp, TheSecondKeyOfAnyKindStarts) {
  GameSession session;
  session.host.key(1000, platform::typed_key('\r'));
  session.host.key(2500, platform::usb_key(58));  // F1: an extended key
  EXPECT_EQ(session.play(), -1);
  EXPECT_EQ(session.row(16), full_row("If you are stuck just type HELP."));
  EXPECT_DOUBLE_EQ(session.game.deadline_timer, 10 * 3600 + 2.5 + 7200);
}

TEST(StartUp, TheKeyThatEndsAPauseIsNoStartKey) {
  GameSession session;
  session.host.key(1000, platform::typed_key('\r'));
  session.host.pause_at(1500);
  session.host.key(2000, platform::typed_key('\r'));  // ends the pause
  session.host.key(3000, platform::typed_key('\r'));
  EXPECT_EQ(session.play(), -1);
  EXPECT_DOUBLE_EQ(session.game.deadline_timer, 10 * 3600 + 3.0 + 7200);
}

TEST(StartUp, TwoKeysAlreadyWaitingStartAtOnce) {
  GameSession session;
  session.host.key_now(platform::typed_key('a'));
  session.host.key_now(platform::typed_key('b'));
  EXPECT_EQ(session.play(), -1);
  EXPECT_DOUBLE_EQ(session.game.deadline_timer, 10 * 3600 + 7200);
}

TEST(StartUp, StateAtTheFirstPassOfTheMainLoop) {
  GameSession session(23 * kHour + 30 * 60'000);
  session.start(1000);
  EXPECT_EQ(session.play(), -1);
  const game::Game& g = session.game;
  EXPECT_EQ(g.current_room, 1);
  EXPECT_EQ(g.has_lantern, 1);
  EXPECT_EQ(g.has_sword, 1);
  EXPECT_EQ(g.has_silver_spear, 0);
  EXPECT_EQ(g.has_shield_of_virtue, 0);
  EXPECT_EQ(g.time_limit_seconds, 7200);
  EXPECT_EQ(g.command_text, "");
  // A second key at 23:30:02 gives a deadline past midnight.
  EXPECT_DOUBLE_EQ(g.deadline_timer, 23.5 * 3600 + 2 + 7200);
  EXPECT_GT(g.deadline_timer, 86400);
  EXPECT_EQ(g.room_exits[1], "SOUTH");
  EXPECT_EQ(g.room_exits[40], "EAST OR NORTH");
  EXPECT_EQ(g.room_exits[58], "EAST OR SOUTH");
}

}  // namespace

namespace {

TEST(StartUp, AnUnchangedScreenMakesNoFrames) {
  testing_support::GameSession session;
  session.host.end_run_at(120'000);  // two minutes at the prologue
  EXPECT_EQ(session.play(), -1);
  EXPECT_EQ(session.host.frames_made(), 1u);  // the prologue once drawn, then nothing
}

}  // namespace
