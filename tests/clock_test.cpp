// The time of day, loop pacing and the wait for a key press.
#include <gtest/gtest.h>

#include "harness.h"
#include "runtime.h"

namespace {

using testing_support::kHour;

TEST(TimeOfDay, RoundsToTheAccuracyAndRunsOnPastMidnight) {
  platform::HeadlessSession session(23 * kHour + 59 * 60'000 + 59'949);  // 23:59:59.949
  session.host.end_run_at(2 * kHour);
  EXPECT_DOUBLE_EQ(time_of_day(0.1), 86399.9);
  session.host.sleep_until(2);  // 23:59:59.951
  EXPECT_DOUBLE_EQ(time_of_day(0.1), 86400.0);
  session.host.sleep_until(3600'000);
  EXPECT_DOUBLE_EQ(time_of_day(0.1), 89999.9);
  EXPECT_DOUBLE_EQ(time_of_day(1), 90000);
}

TEST(TimeOfDay, HalvesRoundToTheEvenMultiple) {
  platform::HeadlessSession session(12'250);  // 12.25 s
  EXPECT_DOUBLE_EQ(time_of_day(0.5), 12.0);
  EXPECT_DOUBLE_EQ(time_of_day(0.1), 12.2);
}

TEST(TimeOfDay, BadAccuracyIsErrorFive) {
  platform::HeadlessSession session;
  time_of_day(0);
  ASSERT_EQ(session.host.boxes().size(), 1u);
  EXPECT_NE(session.host.boxes()[0].text.find("Illegal function call"), std::string::npos);
}

TEST(Pacer, HoldsPassesToThePeriodAndCatchesUpLostTime) {
  platform::Pacer pacer;
  const double period = 1000.0 / 30;
  EXPECT_EQ(pacer.wait_needed(0, period), 0);               // first call: at once
  EXPECT_NEAR(pacer.wait_needed(10, period), 23.33, 0.01);  // 10 ms in: wait the rest
  EXPECT_EQ(pacer.wait_needed(40, period), 0);              // late by 6.7 ms: stored advances one period
  EXPECT_NEAR(pacer.wait_needed(50, period), 16.67, 0.01);  // so the next pass comes sooner
  EXPECT_EQ(pacer.wait_needed(200, period), 0);             // far behind: restart from now
  EXPECT_NEAR(pacer.wait_needed(200, period), period, 0.01);
  EXPECT_EQ(pacer.wait_needed(100, period), 0);  // the clock went back: restart
  EXPECT_NEAR(pacer.wait_needed(110, period), 23.33, 0.01);
}

TEST(TimeLimit, ThirtyPassesTakeOneSecond) {
  platform::HeadlessSession session;
  for (int pass = 0; pass < 31; ++pass) time_limit(30);
  EXPECT_NEAR(static_cast<double>(session.host.now()), 1000, 2);
}

TEST(TimeLimit, BadRatesAreErrorFive) {
  platform::HeadlessSession session;
  time_limit(0);
  time_limit(-3);
  EXPECT_EQ(session.host.boxes().size(), 2u);
}

TEST(TimeSleep, WaitsForANewKeyAndRemovesNothing) {
  platform::HeadlessSession session;
  session.runtime.key_down(platform::typed_key('a'));  // already waiting: does not end it
  session.host.key(3000, platform::typed_key('b'));
  time_sleep();
  EXPECT_EQ(session.host.now(), 3000);
  EXPECT_EQ(key_read_char(), "a");
  EXPECT_EQ(key_read_char(), "b");
}

}  // namespace
