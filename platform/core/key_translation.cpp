#include "key_translation.h"

#include <algorithm>
#include <utility>

namespace platform {

namespace {

// How a key of the PC keyboard types.
enum class Kind : std::uint8_t {
  typing,       // the layout's character, from its text event
  control,      // a fixed character of its own (Enter, Tab, Backspace, Escape)
  keypad,       // a digit or the point with Num Lock on, else a navigation key
  keypad_sign,  // an operator, always typed
  plain,        // no character (function, navigation, Print Screen, Windows, Menu keys)
  modifier,     // Shift, Ctrl, Alt and the locks: no keyboard-buffer entry
  pause,
};

struct PcKey {
  std::uint8_t usage;
  std::uint8_t scan;
  Kind kind;
  std::uint8_t ctrl_scan = 0;       // the scan code with Ctrl held, 0: the key's own
  std::uint8_t character = 0;       // what a control key types
  std::uint8_t ctrl_character = 0;  // what it types with Ctrl held
};

// The keys of a PC keyboard by USB HID usage, with their PC scan codes (extended keys by
// the code after their 0xE0 prefix).
constexpr PcKey kPcKeys[] = {
    // Letters a to z.
    {4, 0x1E, Kind::typing},
    {5, 0x30, Kind::typing},
    {6, 0x2E, Kind::typing},
    {7, 0x20, Kind::typing},
    {8, 0x12, Kind::typing},
    {9, 0x21, Kind::typing},
    {10, 0x22, Kind::typing},
    {11, 0x23, Kind::typing},
    {12, 0x17, Kind::typing},
    {13, 0x24, Kind::typing},
    {14, 0x25, Kind::typing},
    {15, 0x26, Kind::typing},
    {16, 0x32, Kind::typing},
    {17, 0x31, Kind::typing},
    {18, 0x18, Kind::typing},
    {19, 0x19, Kind::typing},
    {20, 0x10, Kind::typing},
    {21, 0x13, Kind::typing},
    {22, 0x1F, Kind::typing},
    {23, 0x14, Kind::typing},
    {24, 0x16, Kind::typing},
    {25, 0x2F, Kind::typing},
    {26, 0x11, Kind::typing},
    {27, 0x2D, Kind::typing},
    {28, 0x15, Kind::typing},
    {29, 0x2C, Kind::typing},
    // Digits 1 to 9 and 0.
    {30, 0x02, Kind::typing},
    {31, 0x03, Kind::typing},
    {32, 0x04, Kind::typing},
    {33, 0x05, Kind::typing},
    {34, 0x06, Kind::typing},
    {35, 0x07, Kind::typing},
    {36, 0x08, Kind::typing},
    {37, 0x09, Kind::typing},
    {38, 0x0A, Kind::typing},
    {39, 0x0B, Kind::typing},
    // Enter, Escape, Backspace, Tab, Space.
    {40, 0x1C, Kind::control, 0, 13, 10},
    {41, 0x01, Kind::control, 0, 27, 27},
    {42, 0x0E, Kind::control, 0, 8, 127},
    {43, 0x0F, Kind::control, 0x94, 9, 0},
    {44, 0x39, Kind::typing, 0, 0, 32},
    // - = [ ] \ (the 102-key keyboard's # too) ; ' ` , . / and the 102nd key.
    {45, 0x0C, Kind::typing},
    {46, 0x0D, Kind::typing},
    {47, 0x1A, Kind::typing},
    {48, 0x1B, Kind::typing},
    {49, 0x2B, Kind::typing},
    {50, 0x2B, Kind::typing},
    {51, 0x27, Kind::typing},
    {52, 0x28, Kind::typing},
    {53, 0x29, Kind::typing},
    {54, 0x33, Kind::typing},
    {55, 0x34, Kind::typing},
    {56, 0x35, Kind::typing},
    {100, 0x56, Kind::typing},
    // Caps Lock; F1 to F12.
    {57, 0x3A, Kind::modifier},
    {58, 0x3B, Kind::plain, 0x5E},
    {59, 0x3C, Kind::plain, 0x5F},
    {60, 0x3D, Kind::plain, 0x60},
    {61, 0x3E, Kind::plain, 0x61},
    {62, 0x3F, Kind::plain, 0x62},
    {63, 0x40, Kind::plain, 0x63},
    {64, 0x41, Kind::plain, 0x64},
    {65, 0x42, Kind::plain, 0x65},
    {66, 0x43, Kind::plain, 0x66},
    {67, 0x44, Kind::plain, 0x67},
    {68, 0x57, Kind::plain, 0x89},
    {69, 0x58, Kind::plain, 0x8A},
    // Print Screen, Scroll Lock, Pause; Insert, Home, Page Up, Delete, End, Page Down; arrows.
    {70, 0x37, Kind::plain, 0x72},
    {71, 0x46, Kind::modifier},
    {72, 0x45, Kind::pause},
    {73, 0x52, Kind::plain, 0x92},
    {74, 0x47, Kind::plain, 0x77},
    {75, 0x49, Kind::plain, 0x84},
    {76, 0x53, Kind::plain, 0x93},
    {77, 0x4F, Kind::plain, 0x75},
    {78, 0x51, Kind::plain, 0x76},
    {79, 0x4D, Kind::plain, 0x74},
    {80, 0x4B, Kind::plain, 0x73},
    {81, 0x50, Kind::plain, 0x91},
    {82, 0x48, Kind::plain, 0x8D},
    // Num Lock and the keypad: / * - + Enter, 1 to 9, 0 and the point.
    {83, 0x45, Kind::modifier},
    {84, 0x35, Kind::keypad_sign, 0x95},
    {85, 0x37, Kind::keypad_sign, 0x96},
    {86, 0x4A, Kind::keypad_sign, 0x8E},
    {87, 0x4E, Kind::keypad_sign, 0x90},
    {88, 0x1C, Kind::control, 0, 13, 10},
    {89, 0x4F, Kind::keypad, 0x75},
    {90, 0x50, Kind::keypad, 0x91},
    {91, 0x51, Kind::keypad, 0x76},
    {92, 0x4B, Kind::keypad, 0x73},
    {93, 0x4C, Kind::keypad, 0x8F},
    {94, 0x4D, Kind::keypad, 0x74},
    {95, 0x47, Kind::keypad, 0x77},
    {96, 0x48, Kind::keypad, 0x8D},
    {97, 0x49, Kind::keypad, 0x84},
    {98, 0x52, Kind::keypad, 0x92},
    {99, 0x53, Kind::keypad, 0x93},
    // Menu; left Ctrl, Shift, Alt, Windows; right Ctrl, Shift, Alt (AltGr), Windows.
    {101, 0x5D, Kind::plain},
    {224, 0x1D, Kind::modifier},
    {225, 0x2A, Kind::modifier},
    {226, 0x38, Kind::modifier},
    {227, 0x5B, Kind::plain},
    {228, 0x1D, Kind::modifier},
    {229, 0x36, Kind::modifier},
    {230, 0x38, Kind::modifier},
    {231, 0x5C, Kind::plain},
};

constexpr int kF4Usage = 61;

const PcKey* pc_key_of(int usage) {
  const auto* key = std::find_if(std::begin(kPcKeys), std::end(kPcKeys),
                                 [usage](const PcKey& entry) { return entry.usage == usage; });
  return key == std::end(kPcKeys) ? nullptr : key;
}

// Unicode of the code page 437 bytes 0x80 to 0xFF.
constexpr char32_t kCp437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 0x80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 0x88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 0x90
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,  // 0x98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // 0xA0
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // 0xA8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // 0xB0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // 0xB8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // 0xC0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // 0xC8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // 0xD0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // 0xD8
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,  // 0xE0
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,  // 0xE8
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,  // 0xF0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,  // 0xF8
};

// The two signs below 0x20 that European keyboards type (German Shift+3 is the section
// sign); the other glyphs there stand for control codes and are not typed.
constexpr struct {
  char32_t character;
  std::uint8_t byte;
} kCp437Low[] = {{0x00B6, 0x14}, {0x00A7, 0x15}};

// Decodes UTF-8; malformed bytes are skipped.
std::u32string decode_utf8(std::string_view text) {
  std::u32string out;
  for (std::size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const int length = lead < 0x80         ? 1
                       : (lead >> 5) == 6  ? 2
                       : (lead >> 4) == 14 ? 3
                       : (lead >> 3) == 30 ? 4
                                           : 0;
    if (length == 0 || at + static_cast<std::size_t>(length) > text.size()) {
      ++at;
      continue;
    }
    char32_t value = length == 1 ? lead : lead & (0x7F >> length);
    bool valid = true;
    for (int i = 1; i < length; ++i) {
      const auto next = static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]);
      valid = valid && (next >> 6) == 2;
      value = value << 6 | (next & 0x3F);
    }
    at += valid ? static_cast<std::size_t>(length) : 1;
    if (valid) out += value;
  }
  return out;
}

KeyAction program_action(KeyAction::Kind kind) {
  KeyAction action;
  action.kind = kind;
  return action;
}

bool ctrl_held(const KeyModifiers& modifiers) { return modifiers.ctrl && !modifiers.alt; }

// The press of a key without a character.
KeyPress extended_press(int scan) { return {scan * 256, {0, static_cast<std::uint8_t>(scan)}}; }

// The press of a typed character: its code, except that a control code typed with Ctrl is
// turned back into its letter (plus 64 with Shift, 96 without), and 10 into 13.
KeyPress character_press(int character, int scan, const KeyModifiers& modifiers) {
  int code = character;
  if (ctrl_held(modifiers) && character >= 1 && character <= 26) {
    code = character == 10 ? 13 : character + (modifiers.shift ? 64 : 96);
  }
  return {code, {static_cast<std::uint8_t>(character), static_cast<std::uint8_t>(scan)}};
}

bool waits_for_text(const PcKey& key, const KeyModifiers& modifiers) {
  if (ctrl_held(modifiers)) return false;
  switch (key.kind) {
    case Kind::typing:
    case Kind::keypad_sign: return true;
    case Kind::keypad: return modifiers.num_lock && !modifiers.shift;
    default: return false;
  }
}

char32_t ascii_lower(char32_t symbol) { return symbol >= 'A' && symbol <= 'Z' ? symbol + 32 : symbol; }

// The press of a key that types no text of its own.
KeyPress immediate_press(const PcKey& key, const KeyEvent& event) {
  const bool ctrl = ctrl_held(event.modifiers);
  const int scan = ctrl && key.ctrl_scan != 0 ? key.ctrl_scan : key.scan;
  switch (key.kind) {
    case Kind::modifier: return {key.scan * 256, {0, key.scan}, false};
    case Kind::control: {
      const int character = ctrl ? key.ctrl_character : key.character;
      return character == 0 ? extended_press(scan) : character_press(character, key.scan, event.modifiers);
    }
    case Kind::typing: {  // with Ctrl held
      const char32_t letter = ascii_lower(event.symbol);
      if (letter >= 'a' && letter <= 'z') {
        return character_press(static_cast<int>(letter - 'a' + 1), key.scan, event.modifiers);
      }
      if (key.ctrl_character != 0) return character_press(key.ctrl_character, key.scan, event.modifiers);
      return extended_press(scan);
    }
    default: return extended_press(scan);
  }
}

}  // namespace

std::optional<std::uint8_t> cp437_of(char32_t character) {
  if (character >= 0x20 && character < 0x7F) return static_cast<std::uint8_t>(character);
  for (const auto& low : kCp437Low) {
    if (low.character == character) return low.byte;
  }
  const auto* at = std::find(std::begin(kCp437High), std::end(kCp437High), character);
  if (at == std::end(kCp437High)) return std::nullopt;
  return static_cast<std::uint8_t>(0x80 + (at - std::begin(kCp437High)));
}

std::vector<KeyAction> KeyTranslator::key(const KeyEvent& event) {
  std::vector<KeyAction> out;
  resolve_waiting(out);  // the key before got no text
  if (event.usage < 0 || event.usage >= static_cast<int>(held_.size())) return out;
  last_ctrl_ = ctrl_held(event.modifiers);
  event.down ? key_down(event, out) : key_up(event, out);
  return out;
}

std::vector<KeyAction> KeyTranslator::text(std::string_view utf8) {
  std::vector<KeyAction> out;
  const std::u32string characters = decode_utf8(utf8);
  if (waiting_) {
    const Waiting waiting = *waiting_;
    waiting_.reset();
    if (!waiting.swallowed) typed(waiting.event, waiting.scan, characters, out);
  } else if (!last_ctrl_) {
    unclaimed_ += characters;  // its key comes next
  }
  return out;
}

void KeyTranslator::key_down(const KeyEvent& event, std::vector<KeyAction>& out) {
  const PcKey* key = pc_key_of(event.usage);
  if (key == nullptr) return type_unclaimed(out);
  if (key->kind == Kind::pause || (event.usage == kF4Usage && event.modifiers.alt)) {
    type_unclaimed(out);
    if (key->kind == Kind::pause && !event.modifiers.ctrl) {
      if (!paused_) out.push_back(program_action(KeyAction::Kind::pause));
      paused_ = true;
    } else {
      out.push_back(program_action(KeyAction::Kind::stop));
    }
    return;
  }
  if (event.repeat && key->kind == Kind::modifier) return;
  Held& held = held_[static_cast<std::size_t>(event.usage)];
  const bool waits = waits_for_text(*key, event.modifiers);
  const bool repeat_of_swallowed = event.repeat && held.held && held.swallowed;
  if (paused_ || repeat_of_swallowed) {
    if (paused_) out.push_back(program_action(KeyAction::Kind::end_pause));
    paused_ = false;
    held = Held{true, true, {}};
    unclaimed_.clear();  // the text of the swallowed key
    if (waits) waiting_ = Waiting{event, key->scan, true};
    return;
  }
  if (waits && !unclaimed_.empty()) {
    const std::u32string characters = std::exchange(unclaimed_, {});
    return typed(event, key->scan, characters, out);
  }
  type_unclaimed(out);
  if (waits) {
    waiting_ = Waiting{event, key->scan, false};
    return;
  }
  press(event, immediate_press(*key, event), out);
}

void KeyTranslator::key_up(const KeyEvent& event, std::vector<KeyAction>& out) {
  type_unclaimed(out);
  Held& held = held_[static_cast<std::size_t>(event.usage)];
  if (held.held && !held.swallowed) out.push_back({KeyAction::Kind::release, held.press});
  held = Held{};
}

void KeyTranslator::resolve_waiting(std::vector<KeyAction>& out) {
  if (!waiting_) return;
  const Waiting waiting = *waiting_;
  waiting_.reset();
  if (waiting.swallowed) return;
  // A typing key without text that stands for no character, or that went down with Alt
  // (AltGr's dead keys are named by the key's plain character), is a dead key: alone it
  // gives nothing.
  const PcKey* key = pc_key_of(waiting.event.usage);
  if (key->kind == Kind::typing && (waiting.event.symbol == 0 || waiting.event.modifiers.alt)) return;
  press(waiting.event, extended_press(waiting.scan), out);
}

void KeyTranslator::type_unclaimed(std::vector<KeyAction>& out) {
  for (char32_t character : std::exchange(unclaimed_, {})) {
    const std::optional<std::uint8_t> byte = cp437_of(character);
    const KeyPress typed_alone = byte ? KeyPress{*byte, {*byte, 0}} : extended_press(0);
    out.push_back({KeyAction::Kind::press, typed_alone});
    out.push_back({KeyAction::Kind::release, typed_alone});
  }
}

void KeyTranslator::typed(const KeyEvent& event, int scan, std::u32string_view characters,
                          std::vector<KeyAction>& out) {
  for (std::size_t at = 0; at < characters.size(); ++at) {
    const std::optional<std::uint8_t> byte = cp437_of(characters[at]);
    const KeyPress typed_press = byte ? character_press(*byte, scan, {}) : extended_press(scan);
    press(event, typed_press, out);
    // A key that types several characters (an accent that did not compose, then its own)
    // releases all but the last at once.
    if (at + 1 < characters.size()) {
      KeyEvent release;
      release.down = false;
      release.usage = event.usage;
      key_up(release, out);
    }
  }
}

void KeyTranslator::press(const KeyEvent& event, KeyPress key_press, std::vector<KeyAction>& out) {
  key_press.repeat = event.repeat;
  held_[static_cast<std::size_t>(event.usage)] = Held{true, false, key_press};
  out.push_back({KeyAction::Kind::press, key_press});
}

}  // namespace platform
