// Where the picture goes in a window of any size, and how it is scaled there. Plain
// arithmetic, no window library, so that tests reach it without a window.
#pragma once

namespace platform {

// The picture fills the window as far as its shape allows, centred, black around it.
// Whole scales are drawn with nearest-neighbour alone. Any other scale is drawn "sharp":
// nearest-neighbour at `intermediate_scale` (the next whole scale up, at least 1), then
// linear filtering from there to the destination, which keeps edges crisp and doubles no
// column at random; below the picture's own size that is linear filtering from the picture.
struct PicturePlacement {
  int x = 0, y = 0, width = 0, height = 0;  // the destination rectangle, in window pixels
  int intermediate_scale = 1;
  bool whole = true;  // the destination is exactly intermediate_scale times the picture
};

// For a picture of `picture_width` x `picture_height` pixels in a window of
// `window_width` x `window_height` pixels; an empty window gets an empty rectangle.
PicturePlacement place_picture(int picture_width, int picture_height, int window_width, int window_height);

}  // namespace platform
