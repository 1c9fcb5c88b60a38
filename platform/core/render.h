// Turns a page of cells into 32-bit ARGB pixels and builds the window icon.
#pragma once

#include <cstdint>
#include <vector>

#include "text_screen.h"

namespace platform {

// The 16-colour VGA palette as 0xAARRGGBB.
extern const std::uint32_t kPalette[16];

// Draws every cell's glyph in its colours; `pixels` holds columns*8 by rows*16 values.
void render_page(const Page& page, std::vector<std::uint32_t>& pixels);
// Draws only rows `first` to `last` (0-based) into pixels already sized for the page.
void render_rows(const Page& page, int first, int last, std::vector<std::uint32_t>& pixels);

// Rows of cells, 0-based and inclusive; none when first > last.
struct RowSpan {
  int first = 0;
  int last = -1;
  bool empty() const { return first > last; }
  bool operator==(const RowSpan&) const = default;
};
// The rows from the first to the last that differ between the page on show and the next;
// every row of `next` when their sizes differ.
RowSpan changed_rows(const Page& shown, const Page& next);

constexpr int kIconSize = 50;
// The program's 50x50 icon, a shield, as 0xAARRGGBB pixels row by row.
std::vector<std::uint32_t> make_icon();

}  // namespace platform
