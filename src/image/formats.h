// Pixel formats of the caller's pictures, in one place for the picture families and the
// file readers: image arrays (one palette index a pixel), direct-colour bitmaps (dcbs:
// RGB565 words at 16 bits, blue-green-red bytes at 24 and 32 bits), the translation
// formats 15, 16 and 24, and the conversions between them and buffer pixels.
//
// A picture format is a traits type like the buffer depths of core/pixel.h (bytes, load,
// store); the formats that carry their colour also give the width and place of each
// channel, from which the translation rules are written once.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "core/palette.h"
#include "core/pixel.h"

namespace image {

// Bytes of one dcb pixel for a buffer depth: 2 at 16 bits, 3 at 24 and 32 (a 32-bit
// buffer's fourth byte is not kept), 0 at depths that have no dcbs.
constexpr int dcb_pixel_bytes(int depth) { return depth >= 24 ? 3 : depth == 16 ? 2 : 0; }

// ---- picture formats

// Image arrays: one palette index a byte.
struct Index8 : core::Depth8 {};

// Words with red, green and blue fields; blue always starts at bit 0.
struct Rgb555 : core::Depth16 {  // bit 15 unused
    static constexpr int red_bits = 5, green_bits = 5, blue_bits = 5, red_shift = 10, green_shift = 5;
};
struct Rgb565 : core::Depth16 {
    static constexpr int red_bits = 5, green_bits = 6, blue_bits = 5, red_shift = 11, green_shift = 5;
};
// Three bytes blue, green, red, loaded as 0xRRGGBB.
struct Bgr888 : core::Depth24 {
    static constexpr int red_bits = 8, green_bits = 8, blue_bits = 8, red_shift = 16, green_shift = 8;
};

// The dcb format of a buffer depth. Its values are the buffer's own pixel values
// (RGB565, or 0xRRGGBB with the fourth byte of a 32-bit pixel 0), so moving a pixel
// between a dcb and the buffer is a load in one format and a store in the other.
template <class D> struct DcbOf { using type = Bgr888; };
template <> struct DcbOf<core::Depth16> { using type = Rgb565; };
template <class D> using DcbFormat = typename DcbOf<D>::type;

// Runs fn(Depth16{}), fn(Depth24{}) or fn(Depth32{}): the direct-colour depths, the ones
// that have dcbs.
template <class Fn>
inline void with_direct_depth(int depth, Fn&& fn) {
    switch (depth) {
    case 16: fn(core::Depth16{}); break;
    case 24: fn(core::Depth24{}); break;
    case 32: fn(core::Depth32{}); break;
    default: break;
    }
}

// The part of a pixel that colour keys compare (the keyed copies, transfers and sprites):
// at 32 bits the low three bytes, otherwise the whole pixel.
template <class D>
constexpr uint32_t key_mask = D::bits == 32 ? 0xFFFFFFu : D::mask;

// ---- image arrays and the palette pixel table

// An image array's byte as a pixel of depth D: the byte itself at 8 bits, otherwise the
// palette pixel table's entry for that index.
template <class D>
struct IndexToPixel {
    const uint32_t* table = core::palette().pixels;
    uint32_t operator()(uint32_t index) const { return table[index]; }
};
template <>
struct IndexToPixel<core::Depth8> {
    uint32_t operator()(uint32_t index) const { return index; }
};

// A pixel of depth D back to an image array's byte: at 8 bits the pixel itself; otherwise
// the lowest index whose palette pixel table entry equals the whole pixel, or 0 when none
// does. The table is sorted once per call, so each pixel costs a binary search instead of
// a scan of 256 entries.
template <class D>
class PixelToIndex {
public:
    PixelToIndex() {
        const uint32_t* table = core::palette().pixels;
        std::array<uint64_t, 256> keyed{};  // pixel above, index below: sorts by pixel, then index
        for (uint32_t i = 0; i < 256; ++i) keyed[i] = uint64_t(table[i] & D::mask) << 8 | i;
        std::sort(keyed.begin(), keyed.end());
        for (const uint64_t k : keyed) {
            const uint32_t pixel = uint32_t(k >> 8);
            if (count_ > 0 && pixels_[count_ - 1] == pixel) continue;  // a lower index has it
            pixels_[count_] = pixel;
            indices_[count_++] = uint8_t(k);
        }
    }
    uint32_t operator()(uint32_t pixel) const {
        const uint32_t* end = pixels_.data() + count_;
        const uint32_t* at = std::lower_bound(pixels_.data(), end, pixel);
        return at != end && *at == pixel ? indices_[size_t(at - pixels_.data())] : 0;
    }

private:
    std::array<uint32_t, 256> pixels_{};  // distinct table pixels, ascending
    std::array<uint8_t, 256> indices_{};  // the lowest index of each
    size_t count_ = 0;
};
template <>
class PixelToIndex<core::Depth8> {
public:
    uint32_t operator()(uint32_t pixel) const { return pixel; }
};

// Rows converted into buffer pixels, the conversions pictures and files use most: n image
// indices through the table into pixels of a direct-colour depth D (16, 24 or 32 bits),
// a plain loop built once more for processors with 32-byte vectors (gathers) and chosen
// when the library loads; and n blue-green-red triples into 32-bit pixels with a fourth
// byte of 0 (or, into, keeping each pixel's fourth byte), with byte shuffles where the
// processor has them and the plain loops as their reference.
template <class D>
void indices_to_pixels(const uint8_t* indices, uint8_t* pixels, int n, const uint32_t* table);
void bgr_to_pixels32(const uint8_t* bgr, uint8_t* pixels, int n);
void bgr_to_pixels32_plain(const uint8_t* bgr, uint8_t* pixels, int n);
void bgr_into_pixels32(const uint8_t* bgr, uint8_t* pixels, int n);
void bgr_into_pixels32_plain(const uint8_t* bgr, uint8_t* pixels, int n);

// ---- translation between formats 15, 16 and 24

// One colour channel of `from` bits re-expressed in `to` bits. Narrowing keeps the top
// bits. Widening to a byte scales by 255 / (2^from − 1) and rounds down, so a full field
// gives 255 (unlike the rounded expand5/expand6 of core/color.h, which unpacking pixels
// uses). Widening a 5-bit field to 6 (RGB555 green into RGB565) moves it up one bit and
// leaves the new low bit 0.
constexpr uint32_t rechannel(uint32_t c, int from, int to) {
    if (to <= from) return c >> (from - to);
    if (to == 8) return c * 255 / ((1u << from) - 1);
    return c << (to - from);
}

template <class From, class To>
constexpr uint32_t translate(uint32_t v) {
    const uint32_t r = v >> From::red_shift & ((1u << From::red_bits) - 1);
    const uint32_t g = v >> From::green_shift & ((1u << From::green_bits) - 1);
    const uint32_t b = v & ((1u << From::blue_bits) - 1);
    return rechannel(r, From::red_bits, To::red_bits) << To::red_shift |
           rechannel(g, From::green_bits, To::green_bits) << To::green_shift |
           rechannel(b, From::blue_bits, To::blue_bits);
}

// Runs fn(Rgb555{}), fn(Rgb565{}) or fn(Bgr888{}) for format 15, 16 or 24; false for any
// other number.
template <class Fn>
inline bool with_format(int format, Fn&& fn) {
    switch (format) {
    case 15: fn(Rgb555{}); return true;
    case 16: fn(Rgb565{}); return true;
    case 24: fn(Bgr888{}); return true;
    default: return false;
    }
}

// rs_transdcb: count pixels from source in source_format to dest in dest_format (15, 16
// or 24). source and dest may be the same array, whichever way the size changes. Nothing
// for a null array, count below 1 or another format number.
int translate_dcb(const uint8_t* source, uint8_t* dest, int source_format, int dest_format, int count);

}  // namespace image
