#include "text_screen.h"

#include <algorithm>

namespace platform {

namespace {
int rows_of_mode(int mode) { return mode == 12 ? 30 : kStartRows; }
}  // namespace

Page::Page(int column_count, int row_count, Cell fill)
    : columns(column_count),
      rows(row_count),
      cells(static_cast<std::size_t>(column_count * row_count), fill) {}

std::string Page::row_text(int row) const {
  std::string text;
  text.reserve(static_cast<std::size_t>(columns));
  for (int column = 0; column < columns; ++column) text += static_cast<char>(at(row, column).glyph);
  return text;
}

TextScreen::TextScreen() { set_mode(0); }

bool TextScreen::set_mode(int mode) {
  if (mode != 0 && mode != 12) return false;
  pages_.clear();
  shown_ = &pages_.emplace(0, Page(kColumns, rows_of_mode(mode), blank())).first->second;
  row_ = column_ = 0;
  wrap_pending_ = false;
  set_print_area(1, rows() - 1);
  changed();
  return true;
}

void TextScreen::set_colors(int foreground, int background) {
  foreground_ = static_cast<std::uint8_t>(foreground);
  background_ = static_cast<std::uint8_t>(background);
}

Cell TextScreen::blank() const { return Cell{' ', foreground_, background_}; }

void TextScreen::clear() {
  auto& cells = shown_->cells;
  std::fill(cells.begin(), cells.end(), blank());
  row_ = area_top_;
  column_ = 0;
  changed();
}

void TextScreen::fit_check(std::string_view text) {
  if (column_ != 0 && !wrap_pending_ && column_ + static_cast<int>(text.size()) > columns()) {
    newline();
  }
}

void TextScreen::print(std::string_view text, bool with_newline) {
  if (wrap_pending_ && !text.empty()) {
    wrap_pending_ = false;
    newline();
  } else if (wrap_pending_ && with_newline) {
    wrap_pending_ = false;  // the closing newline below is the one that resolves it
  }
  bool last_byte_wrapped = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    put_glyph(static_cast<std::uint8_t>(text[i]));
    last_byte_wrapped = false;
    if (++column_ < columns()) continue;
    if (i + 1 == text.size() && !with_newline) {
      column_ = columns() - 1;
      wrap_pending_ = true;
    } else {
      newline();
      last_byte_wrapped = true;
    }
  }
  if (with_newline && !last_byte_wrapped) newline();
}

void TextScreen::put_glyph(std::uint8_t glyph) {
  shown_->at(row_, column_) = Cell{glyph, foreground_, background_};
  changed();
}

void TextScreen::newline() {
  column_ = 0;
  if (row_ >= area_bottom_) {
    scroll_up();
    row_ = area_bottom_;
  } else {
    ++row_;
  }
}

void TextScreen::scroll_up() {
  Page& shown = *shown_;
  auto row_start = [&](int row) { return shown.cells.begin() + row * shown.columns; };
  std::rotate(row_start(area_top_), row_start(area_top_ + 1), row_start(area_bottom_ + 1));
  std::fill(row_start(area_bottom_), row_start(area_bottom_ + 1), blank());
  changed();
}

bool TextScreen::locate(int row, int column) {
  const bool row_ok = (row - 1 >= area_top_ && row - 1 <= area_bottom_) || row == rows();
  if (!row_ok || column < 1 || column > columns()) return false;
  row_ = row - 1;
  column_ = column - 1;
  wrap_pending_ = false;
  return true;
}

int TextScreen::cursor_row() const {
  if (wrap_pending_) return std::min(row_ + 1, area_bottom_) + 1;
  return row_ + 1;
}

int TextScreen::cursor_column() const { return wrap_pending_ ? 1 : column_ + 1; }

Page& TextScreen::page(int number) {
  auto found = pages_.find(number);
  if (found != pages_.end()) return found->second;
  const Page& shown = *shown_;
  return pages_.emplace(number, Page(shown.columns, shown.rows, blank())).first->second;
}

bool TextScreen::copy_page(int source, int destination) {
  if (source < 0 || destination < 0) return false;
  if (source == destination) return true;
  const Page& from = page(source);
  Page& to = page(destination);
  to.cells = from.cells;
  if (destination == 0) changed();
  return true;
}

void TextScreen::set_print_area(int top, int bottom) {
  area_top_ = top - 1;
  area_bottom_ = bottom - 1;
}

}  // namespace platform
