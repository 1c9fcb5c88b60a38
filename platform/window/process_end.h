// How the process ends: at once, with one line at most on standard error, and with no
// process of ours left behind. No window library here.
#pragma once

namespace platform {

// From here on every child process of ours ends when this process ends, however it ends:
// SDL shows message boxes from a child of its own, and no box may outlive the game. Call
// once, before any other thread starts.
void end_children_with_process();

// Ends every child process that the main thread started, at once: the message box that
// SDL shows from a child while the main thread waits for it, so that a stop can go on.
void end_main_thread_children();

// Ends the process at once with `exit_code`, after writing `line` (which holds its own
// newline; empty: nothing) to standard error. When several threads end it together, only
// the first one's line is written; in a child of ours (a message box) nothing is written,
// since this process reports. Async-signal-safe.
[[noreturn]] void end_process(int exit_code, const char* line);

}  // namespace platform
