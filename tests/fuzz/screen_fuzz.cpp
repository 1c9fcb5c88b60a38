// Fuzzes the screen services with random sequences of prints (with and without the fit
// check and the newline), locates, clears, page copies, colour changes and formatted
// fields, and after each compares the whole screen, cell by cell, and the cursor with the
// reference model of the print rules. Arguments out of range must raise one runtime error
// each and change nothing.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "headless.h"
#include "print_model.h"
#include "runtime.h"

namespace {

struct Input {
  const std::uint8_t* data;
  std::size_t size;
  std::uint8_t next() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
  // Up to 255 bytes of text; most of them printable, so that rows can be read in a report.
  std::string text() {
    std::string text;
    for (std::size_t n = next(); n > 0 && size > 0; --n) text += static_cast<char>(next());
    return text;
  }
};

// Shows where the screen and the model part, then stops the run.
[[noreturn]] void fail(const char* what, const platform::Page& screen, const fuzz::PrintModel& model) {
  std::fprintf(stderr, "screen and model differ: %s (model cursor %d,%d)\n", what, model.cursor_row(),
               model.cursor_column());
  for (int row = 0; row < screen.rows; ++row) {
    std::string expected;
    for (int column = 0; column < screen.columns; ++column)
      expected += static_cast<char>(model.cells()[row * screen.columns + column].glyph);
    const std::string actual = screen.row_text(row);
    if (actual != expected)
      std::fprintf(stderr, "row %d\n  is |%s|\n want |%s|\n", row + 1, actual.c_str(), expected.c_str());
  }
  std::abort();
}

void compare(const platform::HeadlessSession& session, const fuzz::PrintModel& model, std::size_t errors) {
  const platform::Page& screen = session.runtime.screen().visible();
  if (!fuzz::same_cells(screen.cells, model.cells())) fail("cells", screen, model);
  if (scr_cursor_row() != model.cursor_row() || scr_cursor_column() != model.cursor_column())
    fail("cursor", screen, model);
  if (session.host.boxes().size() != errors) fail("runtime errors", screen, model);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::HeadlessSession session;
  session.host.answer_boxes(
      platform::HeadlessHost::BoxAnswer::yes);  // an error box's "yes" goes on after the call
  Input in{data, size};
  fuzz::PrintModel model;
  scr_set_mode(12);
  const int foreground = in.next() % 16;
  const int background = in.next() % 16;
  scr_color(foreground, background);
  scr_clear();
  model.set_colors(foreground, background);
  model.clear();
  std::size_t errors = 0;
  while (in.size > 0) {
    switch (in.next() % 8) {
      case 0: {  // an item without a newline, as the game prints one
        const std::string text = in.text();
        scr_print_fit_check(text);
        scr_print_string(text, 0);
        model.fit_check(text);
        model.print(text, false);
        break;
      }
      case 1: {  // a line
        const std::string text = in.text();
        scr_print_fit_check(text);
        scr_print_string(text, 0);
        scr_print_string({}, 1);
        model.print_line(text);
        break;
      }
      case 2: {  // a print without the fit check
        const bool newline = in.next() % 2;
        const std::string text = in.text();
        scr_print_string(text, newline);
        model.print(text, newline);
        break;
      }
      case 3: {
        const int row = in.next() % 33 - 1;
        const int column = in.next() % 84 - 1;
        scr_locate(row, column);
        if (!model.locate(row, column)) ++errors;
        break;
      }
      case 4:
        scr_clear();
        model.clear();
        break;
      case 5: {
        const int source = in.next() % 5 - 1;
        const int destination = in.next() % 5 - 1;
        scr_copy_page(source, destination);
        if (!model.copy_page(source, destination)) ++errors;
        break;
      }
      case 6: {
        const int new_foreground = in.next() % 18;
        const int new_background = in.next() % 18;
        scr_color(new_foreground, new_background);
        if (new_foreground < 16 && new_background < 16) {
          model.set_colors(new_foreground, new_background);
        } else {
          ++errors;
        }
        break;
      }
      case 7: {  // formatted fields leave the screen alone; the sanitizers watch the formatting
        RtString out;
        const std::string format = in.text();
        std::uint32_t bits = 0;
        for (int i = 0; i < 4; ++i) bits = bits << 8 | in.next();
        scr_print_formatted_single(format, std::bit_cast<float>(bits), in.next() % 20, out);
        break;
      }
    }
    compare(session, model, errors);
  }
  return 0;
}
