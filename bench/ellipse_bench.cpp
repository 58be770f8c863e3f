// Filled circles against plain span fills of the same number of pixels, in pixels per
// second. Ratios: FilledCircle/bits:N/radius:R over SpanRowsSamePixels with the same
// arguments (core::fill_span over rows as wide as the circle, as many pixels in total).
#include <benchmark/benchmark.h>

#include <cstdint>

#include "core/color.h"
#include "core/pixel.h"
#include "core/vbuf.h"
#include "draw/ellipse.h"
#include "fixture.h"

namespace {

constexpr int width = 1024, height = 768;

// The filled circle's pixels: each row's span is set by the last boundary point on it.
int64_t circle_pixels(int r) {
    int64_t n = 0;
    int row_x = 0, row_y = -1;
    auto add = [&](int x, int y) { n += (y == 0 ? 1 : 2) * (2 * int64_t(x) + 1); };
    draw::midpoint_boundary(r, r, [&](int x, int y) {
        if (y != row_y && row_y >= 0) add(row_x, row_y);
        row_x = x;
        row_y = y;
    });
    add(row_x, row_y);
    return n;
}

uint32_t colour(int bits) { return bits == 8 ? 0x5A : 0x00123456; }

// A cleared 1024 × 768 buffer of the depth, open, in its colour, the cursor at its centre.
int open(int bits) {
    const int vb = bench::open(bits, width, height);
    rs_setcolor(int(colour(bits)));
    rs_move(width / 2, height / 2);
    return vb;
}

bool drawn(benchmark::State& state, int vb, int bits, int64_t pixels) {
    return bench::verify(state, bench::count(vb, bench::stored(bits, colour(bits))) == pixels,
                         "the buffer does not hold the circle's pixels");
}

void FilledCircle(benchmark::State& state) {
    const int bits = int(state.range(0)), vb = open(bits);
    const int r = int(state.range(1));
    for (auto _ : state) {
        rs_circlef(r);
        benchmark::ClobberMemory();
    }
    drawn(state, vb, bits, circle_pixels(r));
    state.SetItemsProcessed(int64_t(state.iterations()) * circle_pixels(r));
}

void SpanRowsSamePixels(benchmark::State& state) {
    const int bits = int(state.range(0)), vb = open(bits);
    const int r = int(state.range(1));
    const int64_t total = circle_pixels(r);
    const int row = 2 * r + 1;
    const core::ActiveBuffer& a = core::active();
    const uint32_t value = core::color().color_value;
    for (auto _ : state) {
        core::with_depth(a.depth, [&](auto d) {
            using D = decltype(d);
            int64_t left = total;
            for (int y = height / 2 - r; left > 0; ++y) {
                const int n = int(left < row ? left : row);
                core::fill_span<D>(core::row_address(a, y) + (width / 2 - r) * D::bytes, n, value);
                left -= n;
            }
        });
        benchmark::ClobberMemory();
    }
    drawn(state, vb, bits, total);
    state.SetItemsProcessed(int64_t(state.iterations()) * total);
}

void circle_args(benchmark::internal::Benchmark* b) {
    b->ArgNames({"bits", "radius"});
    for (int bits : {8, 16, 24, 32})
        for (int r : {10, 300}) b->Args({bits, r});
}

BENCHMARK(FilledCircle)->Apply(circle_args);
BENCHMARK(SpanRowsSamePixels)->Apply(circle_args);

}  // namespace
