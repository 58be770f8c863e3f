// Single pixels: rs_point (clipped) and rs_putpixel (unclipped) against a plain loop that
// stores the same pixels through a raw pointer. Ratios: compare Point/bits:N and
// PutPixel/bits:N with RawStore/bits:N (items per second = points per second).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "core/pixel.h"
#include "fixture.h"

namespace {

constexpr int width = 640, height = 480, points = 4096;

struct Xy {
    int x, y;
};

// The same scattered points for every run: a linear congruential walk over the buffer.
const std::vector<Xy>& coordinates() {
    static const std::vector<Xy> xy = [] {
        std::vector<Xy> v;
        uint32_t s = 12345;
        for (int i = 0; i < points; ++i) {
            s = s * 1664525u + 1013904223u;
            v.push_back({int((s >> 8) % width), int((s >> 20) % height)});
        }
        return v;
    }();
    return xy;
}

constexpr uint32_t colour = 0x00A5C3E1;

// Distinct points among the coordinates: the pixels a run leaves in the colour.
int64_t distinct_points() {
    static const int64_t n = [] {
        std::set<std::pair<int, int>> seen;
        for (const Xy& p : coordinates()) seen.insert({p.x, p.y});
        return int64_t(seen.size());
    }();
    return n;
}

// A cleared 640 × 480 buffer of the depth, open, in the colour.
int open(int bits) {
    const int vb = bench::open(bits, width, height);
    rs_setcolor(int(colour));
    return vb;
}

bool stored(benchmark::State& state, int vb, int bits) {
    return bench::verify(state, bench::count(vb, bench::stored(bits, colour)) == distinct_points(),
                         "the buffer does not hold the points");
}

template <class D>
void raw_store(uint8_t* base, int pitch, uint32_t value) {
    for (const Xy& p : coordinates()) D::store(base + (height - 1 - p.y) * pitch + p.x * D::bytes, value);
}

void RawStore(benchmark::State& state) {
    const int bits = int(state.range(0)), vb = open(bits);
    auto* base = static_cast<uint8_t*>(rs_vbaddr(vb));
    const int pitch = width * bits / 8;
    for (auto _ : state) {
        core::with_depth(bits, [&](auto d) { raw_store<decltype(d)>(base, pitch, colour); });
        benchmark::ClobberMemory();
    }
    stored(state, vb, bits);
    state.SetItemsProcessed(int64_t(state.iterations()) * points);
}

void Point(benchmark::State& state) {
    const int bits = int(state.range(0)), vb = open(bits);
    for (auto _ : state) {
        for (const Xy& p : coordinates()) rs_point(p.x, p.y);
        benchmark::ClobberMemory();
    }
    stored(state, vb, bits);
    state.SetItemsProcessed(int64_t(state.iterations()) * points);
}

void PutPixel(benchmark::State& state) {
    const int bits = int(state.range(0)), vb = open(bits);
    for (auto _ : state) {
        for (const Xy& p : coordinates()) rs_putpixel(p.x, p.y);
        benchmark::ClobberMemory();
    }
    stored(state, vb, bits);
    state.SetItemsProcessed(int64_t(state.iterations()) * points);
}

BENCHMARK(RawStore)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(Point)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(PutPixel)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);

}  // namespace
