// Image transforms: scaling, shearing and rotating a picture in caller memory into another
// array, for image arrays (one byte a pixel) and direct-colour bitmaps (the dcb pixel size
// of the active depth). No virtual buffer is touched.
#pragma once

#include <cstdint>

namespace image {

// Results: 0, also when nothing is done (a null array, a size below 1, a dcb form at a
// depth without dcbs); -1 for a refused request (see the limits in transform.cpp), which
// writes nothing.
int scale(const uint8_t* source, uint8_t* dest, int width, int height, int new_width, int new_height);
int scale_dcb(const uint8_t* source, uint8_t* dest, int width, int height, int new_width, int new_height);
int shear(const uint8_t* source, uint8_t* dest, int width, int height, int new_size, int type);
int shear_dcb(const uint8_t* source, uint8_t* dest, int width, int height, int new_size, int type);
int rot_size(int width, int height, int angle, int* new_width, int* new_height);
int rotate(const uint8_t* source, uint8_t* dest, int width, int height, int angle);
int rotate_dcb(const uint8_t* source, uint8_t* dest, int width, int height, int angle);

}  // namespace image
