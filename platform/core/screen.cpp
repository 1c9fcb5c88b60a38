// Screen services: set-up, printing, the cursor, pages and presentation.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "runtime.h"
#include "runtime_core.h"

using platform::Runtime;
using platform::TextScreen;

namespace {
Runtime& rt() { return Runtime::current(); }
}  // namespace

void scr_set_mode(int mode, unsigned line) {
  Runtime& runtime = rt();
  if (!runtime.edit_screen([&](TextScreen& screen) { return screen.set_mode(mode); })) {
    rt_raise_error(rt_error::kIllegalFunctionCall, line);
    return;
  }
  runtime.host().set_screen_size(runtime.screen().pixel_width(), runtime.screen().pixel_height());
}

void scr_color(int foreground, int background, unsigned line) {
  if (foreground < 0 || foreground > 15 || background < 0 || background > 15) {
    rt_raise_error(rt_error::kIllegalFunctionCall, line);
    return;
  }
  rt().edit_screen([&](TextScreen& screen) { screen.set_colors(foreground, background); });
}

void scr_clear() {
  rt().edit_screen([](TextScreen& screen) { screen.clear(); });
}

void scr_title(const RtString& title) { rt().host().set_title(title); }

void scr_icon() { rt().host().set_icon(); }

void scr_print_fit_check(const RtString& text) {
  rt().edit_screen([&](TextScreen& screen) { screen.fit_check(text); });
}

void scr_print_string(const RtString& text, int newline) {
  rt().edit_screen([&](TextScreen& screen) { screen.print(text, newline != 0); });
}

void scr_locate(int row, int column, unsigned line) {
  if (!rt().edit_screen([&](TextScreen& screen) { return screen.locate(row, column); })) {
    rt_raise_error(rt_error::kIllegalFunctionCall, line);
  }
}

int scr_cursor_row() { return rt().screen().cursor_row(); }

int scr_cursor_column() { return rt().screen().cursor_column(); }

void scr_copy_page(int source, int destination, unsigned line) {
  if (!rt().edit_screen([&](TextScreen& screen) { return screen.copy_page(source, destination); })) {
    rt_raise_error(rt_error::kIllegalFunctionCall, line);
  }
}

void scr_display() {
  Runtime& runtime = rt();
  runtime.set_manual_display(true);
  runtime.host().present_frame();
}

void scr_auto_display() { rt().set_manual_display(false); }

namespace {

// The digits of a value rounded half away from zero: every digit of its exact decimal
// expansion, however large; "INF" for an infinity and "NAN" for a value that is no number.
std::string digits_of(float value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return "INF";
  char digits[64];  // a float's largest value has 39 digits
  std::snprintf(digits, sizeof digits, "%.0f", std::round(std::fabs(static_cast<double>(value))));
  return digits;
}

// One numeric field: the digits right-aligned in `places` with spaces, a "-" for a
// negative value, and "%" in front when they need more places.
std::string format_field(float value, int places) {
  const std::string digits = (value < 0 ? "-" : "") + digits_of(value);
  if (static_cast<int>(digits.size()) > places) return "%" + digits;
  return std::string(static_cast<std::size_t>(places) - digits.size(), ' ') + digits;
}

}  // namespace

int scr_print_formatted_single(const RtString& format, float value, int position, RtString& out) {
  auto at = static_cast<std::size_t>(position < 0 ? 0 : position);
  const std::size_t field = format.find('#', at);
  if (field == RtString::npos) {
    out += format.substr(std::min(at, format.size()));
    return 0;
  }
  const std::size_t field_end = format.find_first_not_of('#', field);
  out += format.substr(at, field - at);
  out += format_field(value,
                      static_cast<int>((field_end == RtString::npos ? format.size() : field_end) - field));
  if (field_end == RtString::npos) return 0;
  const std::size_t next_field = format.find('#', field_end);
  out += format.substr(field_end, next_field == RtString::npos ? RtString::npos : next_field - field_end);
  return next_field == RtString::npos ? 0 : static_cast<int>(next_field);
}
