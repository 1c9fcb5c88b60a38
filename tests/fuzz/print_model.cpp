#include "print_model.h"

#include <algorithm>

namespace fuzz {

PrintModel::PrintModel() : shown_(kColumns * kRows, blank()) {}

ModelCell PrintModel::blank() const { return {' ', foreground_, background_}; }

PrintModel::Cells& PrintModel::page(int number) {
  if (number == 0) return shown_;
  if (!others_.contains(number)) others_[number] = Cells(kColumns * kRows, blank());
  return others_[number];
}

void PrintModel::set_colors(int foreground, int background) {
  foreground_ = static_cast<std::uint8_t>(foreground);
  background_ = static_cast<std::uint8_t>(background);
}

void PrintModel::clear() {
  std::fill(shown_.begin(), shown_.end(), blank());
  row_ = 1;
  column_ = 1;
}

void PrintModel::fit_check(std::string_view text) {
  const int last_column = column_ + static_cast<int>(text.size()) - 1;
  if (column_ != 1 && !wrap_pending_ && last_column > kColumns) newline();
}

void PrintModel::print(std::string_view text, bool newline_after) {
  if (wrap_pending_ && !text.empty()) {
    wrap_pending_ = false;
    newline();
  }
  if (wrap_pending_ && newline_after) wrap_pending_ = false;  // the closing newline resolves it
  bool last_byte_wrapped = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    shown_[(row_ - 1) * kColumns + column_ - 1] = {static_cast<std::uint8_t>(text[i]), foreground_,
                                                   background_};
    ++column_;
    last_byte_wrapped = false;
    if (column_ <= kColumns) continue;
    if (i + 1 == text.size() && !newline_after) {
      column_ = kColumns;
      wrap_pending_ = true;
    } else {
      newline();
      last_byte_wrapped = true;
    }
  }
  if (newline_after && !last_byte_wrapped) newline();
}

void PrintModel::print_line(std::string_view text) {
  fit_check(text);
  print(text, false);
  print({}, true);
}

void PrintModel::newline() {
  column_ = 1;
  if (row_ + 1 <= kLastPrintRow) {
    ++row_;
    return;
  }
  scroll();
  row_ = kLastPrintRow;
}

void PrintModel::scroll() {
  Cells& cells = shown_;
  for (int row = 1; row < kLastPrintRow; ++row) {
    std::copy_n(cells.begin() + row * kColumns, kColumns, cells.begin() + (row - 1) * kColumns);
  }
  std::fill_n(cells.begin() + (kLastPrintRow - 1) * kColumns, kColumns, blank());
}

bool PrintModel::locate(int row, int column) {
  if (row < 1 || row > kRows || column < 1 || column > kColumns) return false;
  row_ = row;
  column_ = column;
  wrap_pending_ = false;
  return true;
}

int PrintModel::cursor_row() const { return wrap_pending_ ? std::min(row_ + 1, kLastPrintRow) : row_; }

int PrintModel::cursor_column() const { return wrap_pending_ ? 1 : column_; }

bool PrintModel::copy_page(int source, int destination) {
  if (source < 0 || destination < 0) return false;
  if (source == destination) return true;
  const Cells from = page(source);
  page(destination) = from;
  return true;
}

}  // namespace fuzz
