// Time services: the time of day, loop pacing and the wait for a key press.
#include <cmath>

#include "runtime.h"
#include "runtime_core.h"

using platform::Runtime;

namespace {
constexpr int kIllegalFunctionCall = 5;
constexpr double kLongestPeriodMs = 60000;
constexpr double kSleepStepMs = 9;
// A key wait wakes at once on a key press or a stop; this only bounds each wait.
constexpr std::int64_t kKeyCheckMs = 100;

// Rounds to the nearest multiple of `accuracy`, halves to the even multiple. Dividing by a
// whole reciprocal keeps tenths as exact as a double allows (12.3, not 12.300000000000001).
double round_to_multiple(double value, double accuracy) {
  const double steps = std::nearbyint(value / accuracy);
  const double reciprocal = 1.0 / accuracy;
  if (reciprocal == std::floor(reciprocal)) return steps / reciprocal;
  return steps * accuracy;
}
}  // namespace

double time_of_day(double accuracy, unsigned line) {
  if (!(accuracy > 0)) {
    rt_raise_error(kIllegalFunctionCall, line);
    return 0;
  }
  Runtime& runtime = Runtime::current();
  const std::int64_t ms = runtime.start_wall_ms + (runtime.now_ms() - runtime.start_monotonic_ms);
  return round_to_multiple(static_cast<double>(ms) / 1000.0, accuracy);
}

void time_limit(int passes_per_second, unsigned line) {
  const double period = passes_per_second > 0 ? 1000.0 / passes_per_second : 0;
  if (passes_per_second <= 0 || period > kLongestPeriodMs) {
    rt_raise_error(kIllegalFunctionCall, line);
    return;
  }
  Runtime& runtime = Runtime::current();
  for (;;) {
    const double rest = runtime.pacer.wait_needed(static_cast<double>(runtime.now_ms()), period);
    if (rest <= 0) return;
    // The rest of the period when it is short, else a 9 ms step; the hook runs after each.
    const double step = rest <= kSleepStepMs ? std::max(1.0, std::round(rest)) : kSleepStepMs;
    runtime.host().sleep_until(runtime.now_ms() + static_cast<std::int64_t>(step));
    rt_statement_hook(line);
  }
}

void time_sleep() {
  Runtime& runtime = Runtime::current();
  const std::uint64_t seen = runtime.key_presses();
  while (runtime.key_presses() == seen) {
    runtime.host().wait_for_key(runtime.now_ms() + kKeyCheckMs, seen);
    rt_statement_hook();
  }
}
