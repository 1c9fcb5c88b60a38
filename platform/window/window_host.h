// What the runtime asks of the window, on the game thread's side: the clocks and waits,
// the frames it asks for, and the window's requests, which travel to the main thread
// through the work queue. The main loop (main_loop.cpp) serves the other side.
//
// Every wait of the game thread on the main thread (a frame, a box's answer) also ends on a
// stop request and once the main loop has closed, so that the game stops whatever the main
// thread is doing, and a failing main thread can end the process without waiting on it.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "host.h"
#include "work_queue.h"

namespace platform {

class Runtime;
class Video;

class WindowHost final : public Host {
 public:
  // `wake` rouses the main loop from any thread.
  WindowHost(Video& video, std::function<void()> wake);
  void bind(Runtime& runtime) { runtime_ = &runtime; }

  // ---- Host (game thread) ----
  std::int64_t monotonic_ms() override;
  std::int64_t wall_ms_after_midnight() override;
  void wait_for_input(std::int64_t until_ms, std::uint64_t seen_inputs) override;
  void sleep_until(std::int64_t until_ms) override;
  void input_arrived() override;
  void present_frame() override;
  void screen_changed() override;
  void set_title(const std::string& title) override;
  void set_icon() override;
  void set_screen_size(int width, int height) override;
  std::optional<bool> ask_yes_no(const std::string& title, const std::string& text) override;
  bool show_message(const std::string& title, const std::string& text) override;

  // Runs `work` on the main thread and waits for its answer; nothing when a stop request or
  // the main loop's close comes first, and then the work does not run at all.
  template <typename Result>
  std::optional<Result> call(std::function<Result()> work) {
    auto answer = std::make_shared<std::optional<Result>>();
    work_.post([this, answer, work = std::move(work)] {
      if (released()) return;
      Result result = work();
      {
        std::lock_guard lock(reply_mutex_);
        *answer = std::move(result);
      }
      replied_.notify_all();
    });
    std::unique_lock lock(reply_mutex_);
    replied_.wait(lock, [&] { return answer->has_value() || released_locked(); });
    return *answer;
  }

  // ---- Main thread ----
  WorkQueue& work() { return work_; }
  // The newest frame the game asked for and waits on; 0 when none.
  std::uint64_t frame_requested();
  // Frames up to `request` are made: their waits end.
  void frames_made(std::uint64_t request);
  // The main loop saw the wake: a change after this wakes it again.
  void wake_seen() { wake_pending_.store(false); }
  // The main loop has ended: every wait on it ends, now and from now on, and the work not
  // yet run is dropped.
  void close();

 private:
  Video& video_;
  std::function<void()> wake_;
  WorkQueue work_;
  Runtime* runtime_ = nullptr;

  std::mutex wait_mutex_;
  std::condition_variable input_;

  // Whether the game thread's waits on the main thread are over for good.
  bool released();
  bool released_locked() const;

  // The main thread's replies: frames made and calls answered.
  std::mutex reply_mutex_;
  std::condition_variable replied_;
  std::uint64_t frames_requested_ = 0;
  std::uint64_t frames_made_ = 0;
  bool closed_ = false;

  // A wake for a screen change is on its way to the main loop.
  std::atomic<bool> wake_pending_{false};
};

}  // namespace platform
