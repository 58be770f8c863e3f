// Blending: every channel of the result mixes the first operand, weighted by the opacity
// (0..255), with the second, weighted by 255 - opacity, rounding x / 255 to nearest
// (image::mix). 16-bit pixels are widened to 8-bit channels and narrowed afterwards.
//
// Mixing with a per-pixel opacity runs the plain loop mix_pixels, a template over the
// channel formats of the operands and the result. Mixing with the one library opacity
// runs the row kernels of mix_rows.cpp, which give the same bytes faster; the tests hold
// them to mix_pixels.
#include "image/blend.h"

#include <cstddef>

#include "core/color.h"
#include "core/palette.h"
#include "core/vbuf.h"
#include "image/channels.h"
#include "image/formats.h"
#include "image/mix_rows.h"
#include "image/state.h"

namespace image {
namespace {

// n pixels of a (format A) and b (format B) mixed into d (format D), pixel i with
// opacity[i].
template <class A, class B, class D>
void mix_pixels(const uint8_t* a, const uint8_t* b, uint8_t* d, size_t n, const uint8_t* opacity) {
    for (size_t i = 0; i < n; ++i, a += A::bytes, b += B::bytes, d += D::bytes) {
        const Rgb x = A::load(a), y = B::load(b);
        const uint32_t o = opacity[i];
        D::store(d, {mix(x.r, y.r, o), mix(x.g, y.g, o), mix(x.b, y.b, o)});
    }
}

// Calls mix_row(first_row, second_row, buffer_row, y) for each row of the rectangle, bottom
// row first; second_row is the buffer row itself when second is null. The dcbs have
// row_bytes a row.
template <class Fn>
void each_row(const BufferRect& r, const uint8_t* first, const uint8_t* second, size_t row_bytes, Fn mix_row) {
    uint8_t* line = r.bottom;
    for (int y = 0; y < r.height; ++y, line += r.pitch, first += row_bytes) {
        mix_row(first, second ? second : line, line, size_t(y));
        if (second) second += row_bytes;
    }
}

// Colour values as channels: RGB565 at 16 bits, 0xRRGGBB at 24 and 32 (the top byte
// ignored), and at other depths the library palette's colour of the low byte's index.
Rgb channels_of(int depth, uint32_t v) {
    switch (depth) {
    case 16: return {core::expand5[(v >> 11) & 31], core::expand6[(v >> 5) & 63], core::expand5[v & 31]};
    case 24:
    case 32: return {(v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF};
    default: {
        const core::PaletteEntry& e = core::palette().entries[v & 0xFF];
        return {e.red, e.green, e.blue};
    }
    }
}

int value_of(int depth, Rgb c) {
    switch (depth) {
    case 16: return core::pack565(c.r, c.g, c.b);
    case 24:
    case 32: return int(c.r << 16 | c.g << 8 | c.b);
    default: return core::nearest_index(int(c.r), int(c.g), int(c.b));
    }
}

}  // namespace

int set_opacity(int value) {
    state().opacity = uint8_t(value);
    return 0;
}

int blend(int color1, int color2) {
    const int depth = core::active().depth;
    const Rgb x = channels_of(depth, uint32_t(color1)), y = channels_of(depth, uint32_t(color2));
    const uint32_t o = state().opacity;
    return value_of(depth, {mix(x.r, y.r, o), mix(x.g, y.g, o), mix(x.b, y.b, o)});
}

int blend50(int color1, int color2) {
    const int depth = core::active().depth;
    const uint32_t v1 = uint32_t(color1), v2 = uint32_t(color2);
    if (depth == 16) {  // each field averaged in its own width, not widened
        const uint32_t r = (((v1 >> 11) & 31) + ((v2 >> 11) & 31)) >> 1;
        const uint32_t g = (((v1 >> 5) & 63) + ((v2 >> 5) & 63)) >> 1;
        const uint32_t b = ((v1 & 31) + (v2 & 31)) >> 1;
        return int(r << 11 | g << 5 | b);
    }
    const Rgb x = channels_of(depth, v1), y = channels_of(depth, v2);
    return value_of(depth, {(x.r + y.r) >> 1, (x.g + y.g) >> 1, (x.b + y.b) >> 1});
}

int blend_dcb(const uint8_t* first, const uint8_t* second, uint8_t* dest, int count) {
    if (!first || !second || !dest || count < 1) return 0;
    const MixKernels& k = mix_kernels();
    const uint32_t o = state().opacity;
    const size_t n = size_t(count);
    switch (core::active().depth) {
    case 16: k.rgb565(first, second, dest, n, o); break;
    case 24:
    case 32: k.bytes(first, second, dest, 3 * n, o); break;
    default: break;
    }
    return 0;
}

int blend_var(const uint8_t* first, const uint8_t* second, const uint8_t* opacity, uint8_t* dest, int count) {
    if (!first || !second || !opacity || !dest || count < 1) return 0;
    with_dcb_format(core::active().depth, [&](auto f) {
        using F = decltype(f);
        mix_pixels<F, F, F>(first, second, dest, size_t(count), opacity);
    });
    return 0;
}

int blend_vb(const uint8_t* first, const uint8_t* second, int width, int height) {
    BufferRect r;
    if (!first || !buffer_rect(width, height, r)) return 0;
    const MixKernels& k = mix_kernels();
    const uint32_t o = state().opacity;
    const size_t w = size_t(r.width), row = w * size_t(dcb_pixel_bytes(r.depth));
    switch (r.depth) {
    case 16: each_row(r, first, second, row, [&](auto a, auto b, auto d, size_t) { k.rgb565(a, b, d, w, o); }); break;
    case 24: each_row(r, first, second, row, [&](auto a, auto b, auto d, size_t) { k.bytes(a, b, d, 3 * w, o); }); break;
    case 32:
        if (second)
            each_row(r, first, second, row, [&](auto a, auto b, auto d, size_t) { k.bgr_into_bgrx(a, b, d, w, o); });
        else
            each_row(r, first, second, row, [&](auto a, auto, auto d, size_t) { k.bgr_over_bgrx(a, d, w, o); });
        break;
    default: break;
    }
    return 0;
}

int blend_vbv(const uint8_t* first, const uint8_t* second, const uint8_t* opacity, int width, int height) {
    BufferRect r;
    if (!first || !opacity || !buffer_rect(width, height, r)) return 0;
    const size_t w = size_t(r.width);
    with_dcb_and_buffer_formats(r.depth, [&](auto f, auto p) {
        using F = decltype(f);
        using P = decltype(p);
        auto mix_row = [&](const uint8_t* a, const uint8_t* b, uint8_t* d, size_t y) {
            const uint8_t* row_opacity = opacity + y * w;
            if (second)
                mix_pixels<F, F, P>(a, b, d, w, row_opacity);
            else
                mix_pixels<F, P, P>(a, b, d, w, row_opacity);
        };
        each_row(r, first, second, w * F::bytes, mix_row);
    });
    return 0;
}

}  // namespace image
