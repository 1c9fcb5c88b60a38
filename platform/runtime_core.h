// The runtime's state: the screen, the key queues, the clocks and the program's stop and
// pause requests. One Runtime serves the services of runtime.h once installed; the front
// end feeds keys and requests into it from the window thread.
#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>

#include "host.h"
#include "key_queues.h"
#include "key_translation.h"
#include "text_screen.h"

namespace platform {

// Thrown on the game thread to end the program; the front end ends the process with it.
struct ProgramExit {
  int exit_code = 0;
};

// Holds a loop to a number of passes a second, catching up lost time within a margin.
class Pacer {
 public:
  // Milliseconds to wait before the pass may begin (0: go now); call again after waiting.
  double wait_needed(double now_ms, double period_ms);

 private:
  bool started_ = false;
  double stored_ms_ = 0;
};

class Runtime {
 public:
  explicit Runtime(Host& host);
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  // Makes this the runtime that the services act on.
  void install();
  static Runtime& current();

  // ---- Window-thread side ----
  // Carries out what the key translator made of one event.
  void apply(const std::vector<KeyAction>& actions);
  void key_down(const KeyPress& press);
  void key_up(const KeyPress& press);  // the release of `press`
  void request_stop();
  void request_pause() { pause_.store(true); }
  // A key ended the pause; it reaches neither queue.
  void end_pause();
  bool stop_requested() const { return stop_.load(); }
  // A copy of page 0 and its generation, taken under the screen lock.
  Page snapshot(std::uint64_t* generation = nullptr) const;
  std::uint64_t generation() const;

  // ---- Game-thread side ----
  Host& host() { return host_; }
  std::int64_t now_ms() { return host_.monotonic_ms(); }
  std::uint64_t key_presses() const { return presses_.load(); }
  // Counts what ends a wait for input: key presses, the end of a pause and stop requests.
  std::uint64_t input_count() const { return inputs_.load(); }
  bool paused() const { return pause_.load(); }

  // Runs `change` on the screen under its lock and tells the front end when page 0 changed
  // while presentation is automatic.
  template <typename Change>
  auto edit_screen(Change&& change) {
    std::unique_lock lock(screen_mutex_);
    const std::uint64_t before = screen_.generation();
    struct Notify {
      Runtime& runtime;
      std::unique_lock<std::mutex>& lock;
      std::uint64_t before;
      ~Notify() {
        const bool changed = runtime.screen_.generation() != before;
        lock.unlock();
        if (changed && !runtime.manual_display) runtime.host_.screen_changed();
      }
    } notify{*this, lock, before};
    return change(screen_);
  }
  const TextScreen& screen() const { return screen_; }

  KeyEventQueue key_events;
  KeyboardBuffer keyboard;
  Pacer pacer;
  std::atomic<bool> manual_display{false};  // read by the window thread too
  std::int64_t start_monotonic_ms = 0;
  std::int64_t start_wall_ms = 0;

 private:
  Host& host_;
  mutable std::mutex screen_mutex_;
  TextScreen screen_;
  std::atomic<std::uint64_t> presses_{0};
  std::atomic<std::uint64_t> inputs_{0};
  std::atomic<bool> stop_{false};
  std::atomic<bool> pause_{false};
};

// Milliseconds as seconds rounded to the nearest multiple of `accuracy` (halves to the even
// multiple), in whole-number arithmetic on the accuracy as the decimal it was written as.
double round_to_accuracy(std::int64_t ms, double accuracy);

// The file name of the running program, for error titles.
std::string program_file_name();

}  // namespace platform
