// The current colour, what every drawing routine writes, and single pixels.
#pragma once

#include <cstdint>

#include "core/pixel.h"

namespace core {

struct ColorState {
    uint8_t color_index = 0;   // value given to rs_setcolor in an 8-bit buffer
    uint8_t mapped_index = 0;  // color_index through the index map: what 8-bit pixels get
    uint32_t color_value = 0;  // the pixel, replicated to 32 bits at 8 and 16 bits
    uint8_t alpha = 0;         // top byte of 24/32-bit values made from red, green, blue
    uint8_t index_map[256]{};  // identity after rs_vbinit; nothing else changes it
};

inline ColorState& color() {
    static ColorState c;
    return c;
}

void color_init();

// The pixel value single-pixel writes (points, lines, outlines) store or XOR: mapped_index
// at 8 bits, the low bytes of color_value otherwise. Area fills lay color_value's whole
// 32-bit pattern instead (fill_span).
template <class D>
inline uint32_t current_pixel() { return color().color_value & D::mask; }
template <>
inline uint32_t current_pixel<Depth8>() { return color().mapped_index; }

// Nearest library palette index to a colour: least squared distance, lowest index on ties.
int nearest_index(int red, int green, int blue);

int set_color(int value);
int set_color_rgb(int red, int green, int blue);
int get_color();
int map_rgb(int red, int green, int blue);
int unmap_rgb(int value, int* red, int* green, int* blue);
int point(int x, int y);
int point_world(double x, double y);
int point_xor(int x, int y);
int point_xor_world(double x, double y);
int put_pixel(int x, int y);
int get_pixel(int x, int y);

// The index map and the alpha byte, which no other routine changes.
int define_color(int index, int value);  // -1 for an index outside 0..255, else the old entry
int get_index(int index);                // the entry, or -1
int set_alpha(int alpha);                // the previous alpha byte
// The fourth byte of the 32-bit pixels inside the clip rectangle: set to alpha, or made 0
// where the colour is key and 255 elsewhere. -1 unless a 32-bit buffer is active.
int fill_alpha(int alpha);
int key_alpha(int key);

// The 5- and 6-bit expansion tables of RGB565: round(f × 255 / 31), round(f × 255 / 63).
// Every widening of 16-bit pixels to 8-bit channels that rounds goes through them.
extern const uint8_t expand5[32];
extern const uint8_t expand6[64];

// Narrowing 8-bit channels (0..255) to RGB565: each keeps its top 5 or 6 bits.
constexpr uint16_t pack565(uint32_t r, uint32_t g, uint32_t b) {
    return uint16_t((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

}  // namespace core
