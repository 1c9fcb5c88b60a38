// The cost of one pass of the command reader: restore the page, print the typed text and
// the countdown, and make the frame. Its budget is one 30th of a second (33 ms).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "harness.h"

namespace {

constexpr int kSecondsTyping = 10;

void ReaderPass(benchmark::State& state) {
  std::int64_t passes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    testing_support::PromptSession session;
    session.host.type(0, "go south and then east along the road", 250);
    session.host.key(kSecondsTyping * 1000, platform::typed_key('\r'));
    state.ResumeTiming();
    benchmark::DoNotOptimize(session.read());
    passes += static_cast<std::int64_t>(session.host.requested_frames());
  }
  state.counters["passes"] = static_cast<double>(passes);
  state.counters["per_pass"] = benchmark::Counter(static_cast<double>(passes),
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(ReaderPass)->Unit(benchmark::kMillisecond);

// Passes with a 20,000-character command on the line: each prints the whole text, which
// wraps over 250 rows and scrolls the print area every pass.
void ReaderPassWithLongCommand(benchmark::State& state) {
  constexpr int kLength = 20'000;
  constexpr std::int64_t kTypedBy = 100 + 34LL * kLength;
  double slowest_us = 0, total_us = 0;
  std::int64_t passes = 0;
  for (auto _ : state) {
    testing_support::PromptSession session;
    for (int i = 0; i < kLength; ++i) session.host.press(100 + 34 * i, platform::typed_key('z'));
    session.host.press(kTypedBy + 5000, platform::typed_key('\r'));
    auto last = std::chrono::steady_clock::now();
    session.host.on_frame([&](const platform::Frame& frame) {
      const auto now = std::chrono::steady_clock::now();
      if (frame.at_ms > kTypedBy) {
        const double us = std::chrono::duration<double, std::micro>(now - last).count();
        slowest_us = std::max(slowest_us, us);
        total_us += us;
        ++passes;
      }
      last = now;
    });
    benchmark::DoNotOptimize(session.read());
  }
  state.counters["passes_at_full_length"] = static_cast<double>(passes);
  state.counters["mean_pass_us"] = total_us / static_cast<double>(std::max<std::int64_t>(passes, 1));
  state.counters["slowest_pass_us"] = slowest_us;
}
BENCHMARK(ReaderPassWithLongCommand)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
