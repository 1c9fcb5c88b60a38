// A front end without a window, for tests and tools: a virtual clock that moves only while
// the game waits, a script of keys at virtual times, and a record of presented frames.
// A run that spans hours of virtual time takes milliseconds.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host.h"
#include "runtime_core.h"

namespace platform {

// Thrown when virtual time reaches the end of the run while the game is still going.
struct HeadlessRunEnded {};

// A key to script: the event of its going down and the text it types.
struct ScriptedKey {
  KeyEvent event;
  std::string text;
};
// The key that types `character` on a US keyboard ('\r' is Enter, '\b' Backspace).
ScriptedKey typed_key(char character);
// A key by its USB HID usage (F1 is 58, Up 82) that types no text.
ScriptedKey usb_key(int usage, KeyModifiers modifiers = {});

struct Frame {
  std::int64_t at_ms = 0;
  bool requested = false;  // made by scr_display rather than by automatic presentation
  Page page;
  std::string row(int row) const { return page.row_text(row - 1); }  // 1-based
};

struct MessageBox {
  std::string title;
  std::string text;
};

class HeadlessHost : public Host {
 public:
  static constexpr std::size_t kFramesKept = 512;

  explicit HeadlessHost(std::int64_t wall_ms_after_midnight = 10LL * 3600 * 1000);
  void bind(Runtime& runtime) { runtime_ = &runtime; }

  // ---- The script (times in virtual milliseconds from the start) ----
  // Keys and text go through a key translator, as the window's events do.
  // Presses a key at `at_ms` and releases it `hold_ms` later.
  void key(std::int64_t at_ms, const ScriptedKey& key, std::int64_t hold_ms = 40);
  // A press alone (a held key's repeat when its event says so), or a release alone.
  void press(std::int64_t at_ms, const ScriptedKey& key);
  void release(std::int64_t at_ms, const ScriptedKey& key);
  // One event as the window reports it.
  void key_event(std::int64_t at_ms, const KeyEvent& event) { schedule({at_ms, Kind::key, event, {}}); }
  void text_event(std::int64_t at_ms, std::string text) {
    schedule({at_ms, Kind::text, {}, std::move(text)});
  }
  // Presses and releases a key now, outside the script.
  void key_now(const ScriptedKey& key);
  // Types each character `gap_ms` apart from `at_ms`; returns the time after the last one.
  std::int64_t type(std::int64_t at_ms, std::string_view text, std::int64_t gap_ms = 80);
  void stop_at(std::int64_t at_ms);
  // Presses and releases the Pause key.
  void pause_at(std::int64_t at_ms);
  // The run ends (HeadlessRunEnded) once virtual time reaches this; by default one minute
  // after the last scripted event.
  void end_run_at(std::int64_t at_ms) { end_at_ms_ = at_ms; }
  // The clock leaps `by_ms` ahead at once, as over a suspended machine; the script still to
  // come and the end of the run move with it. Callable from a frame's observer.
  void leap(std::int64_t by_ms);
  // Called with each frame as it is made.
  void on_frame(std::function<void(const Frame&)> observer) { observer_ = std::move(observer); }
  // How the boxes from now on end: answered yes (the default) or no; not shown at all, as on
  // a desktop without a way to show one; or never, the box staying up until a stop comes.
  enum class BoxAnswer { yes, no, not_shown, never };
  void answer_boxes(BoxAnswer answer) { box_answer_ = answer; }
  // How many of the newest frames frames() keeps (kFramesKept by default; 0 keeps none, for
  // runs that only watch frames as they are made).
  void keep_frames(std::size_t count) { frames_kept_ = count; }

  // ---- What happened ----
  std::int64_t now() const { return now_ms_; }
  const std::deque<Frame>& frames() const { return frames_; }
  std::uint64_t frames_made() const { return frames_made_; }
  std::uint64_t requested_frames() const { return requested_frames_; }
  const std::string& title() const { return title_; }
  bool icon_set() const { return icon_set_; }
  int screen_width() const { return width_; }
  int screen_height() const { return height_; }
  const std::vector<MessageBox>& boxes() const { return boxes_; }

  // ---- Host ----
  std::int64_t monotonic_ms() override { return now_ms_; }
  std::int64_t wall_ms_after_midnight() override { return wall_start_ms_; }
  void wait_for_input(std::int64_t until_ms, std::uint64_t seen_inputs) override;
  void sleep_until(std::int64_t until_ms) override;
  void input_arrived() override {}
  void present_frame() override;
  void screen_changed() override {}  // virtual time looks for a due frame at every step
  void set_title(const std::string& title) override { title_ = title; }
  void set_icon() override { icon_set_ = true; }
  void set_screen_size(int width, int height) override;
  std::optional<bool> ask_yes_no(const std::string& title, const std::string& text) override;
  bool show_message(const std::string& title, const std::string& text) override;

 private:
  enum class Kind { key, text, stop };
  struct Event {
    std::int64_t at_ms;
    Kind kind;
    KeyEvent key;
    std::string text;
  };
  void schedule(Event event);
  // Moves virtual time to `to_ms`, delivering the events due; with `until_input`, stops at
  // the first moment a key press or stop arrives.
  void advance(std::int64_t to_ms, bool until_input);
  void deliver(const Event& event);
  void record_frame(bool requested, Page page);

  Runtime* runtime_ = nullptr;
  KeyTranslator keys_;
  std::int64_t now_ms_ = 0;
  std::int64_t wall_start_ms_;
  std::int64_t end_at_ms_ = -1;
  std::int64_t last_scheduled_ms_ = 0;
  std::deque<Event> events_;  // sorted by time
  std::deque<Frame> frames_;
  std::uint64_t frames_made_ = 0;
  std::uint64_t requested_frames_ = 0;
  std::size_t frames_kept_ = kFramesKept;
  std::function<void(const Frame&)> observer_;
  // Shows a box as box_answer_ says; true when it was answered.
  bool show_box(const std::string& title, const std::string& text);

  BoxAnswer box_answer_ = BoxAnswer::yes;
  bool icon_set_ = false;
  std::string title_;
  int width_ = kStartPixelWidth;
  int height_ = kStartPixelHeight;
  std::vector<MessageBox> boxes_;
};

// A headless host with its runtime, installed for the services.
struct HeadlessSession {
  explicit HeadlessSession(std::int64_t wall_ms_after_midnight = 10LL * 3600 * 1000)
      : host(wall_ms_after_midnight), runtime(host) {
    host.bind(runtime);
    runtime.install();
  }
  // Runs `entry` as the game thread would; returns the program's exit code, or -1 when
  // the run ended with the game still going.
  int run(const std::function<void()>& entry);
  // The text of one row of page 0 as it stands (1-based).
  std::string row(int row) const { return runtime.snapshot().row_text(row - 1); }

  HeadlessHost host;
  Runtime runtime;
};

}  // namespace platform
