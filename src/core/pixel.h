// Pixel formats and per-depth dispatch.
//
// Each colour depth is a traits type: its width in bytes, how one pixel is loaded and
// stored, and how the current colour (color_value, replicated across 32 bits at 8 and
// 16 bits) turns into the pixel value it writes. Pixel loops are written once as
// templates over these traits, and each call chooses the instance once, with
// with_depth(), from the active buffer's depth:
//
//     with_depth(vb.depth, [&](auto d) { fill_span<decltype(d)>(p, n, value); });
//
// Values handled by load/store are the pixel's own value: the index at 8 bits, the
// RGB565 word at 16, 0xRRGGBB at 24 (stored blue, green, red) and the whole 32-bit word
// at 32. memcpy keeps the accesses free of alignment and aliasing traps; compilers turn
// it into single moves.
#pragma once

#include <cstdint>
#include <cstring>

namespace core {

struct Depth8 {
    static constexpr int bits = 8;
    static constexpr int bytes = 1;
    static constexpr uint32_t mask = 0xFF;
    static uint32_t load(const uint8_t* p) { return *p; }
    static void store(uint8_t* p, uint32_t v) { *p = uint8_t(v); }
};

struct Depth16 {
    static constexpr int bits = 16;
    static constexpr int bytes = 2;
    static constexpr uint32_t mask = 0xFFFF;
    static uint32_t load(const uint8_t* p) { uint16_t v; std::memcpy(&v, p, 2); return v; }
    static void store(uint8_t* p, uint32_t v) { uint16_t w = uint16_t(v); std::memcpy(p, &w, 2); }
};

struct Depth24 {  // bytes: blue, green, red
    static constexpr int bits = 24;
    static constexpr int bytes = 3;
    static constexpr uint32_t mask = 0xFFFFFF;
    static uint32_t load(const uint8_t* p) { return p[0] | p[1] << 8 | uint32_t(p[2]) << 16; }
    static void store(uint8_t* p, uint32_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); p[2] = uint8_t(v >> 16); }
};

struct Depth32 {  // bytes: blue, green, red, fourth byte
    static constexpr int bits = 32;
    static constexpr int bytes = 4;
    static constexpr uint32_t mask = 0xFFFFFFFF;
    static uint32_t load(const uint8_t* p) { uint32_t v; std::memcpy(&v, p, 4); return v; }
    static void store(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }
};

// The value a pixel loop writes or XORs for the current colour: the low bytes of
// color_value (which holds mapped_index four times at 8 bits and the RGB565 word twice
// at 16 bits).
template <class D>
constexpr uint32_t pixel_of(uint32_t color_value) { return color_value & D::mask; }

template <class D>
inline void xor_pixel(uint8_t* p, uint32_t v) { D::store(p, D::load(p) ^ v); }

// Runs fn(DepthN{}) for the depth, or nothing for a depth no buffer can have.
template <class Fn>
inline void with_depth(int depth, Fn&& fn) {
    switch (depth) {
    case 8:  fn(Depth8{});  break;
    case 16: fn(Depth16{}); break;
    case 24: fn(Depth24{}); break;
    case 32: fn(Depth32{}); break;
    default: break;
    }
}

// Fills n pixels from p with the same value. The 8-, 16- and 32-bit forms store the
// replicated 32-bit pattern a word at a time (memset when all bytes agree); the 24-bit
// form writes three bytes a pixel.
void fill_span8(uint8_t* p, int n, uint32_t pattern);
void fill_span16(uint8_t* p, int n, uint32_t pattern);
void fill_span24(uint8_t* p, int n, uint32_t value);
void fill_span32(uint8_t* p, int n, uint32_t value);

template <class D> inline void fill_span(uint8_t* p, int n, uint32_t color_value);
template <> inline void fill_span<Depth8>(uint8_t* p, int n, uint32_t v) { fill_span8(p, n, v); }
template <> inline void fill_span<Depth16>(uint8_t* p, int n, uint32_t v) { fill_span16(p, n, v); }
template <> inline void fill_span<Depth24>(uint8_t* p, int n, uint32_t v) { fill_span24(p, n, v); }
template <> inline void fill_span<Depth32>(uint8_t* p, int n, uint32_t v) { fill_span32(p, n, v); }

template <class D>
inline void xor_span(uint8_t* p, int n, uint32_t color_value) {
    const uint32_t v = pixel_of<D>(color_value);
    for (; n > 0; --n, p += D::bytes) xor_pixel<D>(p, v);
}

}  // namespace core
