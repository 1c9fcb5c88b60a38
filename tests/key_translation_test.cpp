// The key translation, driven by the event sequences SDL really delivered under US, German
// and French layouts (tests/data/key_events_*.txt, made by tools/record_keys.py).
#include "key_translation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using platform::BufferedKey;
using platform::KeyAction;
using platform::KeyEvent;

// One recorded event: a key event, or the text of a text event.
struct Recorded {
  bool is_text = false;
  KeyEvent key;
  std::string text;
};
using Sequence = std::vector<Recorded>;

Recorded parse_line(const std::string& line) {
  Recorded event;
  if (line.rfind("text ", 0) == 0) {
    event.is_text = true;
    event.text = line.substr(6, line.rfind('"') - 6);
    return event;
  }
  std::istringstream words(line.substr(0, line.find('#')));
  std::string direction, symbol, modifiers, repeat;
  words >> direction >> event.key.usage >> symbol >> modifiers >> repeat;
  event.key.down = direction == "down";
  event.key.symbol = symbol == "-" ? 0 : static_cast<char32_t>(std::stoul(symbol.substr(2), nullptr, 16));
  const auto has = [&](const char* name) {
    return ("+" + modifiers + "+").find(std::string("+") + name + "+") != std::string::npos;
  };
  event.key.modifiers = {has("shift"), has("ctrl"), has("alt") || has("altgr"), has("num")};
  event.key.repeat = repeat == "repeat";
  return event;
}

// The recorded sequences of one layout by case name.
std::map<std::string, Sequence> load(const std::string& layout) {
  std::ifstream file(std::string(KEY_EVENTS_DIR) + "/key_events_" + layout + ".txt");
  EXPECT_TRUE(file.good()) << layout;
  std::map<std::string, Sequence> cases;
  Sequence* current = nullptr;
  for (std::string line; std::getline(file, line);) {
    if (line.rfind("== ", 0) == 0)
      current = &cases[line.substr(3)];
    else if (current != nullptr && !line.empty() && line[0] != '#')
      current->push_back(parse_line(line));
  }
  return cases;
}

const std::map<std::string, Sequence>& recorded(const std::string& layout) {
  static std::map<std::string, std::map<std::string, Sequence>> layouts;
  auto found = layouts.find(layout);
  if (found == layouts.end()) found = layouts.emplace(layout, load(layout)).first;
  return found->second;
}

// Moves every text event before the key-down it follows, as some systems deliver them.
Sequence text_first(Sequence events) {
  for (std::size_t at = 1; at < events.size(); ++at) {
    if (events[at].is_text && !events[at - 1].is_text) std::swap(events[at], events[at - 1]);
  }
  return events;
}

// What the queues and the program saw.
struct Outcome {
  std::vector<int> codes;
  std::vector<BufferedKey> entries;
  std::vector<std::string> program;
};

Outcome translate(const Sequence& events) {
  platform::KeyTranslator translator;
  Outcome outcome;
  for (const Recorded& event : events) {
    for (const KeyAction& action : event.is_text ? translator.text(event.text) : translator.key(event.key)) {
      switch (action.kind) {
        case KeyAction::Kind::press:
          outcome.codes.push_back(action.press.code);
          if (action.press.buffered) outcome.entries.push_back(action.press.entry);
          break;
        case KeyAction::Kind::release: outcome.codes.push_back(-action.press.code); break;
        case KeyAction::Kind::pause: outcome.program.emplace_back("pause"); break;
        case KeyAction::Kind::end_pause: outcome.program.emplace_back("end pause"); break;
        case KeyAction::Kind::stop: outcome.program.emplace_back("stop"); break;
      }
    }
  }
  return outcome;
}

std::string describe(const Outcome& outcome) {
  std::ostringstream out;
  out << "codes";
  for (int code : outcome.codes) out << " " << code;
  out << "; entries" << std::hex;
  for (const BufferedKey& entry : outcome.entries)
    out << " " << int{entry.character} << "/" << int{entry.scan};
  out << "; program";
  for (const std::string& step : outcome.program) out << " " << step;
  return out.str();
}

constexpr int kCtrl = 0x1D00, kShift = 0x2A00, kAlt = 0x38 * 256, kNumLock = 0x4500;

struct Case {
  const char* layout;
  std::vector<std::string> sequences;  // recorded cases played one after the other
  std::vector<int> codes;
  std::vector<BufferedKey> entries;
  std::vector<std::string> program = {};
  bool text_first = false;
};

const std::vector<Case>& cases() {
  static const std::vector<Case> table = {
      // Letters, Shift, Ctrl+letter (both release orders), Ctrl+Shift+letter.
      {"us", {"letter"}, {97, -97}, {{'a', 0x1E}}},
      {"us", {"letter"}, {97, -97}, {{'a', 0x1E}}, {}, true},
      {"us", {"shift letter"}, {kShift, 65, -65, -kShift}, {{'A', 0x1E}}},
      {"us", {"ctrl letter"}, {kCtrl, 97, -97, -kCtrl}, {{1, 0x1E}}},
      {"us", {"ctrl letter, ctrl released first"}, {kCtrl, 97, -kCtrl, -97}, {{1, 0x1E}}},
      {"us", {"ctrl shift letter"}, {kCtrl, kShift, 65, -65, -kShift, -kCtrl}, {{1, 0x1E}}},
      {"fr", {"ctrl letter"}, {kCtrl, 113, -113, -kCtrl}, {{17, 0x1E}}},  // the A key types q
      {"de", {"ctrl z (the key right of t)"}, {kCtrl, 122, -122, -kCtrl}, {{26, 0x15}}},
      // Enter, Backspace, Tab, Escape and space, alone and with Ctrl.
      {"us", {"enter"}, {13, -13}, {{13, 0x1C}}},
      {"us", {"ctrl enter"}, {kCtrl, 13, -13, -kCtrl}, {{10, 0x1C}}},
      {"us", {"backspace"}, {8, -8}, {{8, 0x0E}}},
      {"us", {"ctrl backspace"}, {kCtrl, 127, -127, -kCtrl}, {{127, 0x0E}}},
      {"us", {"tab"}, {9, -9}, {{9, 0x0F}}},
      {"us", {"ctrl tab"}, {kCtrl, 0x9400, -0x9400, -kCtrl}, {{0, 0x94}}},
      {"us", {"escape"}, {27, -27}, {{27, 0x01}}},
      {"us", {"space"}, {32, -32}, {{' ', 0x39}}},
      // Ctrl+digit and Ctrl+punctuation: one extended key each; their text is not typed.
      {"us", {"ctrl digit"}, {kCtrl, 0x0200, -0x0200, -kCtrl}, {{0, 0x02}}},
      {"fr", {"ctrl digit"}, {kCtrl, 0x0200, -0x0200, -kCtrl}, {{0, 0x02}}},
      {"us", {"ctrl punctuation"}, {kCtrl, 0x0C00, -0x0C00, -kCtrl}, {{0, 0x0C}}},
      // The keypad with Num Lock off and on, with Shift and with Ctrl.
      {"us",
       {"keypad num lock off"},
       {0x4700, -0x4700, 0x4800, -0x4800, 0x4C00, -0x4C00, 0x4F00, -0x4F00, 0x5200, -0x5200, 0x5300, -0x5300},
       {{0, 0x47}, {0, 0x48}, {0, 0x4C}, {0, 0x4F}, {0, 0x52}, {0, 0x53}}},
      {"us",
       {"keypad num lock on"},
       {kNumLock, -kNumLock, '7', -'7', '8', -'8', '5', -'5', '1', -'1', '0', -'0', '.', -'.', kNumLock,
        -kNumLock},
       {{'7', 0x47}, {'8', 0x48}, {'5', 0x4C}, {'1', 0x4F}, {'0', 0x52}, {'.', 0x53}}},
      {"de",
       {"keypad num lock on"},
       {kNumLock, -kNumLock, '7', -'7', '8', -'8', '5', -'5', '1', -'1', '0', -'0', ',', -',', kNumLock,
        -kNumLock},
       {{'7', 0x47}, {'8', 0x48}, {'5', 0x4C}, {'1', 0x4F}, {'0', 0x52}, {',', 0x53}}},
      {"us",
       {"keypad operators"},
       {'/', -'/', '*', -'*', '-', -'-', '+', -'+', 13, -13},
       {{'/', 0x35}, {'*', 0x37}, {'-', 0x4A}, {'+', 0x4E}, {13, 0x1C}}},
      {"us", {"shift keypad num lock off"}, {kShift, 0x4F00, -0x4F00, -kShift}, {{0, 0x4F}}},
      {"us",
       {"shift keypad num lock on"},
       {kNumLock, -kNumLock, kShift, 0x4F00, -0x4F00, -kShift, kNumLock, -kNumLock},
       {{0, 0x4F}}},
      {"us", {"ctrl keypad"}, {kCtrl, 0x7500, -0x7500, 0x8F00, -0x8F00, -kCtrl}, {{0, 0x75}, {0, 0x8F}}},
      // Lock keys, Print Screen, the Windows and Menu keys, function and navigation keys.
      {"us", {"caps lock"}, {0x3A00, -0x3A00, 'A', -'A', 0x3A00, -0x3A00}, {{'A', 0x1E}}},
      {"us", {"scroll lock"}, {0x4600, -0x4600, 0x4600, -0x4600}, {}},
      {"us", {"print screen"}, {0x3700, -0x3700}, {{0, 0x37}}},
      {"us", {"ctrl print screen"}, {kCtrl, 0x7200, -0x7200, -kCtrl}, {{0, 0x72}}},
      {"us",
       {"windows and menu keys"},
       {0x5B00, -0x5B00, 0x5C00, -0x5C00, 0x5D00, -0x5D00},
       {{0, 0x5B}, {0, 0x5C}, {0, 0x5D}}},
      {"us", {"function key"}, {15104, -15104}, {{0, 0x3B}}},
      {"us", {"ctrl function key"}, {kCtrl, 0x5E00, -0x5E00, -kCtrl}, {{0, 0x5E}}},
      {"us",
       {"navigation keys"},
       {0x4800, -0x4800, 0x4B00, -0x4B00, 21248, -21248},
       {{0, 0x48}, {0, 0x4B}, {0, 0x53}}},
      {"us",
       {"ctrl navigation keys"},
       {kCtrl, 0x7300, -0x7300, 0x9300, -0x9300, -kCtrl},
       {{0, 0x73}, {0, 0x93}}},
      // Characters beyond ASCII: code page 437 bytes, or a key without a character.
      {"fr", {"e acute"}, {0x82, -0x82}, {{0x82, 0x03}}},
      {"fr", {"e acute"}, {0x82, -0x82}, {{0x82, 0x03}}, {}, true},
      {"fr",
       {"e grave, c cedilla, a grave"},
       {0x8A, -0x8A, 0x87, -0x87, 0x85, -0x85},
       {{0x8A, 0x08}, {0x87, 0x0A}, {0x85, 0x0B}}},
      {"fr", {"u grave"}, {0x97, -0x97}, {{0x97, 0x28}}},
      {"fr", {"pound sign"}, {kShift, 0x9C, -0x9C, -kShift}, {{0x9C, 0x1B}}},
      {"fr", {"superscript two"}, {0xFD, -0xFD}, {{0xFD, 0x29}}},
      {"fr", {"micro sign"}, {kShift, 0xE6, -0xE6, -kShift}, {{0xE6, 0x2B}}},
      {"fr", {"section sign"}, {kShift, 0x15, -0x15, -kShift}, {{0x15, 0x35}}},
      {"fr", {"shift digit"}, {kShift, 0x0200, -0x0200, -kShift}, {{0, 0x02}}},  // superscript one
      {"fr", {"altgr e (euro)"}, {kAlt, 0x1200, -0x1200, -kAlt}, {{0, 0x12}}},
      {"de", {"altgr e (euro)"}, {kAlt, 0x1200, -0x1200, -kAlt}, {{0, 0x12}}},
      {"de", {"altgr q (at)"}, {kAlt, '@', -'@', -kAlt}, {{'@', 0x10}}},
      {"de", {"altgr m (micro)"}, {kAlt, 0xE6, -0xE6, -kAlt}, {{0xE6, 0x32}}},
      {"de", {"sharp s"}, {0xE1, -0xE1}, {{0xE1, 0x0C}}},
      {"de",
       {"umlauts"},
       {0x84, -0x84, 0x94, -0x94, 0x81, -0x81},
       {{0x84, 0x28}, {0x94, 0x27}, {0x81, 0x1A}}},
      {"de", {"shift umlaut"}, {kShift, 0x8E, -0x8E, -kShift}, {{0x8E, 0x28}}},
      {"de", {"section sign"}, {kShift, 0x15, -0x15, -kShift}, {{0x15, 0x04}}},
      {"de", {"degree sign"}, {kShift, 0xF8, -0xF8, -kShift}, {{0xF8, 0x29}}},
      {"us", {"102nd key"}, {'<', -'<'}, {{'<', 0x56}}},
      // Dead keys: alone nothing; the composed letter is the press of the key after it.
      {"fr", {"dead circumflex then e"}, {0x88, -0x88}, {{0x88, 0x12}}},
      {"fr", {"dead circumflex then e"}, {0x88, -0x88}, {{0x88, 0x12}}, {}, true},
      {"fr", {"dead circumflex then e, overlapping"}, {0x88, -0x88}, {{0x88, 0x12}}},
      {"fr", {"dead diaeresis then e"}, {kShift, -kShift, 0x89, -0x89}, {{0x89, 0x12}}},
      {"fr", {"dead circumflex then space"}, {'^', -'^'}, {{'^', 0x39}}},
      {"fr", {"dead circumflex then b (no composition)"}, {0x3000, -0x3000}, {{0, 0x30}}},
      {"fr", {"dead circumflex alone"}, {}, {}},
      {"de", {"dead circumflex then e"}, {0x88, -0x88}, {{0x88, 0x12}}},
      {"de", {"dead acute then e"}, {0x82, -0x82}, {{0x82, 0x12}}},
      {"de", {"dead circumflex alone"}, {}, {}},
      {"de", {"dead circumflex then ctrl z"}, {kCtrl, 122, -122, -kCtrl}, {{26, 0x15}}},
      {"de", {"altgr, the key two right of l, then e"}, {kAlt, -kAlt, 0x88, -0x88}, {{0x88, 0x12}}},
      // Auto-repeat: every repeat is a press, one release ends them.
      {"us",
       {"auto-repeat"},
       {97, 97, 97, 97, 97, 97, 97, 97, 97, 97, -97},
       std::vector<BufferedKey>(10, {'a', 0x1E})},
      {"us", {"alt letter"}, {kAlt, 'a', -'a', -kAlt}, {{'a', 0x1E}}},
      // Pause, Break, Alt+F4; the key that ends a pause reaches neither queue.
      {"us", {"pause"}, {}, {}, {"pause"}},
      {"us", {"ctrl pause"}, {kCtrl, -kCtrl}, {}, {"stop"}},
      {"us", {"alt f4"}, {kAlt, -kAlt}, {}, {"stop"}},
      {"us", {"pause", "enter", "letter"}, {97, -97}, {{'a', 0x1E}}, {"pause", "end pause"}},
      {"fr", {"pause", "dead circumflex then e"}, {0x88, -0x88}, {{0x88, 0x12}}, {"pause", "end pause"}},
      {"us", {"pause", "auto-repeat"}, {}, {}, {"pause", "end pause"}},
      {"us", {"pause", "ctrl letter"}, {97, -97}, {{1, 0x1E}}, {"pause", "end pause"}},
      {"us", {"pause", "pause", "space"}, {}, {}, {"pause", "end pause"}},
      {"us", {"pause", "ctrl pause"}, {}, {}, {"pause", "end pause", "stop"}},
  };
  return table;
}

TEST(KeyTranslation, RecordedSequencesGiveThePcKeyboardsCodesAndEntries) {
  for (const Case& c : cases()) {
    Sequence events;
    for (const std::string& name : c.sequences) {
      const auto& layout = recorded(c.layout);
      const auto found = layout.find(name);
      ASSERT_NE(found, layout.end()) << c.layout << ": no recording of " << name;
      events.insert(events.end(), found->second.begin(), found->second.end());
    }
    const Outcome outcome = translate(c.text_first ? text_first(events) : events);
    const Outcome expected{c.codes, c.entries, c.program};
    std::string label = std::string(c.layout) + (c.text_first ? " (text first):" : ":");
    for (const std::string& name : c.sequences) label += " [" + name + "]";
    EXPECT_EQ(describe(outcome), describe(expected)) << label;
  }
}

// Over every recording of every layout: each release negates an earlier press not yet
// released (and ends its repeats), each press gives at most one buffer entry, and every
// press is released in the end.
TEST(KeyTranslation, EveryRecordedReleaseEndsOneEarlierPress) {
  for (const char* layout : {"us", "de", "fr"}) {
    EXPECT_GE(recorded(layout).size(), 35u) << layout;
    for (const auto& [name, events] : recorded(layout)) {
      const Outcome outcome = translate(events);
      std::multiset<int> open;
      int presses = 0;
      for (int code : outcome.codes) {
        if (code > 0) {
          open.insert(code);
          ++presses;
          continue;
        }
        ASSERT_GT(open.erase(-code), 0u)
            << layout << " [" << name << "]: release " << code << " without its press";
      }
      EXPECT_TRUE(open.empty()) << layout << " [" << name << "]: " << describe(outcome);
      EXPECT_LE(outcome.entries.size(), static_cast<std::size_t>(presses)) << layout << " [" << name << "]";
    }
  }
}

TEST(KeyTranslation, CodePage437HoldsAsciiAndTheEuropeanLetters) {
  const struct {
    char32_t character;
    int byte;  // -1: not in code page 437
  } cases[] = {
      {U'a', 'a'},  {U'~', '~'},  {U'\x7F', -1}, {U'\t', -1},  {U'Ç', 0x80}, {U'ê', 0x88},
      {U'ß', 0xE1}, {U'£', 0x9C}, {U'§', 0x15},  {U'¶', 0x14}, {U'ÿ', 0x98}, {U'\u00A0', 0xFF},
      {U'€', -1},   {U'ẑ', -1},   {U'¹', -1},    {U'░', 0xB0}, {U'µ', 0xE6}, {U'ƒ', 0x9F},
  };
  for (const auto& c : cases) {
    const auto byte = platform::cp437_of(c.character);
    EXPECT_EQ(byte ? int{*byte} : -1, c.byte) << static_cast<unsigned>(c.character);
  }
}

}  // namespace
