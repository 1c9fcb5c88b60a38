// The print rules: whole-item moves, per-character wrap, the pending wrap, scrolling.
#include <gtest/gtest.h>

#include "harness.h"
#include "runtime.h"

using testing_support::full_row;

namespace {

class ScreenTest : public ::testing::Test {
 protected:
  ScreenTest() { scr_set_mode(12); }
  void print_line(const std::string& text) {
    scr_print_fit_check(text);
    scr_print_string(text, 0);
    scr_print_string("", 1);
  }
  void print_no_newline(const std::string& text) {
    scr_print_fit_check(text);
    scr_print_string(text, 0);
  }
  std::string row(int r) const { return session.row(r); }
  platform::HeadlessSession session;
};

struct PrintCase {
  const char* name;
  int start_column;
  int length;
  bool newline;
  int cursor_row;     // as scr_cursor_row reports it
  int cursor_column;  // as scr_cursor_column reports it
  int first_row;      // the row the text starts on
  int rows_used;
};

class PrintCaseTest : public ScreenTest, public ::testing::WithParamInterface<PrintCase> {};

TEST_P(PrintCaseTest, CursorAndRowsFollowThePrintRules) {
  const PrintCase& c = GetParam();
  scr_locate(5, c.start_column);
  const std::string text(static_cast<std::size_t>(c.length), 'x');
  c.newline ? print_line(text) : print_no_newline(text);
  EXPECT_EQ(scr_cursor_row(), c.cursor_row);
  EXPECT_EQ(scr_cursor_column(), c.cursor_column);
  int drawn = 0;
  for (int r = 1; r <= 30; ++r) {
    const std::string shown = row(r);
    drawn += static_cast<int>(std::count(shown.begin(), shown.end(), 'x'));
  }
  EXPECT_EQ(drawn, c.length);
  EXPECT_NE(row(c.first_row).find('x'), std::string::npos);
  if (c.first_row + c.rows_used <= 29) {
    EXPECT_EQ(row(c.first_row + c.rows_used), full_row(""));
  }
}

INSTANTIATE_TEST_SUITE_P(Rules, PrintCaseTest,
                         ::testing::Values(PrintCase{"Full80WithNewline", 1, 80, true, 6, 1, 5, 1},
                                           PrintCase{"Full80PendingWrap", 1, 80, false, 6, 1, 5, 1},
                                           PrintCase{"Short10WithNewline", 1, 10, true, 6, 1, 5, 1},
                                           PrintCase{"Short10NoNewline", 1, 10, false, 5, 11, 5, 1},
                                           PrintCase{"Item79FromColumn3MovesWhole", 3, 79, true, 7, 1, 6, 1},
                                           PrintCase{"Item78FromColumn3Fits", 3, 78, false, 6, 1, 5, 1},
                                           PrintCase{"Text81TakesTwoRows", 1, 81, true, 7, 1, 5, 2},
                                           PrintCase{"Text160TakesTwoRows", 1, 160, true, 7, 1, 5, 2},
                                           PrintCase{"Text161TakesThreeRows", 1, 161, true, 8, 1, 5, 3}),
                         [](const ::testing::TestParamInfo<PrintCase>& test) {
                           return std::string(test.param.name);
                         });

TEST_F(ScreenTest, PendingWrapIsResolvedByOneNewline) {
  print_no_newline(std::string(80, 'a'));
  EXPECT_TRUE(session.runtime.screen().wrap_pending());
  scr_print_string("", 1);
  EXPECT_EQ(scr_cursor_row(), 2);
  print_line("b");
  EXPECT_EQ(row(2), full_row("b"));
}

TEST_F(ScreenTest, PendingWrapMovesANonEmptyPrintToTheNextRow) {
  print_no_newline(std::string(80, 'a'));
  scr_print_string("", 0);  // an empty print without newline changes nothing
  EXPECT_TRUE(session.runtime.screen().wrap_pending());
  print_no_newline("b");
  EXPECT_EQ(row(2), full_row("b"));
  EXPECT_EQ(scr_cursor_column(), 2);
}

TEST_F(ScreenTest, LocateCancelsAPendingWrap) {
  print_no_newline(std::string(80, 'a'));
  scr_locate(10, 5);
  EXPECT_FALSE(session.runtime.screen().wrap_pending());
  EXPECT_EQ(scr_cursor_row(), 10);
  EXPECT_EQ(scr_cursor_column(), 5);
}

TEST_F(ScreenTest, PendingWrapOnTheBottomRowReportsTheBottomRow) {
  scr_locate(29, 1);
  print_no_newline(std::string(80, 'a'));
  EXPECT_EQ(scr_cursor_row(), 29);
  EXPECT_EQ(scr_cursor_column(), 1);
}

TEST_F(ScreenTest, NewlineOnRow29ScrollsRowsOneTo29AndLeavesRow30) {
  scr_locate(30, 1);
  scr_print_string("bottom line", 0);
  scr_locate(1, 1);
  for (int r = 1; r <= 29; ++r) print_line("row " + std::to_string(r));
  EXPECT_EQ(row(1), full_row("row 2"));
  EXPECT_EQ(row(28), full_row("row 29"));
  EXPECT_EQ(row(29), full_row(""));
  EXPECT_EQ(row(30), full_row("bottom line"));
  EXPECT_EQ(scr_cursor_row(), 29);
}

TEST_F(ScreenTest, ClearFillsEveryRowAndHomesTheCursor) {
  scr_locate(30, 1);
  scr_print_string("x", 0);
  scr_color(15, 1);
  scr_clear();
  const platform::Page page = session.runtime.snapshot();
  for (const platform::Cell& cell : page.cells) {
    ASSERT_EQ(cell.glyph, ' ');
    ASSERT_EQ(cell.background, 1);
  }
  EXPECT_EQ(scr_cursor_row(), 1);
  EXPECT_EQ(scr_cursor_column(), 1);
}

TEST_F(ScreenTest, ClearKeepsAPendingWrapPending) {
  print_no_newline(std::string(80, 'a'));
  scr_clear();
  EXPECT_TRUE(session.runtime.screen().wrap_pending());
}

TEST_F(ScreenTest, LocateOutsideTheScreenRaisesErrorFiveAndDoesNotMove) {
  scr_locate(4, 7);
  const struct { int row, column; } bad[] = {{0, 1}, {31, 1}, {5, 0}, {5, 81}};
  for (auto [r, c] : bad) scr_locate(r, c);
  ASSERT_EQ(session.host.boxes().size(), 4u);
  EXPECT_NE(session.host.boxes()[0].text.find("Illegal function call"), std::string::npos);
  EXPECT_EQ(scr_cursor_row(), 4);
  EXPECT_EQ(scr_cursor_column(), 7);
}

TEST_F(ScreenTest, CopyPageSavesAndRestoresThePictureButNotTheCursor) {
  print_line("saved");
  scr_copy_page(0, 1);
  scr_clear();
  print_line("changed");
  scr_locate(12, 40);
  scr_copy_page(1, 0);
  EXPECT_EQ(row(1), full_row("saved"));
  EXPECT_EQ(scr_cursor_row(), 12);
  EXPECT_EQ(scr_cursor_column(), 40);
}

TEST_F(ScreenTest, ModesSetTheScreenSize) {
  platform::HeadlessSession fresh;
  EXPECT_EQ(fresh.runtime.screen().rows(), 25);
  scr_set_mode(12);
  EXPECT_EQ(fresh.runtime.screen().rows(), 30);
  EXPECT_EQ(fresh.host.screen_width(), 640);
  EXPECT_EQ(fresh.host.screen_height(), 480);
  scr_set_mode(3);
  EXPECT_EQ(fresh.host.boxes().size(), 1u);
}

TEST_F(ScreenTest, PrintsUseTheCurrentColours) {
  scr_color(14, 1);
  print_line("y");
  const platform::Page page = session.runtime.snapshot();
  EXPECT_EQ(page.at(0, 0), (platform::Cell{'y', 14, 1}));
}

}  // namespace
