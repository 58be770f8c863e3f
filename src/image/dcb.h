// Direct-colour bitmaps (dcbs): pictures whose pixels carry their colour, in the dcb
// format of the active depth (RGB565 at 16 bits, blue-green-red bytes at 24 and 32).
// rs_transdcb is translate_dcb in formats.h.
#pragma once

#include <cstdint>

namespace image {

int get_dcb(uint8_t* array, int width, int height);
int put_dcb(const uint8_t* array, int width, int height);
int draw_dcb(const uint8_t* array, int width, int height);    // black transparent
int clip_dcb(const uint8_t* array, int width, int height);    // black transparent, clipped
int flip_dcb(const uint8_t* array, int width, int height);    // black transparent, mirrored, clipped
int mirror_dcb(const uint8_t* array, int width, int height);  // black transparent, mirrored
int invert_dcb(uint8_t* array, int width, int height);
int cut_dcb(const uint8_t* large, uint8_t* small, int x, int y, int large_width, int width, int height);
int paste_dcb(uint8_t* large, const uint8_t* small, int x, int y, int large_width, int width, int height);

}  // namespace image
