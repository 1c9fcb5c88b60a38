// Program control: runtime errors, the end of the program, stop and pause.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "harness.h"
#include "runtime.h"

namespace {

using testing_support::full_row;

TEST(RuntimeErrors, BoxTitleAndTextFollowTheirFormats) {
  platform::HeadlessSession session;
  const int line = __LINE__ + 1;
  rt_raise_error(5);
  ASSERT_EQ(session.host.boxes().size(), 1u);
  EXPECT_EQ(session.host.boxes()[0].title,
            "Unhandled Error #5 - " + platform::program_path().filename().string());
  EXPECT_EQ(session.host.boxes()[0].text,
            "Line: " + std::to_string(line) + " (in main module)\nIllegal function call\nContinue?");
}

TEST(RuntimeErrors, MessagesOfTheNumberedErrors) {
  platform::HeadlessSession session;
  for (int code : {3, 9}) rt_raise_error(code);
  EXPECT_NE(session.host.boxes()[0].text.find("\nRETURN without GOSUB\n"), std::string::npos);
  EXPECT_NE(session.host.boxes()[1].text.find("\nSubscript out of range\n"), std::string::npos);
}

TEST(RuntimeErrors, DivisionByZeroIsCritical) {
  platform::HeadlessSession session;
  EXPECT_EQ(session.run([] { rt_raise_error(11); }), 0);
  ASSERT_EQ(session.host.boxes().size(), 1u);
  EXPECT_EQ(session.host.boxes()[0].title, "Critical Error");
  EXPECT_EQ(session.host.boxes()[0].text, "Division by zero");
}

// How an error box ends the program: "no" and a stop while a box is up (it stays up until
// the stop at 5 s) end it as a stop does; a box that cannot be shown, and an exception that
// nothing expected, end it with exit code 1 and one line on standard error, never as success.
TEST(RuntimeErrors, HowTheProgramEndsFromABoxOrAFailure) {
  using Answer = platform::HeadlessHost::BoxAnswer;
  const auto error_9 = [] { rt_raise_error(9, 1); };
  const auto critical = [] { rt_raise_error(11); };
  const struct {
    const char* what;
    Answer answer;
    std::function<void()> entry;
    int exit_code;
    std::string line;
  } cases[] = {
      {"no", Answer::no, error_9, 0, ""},
      {"stop while the error box is up", Answer::never, error_9, 0, ""},
      {"stop while the critical box is up", Answer::never, critical, 0, ""},
      {"error box not shown", Answer::not_shown, error_9, 1,
       "Unhandled Error #9 - " + platform::program_path().filename().string() +
           ": Line: 1 (in main module) Subscript out of range Continue?"},
      {"critical box not shown", Answer::not_shown, critical, 1, "Critical Error: Division by zero"},
      {"unexpected exception", Answer::yes, [] { throw std::runtime_error("out of cheese"); }, 1,
       "unexpected error: out of cheese"},
  };
  for (const auto& c : cases) {
    platform::HeadlessSession session;
    session.host.answer_boxes(c.answer);
    session.host.stop_at(5000);
    testing::internal::CaptureStderr();
    EXPECT_EQ(session.run(c.entry), c.exit_code) << c.what;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.line.empty() ? "" : "valewarden: " + c.line + "\n")
        << c.what;
    EXPECT_EQ(session.host.now(), c.answer == Answer::never ? 5000 : 0) << c.what;
  }
}

TEST(EndProgram, PrintsOnRow30AndWaitsForANewKey) {
  platform::HeadlessSession session;
  scr_set_mode(12);
  scr_print_string("story", 1);
  session.host.key_now(platform::typed_key('x'));  // waiting before: thrown away
  session.host.key(4000, platform::typed_key('y'));
  EXPECT_EQ(session.run([] { rt_end_program(); }), 0);
  EXPECT_EQ(session.host.now(), 4000);
  EXPECT_EQ(session.row(30), full_row("Press any key to continue"));
  EXPECT_EQ(session.row(1), full_row("story"));
  EXPECT_EQ(session.row(29), full_row(""));
}

TEST(EndProgram, ACloseEndsItToo) {
  platform::HeadlessSession session;
  scr_set_mode(12);
  session.host.stop_at(700);
  EXPECT_EQ(session.run([] { rt_end_program(); }), 0);
  EXPECT_EQ(session.host.now(), 700);
}

TEST(StopRequest, EndsAKeyWaitAtOnce) {
  platform::HeadlessSession session;
  session.host.stop_at(1234);
  EXPECT_EQ(session.run([] {
    for (;;) key_wait(100);
  }),
            0);
  EXPECT_EQ(session.host.now(), 1234);
}

TEST(StopRequest, EndsAPacedLoop) {
  platform::HeadlessSession session;
  session.host.stop_at(500);
  EXPECT_EQ(session.run([] {
    for (;;) time_limit(30);
  }),
            0);
  EXPECT_LE(session.host.now(), 510);
}

TEST(Pause, HoldsTheGameUntilAnotherKeyWhichIsSwallowed) {
  platform::HeadlessSession session;
  session.host.pause_at(100);
  session.host.key(9000, platform::typed_key('p'));
  session.host.key(9500, platform::typed_key('q'));
  session.host.sleep_until(200);
  rt_statement_hook();
  EXPECT_EQ(session.host.now(), 9000);
  EXPECT_FALSE(session.runtime.paused());
  EXPECT_EQ(key_read_char(), "");  // p ended the pause: neither queue has it
  EXPECT_EQ(key_read_code(), 0);
  session.host.sleep_until(9600);
  EXPECT_EQ(key_read_char(), "q");
  EXPECT_EQ(key_read_code(), 'q');
  EXPECT_EQ(key_read_code(), -'q');
}

TEST(Pause, AKeyBeforeTheNextStatementBoundaryEndsIt) {
  platform::HeadlessSession session;
  session.host.pause_at(100);
  session.host.key(150, platform::typed_key('p'));
  session.host.key(9000, platform::typed_key('q'));
  session.host.sleep_until(200);  // the game is busy while both arrive
  rt_statement_hook();
  EXPECT_EQ(session.host.now(), 200);  // not held: the pause is over already
  EXPECT_EQ(key_read_char(), "");
  EXPECT_EQ(key_read_code(), 0);
}

TEST(Pause, AStopEndsTheProgramWhilePaused) {
  platform::HeadlessSession session;
  session.host.pause_at(100);
  session.host.stop_at(3000);
  EXPECT_EQ(session.run([&] {
    session.host.sleep_until(200);
    rt_statement_hook();
  }),
            0);
  EXPECT_EQ(session.host.now(), 3000);
}

TEST(Pause, TimeOfDayRunsOnWhilePaused) {
  platform::HeadlessSession session;  // starts at 10:00:00.000
  session.host.pause_at(100);
  session.host.key(60'100, platform::typed_key('p'));
  session.host.sleep_until(200);
  rt_statement_hook();
  EXPECT_DOUBLE_EQ(time_of_day(0.1), 36060.1);
}

}  // namespace
