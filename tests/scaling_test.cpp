// Where the picture lands in windows of common sizes, and by which scales it gets there;
// where the window lands on screens of several sizes.
#include "scaling.h"

#include <gtest/gtest.h>

#include "window_placement.h"

namespace {

TEST(PicturePlacement, FillsTheWindowAsFarAsTheShapeAllowsCentred) {
  const struct {
    int window_width, window_height;
    int x, y, width, height, intermediate_scale;
    bool whole;
  } cases[] = {
      // clang-format off
      // window       destination rectangle    scale  whole
      {320, 240, 0, 0, 320, 240, 1, false},        // half size: linear down from the picture
      {639, 479, 0, 0, 639, 479, 1, false},        // a pixel short: linear down, nothing cropped
      {640, 480, 0, 0, 640, 480, 1, true},         // the picture as it is
      {1024, 768, 0, 0, 1024, 768, 2, false},      // 1.6: twice with nearest, then linear down
      {1280, 960, 0, 0, 1280, 960, 2, true},       // exactly twice: nearest alone
      {1366, 768, 171, 0, 1024, 768, 2, false},    // 1.6, black bars left and right
      {1920, 1080, 240, 0, 1440, 1080, 3, false},  // 2.25
      {3840, 2160, 480, 0, 2880, 2160, 5, false},  // 4.5
      {1280, 1024, 0, 32, 1280, 960, 2, true},     // 5:4 screen: bars above and below
      {400, 260, 26, 0, 347, 260, 1, false},       // a small window shows all of the picture
      {1, 1, 0, 0, 1, 1, 1, false},                // never an empty picture in a window
      {0, 0, 0, 0, 0, 0, 1, true},                 // a minimised window draws nothing
      // clang-format on
  };
  for (const auto& c : cases) {
    const platform::PicturePlacement p = platform::place_picture(640, 480, c.window_width, c.window_height);
    const std::string window = std::to_string(c.window_width) + "x" + std::to_string(c.window_height);
    EXPECT_EQ(p.x, c.x) << window;
    EXPECT_EQ(p.y, c.y) << window;
    EXPECT_EQ(p.width, c.width) << window;
    EXPECT_EQ(p.height, c.height) << window;
    EXPECT_EQ(p.intermediate_scale, c.intermediate_scale) << window;
    EXPECT_EQ(p.whole, c.whole) << window;
  }
}

TEST(PicturePlacement, KeepsThePicturesOwnShapeBeforeTheModeIsSet) {
  const platform::PicturePlacement same = platform::place_picture(640, 400, 640, 400);
  EXPECT_TRUE(same.whole);
  EXPECT_EQ(same.width, 640);
  const platform::PicturePlacement wider = platform::place_picture(640, 400, 1366, 768);
  EXPECT_EQ(wider.width, 1229);
  EXPECT_EQ(wider.height, 768);
  EXPECT_EQ(wider.x, 68);
  EXPECT_EQ(wider.intermediate_scale, 2);
  EXPECT_FALSE(wider.whole);
}

TEST(WindowPlacement, KeepsTheCentreAndTheTopLeftCornerOnTheScreen) {
  using platform::ScreenArea;
  const struct {
    ScreenArea before, usable, after;  // the window after: 640x480
  } cases[] = {
      // clang-format off
      // the window before        the usable area          the window after
      {{192, 184, 640, 400},    {0, 0, 1024, 768},       {192, 144, 640, 480}},   // centre kept
      {{-160, -100, 640, 400},  {0, 0, 320, 200},        {0, 0, 640, 480}},       // on a 320x200 screen
      {{192, 0, 640, 400},      {0, 32, 1024, 736},      {192, 32, 640, 480}},    // below a panel at the top
      {{600, 500, 640, 400},    {0, 0, 1024, 768},       {384, 288, 640, 480}},   // back inside when it fits
      {{1800, 100, 640, 400},   {1920, 0, 1280, 1024},   {1920, 60, 640, 480}},   // a second display
      {{-160, -100, 640, 400},  {0, 0, 0, 0},            {-160, -140, 640, 480}}, // area unknown
      // clang-format on
  };
  for (const auto& c : cases) {
    const ScreenArea after = platform::recentre_window(c.before, 640, 480, c.usable);
    const std::string where = "from " + std::to_string(c.before.x) + "," + std::to_string(c.before.y) +
                              " in " + std::to_string(c.usable.width) + "x" + std::to_string(c.usable.height);
    EXPECT_EQ(after.x, c.after.x) << where;
    EXPECT_EQ(after.y, c.after.y) << where;
  }
}

}  // namespace
