// The windowed front end: opens the window, runs the game on a thread of its own and the
// window's events on the calling (main) thread until the program ends.
#pragma once

namespace platform {
// Returns the process's exit code: the game's, or 1 when no display can be used.
int run_windowed(void (*game)());
}  // namespace platform
