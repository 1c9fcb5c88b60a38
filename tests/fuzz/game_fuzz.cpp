// Fuzzes the whole game in the headless front end. The input is a script of keys and times
// (ScriptReader below); the dictionary of the game's words (game.dict) and the seed
// corpus, which reaches the spear, the shield, victory and the end of time, lead it through
// the game. Every new frame must be exactly a screen that the game may show in its state,
// with the countdown that the virtual clock gives (game_screens.h); the game must keep its
// state in range, raise no runtime error, and end only with exit code 0.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "game.h"
#include "game_screens.h"
#include "headless.h"

namespace {

// Two codes a key (press and release), of which the command reader takes one a pass at 30
// passes a second: keys 80 ms apart reach the command line as typed.
constexpr std::int64_t kKeyGapMs = 80;
constexpr std::int64_t kHoldMs = 40;
constexpr std::int64_t kLongestScriptMs = 3 * 60 * 1000;
constexpr std::int64_t kAfterScriptMs = 2000;

// Script bytes. Printable ASCII, Enter ('\r' or '\n') and Backspace ('\b') are typed with
// the keys of a US keyboard, one a gap; bytes from 0xA0 type that Latin-1 character, whose
// text is two bytes of UTF-8. Other bytes do nothing.
enum Op : std::uint8_t {
  kLeap = 0x80,       // + minutes: the time of day leaps forward, as after a suspend;
                      // before the first key, the game starts that much later in the day
  kWait = 0x81,       // + tenths of a second
  kGap = 0x82,        // + milliseconds between keys from here on
  kRepeat = 0x83,     // the last key repeats, as a held key does
  kText = 0x84,       // + length (taken modulo 8) + bytes: a text event that no key brought
  kDeadKey = 0x85,    // + Latin-1 character: a dead key, then the key that composes it
  kTextFirst = 0x86,  // + Latin-1 character: its text arrives before its key goes down
  kPause = 0x87,
  kStop = 0x88,
  kAnyKey = 0x89,   // + USB usage + modifiers (1 Shift, 2 Ctrl, 4 Alt, 8 Num Lock) + the Latin-1
                    // character the layout names the key by (0: none); modifier 16: also its text
  kHold = 0x8A,     // the last key goes down (again) and stays down
  kRelease = 0x8B,  // the last key comes up
};

// A leap of the time of day, made at the first frame at or after its time: the command
// reader's 30 passes a second would take too long to run through hours of virtual time.
struct Leap {
  std::int64_t at_ms;
  std::int64_t by_ms;
};

struct Script {
  std::int64_t later_start_ms = 0;
  std::vector<Leap> leaps;
  std::size_t presses = 0;  // key presses and typed characters: no command line is longer
  std::int64_t end_ms = 0;
};

// The UTF-8 of a Latin-1 character.
std::string utf8_of(std::uint8_t character) {
  if (character < 0x80) return std::string(1, static_cast<char>(character));
  return {static_cast<char>(0xC0 | character >> 6), static_cast<char>(0x80 | (character & 0x3F))};
}

platform::ScriptedKey latin1_key(std::uint8_t character) {
  platform::ScriptedKey key = platform::typed_key('e');
  key.event.symbol = character;
  key.text = utf8_of(character);
  return key;
}

platform::KeyModifiers modifiers(std::uint8_t bits) {
  return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
}

class ScriptReader {
 public:
  ScriptReader(platform::HeadlessHost& host, const std::uint8_t* data, std::size_t size)
      : host_(host), data_(data), size_(size) {}

  Script read() {
    while (read_ < size_ && at_ < kLongestScriptMs) step(next());
    script_.end_ms = at_ + kAfterScriptMs;
    return script_;
  }

 private:
  std::uint8_t next() { return read_ < size_ ? data_[read_++] : 0; }

  void stroke(const platform::ScriptedKey& key) {
    host_.key(at_, key, kHoldMs);
    last_ = key;
    ++script_.presses;
    at_ += gap_;
  }

  void step(std::uint8_t byte) {
    if (byte == '\r' || byte == '\n') return stroke(platform::typed_key('\r'));
    if (byte == '\b' || (byte >= 0x20 && byte < 0x7F))
      return stroke(platform::typed_key(static_cast<char>(byte)));
    if (byte >= 0xA0) return stroke(latin1_key(byte));
    switch (byte) {
      case kLeap:
        if (script_.presses == 0) {
          script_.later_start_ms += next() * 60'000LL;
        } else {
          script_.leaps.push_back({at_, next() * 60'000LL});
        }
        break;
      case kWait: at_ += next() * 100LL; break;
      case kGap: gap_ = next(); break;
      case kRepeat: {
        platform::ScriptedKey repeat = last_;
        repeat.event.repeat = true;
        host_.press(at_, repeat);
        ++script_.presses;
        at_ += gap_;
        break;
      }
      case kText: {
        std::string text;
        for (int n = next() % 8; n > 0; --n) text += static_cast<char>(next());
        host_.text_event(at_, text);
        script_.presses += text.size();
        break;
      }
      case kDeadKey:
        host_.key(at_, platform::usb_key(46), kHoldMs);  // the key of the acute accent on German keyboards
        at_ += gap_;
        stroke(latin1_key(next()));
        break;
      case kTextFirst: {
        const platform::ScriptedKey key = latin1_key(next());
        host_.text_event(at_, key.text);
        stroke({key.event, {}});
        break;
      }
      case kPause:
        host_.pause_at(at_);
        at_ += gap_;
        break;
      case kStop: host_.stop_at(at_); break;
      case kAnyKey: {
        const std::uint8_t usage = next();
        const std::uint8_t bits = next();
        platform::ScriptedKey key = platform::usb_key(usage, modifiers(bits));
        key.event.symbol = next();
        if ((bits & 16) != 0 && key.event.symbol != 0)
          key.text = utf8_of(static_cast<std::uint8_t>(key.event.symbol));
        stroke(key);
        break;
      }
      case kHold:
        host_.press(at_, last_);
        ++script_.presses;
        at_ += gap_;
        break;
      case kRelease:
        host_.release(at_, last_);
        at_ += gap_;
        break;
      default: break;
    }
  }

  platform::HeadlessHost& host_;
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t read_ = 0;
  std::int64_t at_ = 500;
  std::int64_t gap_ = kKeyGapMs;
  platform::ScriptedKey last_ = platform::typed_key('\r');
  Script script_;
};

// Checks each frame as it is made, then lets the time of day leap where the script says.
class FrameChecker {
 public:
  FrameChecker(platform::HeadlessHost& host, const game::Game& game, const Script& script)
      : host_(host), game_(game), script_(script), leapt_ms_(script.later_start_ms) {}

  void operator()(const platform::Frame& frame) {
    check_state(frame);
    const double left = game_.deadline_timer - time_of_day(frame.at_ms);
    const std::string countdown = fuzz::countdown_field(left);
    const std::string_view cells(reinterpret_cast<const char*>(frame.page.cells.data()),
                                 frame.page.cells.size() * sizeof(platform::Cell));
    const bool seen = cells == last_ && countdown == last_countdown_ && frame.requested == last_requested_;
    if (!seen) {
      if (!fuzz::known_screen(frame, game_, left, script_.presses)) fail("an unknown screen", frame);
      last_ = cells;
      last_countdown_ = countdown;
      last_requested_ = frame.requested;
    }
    // Leaps are placed on the script's own times, which every leap moves on.
    for (; next_leap_ < script_.leaps.size() && script_.leaps[next_leap_].at_ms + leapt_ms_ <= frame.at_ms;
         ++next_leap_) {
      host_.leap(script_.leaps[next_leap_].by_ms);
      leapt_ms_ += script_.leaps[next_leap_].by_ms;
    }
  }

 private:
  // The time of day at a virtual time: milliseconds rounded to tenths of a second, halves
  // to the even tenth.
  double time_of_day(std::int64_t at_ms) const {
    const std::int64_t ms = host_.wall_ms_after_midnight() + at_ms;  // the virtual clock starts at 0
    std::int64_t tenths = ms / 100;
    const std::int64_t rest = ms % 100;
    if (rest > 50 || (rest == 50 && tenths % 2 != 0)) ++tenths;
    return static_cast<double>(tenths) / 10;
  }

  void check_state(const platform::Frame& frame) {
    const float room = game_.current_room;
    if (!(room >= 1 && room <= 58 && room == std::floor(room))) fail("current_room out of range", frame);
    if (game_.has_lantern != 1 || game_.has_sword != 1) fail("the lantern or the sword lost", frame);
    const auto flag = [](float value) { return value == 0 || value == 1; };
    if (!flag(game_.has_silver_spear) || !flag(game_.has_shield_of_virtue)) fail("an item flag", frame);
    if (deadline_ != 0 && game_.deadline_timer != deadline_) fail("the deadline moved", frame);
    deadline_ = game_.deadline_timer;
  }

  [[noreturn]] void fail(const char* what, const platform::Frame& frame) const {
    std::fprintf(stderr, "%s at %lld ms (%s frame): room %g, spear %g, shield %g, %.3f s left\n", what,
                 static_cast<long long>(frame.at_ms), frame.requested ? "requested" : "automatic",
                 game_.current_room, game_.has_silver_spear, game_.has_shield_of_virtue,
                 game_.deadline_timer - time_of_day(frame.at_ms));
    for (int row = 1; row <= 30; ++row) std::fprintf(stderr, "%2d|%s|\n", row, frame.row(row).c_str());
    std::abort();
  }

  platform::HeadlessHost& host_;
  const game::Game& game_;
  const Script& script_;
  std::size_t next_leap_ = 0;
  std::int64_t leapt_ms_;
  double deadline_ = 0;
  std::string last_;  // the cells of the last frame checked
  std::string last_countdown_;
  bool last_requested_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::HeadlessSession session;
  game::Game game;
  const Script script = ScriptReader(session.host, data, size).read();
  session.host.leap(script.later_start_ms);
  session.host.end_run_at(script.end_ms);
  session.host.keep_frames(0);
  session.host.on_frame(FrameChecker(session.host, game, script));
  const int code = session.run([&] { game.main(); });
  if (code != 0 && code != -1) std::abort();
  if (!session.host.boxes().empty()) {
    std::fprintf(stderr, "runtime error: %s\n", session.host.boxes().front().title.c_str());
    std::abort();
  }
  return 0;
}
