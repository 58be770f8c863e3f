// Single pixels: rs_point (clipped) and rs_putpixel (unclipped) against a plain loop that
// stores the same pixels through a raw pointer. Ratios: compare Point/bits:N and
// PutPixel/bits:N with RawStore/bits:N (items per second = points per second).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/pixel.h"
#include "rsw32.h"
#include "rsw32_platform.h"

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

// A started library with a 640 × 480 buffer of the given depth open and a colour set.
struct Session {
    int vb;
    explicit Session(int bits) {
        rsp_set_display_depth(32);
        rs_vbinit();
        rs_vbdepth(bits);
        vb = rs_vballoc(width, height);
        rs_vbopen(vb);
        rs_setcolor(0x00A5C3E1);
    }
    ~Session() {
        rs_vbclose();
        rs_vbfree(-1);
        rs_vbfin();
    }
};

template <class D>
void raw_store(uint8_t* base, int pitch, uint32_t value) {
    for (const Xy& p : coordinates()) D::store(base + (height - 1 - p.y) * pitch + p.x * D::bytes, value);
}

void RawStore(benchmark::State& state) {
    const int bits = int(state.range(0));
    Session session(bits);
    auto* base = static_cast<uint8_t*>(rs_vbaddr(session.vb));
    const int pitch = width * bits / 8;
    for (auto _ : state) {
        core::with_depth(bits, [&](auto d) { raw_store<decltype(d)>(base, pitch, 0xA5C3E1); });
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * points);
}

void Point(benchmark::State& state) {
    Session session(int(state.range(0)));
    for (auto _ : state) {
        for (const Xy& p : coordinates()) rs_point(p.x, p.y);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * points);
}

void PutPixel(benchmark::State& state) {
    Session session(int(state.range(0)));
    for (auto _ : state) {
        for (const Xy& p : coordinates()) rs_putpixel(p.x, p.y);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * points);
}

BENCHMARK(RawStore)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(Point)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(PutPixel)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);

}  // namespace
