// Program control: the end of the program, the statement hook and runtime errors.
#include <cstdio>
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
    runtime.host().show_message("Critical Error", message);
    throw ProgramExit{0};
  }
  char title[256];
  std::snprintf(title, sizeof title, "%s%u - %s", "Unhandled Error #", static_cast<unsigned>(code),
                program_file_name().c_str());
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
  runtime.wait_for_input_until([&] { return !key_read_char().empty() || runtime.stop_requested(); });
  throw ProgramExit{0};
}
