// Turns a page of cells into 32-bit ARGB pixels and builds the window icon.
#pragma once

#include <cstdint>
#include <vector>

#include "text_screen.h"

namespace platform {

constexpr int kGlyphWidth = 8;
constexpr int kGlyphHeight = 16;

// The 16-colour VGA palette as 0xAARRGGBB.
extern const std::uint32_t kPalette[16];

// Draws every cell's glyph in its colours; `pixels` holds columns*8 by rows*16 values.
void render_page(const Page& page, std::vector<std::uint32_t>& pixels);
// Draws only rows `first` to `last` (0-based) into pixels already sized for the page.
void render_rows(const Page& page, int first, int last, std::vector<std::uint32_t>& pixels);

constexpr int kIconSize = 50;
// The program's 50x50 icon, a shield, as 0xAARRGGBB pixels row by row.
std::vector<std::uint32_t> make_icon();

}  // namespace platform
