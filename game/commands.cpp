// The command dispatcher and the quit, help and inventory screens.
#include "commands.h"

#include "console.h"
#include "map.h"
#include "story_text.h"

namespace game {

namespace {

constexpr std::array<std::string_view, 6> kFarewell = {
    "_______________________________________________________________________________",
    "                                                                               ",
    " Thank you for playing -The Valewarden Saga-. Until next time, the evil shall  ",
    " return.                                                                       ",
    "                                                                               ",
    "_______________________________________________________________________________",
};

constexpr std::string_view kRule79 =
    "_______________________________________________________________________________";

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

constexpr std::string_view kPressAnyKey = "PRESS ANY KEY...";

template <Direction direction>
bool leads(const Game& game) {
  return neighbour(static_cast<int>(game.current_room), direction) != 0;
}

template <Direction direction>
void move(Game& game) {
  game.current_room = static_cast<float>(neighbour(static_cast<int>(game.current_room), direction));
}

constexpr CommandRow kCommandTable[] = {
    {{"END", "QUIT", "EXIT", "Q"}, nullptr, [](Game&) { show_farewell(); }, Continuation::never_returns},
    {{"HELP", "H", "?"}, nullptr, [](Game&) { show_help(); }, Continuation::carry_on},
    {{"INVENTORY", "INV", "ITEMS", "I"}, nullptr, [](Game& g) { show_inventory(g); }, Continuation::carry_on},
    {{"GO NORTH", "NORTH", "N"},
     leads<Direction::north>,
     move<Direction::north>,
     Continuation::return_at_once},
    {{"GO EAST", "EAST", "E"}, leads<Direction::east>, move<Direction::east>, Continuation::return_at_once},
    {{"GO SOUTH", "SOUTH", "S"},
     leads<Direction::south>,
     move<Direction::south>,
     Continuation::return_at_once},
    {{"GO WEST", "WEST", "W"}, leads<Direction::west>, move<Direction::west>, Continuation::return_at_once},
    {{"EXAMINE LANTERN"},
     [](const Game& g) { return g.has_lantern == 1; },
     [](Game&) { show_examine_page(story::lantern_page); },
     Continuation::carry_on},
    {{"EXAMINE SWORD"},
     [](const Game& g) { return g.has_sword == 1; },
     [](Game&) { show_examine_page(story::sword_page); },
     Continuation::carry_on},
    {{"EXAMINE SILVER SPEAR"},
     [](const Game& g) { return g.has_silver_spear == 1; },
     [](Game&) { show_examine_page(story::silver_spear_page); },
     Continuation::carry_on},
    {{"EXAMINE SHIELD OF VIRTUE"},
     [](const Game& g) { return g.has_shield_of_virtue == 1; },
     [](Game&) { show_examine_page(story::shield_page); },
     Continuation::carry_on},
    {{"EXAMINE DRIED HERBS"},
     [](const Game& g) { return g.current_room == 58; },
     [](Game&) { show_examine_page(story::dried_herbs_page); },
     Continuation::carry_on},
    {{"EXAMINE WOMAN"},
     [](const Game& g) { return g.current_room == 47; },
     [](Game&) { show_examine_page(story::woman_page); },
     Continuation::carry_on},
    {{"TAKE SILVER SPEAR"},
     [](const Game& g) { return g.current_room == 15 && g.has_silver_spear == 0; },
     [](Game& g) { take_item(g.has_silver_spear, "-You have taken the Sliver Spear."); },
     Continuation::carry_on},
    {{"TAKE SHIELD OF VIRTUE"},
     [](const Game& g) { return g.current_room == 33 && g.has_shield_of_virtue == 0; },
     [](Game& g) {
       take_item(g.has_shield_of_virtue, "-You take the shield off the corpse of it's previous owner.");
     },
     Continuation::carry_on},
    {{"USE SHIELD OF VIRTUE"},
     [](const Game& g) { return g.current_room == 55 && g.has_shield_of_virtue == 1; },
     [](Game& g) { g.show_victory(); },
     Continuation::never_returns},
};

bool names(const CommandRow& row, const RtString& command) {
  bool named = false;
  for (std::string_view word : row.words) {
    if (!word.empty() && str_equal(command, RtString(word))) named = true;
  }
  return named;
}

}  // namespace

std::span<const CommandRow> command_table() { return kCommandTable; }

void Game::run_command() {
  print_text("> ");
  command_text = read_command();
  command_text = str_ltrim(str_rtrim(str_upper(command_text)));
  for (const CommandRow& row : command_table()) {
    const bool named = names(row, command_text);
    const bool allowed = row.condition == nullptr || row.condition(*this);
    if (!named || !allowed) continue;
    row.effect(*this);
    if (row.continuation == Continuation::return_at_once) return;
  }
}

void show_farewell() {
  scr_clear();
  print_lines(kFarewell);
  rt_end_program();
}

void show_help() {
  scr_clear();
  print_empty_line();
  print_line(kRule79);
  print_lines(kHelpFrame);
  print_line(kRule79);
  print_empty_line();
  print_line(kPressAnyKey);
  time_sleep();
  empty_keyboard_buffer();
  wait_for_key();
}

void show_inventory(const Game& game) {
  scr_clear();
  print_line("INVENTORY...");
  print_empty_line();
  if (game.has_lantern == 1) print_line("-An old dented tin lantern to vanquish the darkness.");
  if (game.has_sword == 1) print_line("-Crafted out of only the finest steel in the region.");
  if (game.has_silver_spear == 1) print_line("-A Silver Spear left by a dead hero.");
  if (game.has_shield_of_virtue == 1)
    print_line("-The Shield of Virtue, a blessed shield from a fallen Knight.");
  print_empty_line();
  print_line(kPressAnyKey);
  empty_keyboard_buffer();
  wait_for_key();
}

}  // namespace game
