// The 8x16 glyphs of code page 437, one row byte each, most significant bit leftmost.
// Generated at build time from the system's VGA console fonts.
#pragma once

#include <cstdint>

namespace platform {
extern const std::uint8_t kFontGlyphs[256][16];
}
