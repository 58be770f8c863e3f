// Photo adjustments. Contrast and gamma build a 256-entry channel table once per call and
// pass every colour channel through it; greyscale replaces the three channels by their
// weighted sum; negative complements every byte. Each runs one pass over the pixels with
// one loop, each_pixel, a template over the channel formats of channels.h: RGB arrays,
// dcbs, and buffer pixels (whose fourth byte at 32 bits only the negative touches).
#include "image/adjust.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "core/vbuf.h"
#include "image/channels.h"
#include "image/formats.h"

namespace image {
namespace {

// Grey weights: the nearest integers to 0.299 c, 0.587 c and 0.114 c. The one exact half,
// 0.114 × 250 = 28.5, is taken upwards.
constexpr std::array<uint8_t, 256> weights(uint32_t per_mille) {
    std::array<uint8_t, 256> w{};
    for (uint32_t c = 0; c < 256; ++c) w[c] = uint8_t((per_mille * c + 500) / 1000);
    return w;
}
constexpr std::array<uint8_t, 256> weight_red = weights(299), weight_green = weights(587), weight_blue = weights(114);
static_assert(weight_red[255] + weight_green[255] + weight_blue[255] == 255, "white stays white");

struct TableOp {
    const uint8_t* table;
    Rgb operator()(Rgb c) const { return {table[c.r], table[c.g], table[c.b]}; }
};

struct GreyOp {
    Rgb operator()(Rgb c) const {
        const uint32_t g = uint32_t(weight_red[c.r] + weight_green[c.g] + weight_blue[c.b]);
        return {g, g, g};
    }
};

template <class F, class Op>
void each_pixel(const uint8_t* s, uint8_t* d, size_t n, Op op) {
    for (; n > 0; --n, s += F::bytes, d += F::bytes) F::store(d, op(F::load(s)));
}

// The three forms of one adjustment.
template <class Op>
int adjust_rgb(uint8_t* array, int count, Op op) {
    if (array && count > 0) each_pixel<RgbBytes>(array, array, size_t(count), op);
    return 0;
}

template <class Op>
int adjust_dcb(const uint8_t* source, uint8_t* dest, int count, Op op) {
    if (!source || !dest || count < 1) return 0;
    with_dcb_format(core::active().depth, [&](auto f) { each_pixel<decltype(f)>(source, dest, size_t(count), op); });
    return 0;
}

template <class Op>
int adjust_vb(int width, int height, Op op) {
    BufferRect r;
    if (!buffer_rect(width, height, r)) return 0;
    with_buffer_format(r.depth, [&](auto f) {
        uint8_t* line = r.bottom;
        for (int y = 0; y < r.height; ++y, line += r.pitch) each_pixel<decltype(f)>(line, line, size_t(r.width), op);
    });
    return 0;
}

void complement(const uint8_t* s, uint8_t* d, size_t n) {
    for (size_t i = 0; i < n; ++i) d[i] = uint8_t(~s[i]);
}

uint8_t channel(double v) { return uint8_t(std::clamp(std::nearbyint(v), 0.0, 255.0)); }

}  // namespace

// Entries up to low are 0, from high on 255; between them entry low + k is k × 255 /
// (high - low), summed one step per entry and rounded to nearest, ties to even (the
// default rounding mode). A ramp that starts below entry 0 begins its sum at the first
// entry that exists.
bool contrast_table(int low, int high, uint8_t table[256]) {
    if (low >= high) return false;
    const double step = 255.0 / double(int64_t(high) - low);
    const int64_t first = std::max<int64_t>(int64_t(low) + 1, 0), end = std::min<int64_t>(high, 256);
    for (int64_t i = 0; i < 256; ++i) table[i] = i <= low ? 0 : 255;
    double sum = double(first - low - 1) * step;
    for (int64_t i = first; i < end; ++i) {
        sum += step;
        table[i] = channel(sum);
    }
    return true;
}

// Entry i is 255 × (i / 255)^gamma rounded to nearest, ties to even, with i / 255 summed
// one step of 1 / 255 per entry and the power taken as 2^(gamma × log2 x): the exponent's
// integer part (toward zero) scales 2 to the power of its fraction.
bool gamma_table(double gamma, uint8_t table[256]) {
    if (!(gamma >= 0) || std::isinf(gamma)) return false;
    table[0] = 0;
    double x = 0;
    for (int i = 1; i < 256; ++i) {
        x += 1.0 / 255.0;
        // Beyond ±64 the entry is 0, or clamped to 255, either way; within it the integer
        // part fits an int.
        const double e = std::clamp(gamma * std::log2(x), -64.0, 64.0);
        const double whole = std::trunc(e);
        table[i] = channel(255.0 * std::ldexp(std::exp2(e - whole), int(whole)));
    }
    return true;
}

int cont_rgb(uint8_t* array, int low, int high, int count) {
    uint8_t t[256];
    return contrast_table(low, high, t) ? adjust_rgb(array, count, TableOp{t}) : 0;
}
int cont_dcb(const uint8_t* source, uint8_t* dest, int low, int high, int count) {
    uint8_t t[256];
    return contrast_table(low, high, t) ? adjust_dcb(source, dest, count, TableOp{t}) : 0;
}
int cont_vb(int low, int high, int width, int height) {
    uint8_t t[256];
    return contrast_table(low, high, t) ? adjust_vb(width, height, TableOp{t}) : 0;
}

int gamma_rgb(uint8_t* array, double gamma, int count) {
    uint8_t t[256];
    return gamma_table(gamma, t) ? adjust_rgb(array, count, TableOp{t}) : 0;
}
int gamma_dcb(const uint8_t* source, uint8_t* dest, double gamma, int count) {
    uint8_t t[256];
    return gamma_table(gamma, t) ? adjust_dcb(source, dest, count, TableOp{t}) : 0;
}
int gamma_vb(double gamma, int width, int height) {
    uint8_t t[256];
    return gamma_table(gamma, t) ? adjust_vb(width, height, TableOp{t}) : 0;
}

int gray_rgb(uint8_t* array, int count) { return adjust_rgb(array, count, GreyOp{}); }
int gray_dcb(const uint8_t* source, uint8_t* dest, int count) { return adjust_dcb(source, dest, count, GreyOp{}); }
int gray_vb(int width, int height) { return adjust_vb(width, height, GreyOp{}); }

// The negative complements every byte, whatever the format: RGB565 fields complement
// with the word, and a 32-bit buffer pixel's fourth byte is complemented too.
int photo_rgb(uint8_t* array, int count) {
    if (array && count > 0) complement(array, array, 3 * size_t(count));
    return 0;
}

int photo_dcb(const uint8_t* source, uint8_t* dest, int count) {
    const int bytes = dcb_pixel_bytes(core::active().depth);
    if (source && dest && count > 0 && bytes > 0) complement(source, dest, size_t(count) * size_t(bytes));
    return 0;
}

int photo_vb(int width, int height) {
    BufferRect r;
    if (!buffer_rect(width, height, r)) return 0;
    const size_t row = size_t(r.width) * size_t(core::bytes_per_pixel(r.depth));
    uint8_t* line = r.bottom;
    for (int y = 0; y < r.height; ++y, line += r.pitch) complement(line, line, row);
    return 0;
}

}  // namespace image
