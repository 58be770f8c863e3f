// Shared by the picture families (image arrays and dcbs): where a caller's picture lands
// in the active buffer and which of its pixels show, and the row loops that move pixels
// between a picture and the buffer.
//
// A picture is width × height pixels, rows packed, its first row the bottom one. Placed
// with its lower-left corner at the graphics cursor, array row r lies on screen row
// cursor_y − r, so walking the array forward walks the buffer's bottom-up rows forward.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/clip.h"
#include "core/vbuf.h"

namespace image {

// The visible part of a placed picture.
struct Placement {
    uint8_t* pixels = nullptr;  // buffer address of the leftmost visible pixel of the lowest visible row
    int pitch = 0;              // buffer row pitch: the next row up
    ptrdiff_t first = 0;        // picture pixel shown at `pixels` (mirrored: read leftward from it)
    ptrdiff_t stride = 0;       // picture pixels a row, whatever was cut away
    int columns = 0, rows = 0;  // visible extent, both at least 1
};

// The whole active buffer as a clipping rectangle.
inline core::ClipRect buffer_rect() {
    const core::ActiveBuffer& vb = core::active();
    return {0, vb.width - 1, 0, vb.height - 1};
}

// Places a width × height picture at the graphics cursor and cuts it to the rectangle r
// (inside the active buffer). A mirrored picture is mirrored first and cut on the screen,
// so its leftmost visible column shows array column width − 1 − skip_left. False when
// width or height is below 1 or nothing lies inside r.
bool place(int width, int height, const core::ClipRect& r, bool mirrored, Placement& out);

// True when the placement shows the whole picture (nothing was cut away).
inline bool whole(const Placement& pl, int width, int height) { return pl.columns == width && pl.rows == height; }

// True when the 8 pixels of format F from p are all 0 (8 × F::bytes bytes, a multiple of 8).
template <class F>
inline bool eight_clear(const uint8_t* p) {
    uint64_t any = 0;
    for (int k = 0; k < F::bytes; ++k) {
        uint64_t w;
        std::memcpy(&w, p + 8 * k, 8);
        any |= w;
    }
    return any == 0;
}

// Draws the visible part of a picture of format F into a buffer of depth D: each picture
// value v becomes the pixel to_pixel(v); keyed pictures skip v == 0. Sprites are mostly
// runs, so keyed rows step over 8 clear pixels at a time, which spares the per-pixel
// branch its mispredictions across transparent runs.
template <class D, class F, bool keyed, bool mirrored, class ToPixel>
void draw_rows(const Placement& pl, const uint8_t* picture, ToPixel to_pixel) {
    constexpr ptrdiff_t step = mirrored ? -F::bytes : F::bytes;
    for (int r = 0; r < pl.rows; ++r) {
        const uint8_t* s = picture + (pl.first + r * pl.stride) * F::bytes;
        uint8_t* d = pl.pixels + ptrdiff_t(r) * pl.pitch;
        int i = 0;
        for (; keyed && i + 8 <= pl.columns; i += 8) {
            if (eight_clear<F>(s + (mirrored ? i + 7 : i) * step)) continue;  // lowest address of the 8
            for (int k = i; k < i + 8; ++k) {
                const uint32_t v = F::load(s + k * step);
                if (v != 0) D::store(d + k * D::bytes, to_pixel(v));
            }
        }
        for (; i < pl.columns; ++i) {
            const uint32_t v = F::load(s + i * step);
            if (keyed && v == 0) continue;
            D::store(d + i * D::bytes, to_pixel(v));
        }
    }
}

// Runs fn(picture row, buffer row, columns) for each visible row, bottom row first.
// Byte is const for pictures read, plain for pictures written.
template <class Byte, class RowFn>
void for_each_row(const Placement& pl, Byte* picture, int pixel_bytes, RowFn fn) {
    for (int r = 0; r < pl.rows; ++r)
        fn(picture + (pl.first + r * pl.stride) * pixel_bytes, pl.pixels + ptrdiff_t(r) * pl.pitch, pl.columns);
}

// Reads the visible part of the buffer (depth D) into a picture of format F: each pixel p
// becomes the picture value to_value(p).
template <class D, class F, class ToValue>
void read_rows(const Placement& pl, uint8_t* picture, ToValue to_value) {
    for (int r = 0; r < pl.rows; ++r) {
        uint8_t* s = picture + (pl.first + r * pl.stride) * F::bytes;
        const uint8_t* d = pl.pixels + ptrdiff_t(r) * pl.pitch;
        for (int i = 0; i < pl.columns; ++i) F::store(s + i * F::bytes, to_value(D::load(d + i * D::bytes)));
    }
}

// Opaque transfers where picture and buffer pixels have the same bytes: one block a row.
inline void copy_rows_in(const Placement& pl, const uint8_t* picture, int pixel_bytes) {
    for_each_row(pl, picture, pixel_bytes, [pixel_bytes](const uint8_t* s, uint8_t* d, int n) {
        std::memcpy(d, s, size_t(n) * size_t(pixel_bytes));
    });
}
inline void copy_rows_out(const Placement& pl, uint8_t* picture, int pixel_bytes) {
    for_each_row(pl, picture, pixel_bytes, [pixel_bytes](uint8_t* s, const uint8_t* d, int n) {
        std::memcpy(s, d, size_t(n) * size_t(pixel_bytes));
    });
}

// Starts a read of a width × height picture at the cursor: places it against the buffer
// and, when part of it lies outside, zeroes the whole picture first, so that pixels
// outside the buffer read as 0 (the transparent value). False when nothing is read.
bool place_read(uint8_t* picture, int width, int height, int pixel_bytes, Placement& out);

}  // namespace image
