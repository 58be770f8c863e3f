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
void* get_line(int y);

}  // namespace image
