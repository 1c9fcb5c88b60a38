#include "window_placement.h"

#include <algorithm>

namespace platform {

namespace {
// The start of a span of `length` moved into the span from `area_start` of `area_length`,
// its start kept inside that span when the whole does not fit.
int moved_into(int start, int length, int area_start, int area_length) {
  return std::max(area_start, std::min(start, area_start + area_length - length));
}
}  // namespace

ScreenArea recentre_window(const ScreenArea& before, int width, int height, const ScreenArea& usable) {
  ScreenArea after{before.x + (before.width - width) / 2, before.y + (before.height - height) / 2, width,
                   height};
  if (usable.width <= 0 || usable.height <= 0) return after;
  after.x = moved_into(after.x, width, usable.x, usable.width);
  after.y = moved_into(after.y, height, usable.y, usable.height);
  return after;
}

}  // namespace platform
