// The cost of one pass of the command reader: restore the page, print the typed text and
// the countdown, and make the frame. Its budget is one 30th of a second (33 ms).
#include <benchmark/benchmark.h>

#include "game.h"
#include "headless.h"

namespace {

constexpr int kSecondsTyping = 10;

void ReaderPass(benchmark::State& state) {
  std::int64_t passes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    platform::HeadlessSession session;
    game::Game game;
    scr_set_mode(12);
    game.current_room = 1;
    game.fill_room_exits();
    game.deadline_timer = time_of_day(0.1) + 7200;
    game.draw_main_screen();
    game.describe_room();
    scr_print_string("> ", 0);
    session.host.type(0, "go south and then east along the road", 250);
    session.host.key(kSecondsTyping * 1000, platform::typed_key('\r'));
    state.ResumeTiming();
    session.run([&] { benchmark::DoNotOptimize(game.read_command()); });
    passes += static_cast<std::int64_t>(session.host.requested_frames());
  }
  state.counters["passes"] = static_cast<double>(passes);
  state.counters["per_pass"] = benchmark::Counter(static_cast<double>(passes),
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(ReaderPass)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
