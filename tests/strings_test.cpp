// The string services' edge cases.
#include <gtest/gtest.h>

#include "harness.h"
#include "runtime.h"

namespace {

TEST(Strings, CompareWholeStrings) {
  EXPECT_EQ(str_equal("GO NORTH", "GO NORTH"), -1);
  EXPECT_EQ(str_equal("GO NORTH", "GO NORTH "), 0);
  EXPECT_EQ(str_not_equal("A", "B"), -1);
  EXPECT_EQ(str_not_equal(std::string("a\0b", 3), std::string("a\0b", 3)), 0);
}

TEST(Strings, UpperAndTrimTouchOnlyTheirBytes) {
  EXPECT_EQ(str_upper("go North? \x93"), "GO NORTH? \x93");
  EXPECT_EQ(str_ltrim("  \tx  "), "\tx  ");
  EXPECT_EQ(str_rtrim("  x\t  "), "  x\t");
  EXPECT_EQ(str_ltrim("   "), "");
  EXPECT_EQ(str_rtrim(""), "");
}

TEST(Strings, LeftNeverFails) {
  EXPECT_EQ(str_left("", -1), "");
  EXPECT_EQ(str_left("abc", -5), "");
  EXPECT_EQ(str_left("abc", 2), "ab");
  EXPECT_EQ(str_left("abc", 99), "abc");
}

TEST(Strings, FindIsOneBasedAndZeroWhenAbsent) {
  EXPECT_EQ(str_find("NORTH, SOUTH, OR EAST", "NORTH"), 1);
  EXPECT_EQ(str_find("NORTH, SOUTH, OR EAST", "EAST"), 18);
  EXPECT_EQ(str_find("NORTH, SOUTH, OR EAST", "WEST"), 0);
  EXPECT_EQ(str_find("", ""), 0);
  EXPECT_EQ(str_find("abc", ""), 1);
}

TEST(Strings, SpaceConcatAndChr) {
  EXPECT_EQ(str_space(3), "   ");
  EXPECT_EQ(str_space(-2), "");
  EXPECT_EQ(str_concat("The Valewarden Saga", " - "), "The Valewarden Saga - ");
  EXPECT_EQ(str_chr(0), std::string(1, '\0'));
  EXPECT_EQ(str_chr(255), "\xFF");
}

TEST(Strings, ChrOutOfRangeIsErrorFive) {
  platform::HeadlessSession session;
  EXPECT_EQ(str_chr(256), "");
  ASSERT_EQ(session.host.boxes().size(), 1u);
  EXPECT_NE(session.host.boxes()[0].text.find("Illegal function call"), std::string::npos);
}

}  // namespace
