// Photo adjustments. Contrast and gamma build a 256-entry channel table once per call and
// pass every colour channel through it; greyscale replaces the three channels by their
// weighted sum; negative complements every byte. Each runs one pass over the pixels with
// one loop, each_pixel, a template over the channel formats of channels.h: RGB arrays,
// dcbs, and buffer pixels (whose fourth byte at 32 bits only the negative touches). On
// processors with AVX-512 VBMI the passes of adjust_rows.cpp replace it.
#include "image/adjust.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "core/color.h"
#include "core/vbuf.h"
#include "image/adjust_rows.h"
#include "image/channels.h"
#include "image/formats.h"

namespace image {
namespace {

struct TableOp {
    const uint8_t* table;
    Rgb operator()(Rgb c) const { return {table[c.r], table[c.g], table[c.b]}; }
};

struct GreyOp {
    Rgb operator()(Rgb c) const {
        const uint32_t g = uint32_t(grey_red[c.r] + grey_green[c.g] + grey_blue[c.b]);
        return {g, g, g};
    }
};

template <class F, class Op>
void each_pixel(const uint8_t* s, uint8_t* d, size_t n, Op op) {
    for (; n > 0; --n, s += F::bytes, d += F::bytes) F::store(d, op(F::load(s)));
}

template <class F>
void table_pass(const uint8_t* s, uint8_t* d, size_t n, const ChannelTable& t) {
    each_pixel<F>(s, d, n, TableOp{t.entry});
}

template <class F>
void grey_pass(const uint8_t* s, uint8_t* d, size_t n) {
    each_pixel<F>(s, d, n, GreyOp{});
}

constexpr AdjustKernels plain_set{{table_pass<RgbBytes>, table_pass<Bgr<3>>, table_pass<Bgr<4>>, table_pass<Wide565>},
                                  {grey_pass<RgbBytes>, grey_pass<Bgr<3>>, grey_pass<Bgr<4>>, grey_pass<Wide565>}};

// The three forms of one adjustment; pass(layout, s, d, n) runs it over n pixels.
template <class Pass>
int adjust_rgb(uint8_t* array, int count, Pass pass) {
    if (array && count > 0) pass(layout_rgb, array, array, size_t(count));
    return 0;
}

template <class Pass>
int adjust_dcb(const uint8_t* source, uint8_t* dest, int count, Pass pass) {
    if (!source || !dest || count < 1) return 0;
    with_dcb_format(core::active().depth, [&](auto f) { pass(decltype(f)::layout, source, dest, size_t(count)); });
    return 0;
}

template <class Pass>
int adjust_vb(int width, int height, Pass pass) {
    BufferRect r;
    if (!buffer_rect(width, height, r)) return 0;
    with_buffer_format(r.depth, [&](auto f) {
        uint8_t* line = r.bottom;
        for (int y = 0; y < r.height; ++y, line += r.pitch) pass(decltype(f)::layout, line, line, size_t(r.width));
    });
    return 0;
}

struct TablePass {
    const ChannelTable& table;
    const AdjustKernels& k = adjust_kernels();
    void operator()(Layout l, const uint8_t* s, uint8_t* d, size_t n) const { k.table[l](s, d, n, table); }
};

struct GreyPass {
    const AdjustKernels& k = adjust_kernels();
    void operator()(Layout l, const uint8_t* s, uint8_t* d, size_t n) const { k.grey[l](s, d, n); }
};

// The RGB565 fields through the table: widened, looked up, narrowed.
void fill_fields(ChannelTable& t) {
    for (uint32_t c = 0; c < 64; ++c) {
        if (c < 32) t.field5[c] = uint8_t(t.entry[core::expand5[c]] >> 3);
        t.field6[c] = uint8_t(t.entry[core::expand6[c]] >> 2);
    }
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
bool contrast_table(int low, int high, ChannelTable& t) {
    if (low >= high) return false;
    uint8_t* table = t.entry;
    const double step = 255.0 / double(int64_t(high) - low);
    const int64_t first = std::max<int64_t>(int64_t(low) + 1, 0), end = std::min<int64_t>(high, 256);
    for (int64_t i = 0; i < 256; ++i) table[i] = i <= low ? 0 : 255;
    double sum = double(first - low - 1) * step;
    for (int64_t i = first; i < end; ++i) {
        sum += step;
        table[i] = channel(sum);
    }
    fill_fields(t);
    return true;
}

// Entry i is 255 × (i / 255)^gamma rounded to nearest, ties to even, with i / 255 summed
// one step of 1 / 255 per entry and the power taken as 2^(gamma × log2 x): the exponent's
// integer part (toward zero) scales 2 to the power of its fraction.
bool gamma_table(double gamma, ChannelTable& t) {
    if (!(gamma >= 0) || std::isinf(gamma)) return false;
    uint8_t* table = t.entry;
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
    fill_fields(t);
    return true;
}

const AdjustKernels& plain_adjust_kernels() { return plain_set; }

const AdjustKernels& adjust_kernels() {
    static const AdjustKernels& chosen = vbmi_adjust_kernels() ? *vbmi_adjust_kernels() : plain_adjust_kernels();
    return chosen;
}

int cont_rgb(uint8_t* array, int low, int high, int count) {
    ChannelTable t;
    return contrast_table(low, high, t) ? adjust_rgb(array, count, TablePass{t}) : 0;
}
int cont_dcb(const uint8_t* source, uint8_t* dest, int low, int high, int count) {
    ChannelTable t;
    return contrast_table(low, high, t) ? adjust_dcb(source, dest, count, TablePass{t}) : 0;
}
int cont_vb(int low, int high, int width, int height) {
    ChannelTable t;
    return contrast_table(low, high, t) ? adjust_vb(width, height, TablePass{t}) : 0;
}

int gamma_rgb(uint8_t* array, double gamma, int count) {
    ChannelTable t;
    return gamma_table(gamma, t) ? adjust_rgb(array, count, TablePass{t}) : 0;
}
int gamma_dcb(const uint8_t* source, uint8_t* dest, double gamma, int count) {
    ChannelTable t;
    return gamma_table(gamma, t) ? adjust_dcb(source, dest, count, TablePass{t}) : 0;
}
int gamma_vb(double gamma, int width, int height) {
    ChannelTable t;
    return gamma_table(gamma, t) ? adjust_vb(width, height, TablePass{t}) : 0;
}

int gray_rgb(uint8_t* array, int count) { return adjust_rgb(array, count, GreyPass{}); }
int gray_dcb(const uint8_t* source, uint8_t* dest, int count) { return adjust_dcb(source, dest, count, GreyPass{}); }
int gray_vb(int width, int height) { return adjust_vb(width, height, GreyPass{}); }

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
