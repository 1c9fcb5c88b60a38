#include "render.h"

#include <algorithm>
#include <cmath>

#include "font.h"

namespace platform {

const std::uint32_t kPalette[16] = {
    0xFF000000, 0xFF0000AA, 0xFF00AA00, 0xFF00AAAA, 0xFFAA0000, 0xFFAA00AA, 0xFFAA5500, 0xFFAAAAAA,
    0xFF555555, 0xFF5555FF, 0xFF55FF55, 0xFF55FFFF, 0xFFFF5555, 0xFFFF55FF, 0xFFFFFF55, 0xFFFFFFFF,
};

void render_page(const Page& page, std::vector<std::uint32_t>& pixels) {
  pixels.resize(static_cast<std::size_t>(page.columns * kGlyphWidth * page.rows * kGlyphHeight));
  render_rows(page, 0, page.rows - 1, pixels);
}

void render_rows(const Page& page, int first, int last, std::vector<std::uint32_t>& pixels) {
  const int width = page.columns * kGlyphWidth;
  for (int row = first; row <= last; ++row) {
    for (int column = 0; column < page.columns; ++column) {
      const Cell& cell = page.at(row, column);
      const std::uint32_t ink = kPalette[cell.foreground & 15];
      const std::uint32_t paper = kPalette[cell.background & 15];
      const std::uint8_t* glyph = kFontGlyphs[cell.glyph];
      std::uint32_t* out =
          &pixels[static_cast<std::size_t>((row * kGlyphHeight) * width + column * kGlyphWidth)];
      for (int y = 0; y < kGlyphHeight; ++y, out += width) {
        for (int x = 0; x < kGlyphWidth; ++x) out[x] = (glyph[y] & (0x80 >> x)) ? ink : paper;
      }
    }
  }
}

RowSpan changed_rows(const Page& shown, const Page& next) {
  if (shown.columns != next.columns || shown.rows != next.rows) return {0, next.rows - 1};
  RowSpan span{next.rows, -1};
  for (int row = 0; row < next.rows; ++row) {
    const auto begin = static_cast<std::ptrdiff_t>(row * next.columns);
    if (!std::equal(next.cells.begin() + begin, next.cells.begin() + begin + next.columns,
                    shown.cells.begin() + begin)) {
      span.first = std::min(span.first, row);
      span.last = row;
    }
  }
  return span;
}

std::vector<std::uint32_t> make_icon() {
  constexpr std::uint32_t kClear = 0x00000000, kRim = 0xFFD4AF37, kField = 0xFF1E3A8A, kCross = 0xFFF5F5F5;
  std::vector<std::uint32_t> icon(kIconSize * kIconSize, kClear);
  const double centre = (kIconSize - 1) / 2.0;
  for (int y = 0; y < kIconSize; ++y) {
    // Straight sides for the upper half, then curving in to a point at the bottom.
    const double depth = (y - 24.0) / 23.0;
    const double half_width = y < 24 ? 22.0 : 22.0 * std::sqrt(std::max(0.0, 1.0 - depth * depth));
    for (int x = 0; x < kIconSize; ++x) {
      const double from_centre = std::fabs(x - centre);
      if (y < 2 || y > 47 || from_centre > half_width) continue;
      const bool rim = y < 5 || from_centre > half_width - 3;
      const bool cross = from_centre < 3 || (y >= 14 && y <= 19);
      icon[static_cast<std::size_t>(y * kIconSize + x)] = rim ? kRim : cross ? kCross : kField;
    }
  }
  return icon;
}

}  // namespace platform
