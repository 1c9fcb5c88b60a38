#include "scaling.h"

#include <algorithm>

namespace platform {

namespace {
// a * b / c rounded to the nearest whole number, in 64 bits.
int scaled(int a, int b, int c) { return static_cast<int>((2LL * a * b + c) / (2LL * c)); }
}  // namespace

PicturePlacement place_picture(int picture_width, int picture_height, int window_width, int window_height) {
  PicturePlacement placement;
  if (picture_width <= 0 || picture_height <= 0 || window_width <= 0 || window_height <= 0) return placement;
  // The side that limits the scale takes the window's whole extent; the other follows the shape.
  const bool height_limits = static_cast<long long>(window_width) * picture_height >=
                             static_cast<long long>(window_height) * picture_width;
  if (height_limits) {
    placement.height = window_height;
    placement.width = std::clamp(scaled(window_height, picture_width, picture_height), 1, window_width);
  } else {
    placement.width = window_width;
    placement.height = std::clamp(scaled(window_width, picture_height, picture_width), 1, window_height);
  }
  placement.x = (window_width - placement.width) / 2;
  placement.y = (window_height - placement.height) / 2;
  // The next whole scale up: the smallest k with k * picture covering the destination.
  placement.intermediate_scale = std::max((placement.width + picture_width - 1) / picture_width,
                                          (placement.height + picture_height - 1) / picture_height);
  placement.whole = placement.width == picture_width * placement.intermediate_scale &&
                    placement.height == picture_height * placement.intermediate_scale;
  return placement;
}

}  // namespace platform
