#include "game_screens.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "map.h"
#include "print_model.h"
#include "rooms.h"
#include "story_text.h"

namespace fuzz {

namespace {

using Lines = std::span<const std::string_view>;
using Cells = PrintModel::Cells;

const std::string kRule(79, '_');
constexpr std::string_view kPressAnyKey = "PRESS ANY KEY...";

constexpr std::array<std::string_view, 13> kHelpFrame = {
    "\\                                                                             \\",
    "\\ The Valewarden Saga - Basic Controls                                        \\",
    "\\                                                                             \\",
    "\\ North, South, East, or West - Move in available location                    \\",
    "\\ Examine - Item or Object    - Allows the player to examine an item or object\\",
    "\\ Use - Item                  - Use and item                                  \\",
    "\\ Take - Item                 - Take or move an Item                          \\",
    "\\ Talk                        - Talk to another character                     \\",
    "\\ inventory                   - View your inventory                           \\",
    "\\ Help                        - Brings up this screen                         \\",
    "\\ End                         - End's game                                    \\",
    "\\                                                                             \\",
    "\\ *Everything from items, characters, and objects have a capital letter.*     \\",
};

constexpr std::array<std::string_view, 6> kFarewell = {
    "_______________________________________________________________________________",
    "                                                                               ",
    " Thank you for playing -The Valewarden Saga-. Until next time, the evil shall  ",
    " return.                                                                       ",
    "                                                                               ",
    "_______________________________________________________________________________",
};

PrintModel blank_screen() {
  PrintModel model;
  model.set_colors(15, 0);
  model.clear();
  return model;
}

PrintModel screen_of(Lines lines) {
  PrintModel model = blank_screen();
  for (std::string_view line : lines) model.print_line(line);
  return model;
}

// The same screen once the end of the program has printed its message on row 30.
PrintModel ended(PrintModel model) {
  model.locate(30, 1);
  model.print("Press any key to continue", false);
  return model;
}

PrintModel help_screen() {
  std::vector<std::string_view> lines = {"", kRule};
  lines.insert(lines.end(), kHelpFrame.begin(), kHelpFrame.end());
  lines.insert(lines.end(), {kRule, "", kPressAnyKey});
  return screen_of(lines);
}

PrintModel inventory_screen(bool spear, bool shield) {
  std::vector<std::string_view> lines = {"INVENTORY...", "",
                                         "-An old dented tin lantern to vanquish the darkness.",
                                         "-Crafted out of only the finest steel in the region."};
  if (spear) lines.push_back("-A Silver Spear left by a dead hero.");
  if (shield) lines.push_back("-The Shield of Virtue, a blessed shield from a fallen Knight.");
  lines.insert(lines.end(), {"", kPressAnyKey});
  return screen_of(lines);
}

struct State {
  const game::Game& game;
  bool past_deadline;
};

// A screen other than the main screen, and when the game may show it.
struct Screen {
  Cells cells;
  bool (*shown_when)(const State&);
};

bool always(const State&) { return true; }
bool won(const State& s) { return s.game.current_room == 55 && s.game.has_shield_of_virtue == 1; }
bool lost(const State& s) { return s.past_deadline; }
bool spear_taken(const State& s) { return s.game.has_silver_spear == 1; }
bool shield_taken(const State& s) { return s.game.has_shield_of_virtue == 1; }
template <bool spear, bool shield>
bool holding(const State& s) {
  return spear_taken(s) == spear && shield_taken(s) == shield;
}
template <int room>
bool in_room(const State& s) {
  return s.game.current_room == room;
}

std::vector<Screen> make_other_screens() {
  using namespace game::story;
  return {
      {help_screen().cells(), always},
      {inventory_screen(false, false).cells(), holding<false, false>},
      {inventory_screen(true, false).cells(), holding<true, false>},
      {inventory_screen(false, true).cells(), holding<false, true>},
      {inventory_screen(true, true).cells(), holding<true, true>},
      {screen_of(lantern_page).cells(), always},
      {screen_of(sword_page).cells(), always},
      {screen_of(silver_spear_page).cells(), spear_taken},
      {screen_of(shield_page).cells(), shield_taken},
      {screen_of(dried_herbs_page).cells(), in_room<58>},
      {screen_of(woman_page).cells(), in_room<47>},
      {ended(screen_of(kFarewell)).cells(), always},
      {screen_of(victory).cells(), won},
      {ended(screen_of(victory)).cells(), won},
      {screen_of(game_over).cells(), lost},
      {ended(screen_of(game_over)).cells(), lost},
  };
}

// The compass letter of a direction, or a space: shown when the room's exits text names the
// direction. The exits table names exactly the directions the map leads to; where the two
// disagree, '?' stands in, which no frame shows.
char compass_letter(const game::Game& game, int room, std::string_view word, game::Direction direction) {
  const bool named = game.room_exits[static_cast<std::size_t>(room)].find(word) != RtString::npos;
  if (named != (game::neighbour(room, direction) != 0)) return '?';
  return named ? word[0] : ' ';
}

// The three compass rows (a space prints as a blank cell, so an absent letter is a space).
void print_compass(PrintModel& model, const game::Game& game, int room) {
  const auto letter = [&](std::string_view word, game::Direction direction) {
    return std::string(1, compass_letter(game, room, word, direction));
  };
  const std::string indent(38, ' ');
  model.print_line(indent + letter("NORTH", game::Direction::north));
  model.print_line("][][][][][][][][][][][][][][][][][] " + letter("WEST", game::Direction::west) + " + " +
                   letter("EAST", game::Direction::east) + " ][][][][][][][][][][][][][][][][][][][");
  model.print_line(indent + letter("SOUTH", game::Direction::south));
}

void print_room(PrintModel& model, const game::Game& game, int room) {
  const game::Room& record = game::kRooms[static_cast<std::size_t>(room - 1)];
  const std::size_t width = room <= 10 ? 80 : 79;
  std::string title_bar = "__" + std::string(record.title);
  title_bar.resize(std::max(width, title_bar.size()), '_');
  model.print_line(title_bar);
  for (std::string_view line : record.lines) {
    if (!line.empty()) model.print_line(line);
  }
  model.print_line(std::string(width, '_'));
  if ((room == 15 && game.has_silver_spear == 0) || (room == 33 && game.has_shield_of_virtue == 0))
    model.print_line(record.item_line);
}

// The main screen of the current room with the prompt, as the command reader saves it.
PrintModel make_main_screen(const game::Game& game) {
  PrintModel model = blank_screen();
  const int room = static_cast<int>(game.current_room);
  for (int i = 0; i < 5; ++i) model.print_line("");
  model.print_line("            +----------------------------+");
  model.print_line("            \xA6    THE VALEWARDEN SAGA     \xA6");
  model.print_line("            +----------------------------+");
  for (int i = 0; i < 3; ++i) model.print_line("");
  print_compass(model, game, room);
  model.print_line("");
  model.print_line("If you are stuck just type HELP.");
  model.print_line("");
  print_room(model, game, room);
  model.fit_check("> ");
  model.print("> ", false);
  return model;
}

// The same, made once for each room and pair of item flags.
const PrintModel& main_screen(const game::Game& game) {
  static std::map<int, PrintModel> made;
  const int key = static_cast<int>(game.current_room) * 4 + (game.has_silver_spear == 1) * 2 +
                  (game.has_shield_of_virtue == 1);
  const auto found = made.find(key);
  return found != made.end() ? found->second : made.emplace(key, make_main_screen(game)).first->second;
}

bool letters_and_spaces(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return (c >= 'A' && c <= 'Z') || c == ' '; });
}

std::string without_trailing_spaces(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

// The glyphs of one row of a frame (1-based).
std::string row_of(const platform::Page& frame, int row) {
  std::string text(PrintModel::kColumns, ' ');
  for (int column = 0; column < PrintModel::kColumns; ++column)
    text[static_cast<std::size_t>(column)] = static_cast<char>(frame.at(row - 1, column).glyph);
  return text;
}

// A text of more than 78 characters that the command reader moved whole to the row below
// the prompt, with the print area scrolled up `scroll` rows once it passed row 29: the rows
// from there to row 28, where cells under the countdown or scrolled away read as 'A'.
std::string long_typed_text(const platform::Page& frame, int prompt_row, int scroll) {
  std::string text;
  for (int row = prompt_row + 1 - scroll; row < PrintModel::kLastPrintRow; ++row) {
    std::string part = row < 1 ? std::string(PrintModel::kColumns, 'A') : row_of(frame, row);
    if (row == 2) part.replace(31, 14, 14, 'A');
    text += part;
  }
  return text;
}

// Whether the frame is the saved main screen with a command line and the countdown: a
// text after "> " on the prompt row, or a long one (long_typed_text). Trailing spaces look
// like blank cells, so each text read off the frame stands for all that differ from it only
// by them; only letters and spaces, and no more than `longest` characters, qualify.
bool main_screen_shown(const platform::Frame& frame, const game::Game& game,
                       const std::optional<std::string>& countdown, std::size_t longest) {
  const PrintModel& saved = main_screen(game);
  if (!countdown) return same_cells(frame.page.cells, saved.cells());  // before the reader's first pass
  const int prompt_row = saved.cursor_row();
  const int prompt_column = saved.cursor_column();
  const auto shows = [&](const std::string& typed) {
    if (!letters_and_spaces(typed) || without_trailing_spaces(typed).size() > longest) return false;
    PrintModel shown = saved;
    shown.locate(prompt_row, prompt_column);
    shown.print_line(typed);
    shown.locate(2, 32);
    shown.print_line(*countdown);
    return same_cells(frame.page.cells, shown.cells());
  };
  if (shows(without_trailing_spaces(row_of(frame.page, prompt_row).substr(2)))) return true;
  constexpr std::size_t kWidth = PrintModel::kColumns;
  for (int scroll = 0; longest > kWidth - 2; ++scroll) {
    const std::string typed = long_typed_text(frame.page, prompt_row, scroll);
    if (scroll > 0 && typed.size() - kWidth >= longest) break;  // its last row alone needs more
    if (shows(typed)) return true;
  }
  return false;
}

std::string field(float value, std::size_t places) {
  const auto whole = static_cast<std::int64_t>(std::round(std::fabs(static_cast<double>(value))));
  const std::string digits = (value < 0 ? "-" : "") + std::to_string(whole);
  if (digits.size() > places) return "%" + digits;
  return std::string(places - digits.size(), ' ') + digits;
}

}  // namespace

std::string countdown_field(double seconds_left) {
  const auto rounded = static_cast<std::int64_t>(std::nearbyint(seconds_left));
  const auto minutes = static_cast<float>(rounded / 60);
  const auto seconds =
      static_cast<float>(static_cast<long double>(seconds_left) - static_cast<long double>(minutes * 60.0f));
  return " [  " + field(minutes, 4) + ":" + field(seconds, 2) + "  ]";
}

bool known_screen(const platform::Frame& frame, const game::Game& game, double seconds_left,
                  std::size_t longest_text) {
  if (game.deadline_timer == 0) {  // the prologue, until its second key fixes the deadline
    static const Cells prologue = screen_of(game::story::prologue).cells();
    return same_cells(frame.page.cells, prologue);
  }
  // A frame that the command reader asks for shows the countdown; the time-out comes first.
  const bool reader_pass = frame.requested && seconds_left > 0;
  if ((reader_pass || !frame.requested) &&
      main_screen_shown(frame, game,
                        reader_pass ? std::optional(countdown_field(seconds_left)) : std::nullopt,
                        longest_text))
    return true;
  static const std::vector<Screen> others = make_other_screens();
  const State state{game, seconds_left <= 0};
  return std::any_of(others.begin(), others.end(), [&](const Screen& screen) {
    return screen.shown_when(state) && same_cells(frame.page.cells, screen.cells);
  });
}

}  // namespace fuzz
