// Program control: the end of the program, the statement hook and runtime errors.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>

#include "runtime.h"
#include "runtime_core.h"

using platform::ProgramExit;
using platform::Runtime;
using platform::TextScreen;

namespace {

struct RuntimeError {
  int code;
  const char* message;
};

constexpr RuntimeError kRuntimeErrors[] = {
    {rt_error::kReturnWithoutGosub, "RETURN without GOSUB"},
    {rt_error::kIllegalFunctionCall, "Illegal function call"},
    {rt_error::kSubscriptOutOfRange, "Subscript out of range"},
    {rt_error::kDivisionByZero, "Division by zero"},
};

const char* error_message(int code) {
  for (const RuntimeError& error : kRuntimeErrors) {
    if (error.code == code) return error.message;
  }
  return "Unprintable error";
}

// A box that cannot be shown: its title and text on standard error as one line, and the
// program ends with exit code 1.
[[noreturn]] void box_not_shown(const std::string& title, const std::string& text) {
  std::string line = title + ": " + text;
  std::replace(line.begin(), line.end(), '\n', ' ');
  std::fprintf(stderr, "valewarden: %s\n", line.c_str());
  throw ProgramExit{1};
}

std::string program_file_name() {
  const std::string name = platform::program_path().filename().string();
  return name.empty() ? "valewarden" : name;
}

}  // namespace

void rt_statement_hook(unsigned) {
  Runtime& runtime = Runtime::current();
  // Held until the window thread sees the key that ends the pause, or a stop.
  if (runtime.paused())
    runtime.wait_for_input_until([&] { return !runtime.paused() || runtime.stop_requested(); });
  if (runtime.stop_requested()) throw ProgramExit{0};
}

void rt_raise_error(int code, unsigned line) {
  Runtime& runtime = Runtime::current();
  const std::string message = error_message(code);
  if (code == rt_error::kDivisionByZero) {
    const bool shown = runtime.host().show_message("Critical Error", message);
    if (!shown && !runtime.stop_requested()) box_not_shown("Critical Error", message);
    throw ProgramExit{0};
  }
  char title[256];
  std::snprintf(title, sizeof title, "%s%u - %s", "Unhandled Error #", static_cast<unsigned>(code),
                program_file_name().c_str());
  char text[512];
  std::snprintf(text, sizeof text, "Line: %u (in %s)\n%s%s", line, "main module", message.c_str(),
                "\nContinue?");
  const std::optional<bool> yes = runtime.host().ask_yes_no(title, text);
  if (runtime.stop_requested()) throw ProgramExit{0};  // a stop while the box was up
  if (!yes) box_not_shown(title, text);
  if (!*yes) throw ProgramExit{0};
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
  runtime.wait_for_input_until([&] { return !key_read_char().empty() || runtime.stop_requested(); });
  throw ProgramExit{0};
}

namespace platform {

std::string unexpected_error_line() {
  std::string what = "an exception of unknown type";
  try {
    throw;
  } catch (const std::exception& error) {
    what = error.what();
  } catch (...) {
  }
  return "valewarden: unexpected error: " + what + "\n";
}

int run_program(const std::function<void()>& entry) {
  try {
    entry();
  } catch (const ProgramExit& exit) {
    return exit.exit_code;
  } catch (...) {
    std::fputs(unexpected_error_line().c_str(), stderr);
    return 1;
  }
  return 0;
}

}  // namespace platform
