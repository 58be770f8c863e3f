// Blending: the opacity, mixing two colour values, two dcbs, or a dcb and a rectangle of
// the active buffer, with one opacity or an opacity a pixel.
#pragma once

#include <cstdint>

namespace image {

int set_opacity(int value);
int blend(int color1, int color2);
int blend50(int color1, int color2);
int blend_dcb(const uint8_t* first, const uint8_t* second, uint8_t* dest, int count);
int blend_var(const uint8_t* first, const uint8_t* second, const uint8_t* opacity, uint8_t* dest, int count);
int blend_vb(const uint8_t* first, const uint8_t* second, int width, int height);
int blend_vbv(const uint8_t* first, const uint8_t* second, const uint8_t* opacity, int width, int height);

}  // namespace image
