// The time of day, loop pacing and the wait for a key press.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iomanip>

#include "harness.h"
#include "runtime.h"
#include "runtime_core.h"

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

TEST(TimeOfDay, ExactHalvesOfATenthRoundToTheEvenTenth) {
  const struct {
    std::int64_t ms;
    double shown;
  } cases[] = {{36'000'350, 36000.4}, {36'000'250, 36000.2}, {36'000'050, 36000.0},
               {36'000'150, 36000.2}, {36'000'349, 36000.3}, {36'000'351, 36000.4}};
  for (const auto& c : cases) {
    platform::HeadlessSession session(c.ms);
    EXPECT_EQ(time_of_day(0.1), c.shown) << c.ms;
  }
}

// An accuracy of digits / 10^decimals seconds, as exact whole numbers.
struct Accuracy {
  double value;
  std::int64_t digits;
  int decimals;
  std::int64_t scale() const { return decimals == 1 ? 10 : 100; }
};

// The number of steps of the accuracy nearest to ms (halves to the even number), from the
// distances to the multiples below and above in whole units of 1 / (1000 * scale) s.
std::int64_t nearest_steps(std::int64_t ms, const Accuracy& accuracy) {
  const std::int64_t time = ms * accuracy.scale(), step = accuracy.digits * 1000;
  const std::int64_t below = time / step;
  const std::int64_t to_below = time - below * step, to_above = (below + 1) * step - time;
  return to_below < to_above || (to_below == to_above && below % 2 == 0) ? below : below + 1;
}

// The double nearest to a number of steps, read from its exact decimal digits.
double steps_as_seconds(std::int64_t steps, const Accuracy& accuracy) {
  const std::int64_t value = steps * accuracy.digits;
  char text[64];
  std::snprintf(text, sizeof text, "%lld.%0*lld", static_cast<long long>(value / accuracy.scale()),
                accuracy.decimals, static_cast<long long>(value % accuracy.scale()));
  return std::strtod(text, nullptr);
}

TEST(TimeOfDay, EveryMillisecondOfAnHourRoundsExactly) {
  const Accuracy accuracies[] = {{0.1, 1, 1}, {0.01, 1, 2}, {0.3, 3, 1}, {0.25, 25, 2}};
  for (const Accuracy& accuracy : accuracies) {
    int wrong = 0;
    std::int64_t steps = -1;
    double expected = 0;
    for (std::int64_t ms = 10 * kHour; ms <= 11 * kHour && wrong < 5; ++ms) {
      if (const std::int64_t now = nearest_steps(ms, accuracy); now != steps) {
        steps = now;
        expected = steps_as_seconds(steps, accuracy);
      }
      const double got = platform::round_to_accuracy(ms, accuracy.value);
      if (got != expected) {
        ++wrong;
        ADD_FAILURE() << "accuracy " << accuracy.value << " at " << ms << " ms: " << std::setprecision(17)
                      << got << " instead of " << expected;
      }
    }
  }
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
  session.host.key_now(platform::typed_key('a'));  // already waiting: does not end it
  session.host.key(3000, platform::typed_key('b'));
  time_sleep();
  EXPECT_EQ(session.host.now(), 3000);
  EXPECT_EQ(key_read_char(), "a");
  EXPECT_EQ(key_read_char(), "b");
}

}  // namespace
