// A reference model of the text screen's print rules, written apart from the runtime's
// code and as plainly as the rules read: an 80x30 grid of cells, a cursor (1-based) with a
// pending-wrap flag, the whole-item move, the wrap after column 80, the scroll of rows 1 to
// 29 (row 30 never scrolls), and pages created blank on first use. The fuzzers compare the
// runtime's screen with it cell by cell.
#pragma once

#include <cstring>
#include <map>
#include <string_view>
#include <vector>

#include "headless.h"

namespace fuzz {

// A cell as the runtime's platform::Cell holds it (glyph, foreground, background), trivial
// so that whole grids copy as one block.
struct ModelCell {
  std::uint8_t glyph;
  std::uint8_t foreground;
  std::uint8_t background;
};

class PrintModel {
 public:
  static constexpr int kColumns = 80;
  static constexpr int kRows = 30;
  static constexpr int kLastPrintRow = 29;
  using Cells = std::vector<ModelCell>;

  PrintModel();

  void set_colors(int foreground, int background);
  // Every cell, row 30 included, blank in the current colours; the cursor to row 1,
  // column 1. A pending wrap stays pending.
  void clear();
  // The whole-item move: a newline first when `text` does not fit the rest of the row.
  void fit_check(std::string_view text);
  void print(std::string_view text, bool newline);
  // A line as the game prints it: the fit check, the text, then the empty string with a
  // newline.
  void print_line(std::string_view text);
  // False (and no move) outside rows 1 to 30 or columns 1 to 80.
  bool locate(int row, int column);
  int cursor_row() const;
  int cursor_column() const;
  // Copies one page onto another, each created blank on first use; false for a negative
  // page number.
  bool copy_page(int source, int destination);

  const Cells& cells() const { return shown_; }

 private:
  ModelCell blank() const;
  Cells& page(int number);
  void newline();
  void scroll();

  Cells shown_;                  // page 0
  std::map<int, Cells> others_;  // the other pages, once used
  int row_ = 1;
  int column_ = 1;
  bool wrap_pending_ = false;
  std::uint8_t foreground_ = 7;
  std::uint8_t background_ = 0;
};

// Whether the runtime's cells and the model's are the same, byte for byte (one memcmp keeps
// the comparison cheap under the fuzzer's instrumentation of every comparison).
static_assert(sizeof(platform::Cell) == 3 && sizeof(ModelCell) == 3);
template <typename A, typename B>
bool same_cells(const std::vector<A>& a, const std::vector<B>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * 3) == 0;
}

}  // namespace fuzz
