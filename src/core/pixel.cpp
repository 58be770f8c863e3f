// Span fills. A span of one repeated pixel is a repeated byte pattern with a period of
// 1, 2, 3 or 4 bytes; writing it as 96-byte blocks (a multiple of every period) lets the
// compiler use its widest moves, which brings fills to memory speed. Results are the
// same as storing pixel by pixel.
#include "core/pixel.h"

#include <cstddef>

namespace core {
namespace {

constexpr size_t block = 96;

// The period is a compile-time constant so that building the tile and storing short
// spans (polygon rows, narrow rectangles) compile to plain moves: spans shorter than two
// tiles are stored one period at a time.
template <size_t period>
void fill_repeat(uint8_t* p, size_t bytes, const uint8_t* pattern) {
    if (bytes < 2 * block) {
        for (; bytes >= period; bytes -= period, p += period) std::memcpy(p, pattern, period);
        std::memcpy(p, pattern, bytes);
        return;
    }
    constexpr size_t base = 24;  // a multiple of 3 and 4 that divides the block
    uint8_t tile[block];
    for (size_t i = 0; i < base; i += period) std::memcpy(tile + i, pattern, period);
    for (size_t i = base; i < block; i += base) std::memcpy(tile + i, tile, base);
    for (; bytes >= block; bytes -= block, p += block) std::memcpy(p, tile, block);
    std::memcpy(p, tile, bytes);
}

void fill_word(uint8_t* p, size_t bytes, uint32_t pattern) {
    const uint8_t b[4] = {uint8_t(pattern), uint8_t(pattern >> 8), uint8_t(pattern >> 16), uint8_t(pattern >> 24)};
    if (b[0] == b[1] && b[0] == b[2] && b[0] == b[3]) {
        std::memset(p, b[0], bytes);
        return;
    }
    fill_repeat<4>(p, bytes, b);
}

}  // namespace

// At 8 and 16 bits the whole 32-bit pattern of color_value is laid across the span from
// its first pixel, as the word-wide fill does; setting a colour replicates the pixel in
// it, so normally every pixel gets the same value.
void fill_span8(uint8_t* p, int n, uint32_t pattern) {
    if (n > 0) fill_word(p, size_t(n), pattern);
}

void fill_span16(uint8_t* p, int n, uint32_t pattern) {
    if (n > 0) fill_word(p, size_t(n) * 2, pattern);
}

void fill_span24(uint8_t* p, int n, uint32_t value) {
    if (n <= 0) return;
    const uint8_t b[3] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16)};
    if (b[0] == b[1] && b[0] == b[2]) {
        std::memset(p, b[0], size_t(n) * 3);
        return;
    }
    fill_repeat<3>(p, size_t(n) * 3, b);
}

void fill_span32(uint8_t* p, int n, uint32_t value) {
    if (n > 0) fill_word(p, size_t(n) * 4, value);
}

}  // namespace core
