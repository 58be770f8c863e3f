// Lines and filled triangles in pixels per second ("items" below are pixels), at each
// depth. Lines are random segments over an area larger than the 1920 × 1080 buffer, so
// most are clipped. Triangles are random, inside the buffer, up to 256 pixels across;
// where pixman is installed they are compared with pixman drawing the same triangles
// (its own rasterizer, PixmanTriangles: OVER with an opaque colour, since SRC through a
// mask would touch the whole destination) and filling the same spans (PixmanSpans).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "draw/edge_walker.h"
#include "fixture.h"

#ifdef RSW32_HAVE_PIXMAN
#include <pixman.h>
#endif

namespace {

constexpr int count = 4096;

struct Segment {
    int x0, y0, x1, y1;
};

// Pixels a clipped line draws over the whole buffer: the major extent of the segment
// cut with the same truncating Cohen-Sutherland the library uses, plus one.
int64_t clipped_pixels(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    const int64_t minx = 0, maxx = bench::width - 1, miny = 0, maxy = bench::height - 1;
    auto code = [&](int64_t x, int64_t y) {
        return (x < minx) | (y < miny) << 1 | (x > maxx) << 2 | (y > maxy) << 3;
    };
    for (;;) {
        int c0 = code(x0, y0), c1 = code(x1, y1);
        if (!(c0 | c1)) return std::max(std::abs(x1 - x0), std::abs(y1 - y0)) + 1;
        if (c0 & c1) return 0;
        if (!c0) std::swap(x0, x1), std::swap(y0, y1), std::swap(c0, c1);
        if (c0 & 1) y0 += (y1 - y0) * (minx - x0) / (x1 - x0), x0 = minx;
        else if (c0 & 2) x0 += (x1 - x0) * (miny - y0) / (y1 - y0), y0 = miny;
        else if (c0 & 4) y0 += (y1 - y0) * (maxx - x0) / (x1 - x0), x0 = maxx;
        else x0 += (x1 - x0) * (maxy - y0) / (y1 - y0), y0 = maxy;
    }
}

const std::vector<Segment>& segments() {
    static std::vector<Segment> s = [] {
        std::mt19937 rng(1);
        std::uniform_int_distribution<int> x(-400, bench::width + 400), y(-400, bench::height + 400);
        std::vector<Segment> v;
        for (int i = 0; i < count; ++i) v.push_back({x(rng), y(rng), x(rng), y(rng)});
        return v;
    }();
    return s;
}

bool inside(int x, int y) { return x >= 0 && x < bench::width && y >= 0 && y < bench::height; }

// Whether the active buffer holds value at (x, y).
bool holds(int x, int y, uint32_t value) { return uint32_t(rs_getpixel(x, y)) == value; }

void Lines(benchmark::State& state) {
    const int depth = int(state.range(0));
    bench::open(depth);
    rs_setcolor(int(bench::color_for(depth)));
    int64_t pixels = 0;
    for (const Segment& s : segments()) pixels += clipped_pixels(s.x0, s.y0, s.x1, s.y1);
    for (auto _ : state) {
        for (const Segment& s : segments()) {
            rs_move(s.x0, s.y0);
            rs_draw(s.x1, s.y1);
        }
        benchmark::ClobberMemory();
    }
    // Every end that lies in the buffer is a pixel of its line.
    const uint32_t value = bench::stored(depth, bench::color_for(depth));
    bool drawn = true;
    for (const Segment& s : segments()) {
        if (inside(s.x0, s.y0)) drawn = drawn && holds(s.x0, s.y0, value);
        if (inside(s.x1, s.y1)) drawn = drawn && holds(s.x1, s.y1, value);
    }
    bench::verify(state, drawn, "the buffer does not hold the lines' ends");
    state.SetItemsProcessed(int64_t(state.iterations()) * pixels);
}

struct Span {
    int y, x, n;
};

const std::vector<std::vector<int>>& triangles() {
    static std::vector<std::vector<int>> t = [] {
        std::mt19937 rng(2);
        std::uniform_int_distribution<int> cx(0, bench::width - 257), cy(0, bench::height - 257), d(0, 256);
        std::vector<std::vector<int>> v;
        for (int i = 0; i < count; ++i) {
            const int x = cx(rng), y = cy(rng);
            v.push_back({x + d(rng), y + d(rng), x + d(rng), y + d(rng), x + d(rng), y + d(rng)});
        }
        return v;
    }();
    return t;
}

// The spans rs_polyfill fills for the triangles, from the same edge walker.
const std::vector<Span>& triangle_spans() {
    static std::vector<Span> spans = [] {
        std::vector<Span> out;
        for (const auto& t : triangles()) {
            const draw::VertexList p{t.data(), 3};
            int top, bottom;
            draw::top_and_bottom(p, top, bottom);
            if (p.y(top) == p.y(bottom)) continue;
            draw::EdgeChain<> a, b;
            draw::walk_rows(p, top, bottom, p.y(top), p.y(top), bench::height - 1, a, b,
                            [&](int64_t y, const draw::EdgeChain<>& ca, const draw::EdgeChain<>& cb) {
                                const int64_t xa = ca.x, xb = cb.x;
                                if (xa != xb) out.push_back({int(y), int(std::min(xa, xb)), int(std::abs(xb - xa))});
                            });
        }
        return out;
    }();
    return spans;
}

int64_t triangle_pixels() {
    int64_t n = 0;
    for (const Span& s : triangle_spans()) n += s.n;
    return n;
}

// Whether the first and last pixel of every span satisfy painted(x, y).
template <class Painted>
bool spans_painted(Painted painted) {
    for (const Span& s : triangle_spans())
        if (!painted(s.x, s.y) || !painted(s.x + s.n - 1, s.y)) return false;
    return true;
}

void Triangles(benchmark::State& state) {
    const int depth = int(state.range(0));
    bench::open(depth);
    rs_setcolor(int(bench::color_for(depth)));
    for (auto _ : state) {
        for (const auto& t : triangles()) rs_polyfill(t.data(), nullptr, 3);
        benchmark::ClobberMemory();
    }
    const uint32_t value = bench::stored(depth, bench::color_for(depth));
    bench::verify(state, spans_painted([&](int x, int y) { return holds(x, y, value); }),
                  "the buffer does not hold the triangles' spans");
    state.SetItemsProcessed(int64_t(state.iterations()) * triangle_pixels());
}

BENCHMARK(Lines)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(Triangles)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);

#ifdef RSW32_HAVE_PIXMAN
pixman_format_code_t pixman_format(int depth) {
    return depth == 8 ? PIXMAN_a8 : depth == 16 ? PIXMAN_r5g6b5 : depth == 24 ? PIXMAN_r8g8b8 : PIXMAN_x8r8g8b8;
}

struct PixmanTarget {
    std::vector<uint32_t> bits;
    pixman_image_t* image = nullptr;
    int depth = 0, stride = 0;
    explicit PixmanTarget(int depth) : depth(depth) {
        stride = (bench::width * depth / 8 + 3) / 4 * 4;
        bits.assign(size_t(stride) / 4 * bench::height, 0);
        image = pixman_image_create_bits(pixman_format(depth), bench::width, bench::height, bits.data(), stride);
    }
    ~PixmanTarget() { pixman_image_unref(image); }
    PixmanTarget(const PixmanTarget&) = delete;
    PixmanTarget& operator=(const PixmanTarget&) = delete;

    // The target starts zeroed and every colour drawn into it is not zero.
    bool painted(int x, int y) const {
        const auto* row = reinterpret_cast<const uint8_t*>(bits.data()) + size_t(y) * size_t(stride);
        return bench::count(row + size_t(x) * size_t(depth / 8), 1, depth, 0) == 0;
    }
};

pixman_fixed_t fx(int v) { return pixman_int_to_fixed(v); }

// Span ends (first and last pixels of the spans) that pixman left unpainted.
int64_t pixman_missed(const PixmanTarget& target) {
    int64_t missed = 0;
    spans_painted([&](int x, int y) {
        missed += !target.painted(x, y);
        return true;
    });
    return missed;
}

void PixmanTriangles(benchmark::State& state) {
    const int depth = int(state.range(0));
    PixmanTarget target(depth);
    const pixman_color_t color = {0x5a5a, 0xc3c3, 0xe1e1, 0xffff};
    pixman_image_t* solid = pixman_image_create_solid_fill(&color);
    std::vector<pixman_triangle_t> tris;
    for (const auto& t : triangles())
        tris.push_back({{fx(t[0]), fx(t[1])}, {fx(t[2]), fx(t[3])}, {fx(t[4]), fx(t[5])}});
    for (auto _ : state) {
        for (const pixman_triangle_t& t : tris)
            pixman_composite_triangles(PIXMAN_OP_OVER, solid, target.image, PIXMAN_a1, 0, 0, 0, 0, 1, &t);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(solid);
    // pixman samples pixels at other points than the library, so a triangle's edge pixels
    // may differ by one (about one span end in 200); nearly every span end is its pixel.
    bench::verify(state, pixman_missed(target) * 100 <= int64_t(triangle_spans().size()),
                  "pixman left the triangles' spans unpainted");
    state.SetItemsProcessed(int64_t(state.iterations()) * triangle_pixels());
}

void PixmanSpans(benchmark::State& state) {
    const int depth = int(state.range(0));
    PixmanTarget target(depth);
    for (auto _ : state) {
        for (const Span& s : triangle_spans())
            pixman_fill(target.bits.data(), target.stride / 4, depth, s.x, s.y, s.n, 1, 0x125AC3E1);
        benchmark::ClobberMemory();
    }
    bench::verify(state, pixman_missed(target) == 0, "pixman left spans unpainted");
    state.SetItemsProcessed(int64_t(state.iterations()) * triangle_pixels());
}

BENCHMARK(PixmanTriangles)->ArgName("bits")->Arg(8)->Arg(16)->Arg(32);
BENCHMARK(PixmanSpans)->ArgName("bits")->Arg(8)->Arg(16)->Arg(32);
#endif

}  // namespace
