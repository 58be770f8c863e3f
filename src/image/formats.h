// Pixel formats of the caller's pictures, in one place for the picture families and the
// file readers: image arrays (one palette index a pixel), direct-colour bitmaps (dcbs:
// RGB565 words at 16 bits, blue-green-red bytes at 24 and 32 bits) and the conversions
// between them and buffer pixels.
#pragma once

#include <cstdint>

namespace image {

// Bytes of one dcb pixel for a buffer depth: 2 at 16 bits, 3 at 24 and 32 (a 32-bit
// buffer's fourth byte is not kept), 0 at depths that have no dcbs.
constexpr int dcb_pixel_bytes(int depth) { return depth >= 24 ? 3 : depth == 16 ? 2 : 0; }

}  // namespace image
