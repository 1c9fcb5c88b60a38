// The timed command reader: typing, the countdown, and the time-out.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using testing_support::full_row;
using testing_support::GameSession;
using testing_support::kHour;

// The reader at room 1's prompt, with the countdown of a presented frame.
struct ReaderSession : testing_support::PromptSession {
  using PromptSession::PromptSession;
  std::string countdown(std::size_t frame = 0) const { return host.frames().at(frame).row(2).substr(31, 14); }
};

TEST(Countdown, ShowsMinutesAndSecondsAsTheTableGives) {
  const struct {
    double seconds_left;
    const char* shown;
  } cases[] = {
      {7200.0, " [   120: 0  ]"}, {7199.9, " [   120:-0  ]"}, {7199.6, " [   120:-0  ]"},
      {7199.4, " [   119:59  ]"}, {7140.5, " [   119: 1  ]"}, {7140.4, " [   119: 0  ]"},
      {7140.0, " [   119: 0  ]"}, {7139.9, " [   119:-0  ]"}, {7139.6, " [   119:-0  ]"},
      {125.7, " [     2: 6  ]"},  {9.6, " [     0:10  ]"},    {0.4, " [     0: 0  ]"},
      {0.1, " [     0: 0  ]"},    {7139.5, " [   119:-1  ]"},
  };
  for (const auto& c : cases) {
    ReaderSession session(c.seconds_left);
    session.host.key(10, platform::typed_key('\r'));
    EXPECT_EQ(session.read(), "");
    EXPECT_EQ(session.countdown(), c.shown) << c.seconds_left;
    EXPECT_EQ(session.host.frames().at(0).row(2), full_row(std::string(31, ' ') + c.shown));
  }
}

TEST(CommandReader, TypesUpperCaseLettersAndSpacesOnly) {
  const struct {
    const char* typed;
    const char* result;
  } cases[] = {
      {"go north", "GO NORTH"}, {"\b\bn", "N"}, {"ab\bc", "AC"},  {"1?x.,;-", "X"},
      {"  s  ", "  S  "},       {"", ""},       {"HeLp", "HELP"},
  };
  for (const auto& c : cases) {
    ReaderSession session(7200);
    const std::int64_t after = session.host.type(100, c.typed);
    session.host.key(after, platform::typed_key('\r'));
    EXPECT_EQ(session.read(), c.result) << c.typed;
    EXPECT_FALSE(session.runtime.manual_display());  // automatic again after Enter
  }
}

TEST(CommandReader, OtherKeysChangeNothing) {
  ReaderSession session(7200);
  // Escape, Tab, Up, F1, Delete, Shift, Ctrl+Backspace (127), Ctrl+Tab.
  for (int usage : {41, 43, 82, 58, 76, 225}) session.host.key(100 * usage, platform::usb_key(usage));
  session.host.key(200, platform::usb_key(42, {.ctrl = true}));
  session.host.key(300, platform::usb_key(43, {.ctrl = true}));
  session.host.key(10'000, platform::typed_key('\r'));
  EXPECT_EQ(session.read(), "");
}

TEST(CommandReader, TypedTextAppearsAfterThePrompt) {
  ReaderSession session(7200);
  const std::int64_t after = session.host.type(100, "go south");
  session.host.key(after + 500, platform::typed_key('\r'));
  EXPECT_EQ(session.read(), "GO SOUTH");
  EXPECT_EQ(session.host.frames().back().row(23), full_row("> GO SOUTH"));
}

TEST(CommandReader, KeysTypedBeforeThePromptNeverReachIt) {
  ReaderSession session(7200);
  for (char c : std::string("xyz")) session.host.key_now(platform::typed_key(c));
  session.host.type(500, "n\r");
  EXPECT_EQ(session.read(), "N");
  EXPECT_FALSE(session.runtime.keyboard_empty());  // the typed keys stay in the buffer
  EXPECT_EQ(key_read_char(), "n");
}

TEST(CommandReader, OnePresentedFramePerPassAndOneKeyCodePerPass) {
  ReaderSession session(7200);
  session.host.type(0, "abc\r", 1);  // four presses and releases inside one pass
  EXPECT_EQ(session.read(), "ABC");
  // Eight codes (presses and releases) take eight passes; frames only on request.
  EXPECT_EQ(session.host.requested_frames(), 8u);
  for (const platform::Frame& frame : session.host.frames()) EXPECT_TRUE(frame.requested);
}

TEST(CommandReader, LongTextWrapsAndScrollsTheSameWayEveryPass) {
  ReaderSession session(7200);
  const std::int64_t after = session.host.type(0, std::string(500, 'w'), 70);
  session.host.key(after, platform::typed_key('\r'));
  EXPECT_EQ(session.read(), std::string(500, 'W'));
  const platform::Frame& last = session.host.frames().back();
  // Moved whole from the prompt's row to the next, 80 a row, scrolled up twice at row 29.
  EXPECT_EQ(last.row(21), full_row("> "));
  for (int r = 22; r <= 27; ++r) EXPECT_EQ(last.row(r), std::string(80, 'W')) << r;
  EXPECT_EQ(last.row(28), full_row(std::string(20, 'W')));
  EXPECT_EQ(last.row(29), full_row(""));
  EXPECT_EQ(last.row(30), full_row(""));
  // Frames that show the same text show the same picture, row 2's countdown aside.
  auto typed = [](const platform::Frame& frame) {
    return std::count_if(frame.page.cells.begin(), frame.page.cells.end(),
                         [](const platform::Cell& cell) { return cell.glyph == 'W'; });
  };
  const auto& frames = session.host.frames();
  for (std::size_t i = 1; i < frames.size(); ++i) {
    if (typed(frames[i]) != typed(frames[i - 1])) continue;
    for (int r = 3; r <= 30; ++r)
      ASSERT_EQ(frames[i].row(r), frames[i - 1].row(r)) << "frame " << i << " row " << r;
  }
}

TEST(CommandReader, EnterAfterTheDeadlineShowsGameOver) {
  ReaderSession session(0.1);  // the third pass, at 66 ms, finds 0 seconds left
  session.host.key(40, platform::typed_key('\r'));
  EXPECT_EQ(session.read(), "<ended>");
  EXPECT_EQ(session.row(1), full_row("__Game Over" + std::string(68, '_')));
}

TEST(CommandReader, EnteringAfterTheDeadlineEndsOnTheFirstPass) {
  ReaderSession session(-30);
  session.host.key(5000, platform::typed_key('q'));
  EXPECT_EQ(session.read(), "<ended>");
  EXPECT_EQ(session.host.requested_frames(), 1u);  // the game-over screen's own frame
  EXPECT_EQ(session.host.frames().back().row(1), full_row("__Game Over" + std::string(68, '_')));
  EXPECT_EQ(session.host.now(), 5000);  // then "Press any key to continue" waited for a key
  EXPECT_EQ(session.row(30), full_row("Press any key to continue"));
}

TEST(CommandReader, NoCountdownIsPresentedOnceTimeIsUp) {
  ReaderSession session(1.0);
  session.host.key(20'000, platform::typed_key('x'));
  EXPECT_EQ(session.read(), "<ended>");
  std::int64_t last_countdown = -1, game_over = -1;
  for (const platform::Frame& frame : session.host.frames()) {
    if (frame.row(1).starts_with("__Game Over")) {
      if (game_over < 0) game_over = frame.at_ms;
    } else {
      last_countdown = frame.at_ms;
    }
  }
  // Time is read to a tenth of a second: it is up from 950 ms on.
  EXPECT_LT(last_countdown, 950);
  EXPECT_GE(game_over, 950);
  EXPECT_LT(game_over, 950 + 34);
}

TEST(GameOver, AGameStartedAt2330TimesOutExactly7200SecondsLater) {
  GameSession session(23 * kHour + 30 * 60'000);
  session.start(1000);  // second key at 2 s: deadline 23:30:02 + 7200 s
  session.host.end_run_at(3 * kHour);
  std::string previous;
  int jumps = 0;
  std::int64_t game_over_at = -1;
  session.host.on_frame([&](const platform::Frame& frame) {
    const std::string shown = frame.row(2).substr(31, 14);
    if (game_over_at < 0 && frame.row(1).starts_with("__Game Over")) game_over_at = frame.at_ms;
    if (shown.substr(0, 2) != " [") return;
    if (!previous.empty() && shown.substr(0, 8) > previous.substr(0, 8)) ++jumps;
    previous = shown;
  });
  session.host.key(7202'000 + 5000, platform::typed_key('k'));
  EXPECT_EQ(session.play(), 0);
  EXPECT_EQ(jumps, 0);  // the minutes never went up, across midnight too
  // Time is read to a tenth of a second, and passes come every 33 ms.
  EXPECT_GE(game_over_at, 7202'000 - 50);
  EXPECT_LE(game_over_at, 7202'000 + 34);
  EXPECT_EQ(session.row(30), full_row("Press any key to continue"));
}

}  // namespace
