// A page's pixels against the font's bytes and the VGA palette's values, and the rows a
// front end redraws.
#include "render.h"

#include <gtest/gtest.h>

#include "font.h"

namespace {

using platform::Cell;
using platform::Page;
using platform::RowSpan;

// The colours of the VGA palette that the cells below use, as 0xAARRGGBB.
constexpr std::uint32_t kBlack = 0xFF000000, kBlue = 0xFF0000AA, kRed = 0xFFAA0000, kYellow = 0xFFFFFF55,
                        kWhite = 0xFFFFFFFF;

std::uint32_t pixel(const std::vector<std::uint32_t>& pixels, int row, int column, int x, int y) {
  return pixels[static_cast<std::size_t>((row * 16 + y) * 640 + column * 8 + x)];
}

TEST(Render, CellsTakeTheirGlyphsBitsInTheirColours) {
  Page page(80, 30, Cell{' ', 15, 0});
  page.at(0, 0) = Cell{0xDB, 15, 0};  // the full block
  page.at(0, 1) = Cell{' ', 15, 4};
  page.at(29, 79) = Cell{'A', 14, 1};
  std::vector<std::uint32_t> pixels;
  platform::render_page(page, pixels);
  ASSERT_EQ(pixels.size(), 640u * 480u);
  int ink = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(pixel(pixels, 0, 0, x, y), kWhite);
      EXPECT_EQ(pixel(pixels, 0, 1, x, y), kRed);
      EXPECT_EQ(pixel(pixels, 1, 0, x, y), kBlack);
      const bool set = (platform::kFontGlyphs[std::size_t{'A'}][y] & (0x80 >> x)) != 0;
      EXPECT_EQ(pixel(pixels, 29, 79, x, y), set ? kYellow : kBlue) << "A at " << x << "," << y;
      ink += set;
    }
  }
  EXPECT_GT(ink, 10);  // the glyph table holds a real A, not a blank
  EXPECT_LT(ink, 64);
}

TEST(Render, ChangedRowsSpanFromTheFirstToTheLastChange) {
  const Page blank(80, 30, Cell{});
  const auto with = [&](std::initializer_list<int> rows) {
    Page page = blank;
    for (int row : rows) page.at(row, 40).glyph = 'x';
    return page;
  };
  const struct {
    Page next;
    RowSpan expected;
  } cases[] = {
      {blank, {30, -1}},
      {with({0}), {0, 0}},
      {with({3, 17}), {3, 17}},
      {with({29}), {29, 29}},
      {Page(80, 25, Cell{}), {0, 24}},  // another size: every row
  };
  for (const auto& c : cases) {
    const RowSpan span = platform::changed_rows(blank, c.next);
    EXPECT_EQ(span, c.expected) << c.expected.first << ".." << c.expected.last;
    EXPECT_EQ(span.empty(), c.expected.first > c.expected.last);
  }
}

}  // namespace
