// Fuzzes the screen engine with random sequences of prints (with and without newline),
// locates, clears, page copies and colour changes, and checks its invariants after each:
// the cursor stays on the screen, and the last row changes only when the cursor was put
// there on purpose.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "headless.h"
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
  std::string bytes() {
    std::string text;
    for (std::size_t n = next() % 200; n > 0 && size > 0; --n) text += static_cast<char>(next());
    return text;
  }
};

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::HeadlessSession session;
  session.host.answer_errors_with(true);
  scr_set_mode(12);
  Input in{data, size};
  bool bottom_row_used = false;
  std::string bottom = session.row(30);
  while (in.size > 0) {
    switch (in.next() % 7) {
      case 0: {
        const std::string text = in.bytes();
        scr_print_fit_check(text);
        scr_print_string(text, 0);
        break;
      }
      case 1: scr_print_string(in.bytes(), 1); break;
      case 2: {
        const int row = in.next() % 33 - 1;
        const int column = in.next() % 84 - 1;
        scr_locate(row, column);
        if (row == 30 && column >= 1 && column <= 80) bottom_row_used = true;
        break;
      }
      case 3:
        scr_clear();
        bottom_row_used = false;
        bottom = session.row(30);
        break;
      case 4:
        scr_copy_page(in.next() % 4, in.next() % 4);
        bottom_row_used = true;
        break;
      case 5: scr_color(in.next() % 18, in.next() % 18); break;
      case 6: {
        RtString out;
        scr_print_formatted_single(in.bytes(), static_cast<float>(static_cast<std::int8_t>(in.next())) * 1.7f,
                                   in.next() % 20, out);
        break;
      }
    }
    check(scr_cursor_row() >= 1 && scr_cursor_row() <= 30);
    check(scr_cursor_column() >= 1 && scr_cursor_column() <= 80);
    if (!bottom_row_used) check(session.row(30) == bottom);
  }
  return 0;
}
