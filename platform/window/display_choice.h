// Which display the window is opened on, chosen from what the environment names, and the
// one line that says what was tried when it cannot be opened. No window library here.
#pragma once

#include <string>

namespace platform {

// What the environment names: DISPLAY, WAYLAND_DISPLAY and SDL_VIDEODRIVER (empty when
// unset), and whether a Wayland compositor answers at the named socket.
struct DisplayNames {
  std::string x, wayland, driver;
  bool wayland_answers = false;
};

struct DisplayChoice {
  bool worth_trying = false;  // false: nothing can be opened, `failure` is the whole story
  bool x_only = false;        // X is the one driver to try (no fallback to any other)
  std::string failure;        // the line to print when the attempt fails, without the driver's report
};

DisplayChoice choose_display(const DisplayNames& names);

// `value` (from the environment, say) fit for a message of one line: its control characters
// escaped, a newline as \n, a tab as \t, the others as \xHH.
std::string printable(const std::string& value);

// "valewarden: <failure> (<report>)", the report shortened to its first line; the failure
// alone when the report is empty.
std::string failure_line(const std::string& failure, const std::string& report);

// Whether a compositor accepts a connection on the Wayland socket `name` (a path, or a
// name in `runtime_dir`).
bool wayland_answers(const std::string& name, const std::string& runtime_dir);

}  // namespace platform
