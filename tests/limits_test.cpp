// Floods and limits: key storms, a very long command, held keys, and stops on any screen.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using testing_support::full_row;
using testing_support::GameSession;
using testing_support::PromptSession;
using testing_support::RoomSession;

// Holds `key` down from `from_ms` to `to_ms`, repeating every 33 ms after half a second as
// the window system does.
void hold(platform::HeadlessHost& host, platform::ScriptedKey key, std::int64_t from_ms, std::int64_t to_ms) {
  host.press(from_ms, key);
  key.event.repeat = true;
  for (std::int64_t at = from_ms + 500; at < to_ms; at += 33) host.press(at, key);
  host.release(to_ms, key);
}

TEST(Limits, AHundredThousandKeysAtOnceKeepTheNewest8192) {
  PromptSession session;
  for (int i = 0; i < 100'000; ++i) session.host.press(200, platform::typed_key("ab"[i % 2]));
  session.host.press(200, platform::typed_key('\r'));
  session.host.end_run_at(20 * 60'000);
  const std::string text = session.read();
  // One code a pass: 8191 letters, the newest ones, then the Enter that ends the line.
  ASSERT_EQ(text.size(), 8191u);
  EXPECT_EQ(text.substr(0, 4), "BABA");
  EXPECT_EQ(text.substr(text.size() - 2), "AB");
  EXPECT_EQ(session.host.requested_frames(), 8192u + 6u);  // six passes before the storm
}

TEST(Limits, ATwentyThousandCharacterCommandScrollsTheSameWayEveryPass) {
  PromptSession session;
  // Every pass prints the whole text, so the run costs the square of its length; under the
  // sanitizers, some forty times slower, a shorter command goes through the same checks.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  constexpr int kLength = 3000;
#else
  constexpr int kLength = 20000;
#endif
  // A press alone gives one code, so one character a pass.
  for (int i = 0; i < kLength; ++i) session.host.press(100 + 34 * i, platform::typed_key('z'));
  const std::int64_t end = 100 + 34 * kLength;
  session.host.press(end, platform::typed_key('\r'));
  session.host.end_run_at(end + 5000);
  std::uint64_t checked = 0;
  session.host.on_frame([&](const platform::Frame& frame) {
    if (frame.at_ms < 100 + 34 * 2400) return;  // from then on the text fills rows 1 to 27
    ++checked;
    for (int r = 1; r <= 27; ++r) {
      std::string row = frame.row(r);
      if (r == 2) row.replace(31, 14, std::string(14, 'Z'));  // the countdown is drawn over it
      ASSERT_EQ(row, std::string(80, 'Z')) << "row " << r << " at " << frame.at_ms;
    }
    ASSERT_TRUE(frame.row(28).starts_with("Z")) << frame.at_ms;
    ASSERT_EQ(frame.row(29), full_row("")) << frame.at_ms;
    ASSERT_EQ(frame.row(30), full_row("")) << frame.at_ms;
  });
  EXPECT_EQ(session.read(), std::string(kLength, 'Z'));
  EXPECT_GT(checked, static_cast<std::uint64_t>(kLength - 2400) * 9 / 10);
}

TEST(Limits, AHeldKeyRepeatsUntilReleased) {
  PromptSession session;
  hold(session.host, platform::typed_key('w'), 100, 1000);  // the press and 13 repeats
  session.host.key(2000, platform::typed_key('\r'));
  EXPECT_EQ(session.read(), std::string(14, 'W'));
}

// A wait that empties the keyboard buffer first is not ended by the repeats of a key held
// since before it.
TEST(Limits, AKeyHeldIntoAWaitDoesNotEndItByRepeating) {
  const struct {
    const char* wait;
    const char* command;
    char held;  // from the end of the command to 30 s
    double seconds_left;
    int row;
    const char* shown;
  } cases[] = {
      {"end of the program", "", '\b', 18, 30, "Press any key to continue"},
      {"inventory", "i", '\r', 7200, 6, "PRESS ANY KEY..."},
  };
  for (const auto& c : cases) {
    RoomSession session(1, 0, 0, c.seconds_left);
    hold(session.host, platform::typed_key(c.held), session.host.type(1000, c.command), 30'000);
    session.host.end_run_at(30'500);
    EXPECT_EQ(session.play(), -1) << c.wait;  // still waiting
    EXPECT_EQ(session.row(c.row), full_row(c.shown)) << c.wait;
  }
}

TEST(Limits, AStopEndsEveryWaitingScreenAtOnce) {
  const struct {
    const char* screen;
    std::vector<const char*> commands;
  } cases[] = {
      {"prologue", {}},
      {"prompt", {"<start>"}},
      {"help", {"<start>", "help"}},
      {"inventory", {"<start>", "i"}},
      {"examine", {"<start>", "examine sword"}},
      {"farewell", {"<start>", "quit"}},
  };
  for (const auto& c : cases) {
    GameSession session;
    std::int64_t at = 1000;
    for (std::string_view command : c.commands)
      at = command == "<start>" ? session.start(at) : session.command(at, command);
    session.host.stop_at(at + 3000);
    EXPECT_EQ(session.play(), 0) << c.screen;
    EXPECT_GE(session.host.now(), at + 3000) << c.screen;
    EXPECT_LE(session.host.now(), at + 3000 + 10) << c.screen;  // the prompt sees it within a 9 ms step
  }
}

TEST(Limits, AStopEndsTheGameOverScreen) {
  RoomSession session(1, 0, 0, 0.5);
  session.host.stop_at(5000);
  EXPECT_EQ(session.play(), 0);
  EXPECT_EQ(session.row(1), full_row("__Game Over" + std::string(68, '_')));
  EXPECT_EQ(session.host.now(), 5000);
}

}  // namespace
