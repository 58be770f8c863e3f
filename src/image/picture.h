// Image arrays: one palette index a pixel, drawn into and read from the active buffer.
#pragma once

#include <cstdint>

namespace image {

int draw_image(const uint8_t* array, int width, int height);     // 0 transparent
int put_image(const uint8_t* array, int width, int height);      // every byte written
int mirror_image(const uint8_t* array, int width, int height);   // 0 transparent, mirrored
int clip_image(const uint8_t* array, int width, int height);     // 0 transparent, clipped
int flip_image(const uint8_t* array, int width, int height);     // 0 transparent, mirrored, clipped
int get_image(uint8_t* array, int width, int height);
// Masks placed as image arrays are: the current colour where a byte is not 0; reversed,
// where it is 0; clipped; mirrored and clipped.
int draw_mask(const uint8_t* mask, int width, int height);
int reverse_mask(const uint8_t* mask, int width, int height);
int clip_mask(const uint8_t* mask, int width, int height);
int flip_mask(const uint8_t* mask, int width, int height);
void* get_line(int y);

}  // namespace image
