// Where the window goes on the screen. Plain arithmetic, no window library, so that tests
// reach it without a display.
#pragma once

namespace platform {

// A rectangle in screen pixels.
struct ScreenArea {
  int x = 0, y = 0, width = 0, height = 0;
};

// The place of a window that becomes `width` x `height` and was `before`: centred where it
// was, then moved into `usable` (the display's area for windows) as far as it fits, so that
// a window larger than that area has its top-left corner at the area's. An empty `usable`
// (not known) leaves the window centred where it was.
ScreenArea recentre_window(const ScreenArea& before, int width, int height, const ScreenArea& usable);

}  // namespace platform
