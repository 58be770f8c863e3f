// Image transforms: nearest-pixel scaling, shearing into a parallelogram and rotation about
// the centre, from one caller array of packed rows (first row = bottom row) into another.
//
// Each transform is written once over the pixel size (PixelSize<1> for image arrays,
// <2> or <3> for dcbs), chosen once per call. Scaling and shearing walk distribution
// masks kept in the library's scratch area; rotation samples backwards in 16.16 fixed
// point with running sums. Sizes and offsets are computed in 64 bits, and every request
// whose masks would not fit the scratch area, or whose pictures would exceed 2^31 - 1
// bytes, is refused before anything is written.
#include "image/transform.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "core/scratch.h"
#include "core/vbuf.h"
#include "image/formats.h"
#include "platform/host.h"
#include "services/angle.h"

namespace image {
namespace {

constexpr int refused = -1;
constexpr int no_memory = -2;
constexpr int64_t max_picture_bytes = INT32_MAX;

// A mask of M positions takes M / 8 + 1 bytes. Scaling keeps its column mask in the first
// 4100 bytes of the scratch area and its row mask in the other 6140; shearing has the
// whole area for its one mask.
constexpr size_t column_mask_bytes = 4100;
constexpr int max_scale_columns = 8 * int(column_mask_bytes) - 1;                        // 32799
constexpr int max_scale_rows = 8 * int(core::scratch_bytes - column_mask_bytes) - 1;     // 49119
constexpr int max_shear_positions = 8 * int(core::scratch_bytes) - 1;                   // 81919

template <int N>
struct PixelSize {
    static constexpr int bytes = N;
    static void copy(uint8_t* d, const uint8_t* s) { std::memcpy(d, s, N); }
    // One 4-byte move for a 2- or 3-byte pixel, which reads and writes past the pixel: the
    // caller makes sure the bytes read exist and the bytes written are written again
    // afterwards. (Unrolled, it took scaling down from pixman's speed to 0.8 of its time.)
    static void copy_word(uint8_t* d, const uint8_t* s) { std::memcpy(d, s, N == 1 ? 1 : 4); }
    static void zero(uint8_t* d) { std::memset(d, 0, N); }
};

template <class Fn>
void with_pixel_size(int bytes, Fn&& fn) {
    switch (bytes) {
    case 1: fn(PixelSize<1>{}); break;
    case 2: fn(PixelSize<2>{}); break;
    case 3: fn(PixelSize<3>{}); break;
    default: break;
    }
}

// True when a width × height picture of pixel_bytes a pixel has at most 2^31 - 1 bytes.
bool picture_fits(int64_t width, int64_t height, int pixel_bytes) {
    if (width > max_picture_bytes || height > max_picture_bytes) return false;  // the product could wrap
    return width * height <= max_picture_bytes / pixel_bytes;
}

int dcb_bytes() { return dcb_pixel_bytes(core::active().depth); }

// ---- distribution masks

// Bit k of a mask: byte k / 8, from the most significant bit down.
inline bool mask_bit(const uint8_t* mask, int k) { return mask[k >> 3] & (0x80u >> (k & 7)); }

// Spreads s set positions evenly over M = L positions: position k (k >= 1) is set exactly
// when ceil((k + 1) s / L) > ceil(k s / L). Two running sums: `spread` grows by s at every
// position, `reach` by L at every set one; a position is set when spread passes reach.
// Position 0 is set for scaling; the shear mask leaves it clear.
void build_mask(uint8_t* mask, int64_t s, int64_t L, int M, bool first_set) {
    std::memset(mask, 0, size_t(M / 8 + 1));
    if (first_set) mask[0] = 0x80;
    int64_t spread = s, reach = L;
    for (int k = 1; k < M; ++k) {
        spread += s;
        if (spread > reach) {
            mask[k >> 3] |= uint8_t(0x80u >> (k & 7));
            reach += L;
        }
    }
}

// ---- scaling

// Walking the column mask bit by bit for every row cost about 3 ns an output pixel, so it is
// walked once per call into the byte offset of each output column's source pixel, and a
// row is then a run of pixel moves. Enlarging, a set bit steps to the next source pixel
// and a clear one repeats the last; reducing, a source pixel is kept when its bit is set.
void column_offsets(const uint8_t* mask, int width, int new_width, int pixel_bytes, uint32_t* offsets) {
    if (width <= new_width) {
        uint32_t at = 0;
        offsets[0] = 0;
        for (int k = 1; k < new_width; ++k) {
            if (mask_bit(mask, k)) at += uint32_t(pixel_bytes);
            offsets[k] = at;
        }
    } else {
        for (int k = 0, j = 0; k < width; ++k)
            if (mask_bit(mask, k)) offsets[j++] = uint32_t(k * pixel_bytes);
    }
}

// Whole-word moves, except for the last pixel of a row (whose next byte belongs to the next
// row or lies past the picture) and in the picture's last source row (a source pixel at
// its end has no byte after it).
template <class P>
void scale_row(const uint8_t* src, uint8_t* dst, int new_width, const uint32_t* offsets, bool last_source_row) {
    int k = 0;
    if (!last_source_row)
#pragma GCC unroll 4
        for (; k + 1 < new_width; ++k, dst += P::bytes) P::copy_word(dst, src + offsets[k]);
    for (; k < new_width; ++k, dst += P::bytes) P::copy(dst, src + offsets[k]);
}

// Rows the same way, from the row mask: enlarging, a clear row bit copies the previous
// output row whole.
template <class P>
void scale_pixels(const uint8_t* source, uint8_t* dest, int width, int height, int new_width, int new_height,
                  const uint32_t* offsets) {
    uint8_t* rows = core::scratch() + column_mask_bytes;
    build_mask(rows, std::min(height, new_height), std::max(height, new_height), std::max(height, new_height), true);
    const ptrdiff_t in_pitch = ptrdiff_t(width) * P::bytes, out_pitch = ptrdiff_t(new_width) * P::bytes;
    if (height <= new_height) {
        int row = 0;
        scale_row<P>(source, dest, new_width, offsets, height == 1);
        for (int k = 1; k < new_height; ++k, dest += out_pitch) {
            if (mask_bit(rows, k)) {
                source += in_pitch;
                scale_row<P>(source, dest + out_pitch, new_width, offsets, ++row == height - 1);
            } else {
                std::memcpy(dest + out_pitch, dest, size_t(out_pitch));
            }
        }
    } else {
        for (int k = 0; k < height; ++k, source += in_pitch)
            if (mask_bit(rows, k)) {
                scale_row<P>(source, dest, new_width, offsets, k == height - 1);
                dest += out_pitch;
            }
    }
}

int scale_with(int pixel_bytes, const uint8_t* source, uint8_t* dest, int width, int height, int new_width,
               int new_height) {
    if (pixel_bytes < 1 || !source || !dest || width < 1 || height < 1 || new_width < 1 || new_height < 1) return 0;
    if (std::max(width, new_width) > max_scale_columns || std::max(height, new_height) > max_scale_rows ||
        !picture_fits(width, height, pixel_bytes) || !picture_fits(new_width, new_height, pixel_bytes))
        return refused;
    if (width == new_width && height == new_height) {
        std::memcpy(dest, source, size_t(width) * size_t(height) * size_t(pixel_bytes));
        return 0;
    }
    if (host::allocation_refused()) return no_memory;
    std::unique_ptr<uint32_t[]> offsets(new (std::nothrow) uint32_t[size_t(new_width)]);
    if (!offsets) return no_memory;
    uint8_t* columns = core::scratch();
    build_mask(columns, std::min(width, new_width), std::max(width, new_width), std::max(width, new_width), true);
    column_offsets(columns, width, new_width, pixel_bytes, offsets.get());
    with_pixel_size(pixel_bytes, [&](auto p) {
        scale_pixels<decltype(p)>(source, dest, width, height, new_width, new_height, offsets.get());
    });
    return 0;
}

// ---- shearing

// The shear of n rows (horizontal) or columns (vertical) by extra pixels: offset_k =
// (k + 1) q + (set mask positions among 0..k), with q = extra div n and a mask of
// r = extra mod n set positions, 0 never set, so the last offset is extra exactly.
template <class P>
void shear_pixels(const uint8_t* source, uint8_t* dest, int width, int height, int64_t extra, int type) {
    const bool vertical = type & 2, bit0 = type & 1;
    const int n = vertical ? width : height;
    uint8_t* mask = core::scratch();
    build_mask(mask, extra % n + 1, n, n, false);
    const int64_t q = extra / n;
    const int64_t out_width = vertical ? width : width + extra;
    const int64_t out_height = vertical ? height + extra : height;
    std::memset(dest, 0, size_t(out_width * out_height * P::bytes));
    int64_t offset = 0;
    if (!vertical) {
        // Array row k whole; bit 0 set: starting at offset_k, clear: ending at the far edge
        // less offset_k.
        const size_t row = size_t(width) * P::bytes;
        for (int k = 0; k < height; ++k) {
            offset += q + (mask_bit(mask, k) ? 1 : 0);
            const int64_t x = bit0 ? offset : extra - offset;
            std::memcpy(dest + (k * out_width + x) * P::bytes, source + ptrdiff_t(k) * ptrdiff_t(row), row);
        }
        return;
    }
    // The k-th column taken (left to right with bit 0 clear, right to left with it set)
    // keeps its column and has its bottom pixel at row extra - offset_k.
    const ptrdiff_t pitch = ptrdiff_t(width) * P::bytes;
    for (int k = 0; k < width; ++k) {
        offset += q + (mask_bit(mask, k) ? 1 : 0);
        const int column = bit0 ? width - 1 - k : k;
        const uint8_t* s = source + ptrdiff_t(column) * P::bytes;
        uint8_t* d = dest + ((extra - offset) * width + column) * P::bytes;
        for (int j = 0; j < height; ++j, s += pitch, d += pitch) P::copy(d, s);
    }
}

int shear_with(int pixel_bytes, const uint8_t* source, uint8_t* dest, int width, int height, int new_size, int type) {
    if (pixel_bytes < 1 || !source || !dest || width < 1 || height < 1) return 0;
    const bool vertical = type & 2;
    const int n = vertical ? width : height;
    const int64_t extra = std::max<int64_t>(0, int64_t(new_size) - (vertical ? height : width));
    if (n > max_shear_positions || !picture_fits(width, height, pixel_bytes) ||
        !picture_fits(vertical ? width : width + extra, vertical ? height + extra : height, pixel_bytes))
        return refused;
    with_pixel_size(pixel_bytes, [&](auto p) { shear_pixels<decltype(p)>(source, dest, width, height, extra, type); });
    return 0;
}

// ---- rotation

// fmul(a, b) = floor((a b + 32768) / 65536) on a 64-bit product, rnd(a) = floor((a + 32768)
// / 65536): both take exact halves upwards (>> is a floor on negative values).
inline int64_t fmul(int64_t a, int64_t b) { return (a * b + 32768) >> 16; }
inline int64_t rnd(int64_t a) { return (a + 32768) >> 16; }

struct Rotation {
    int64_t c = 0, s = 0;      // cosine and sine of minus the angle, 16.16
    int64_t hw = 0, hh = 0;    // half the source size, 16.16
    int64_t width = 0, height = 0;  // the rotated size
};

// The rotated size: the extents of the rounded corners of the rotated rectangle.
Rotation rotation(int width, int height, int angle) {
    Rotation r;
    // Reduced first so that negating never overflows.
    const services::CosSin<int32_t> cs = services::angle_fx16(-services::normalise_tenths(angle));
    r.c = cs.cos;
    r.s = cs.sin;
    r.hw = int64_t(width) * 32768;
    r.hh = int64_t(height) * 32768;
    auto X = [&](int64_t x, int64_t y) { return rnd(fmul(x, r.c) - fmul(y, r.s)); };
    auto Y = [&](int64_t x, int64_t y) { return rnd(fmul(x, r.s) - fmul(y, r.c)); };
    const int64_t hw = r.hw, hh = r.hh;
    r.width = std::max(std::abs(X(hw, hh) - X(-hw, -hh)), std::abs(X(-hw, hh) - X(hw, -hh)));
    r.height = std::max(std::abs(Y(hw, hh) - Y(-hw, -hh)), std::abs(Y(-hw, hh) - Y(hw, -hh)));
    return r;
}

// Backward mapping, nearest pixel: destination (i, j) samples the source at
// (u, v) = base + i (c, s) + j (-s, c); positions outside the source give 0.
template <class P>
void rotate_pixels(const uint8_t* source, uint8_t* dest, int width, int height, const Rotation& r) {
    const int64_t dx = r.width * 32768 - 32768, dy = r.height * 32768 - 32768;
    int64_t u_row = r.hw - fmul(dx, r.c) + fmul(dy, r.s);
    int64_t v_row = r.hh - fmul(dx, r.s) - fmul(dy, r.c);
    const uint64_t w = uint64_t(width), h = uint64_t(height);
    for (int64_t j = 0; j < r.height; ++j, u_row -= r.s, v_row += r.c) {
        int64_t u = u_row, v = v_row;
        for (int64_t i = 0; i < r.width; ++i, u += r.c, v += r.s, dest += P::bytes) {
            const int64_t sx = u >> 16, sy = v >> 16;
            if (uint64_t(sx) < w && uint64_t(sy) < h)
                P::copy(dest, source + (sy * width + sx) * P::bytes);
            else
                P::zero(dest);
        }
    }
}

int rotate_with(int pixel_bytes, const uint8_t* source, uint8_t* dest, int width, int height, int angle) {
    if (pixel_bytes < 1 || !source || !dest || width < 1 || height < 1) return 0;
    if (!picture_fits(width, height, pixel_bytes)) return refused;
    const Rotation r = rotation(width, height, angle);
    if (!picture_fits(r.width, r.height, pixel_bytes)) return refused;
    with_pixel_size(pixel_bytes, [&](auto p) { rotate_pixels<decltype(p)>(source, dest, width, height, r); });
    return 0;
}

}  // namespace

int scale(const uint8_t* source, uint8_t* dest, int width, int height, int new_width, int new_height) {
    return scale_with(1, source, dest, width, height, new_width, new_height);
}

int scale_dcb(const uint8_t* source, uint8_t* dest, int width, int height, int new_width, int new_height) {
    return scale_with(dcb_bytes(), source, dest, width, height, new_width, new_height);
}

int shear(const uint8_t* source, uint8_t* dest, int width, int height, int new_size, int type) {
    return shear_with(1, source, dest, width, height, new_size, type);
}

int shear_dcb(const uint8_t* source, uint8_t* dest, int width, int height, int new_size, int type) {
    return shear_with(dcb_bytes(), source, dest, width, height, new_size, type);
}

int rot_size(int width, int height, int angle, int* new_width, int* new_height) {
    if (!new_width || !new_height || width < 1 || height < 1) return refused;
    const Rotation r = rotation(width, height, angle);
    if (r.width > INT32_MAX || r.height > INT32_MAX) return refused;
    *new_width = int(r.width);
    *new_height = int(r.height);
    return 0;
}

int rotate(const uint8_t* source, uint8_t* dest, int width, int height, int angle) {
    return rotate_with(1, source, dest, width, height, angle);
}

int rotate_dcb(const uint8_t* source, uint8_t* dest, int width, int height, int angle) {
    return rotate_with(dcb_bytes(), source, dest, width, height, angle);
}

}  // namespace image
