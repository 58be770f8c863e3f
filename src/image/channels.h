// Colour channels of the pixels that blending and the photo adjustments work on, the
// mixing rule, and the buffer rectangle both families address at the graphics cursor.
//
// A channel format loads one pixel as 8-bit red, green and blue and stores them back:
//  - RgbBytes: entries of RGB arrays, bytes red, green, blue;
//  - Bgr<3>: dcbs at 24 and 32 bits and 24-bit buffer pixels, bytes blue, green, red;
//  - Bgr<4>: 32-bit buffer pixels; the fourth byte is neither read nor written;
//  - Wide565: dcbs and buffer pixels at 16 bits, widened through expand5/expand6 and
//    narrowed by pack565.
// The per-pixel loops of both families are templates over these formats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/color.h"
#include "core/vbuf.h"
#include "draw/state.h"

namespace image {

struct Rgb {
    uint32_t r, g, b;
};

// The formats by name, for tables of kernels that serve each of them.
enum Layout : int { layout_rgb, layout_bgr, layout_bgrx, layout_565, layout_count };

struct RgbBytes {
    static constexpr Layout layout = layout_rgb;
    static constexpr int bytes = 3;
    static Rgb load(const uint8_t* p) { return {p[0], p[1], p[2]}; }
    static void store(uint8_t* p, Rgb c) { p[0] = uint8_t(c.r); p[1] = uint8_t(c.g); p[2] = uint8_t(c.b); }
};

template <int Stride>
struct Bgr {
    static constexpr Layout layout = Stride == 3 ? layout_bgr : layout_bgrx;
    static constexpr int bytes = Stride;
    static Rgb load(const uint8_t* p) { return {p[2], p[1], p[0]}; }
    static void store(uint8_t* p, Rgb c) { p[0] = uint8_t(c.b); p[1] = uint8_t(c.g); p[2] = uint8_t(c.r); }
};

struct Wide565 {
    static constexpr Layout layout = layout_565;
    static constexpr int bytes = 2;
    static Rgb load(const uint8_t* p) {
        uint16_t w;
        std::memcpy(&w, p, 2);
        return {core::expand5[w >> 11], core::expand6[(w >> 5) & 63], core::expand5[w & 31]};
    }
    static void store(uint8_t* p, Rgb c) {
        const uint16_t w = core::pack565(c.r, c.g, c.b);
        std::memcpy(p, &w, 2);
    }
};

// round(c × 255 / 31) and round(c × 255 / 63), the values of core::expand5 and
// core::expand6, as arithmetic for vector code and constant tables; the tests compare
// every field with the tables.
constexpr uint16_t widen5(uint32_t c) { return uint16_t((c * 527 + 23) >> 6); }
constexpr uint16_t widen6(uint32_t c) { return uint16_t((c * 259 + 33) >> 6); }

// The format of a dcb pixel at a buffer depth: runs fn(Format{}), or nothing at depths
// without dcbs.
template <class Fn>
void with_dcb_format(int depth, Fn&& fn) {
    switch (depth) {
    case 16: fn(Wide565{}); break;
    case 24:
    case 32: fn(Bgr<3>{}); break;
    default: break;
    }
}

// The format of a buffer pixel at a depth, or nothing at 8 bits.
template <class Fn>
void with_buffer_format(int depth, Fn&& fn) {
    switch (depth) {
    case 16: fn(Wide565{}); break;
    case 24: fn(Bgr<3>{}); break;
    case 32: fn(Bgr<4>{}); break;
    default: break;
    }
}

// The dcb and the buffer pixel format of a depth together: fn(Dcb{}, Pixel{}).
template <class Fn>
void with_dcb_and_buffer_formats(int depth, Fn&& fn) {
    switch (depth) {
    case 16: fn(Wide565{}, Wide565{}); break;
    case 24: fn(Bgr<3>{}, Bgr<3>{}); break;
    case 32: fn(Bgr<3>{}, Bgr<4>{}); break;
    default: break;
    }
}

// Mixes one 8-bit channel: a weighted by o (0..255), b by 255 - o. (x + 128 + ((x + 128)
// >> 8)) >> 8 is x / 255 rounded to nearest for every x from 0 to 255 × 255.
constexpr uint32_t mix(uint32_t a, uint32_t b, uint32_t o) {
    const uint32_t x = a * o + b * (255 - o);
    return (x + 128 + ((x + 128) >> 8)) >> 8;
}

// A width × height rectangle of the active buffer with its lower-left corner at the
// graphics cursor, walked bottom row first as dcbs are.
struct BufferRect {
    uint8_t* bottom = nullptr;  // first pixel of the rectangle's bottom row
    ptrdiff_t pitch = 0;        // from one row to the next one up
    int width = 0, height = 0;
    int depth = 0;
};

// Finds the rectangle; false (nothing to do) without an active buffer, at 8 bits, for a
// width or height below 1, or when the rectangle does not lie wholly inside the buffer.
inline bool buffer_rect(int width, int height, BufferRect& r) {
    const core::ActiveBuffer& vb = core::active();
    if (!core::has_active() || vb.depth < 16 || width < 1 || height < 1) return false;
    const int64_t x0 = draw::state().cursor_x, y1 = draw::state().cursor_y;
    if (x0 < 0 || x0 + width > vb.width || y1 >= vb.height || y1 - height + 1 < 0) return false;
    r.bottom = core::pixel_address(vb, int(x0), int(y1));
    // Rows are stored bottom-up, so the row above on the screen is one pitch further on.
    r.pitch = vb.pitch;
    r.width = width;
    r.height = height;
    r.depth = vb.depth;
    return true;
}

}  // namespace image
