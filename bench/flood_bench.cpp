// Flood fill of a 1920 × 1080 buffer, empty and as a maze, in pixels filled per second,
// against a page fill of the same buffer (core::fill_span over all its pixels at once).
// Ratios: FloodEmpty/bits:N and FloodMaze/bits:N over PageFillSpan/bits:N.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "core/color.h"
#include "core/pixel.h"
#include "core/vbuf.h"
#include "fixture.h"

namespace {

constexpr int width = bench::width, height = bench::height;

// Two colours the fill alternates between (k = 0, 1) and one for walls (k = 2), with
// unlike bytes where the depth allows, so that no fill takes memset's path.
uint32_t colour(int bits, int k) {
    static const uint32_t values[3][3] = {{1, 2, 3}, {0x1234, 0x4321, 0x7BEF}, {0x123456, 0x654321, 0x7F3F1F}};
    return values[bits == 8 ? 0 : bits == 16 ? 1 : 2][k];
}

// Whether every pixel of the buffer but `walls` has the colour of the last fill.
bool filled(benchmark::State& state, int vb, int bits, int k, int64_t walls) {
    const int64_t n = bench::count(vb, colour(bits, k));
    return bench::verify(state, n == int64_t(width) * height - walls, "the flood did not fill its area");
}

void FloodEmpty(benchmark::State& state) {
    const int bits = int(state.range(0));
    const int vb = bench::open(bits);
    int k = 0;
    for (auto _ : state) {
        rs_setcolor(int(colour(bits, k ^= 1)));
        rs_flood(width / 2, height / 2);
        benchmark::ClobberMemory();
    }
    filled(state, vb, bits, k, 0);
    state.SetItemsProcessed(int64_t(state.iterations()) * width * height);
}

// A perfect maze on 2-pixel cells: every passage one pixel wide, all connected.
std::vector<std::pair<int, int>> maze_walls() {
    std::vector<uint8_t> open(size_t(width) * height);
    const int cw = (width - 1) / 2, ch = (height - 1) / 2;
    std::vector<char> seen(size_t(cw) * ch);
    std::vector<std::pair<int, int>> stack{{0, 0}};
    std::mt19937 rng(99);
    seen[0] = 1;
    open[size_t(width) + 1] = 1;
    const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
    while (!stack.empty()) {
        const auto [cx, cy] = stack.back();
        std::pair<int, int> next[4];
        int n = 0;
        for (int i = 0; i < 4; ++i) {
            const int nx = cx + dx[i], ny = cy + dy[i];
            if (nx >= 0 && nx < cw && ny >= 0 && ny < ch && !seen[size_t(ny) * cw + nx]) next[n++] = {nx, ny};
        }
        if (n == 0) {
            stack.pop_back();
            continue;
        }
        const auto [nx, ny] = next[rng() % unsigned(n)];
        seen[size_t(ny) * cw + nx] = 1;
        open[size_t(2 * ny + 1) * width + 2 * nx + 1] = 1;
        open[size_t(cy + ny + 1) * width + cx + nx + 1] = 1;
        stack.push_back({nx, ny});
    }
    std::vector<std::pair<int, int>> walls;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (!open[size_t(y) * width + x]) walls.push_back({x, y});
    return walls;
}

void FloodMaze(benchmark::State& state) {
    const int bits = int(state.range(0));
    const int vb = bench::open(bits);
    static const std::vector<std::pair<int, int>> walls = maze_walls();
    rs_setcolor(int(colour(bits, 2)));
    for (auto [x, y] : walls) rs_putpixel(x, y);
    int k = 0;
    for (auto _ : state) {
        rs_setcolor(int(colour(bits, k ^= 1)));
        rs_flood(1, 1);
        benchmark::ClobberMemory();
    }
    filled(state, vb, bits, k, int64_t(walls.size()));
    state.SetItemsProcessed(int64_t(state.iterations()) * (int64_t(width) * height - int64_t(walls.size())));
}

void PageFillSpan(benchmark::State& state) {
    const int bits = int(state.range(0));
    const int vb = bench::open(bits);
    const core::ActiveBuffer& a = core::active();
    int k = 0;
    for (auto _ : state) {
        rs_setcolor(int(colour(bits, k ^= 1)));
        core::with_depth(a.depth, [&](auto d) {
            core::fill_span<decltype(d)>(a.pixels, a.width * a.height, core::color().color_value);
        });
        benchmark::ClobberMemory();
    }
    filled(state, vb, bits, k, 0);
    state.SetItemsProcessed(int64_t(state.iterations()) * width * height);
}

BENCHMARK(FloodEmpty)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(FloodMaze)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(PageFillSpan)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32)->Unit(benchmark::kMicrosecond);

}  // namespace
