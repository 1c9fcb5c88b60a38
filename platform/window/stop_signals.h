// SIGINT, SIGTERM and SIGHUP as stop requests, and the end of a stop that does not finish.
//
// The signals are blocked in every thread and taken by a thread of their own, so that a
// stop works whatever the main thread waits in, an X round trip to a server that hangs
// included. That thread sees the stop through: it closes a message box that the main
// thread waits on, and when the process has not ended kStopGraceMs after the signal, it
// ends it, with exit code 0 when the game has stopped (or never started) and with one line
// and exit code 1 when it has not.
#pragma once

#include <cstdint>

namespace platform {

class Runtime;

// How long the game has to stop once asked.
constexpr std::int64_t kStopGraceMs = 400;

// Blocks the signals in the calling thread, and so in every thread it starts after, and
// starts the thread that takes them. Call before any other thread starts.
void take_stop_signals();
// The game is about to run on `runtime`; false when a stop signal came first.
bool game_starting(Runtime& runtime);
// The game thread has ended with `exit_code`; its runtime is about to go.
void game_ended(int exit_code);

// A stop that did not finish in time: one line, and the process ends with exit code 1.
[[noreturn]] void end_late_stop();

}  // namespace platform
