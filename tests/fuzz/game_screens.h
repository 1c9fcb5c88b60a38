// What the game may show in a given state, cell by cell: the main screen of the current
// room (title box, compass, hint, the room with its item line, the prompt, the typed text
// and the countdown), and its other screens, each only in the state that leads to it.
#pragma once

#include <cstddef>
#include <string>

#include "game.h"
#include "headless.h"

namespace fuzz {

// The countdown field for the seconds left: whole minutes from the seconds rounded halves
// to even, what is left of the seconds, each rounded halves away from zero and
// right-aligned: " [  mmmm:ss  ]".
std::string countdown_field(double seconds_left);

// Whether `frame` is exactly a screen the game may show now. `seconds_left` is the deadline
// less the time of day at the frame; `longest_text` bounds the length of the typed text.
bool known_screen(const platform::Frame& frame, const game::Game& game, double seconds_left,
                  std::size_t longest_text);

}  // namespace fuzz
