// The emulated text screen: pages of cells, a cursor with a pending-wrap flag, and the
// print rules. Every rule of printing lives in one of the small verbs of TextScreen.
// Rows and columns are 0-based inside; the 1-based game coordinates are converted in
// locate() and the cursor queries.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

constexpr int kGlyphWidth = 8;
constexpr int kGlyphHeight = 16;
constexpr int kColumns = 80;
// Mode 0, the screen until the game sets its own: 80x25 cells, 640x400 pixels.
constexpr int kStartRows = 25;
constexpr int kStartPixelWidth = kColumns * kGlyphWidth;
constexpr int kStartPixelHeight = kStartRows * kGlyphHeight;

struct Cell {
  std::uint8_t glyph = ' ';
  std::uint8_t foreground = 7;
  std::uint8_t background = 0;
  bool operator==(const Cell&) const = default;
};

struct Page {
  int columns = 0;
  int rows = 0;
  std::vector<Cell> cells;

  Page() = default;
  Page(int column_count, int row_count, Cell fill);
  Cell& at(int row, int column) { return cells[row * columns + column]; }
  const Cell& at(int row, int column) const { return cells[row * columns + column]; }
  // The glyph bytes of one row (0-based).
  std::string row_text(int row) const;
};

class TextScreen {
 public:
  TextScreen();
  TextScreen(const TextScreen&) = delete;
  TextScreen& operator=(const TextScreen&) = delete;

  // Mode 0 (80x25, the start) or 12 (80x30). False for any other mode.
  bool set_mode(int mode);
  void set_colors(int foreground, int background);
  void clear();
  void fit_check(std::string_view text);
  void print(std::string_view text, bool newline);
  // 1-based; false (and no move) outside the print area and the last row.
  bool locate(int row, int column);
  int cursor_row() const;
  int cursor_column() const;
  bool wrap_pending() const { return wrap_pending_; }
  // Creates either page on first use; false for a negative page number.
  bool copy_page(int source, int destination);
  // 1-based rows; printing and scrolling stay between them.
  void set_print_area(int top, int bottom);

  const Page& visible() const { return *shown_; }
  int rows() const { return visible().rows; }
  int columns() const { return visible().columns; }
  int pixel_width() const { return columns() * kGlyphWidth; }
  int pixel_height() const { return rows() * kGlyphHeight; }
  // Counts the changes to page 0; a presenter compares it to know whether to draw.
  std::uint64_t generation() const { return generation_; }

 private:
  Page& page(int number);
  Cell blank() const;
  void put_glyph(std::uint8_t glyph);
  void newline();
  void scroll_up();
  void changed() { ++generation_; }

  std::map<int, Page> pages_;
  Page* shown_ = nullptr;  // page 0
  int row_ = 0;
  int column_ = 0;
  bool wrap_pending_ = false;
  int area_top_ = 0;
  int area_bottom_ = 0;
  std::uint8_t foreground_ = 7;
  std::uint8_t background_ = 0;
  std::uint64_t generation_ = 0;
};

}  // namespace platform
