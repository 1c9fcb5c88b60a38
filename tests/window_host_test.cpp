// The game thread's hand-over to the main thread, without a window: posted work runs there
// in order, and every wait of the game thread on it (a frame, a call such as a box's answer)
// ends on the main thread's reply, on a stop request and on the main loop's close.
#include "window_host.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <optional>
#include <string>
#include <thread>

#include "runtime_core.h"
#include "video.h"

namespace {

using platform::WindowHost;

TEST(WorkQueue, RunsPostedWorkInOrderOnTheThreadThatRunsIt) {
  int wakes = 0;
  platform::WorkQueue queue([&] { ++wakes; });
  std::string order;
  queue.post([&] { order += 'a'; });
  queue.post([&] { order += 'b'; });
  EXPECT_EQ(wakes, 2);
  EXPECT_EQ(order, "");
  queue.run_pending();
  EXPECT_EQ(order, "ab");
  queue.run_pending();
  EXPECT_EQ(order, "ab");
}

// A call released before its work ran leaves the work undone: no box shows after a stop.
TEST(WindowHost, EveryWaitOnTheMainThreadEndsOnReplyStopAndClose) {
  enum class End { reply, stop, close };
  const char* const names[] = {"the reply", "a stop", "the close"};
  for (const bool frame : {true, false}) {
    for (const End end : {End::reply, End::stop, End::close}) {
      const std::string what =
          std::string(frame ? "a frame" : "a call") + " ended by " + names[static_cast<int>(end)];
      platform::Video video;  // never opened: nothing here reaches a window
      std::atomic<int> wakes{0};
      WindowHost host(video, [&] {
        ++wakes;
        wakes.notify_all();
      });
      platform::Runtime runtime(host);
      host.bind(runtime);
      std::atomic<bool> ran{false};
      std::optional<int> answer;
      std::promise<void> returned;
      std::thread game([&] {
        if (frame) host.present_frame();
        if (!frame)
          answer = host.call<int>([&] {
            ran = true;
            return 42;
          });
        returned.set_value();
      });
      wakes.wait(0);  // the request is on its way
      switch (end) {
        case End::reply: frame ? host.frames_made(host.frame_requested()) : host.work().run_pending(); break;
        case End::stop: runtime.request_stop(); break;
        case End::close: host.close(); break;
      }
      if (returned.get_future().wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
        ADD_FAILURE() << what << ": the game thread still waits 30 s later";
        host.close();
      }
      game.join();
      host.work().run_pending();
      const bool answered = !frame && end == End::reply;
      EXPECT_EQ(ran, answered) << what;
      EXPECT_EQ(answer, answered ? std::optional(42) : std::nullopt) << what;
    }
  }
}

}  // namespace
