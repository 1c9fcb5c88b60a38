// Program control: the end of the program, the statement hook and runtime errors.
#include <cstdio>
#include <string>

#include "runtime.h"
#include "runtime_core.h"

using platform::ProgramExit;
using platform::Runtime;
using platform::TextScreen;

namespace {

constexpr int kDivisionByZero = 11;
constexpr int kEndPollMs = 100;

const char* error_message(int code) {
  switch (code) {
    case 3: return "RETURN without GOSUB";
    case 5: return "Illegal function call";
    case 9: return "Subscript out of range";
    case 11: return "Division by zero";
    default: return "Unprintable error";
  }
}

// Holds the game while the Pause key has suspended it: until the window thread sees the
// key that ends the pause, or a stop.
void hold_while_paused(Runtime& runtime) {
  for (;;) {
    const std::uint64_t seen = runtime.input_count();
    if (!runtime.paused() || runtime.stop_requested()) return;
    runtime.host().wait_for_input(runtime.now_ms() + kEndPollMs, seen);
  }
}

}  // namespace

void rt_statement_hook(unsigned) {
  Runtime& runtime = Runtime::current();
  if (runtime.paused()) hold_while_paused(runtime);
  if (runtime.stop_requested()) throw ProgramExit{0};
}

void rt_raise_error(int code, unsigned line) {
  Runtime& runtime = Runtime::current();
  const std::string message = error_message(code);
  if (code == kDivisionByZero) {
    runtime.host().show_message("Critical Error", message);
    throw ProgramExit{0};
  }
  char title[256];
  std::snprintf(title, sizeof title, "%s%u - %s", "Unhandled Error #", static_cast<unsigned>(code),
                platform::program_file_name().c_str());
  char text[512];
  std::snprintf(text, sizeof text, "Line: %u (in %s)\n%s%s", line, "main module", message.c_str(),
                "\nContinue?");
  if (!runtime.host().ask_yes_no(title, text)) throw ProgramExit{0};
}

void rt_end_program() {
  Runtime& runtime = Runtime::current();
  runtime.edit_screen([](TextScreen& screen) {
    screen.set_print_area(screen.rows(), screen.rows());
    screen.locate(screen.rows(), 1);
    screen.print("", true);
    screen.print("Press any key to continue", false);
  });
  while (!key_read_char().empty()) {
  }
  scr_auto_display();
  for (;;) {
    const std::uint64_t seen = runtime.input_count();
    if (!key_read_char().empty() || runtime.stop_requested()) throw ProgramExit{0};
    runtime.host().wait_for_input(runtime.now_ms() + kEndPollMs, seen);
  }
}
