// Monochrome bitmaps: one bit a pixel, set bits drawn in the current colour.
#pragma once

#include <cstdint>

namespace image {

int draw_map(const uint8_t* map, int width, int height);
int clip_map(const uint8_t* map, int width, int height);
int get_map(uint8_t* map, int width, int height);

}  // namespace image
