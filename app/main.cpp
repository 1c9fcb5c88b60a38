// The Valewarden Saga: the game in its window.
#include "front_end.h"
#include "game.h"

int main() { return platform::run_windowed(game::game_main); }
