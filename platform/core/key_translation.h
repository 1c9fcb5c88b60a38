// The translation from what the window system reports about the keyboard (keys going down
// and up, and the text they type) to what a PC keyboard gives the two key queues. It works
// on plain values that the front end copies out of its events, so tests drive it from
// recorded event sequences without a window.
//
// Rules:
// - Every key has its PC scan code (tables in key_translation.cpp); a key the PC keyboard
//   lacks gives nothing.
// - A key of the typing block gives the character that its text event brings, as its code
//   page 437 byte; a character that code page 437 lacks gives the key without a character
//   (code: scan code times 256). A key that brings no text and stands for no character or
//   went down with Alt (a dead key, AltGr's too) gives nothing; the composed letter is the
//   press of the key that composed it.
// - With Ctrl held (and Alt not, so AltGr keeps typing), Ctrl+letter types 1 to 26,
//   Ctrl+Enter 10, Ctrl+Backspace 127; every other key types no character and has the PC's
//   Ctrl scan code where the PC has one. Text events that Ctrl keys bring are ignored.
// - The keypad types its digits and point (the layout's: a comma on German keyboards) with
//   Num Lock on and Shift not held, and is the navigation block otherwise, as the X server
//   types it; its operators and Enter always type.
// - Shift, Ctrl, Alt and the locks give a key-event code but no keyboard-buffer entry, and
//   do not repeat.
// - A key's text is the text event that follows its key-down before the next key event, or
//   one that comes just before its key-down. Text that no key claims is typed on its own
//   (scan code 0, pressed and released at once); a key whose text holds several characters
//   (an accent that did not compose, then its own) releases all but the last at once.
// - A repeat is a press, marked as a repeat; the release negates the code of the key's
//   last press.
// - Pause pauses; the next key pressed (Pause aside, a repeat too) ends the pause and is
//   swallowed with its text, its repeats and its release. Ctrl+Pause (Break) and Alt+F4
//   stop the program.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "key_queues.h"

namespace platform {

struct KeyModifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;  // either Alt key, AltGr included
  bool num_lock = false;
};

// A key going down (a repeat too) or up.
struct KeyEvent {
  bool down = true;
  int usage = 0;           // the key's USB HID usage (its place on the keyboard)
  char32_t symbol = 0;     // the character the layout names the key by; 0 for none (dead keys too)
  KeyModifiers modifiers;  // as they stand with this event
  bool repeat = false;
};

// What the queues and the program are to do about one event.
struct KeyAction {
  enum class Kind { press, release, pause, end_pause, stop };
  Kind kind = Kind::press;
  KeyPress press;  // press: what it gives; release: the press it ends
  bool operator==(const KeyAction&) const = default;
};

// The code page 437 byte of a character; none for a character it does not hold (and for
// control characters).
std::optional<std::uint8_t> cp437_of(char32_t character);

class KeyTranslator {
 public:
  std::vector<KeyAction> key(const KeyEvent& event);
  // A text event: UTF-8 text typed by the key that went down last (or, when it comes first,
  // by the key that goes down next).
  std::vector<KeyAction> text(std::string_view utf8);

 private:
  // A key that went down and waits for its text.
  struct Waiting {
    KeyEvent event;
    int scan = 0;
    bool swallowed = false;  // it ended a pause
  };
  // What each held key (by usage) pressed, for its repeats and release.
  struct Held {
    bool held = false;
    bool swallowed = false;
    KeyPress press;
  };

  void resolve_waiting(std::vector<KeyAction>& out);
  void type_unclaimed(std::vector<KeyAction>& out);
  void press(const KeyEvent& event, KeyPress key_press, std::vector<KeyAction>& out);
  void key_down(const KeyEvent& event, std::vector<KeyAction>& out);
  void key_up(const KeyEvent& event, std::vector<KeyAction>& out);
  void typed(const KeyEvent& event, int scan, std::u32string_view characters, std::vector<KeyAction>& out);

  std::optional<Waiting> waiting_;
  std::u32string unclaimed_;  // text that came before its key went down
  std::array<Held, 256> held_{};
  bool paused_ = false;
  bool last_ctrl_ = false;  // Ctrl was held at the last key event: its text is not typed
};

}  // namespace platform
