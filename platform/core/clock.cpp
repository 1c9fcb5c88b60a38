// Time services: the time of day, loop pacing and the wait for a key press.
#include <algorithm>
#include <cmath>
#include <numeric>

#include "runtime.h"
#include "runtime_core.h"

using platform::Runtime;

namespace {
constexpr double kLongestPeriodMs = 60000;
constexpr double kSleepStepMs = 9;

constexpr int kMostDecimals = 9;
// Wide enough for milliseconds times a nanosecond denominator.
__extension__ using Wide = __int128;
constexpr double kHugeAccuracy = 1e15;  // seconds: past any clock reading, so it rounds to 0

// The accuracy as a fraction step_numerator / step_denominator seconds: the short decimal it
// was written as (0.1 is 1/10), or else the nearest nanosecond.
struct Step {
  std::int64_t numerator;
  std::int64_t denominator;
};

Step step_of(double accuracy) {
  std::int64_t denominator = 1;
  for (int decimals = 0; decimals <= kMostDecimals; ++decimals, denominator *= 10) {
    const double scaled = accuracy * static_cast<double>(denominator);
    const double whole = std::round(scaled);
    if (std::fabs(scaled - whole) <= scaled * 1e-12 || decimals == kMostDecimals) {
      const auto numerator = static_cast<std::int64_t>(whole);
      const std::int64_t common = std::max<std::int64_t>(1, std::gcd(numerator, denominator));
      return {numerator / common, denominator / common};
    }
  }
  return {0, 1};
}
}  // namespace

namespace platform {
double round_to_accuracy(std::int64_t ms, double accuracy) {
  if (accuracy >= kHugeAccuracy) return 0;
  const Step step = step_of(accuracy);
  if (step.numerator == 0) return static_cast<double>(ms) / 1000;  // finer than a nanosecond
  // The number of steps: ms * denominator / (numerator * 1000), halves to the even count.
  const Wide scaled = static_cast<Wide>(ms) * step.denominator;
  const Wide step_ms = static_cast<Wide>(step.numerator) * 1000;
  Wide steps = scaled / step_ms;
  const Wide twice_rest = (scaled % step_ms) * 2;
  if (twice_rest > step_ms || (twice_rest == step_ms && steps % 2 != 0)) ++steps;
  // Both are whole numbers a double holds exactly, so the quotient is correctly rounded.
  return static_cast<double>(steps * step.numerator) / static_cast<double>(step.denominator);
}
}  // namespace platform

double time_of_day(double accuracy, unsigned line) {
  if (!(accuracy > 0)) {
    rt_raise_error(rt_error::kIllegalFunctionCall, line);
    return 0;
  }
  return platform::round_to_accuracy(Runtime::current().wall_ms(), accuracy);
}

void time_limit(int passes_per_second, unsigned line) {
  const double period = passes_per_second > 0 ? 1000.0 / passes_per_second : 0;
  if (passes_per_second <= 0 || period > kLongestPeriodMs) {
    rt_raise_error(rt_error::kIllegalFunctionCall, line);
    return;
  }
  Runtime& runtime = Runtime::current();
  for (;;) {
    const double rest = runtime.pacing_wait(period);
    if (rest <= 0) return;
    // The rest of the period when it is short, else a 9 ms step; the hook runs after each.
    const double step = rest <= kSleepStepMs ? std::max(1.0, std::round(rest)) : kSleepStepMs;
    runtime.host().sleep_until(runtime.now_ms() + static_cast<std::int64_t>(step));
    rt_statement_hook(line);
  }
}

void time_sleep() {
  Runtime& runtime = Runtime::current();
  const std::uint64_t seen_presses = runtime.key_presses();
  const auto pressed = [&] { return runtime.key_presses() != seen_presses; };
  // The statement hook runs between waits: a stop or a pause may come first.
  while (!pressed()) {
    runtime.wait_for_input_until([&] { return pressed() || runtime.stop_requested() || runtime.paused(); });
    rt_statement_hook();
  }
}
