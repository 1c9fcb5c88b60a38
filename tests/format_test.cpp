// Formatted number fields, against the countdown's format.
#include <gtest/gtest.h>

#include <limits>

#include "runtime.h"

namespace {

std::string countdown(float minutes, float seconds) {
  const RtString format = " [  ####:##  ]";
  RtString out;
  const int next = scr_print_formatted_single(format, minutes, 0, out);
  EXPECT_EQ(next, 9);
  EXPECT_EQ(scr_print_formatted_single(format, seconds, next, out), 0);
  return out;
}

TEST(FormattedField, FillsBothFieldsOfTheCountdown) {
  const struct {
    float minutes, seconds;
    const char* shown;
  } cases[] = {
      {120, 0, " [   120: 0  ]"},     {120, -0.4f, " [   120:-0  ]"}, {119, 59.4f, " [   119:59  ]"},
      {119, 0.5f, " [   119: 1  ]"},  {2, 5.7f, " [     2: 6  ]"},    {0, 9.6f, " [     0:10  ]"},
      {1, 59.5f, " [     1:60  ]"},   {119, -0.5f, " [   119:-1  ]"}, {0, 0.4f, " [     0: 0  ]"},
      {10000, 0, " [  %10000: 0  ]"}, {0, 100, " [     0:%100  ]"},   {0, -10, " [     0:%-10  ]"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(countdown(c.minutes, c.seconds), c.shown) << c.minutes << ":" << c.seconds;
}

TEST(FormattedField, RoundsHalvesAwayFromZero) {
  const struct {
    float value;
    const char* shown;
  } cases[] = {{2.5f, "  3"}, {-2.5f, " -3"}, {0.49f, "  0"}, {-0.3f, " -0"}, {1.5f, "  2"}};
  for (const auto& c : cases) {
    RtString out;
    EXPECT_EQ(scr_print_formatted_single("###", c.value, 0, out), 0);
    EXPECT_EQ(out, c.shown) << c.value;
  }
}

TEST(FormattedField, HugeInfiniteAndNanValuesHaveDefinedFields) {
  const float largest = std::numeric_limits<float>::max();
  const float infinity = std::numeric_limits<float>::infinity();
  const struct {
    float value;
    const char* shown;
  } cases[] = {
      {9223372036854775808.0f, "%9223372036854775808"},    // 2^63
      {-9223372036854775808.0f, "%-9223372036854775808"},  // -2^63
      {1e19f, "%9999999980506447872"},                     // the float nearest 10^19, digit for digit
      {largest, "%340282346638528859811704183484516925440"},
      {-largest, "%-340282346638528859811704183484516925440"},
      {16777217.0f, "%16777216"},  // above 2^24 a float holds only even numbers
      {infinity, " INF"},
      {-infinity, "-INF"},
      {std::numeric_limits<float>::quiet_NaN(), " NAN"},
      {-std::numeric_limits<float>::quiet_NaN(), " NAN"},
  };
  for (const auto& c : cases) {
    RtString out;
    EXPECT_EQ(scr_print_formatted_single("####", c.value, 0, out), 0);
    EXPECT_EQ(out, c.shown) << c.value;
  }
  RtString narrow;
  scr_print_formatted_single("##", -infinity, 0, narrow);
  EXPECT_EQ(narrow, "%-INF");
}

TEST(FormattedField, FormatWithoutFieldsIsCopied) {
  RtString out;
  EXPECT_EQ(scr_print_formatted_single("no fields", 3, 0, out), 0);
  EXPECT_EQ(out, "no fields");
}

}  // namespace
