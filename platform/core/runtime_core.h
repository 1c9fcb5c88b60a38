// The runtime's state: the screen, the key queues, the clocks and the program's stop and
// pause requests. One Runtime serves the services of runtime.h once installed; the front
// end feeds keys and requests into it from the window thread.
#pragma once

#include <algorithm>
#include <atomic>
#include <climits>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "host.h"
#include "key_queues.h"
#include "key_translation.h"
#include "presentation.h"
#include "text_screen.h"

namespace platform {

// Thrown on the game thread to end the program; the front end ends the process with it.
struct ProgramExit {
  int exit_code = 0;
};

// Runs the game from `entry` as its thread does; returns the program's exit code: the one
// it ended with, or 1 after one line on standard error naming an exception nothing expected.
int run_program(const std::function<void()>& entry);
// Within a catch: the one line, newline included, that names the exception being handled
// as one that nothing expected.
std::string unexpected_error_line();

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
  // Every wait for input looks again at least this often, whatever woke it.
  static constexpr std::int64_t kInputCheckMs = 100;
  static constexpr std::int64_t kNoDeadline = INT64_MAX;

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
  void request_stop();
  bool stop_requested() const { return stop_.load(); }
  // Milliseconds until an automatic frame is due (0: now), or Presentation::kNoFrameDue.
  std::int64_t wait_before_frame(std::int64_t now_ms) const {
    return presentation_.wait_before_frame(now_ms);
  }
  // The automatic frame due now: page 0 when it differs from the frame on show.
  std::optional<Page> take_due_frame(std::int64_t now_ms);
  // Page 0 for a frame made now whatever it holds (one the game asked for).
  Page take_frame(std::int64_t now_ms);
  // The next frame is made whatever the page, for a window that lost its picture.
  void forget_shown_frame() { presentation_.forget_shown(); }

  // ---- Game-thread side ----
  Host& host() { return host_; }
  std::int64_t now_ms() { return host_.monotonic_ms(); }
  // Local milliseconds after midnight: the wall clock at the start, counted on since.
  std::int64_t wall_ms() { return start_wall_ms_ + (now_ms() - start_monotonic_ms_); }
  // Milliseconds to wait before a loop held to `period_ms` may pass (0: go now).
  double pacing_wait(double period_ms) {
    return pacer_.wait_needed(static_cast<double>(now_ms()), period_ms);
  }
  std::int32_t read_code() { return key_events_.pop(); }
  bool read_key(BufferedKey& key) { return keyboard_.pop(key); }
  bool keyboard_empty() const { return keyboard_.empty(); }
  std::uint64_t key_presses() const { return presses_.load(); }
  bool paused() const { return pause_.load(); }
  bool manual_display() const { return presentation_.manual(); }
  void set_manual_display(bool manual);

  // Waits until `done()` holds or the clock reaches `until_ms`, waking on every key press,
  // end of a pause and stop request, and looking again every kInputCheckMs; returns done().
  template <typename Done>
  bool wait_for_input_until(Done done, std::int64_t until_ms = kNoDeadline) {
    for (;;) {
      const std::uint64_t seen = inputs_.load();
      if (done()) return true;
      const std::int64_t now = now_ms();
      if (now >= until_ms) return false;
      host_.wait_for_input(std::min(until_ms, now + kInputCheckMs), seen);
    }
  }

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
        if (changed && runtime.presentation_.note_change()) runtime.host_.screen_changed();
      }
    } notify{*this, lock, before};
    return change(screen_);
  }
  const TextScreen& screen() const { return screen_; }
  // A copy of page 0, taken under the screen lock.
  Page snapshot() const;
  // Counts what ends a wait for input: key presses, the end of a pause and stop requests.
  std::uint64_t input_count() const { return inputs_.load(); }

 private:
  void key_down(const KeyPress& press);
  void key_up(const KeyPress& press);  // the release of `press`
  void request_pause() { pause_.store(true); }
  // A key ended the pause; it reaches neither queue.
  void end_pause();
  void input_arrived();

  Host& host_;
  KeyEventQueue key_events_;
  KeyboardBuffer keyboard_;
  Pacer pacer_;
  Presentation presentation_;
  std::int64_t start_monotonic_ms_;
  std::int64_t start_wall_ms_;
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

// The path of the running program, empty when it cannot be read.
std::filesystem::path program_path();
// Makes the folder that holds the program the working folder, as the game expects.
void enter_program_folder();

}  // namespace platform
