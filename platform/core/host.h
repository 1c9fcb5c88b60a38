// What a front end provides to the runtime: a clock, blocking waits, frames and the
// window's requests. The SDL front end implements it for the real window; the headless
// front end implements it with a virtual clock and scripted keys for tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

class Host {
 public:
  virtual ~Host() = default;

  // Milliseconds on a clock that only runs forward and counts the time the machine was
  // suspended; the time of day and every wait are measured on it.
  virtual std::int64_t monotonic_ms() = 0;
  // Local wall-clock milliseconds after midnight; read once, when the runtime starts.
  virtual std::int64_t wall_ms_after_midnight() = 0;
  // Blocks until the runtime's input count differs from `seen_inputs` (a key press, the
  // end of a pause, a stop request) or the clock reaches `until_ms`.
  virtual void wait_for_input(std::int64_t until_ms, std::uint64_t seen_inputs) = 0;
  // Blocks until the clock reaches `until_ms` or a stop is requested.
  virtual void sleep_until(std::int64_t until_ms) = 0;
  // Wakes a wait_for_input after a key press, the end of a pause or a stop request.
  virtual void input_arrived() = 0;

  // Shows one frame of page 0 as it stands; returns once it has been made.
  virtual void present_frame() = 0;
  // Page 0 changed while presentation is automatic.
  virtual void screen_changed() = 0;

  virtual void set_title(const std::string& title) = 0;
  virtual void set_icon() = 0;
  virtual void set_screen_size(int width, int height) = 0;
  // A yes/no box: true for yes, false for no; nothing when no box could be shown.
  virtual std::optional<bool> ask_yes_no(const std::string& title, const std::string& text) = 0;
  // A box with an ok button; false when it could not be shown.
  virtual bool show_message(const std::string& title, const std::string& text) = 0;
};

}  // namespace platform
