// What a front end provides to the runtime: a clock, blocking waits, frames and the
// window's requests. The SDL front end implements it for the real window; the headless
// front end implements it with a virtual clock and scripted keys for tests.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

class Host {
 public:
  virtual ~Host() = default;

  // Milliseconds on a steady clock.
  virtual std::int64_t monotonic_ms() = 0;
  // Local wall-clock milliseconds after midnight; read once, when the runtime starts.
  virtual std::int64_t wall_ms_after_midnight() = 0;
  // Blocks until the runtime's key-press count differs from `seen_presses`, a stop is
  // requested, or the steady clock reaches `until_ms`.
  virtual void wait_for_key(std::int64_t until_ms, std::uint64_t seen_presses) = 0;
  // Blocks until the steady clock reaches `until_ms` or a stop is requested.
  virtual void sleep_until(std::int64_t until_ms) = 0;
  // Wakes a wait_for_key after a key press or a stop request.
  virtual void input_arrived() = 0;

  // Shows one frame of page 0 as it stands; returns once it has been made.
  virtual void present_frame() = 0;
  // Page 0 changed while presentation is automatic.
  virtual void screen_changed() = 0;

  virtual void set_title(const std::string& title) = 0;
  virtual void set_icon() = 0;
  virtual void set_screen_size(int width, int height) = 0;
  // A yes/no box; true for yes.
  virtual bool ask_yes_no(const std::string& title, const std::string& text) = 0;
  // A box with an ok button.
  virtual void show_message(const std::string& title, const std::string& text) = 0;
};

}  // namespace platform
