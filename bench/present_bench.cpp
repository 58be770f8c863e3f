// Presenting against memcpy: rs_vbpaste of a 1024 × 768 buffer into a surface of the same
// size at each depth, and rs_vbscale twice up (512 × 384 onto 1024 × 768) and twice down
// (2048 × 1536 onto 1024 × 768). Memcpy copies the surface's bytes (1024 × 768 × 4); each
// copy's ratio is its time over Memcpy's in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "fixture.h"

namespace {

constexpr int width = 1024, height = 768;

void Memcpy(benchmark::State& state) {
    std::vector<uint8_t> from(size_t(width) * height * 4, 0x5A), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    bench::verify(state, to == from, "memcpy did not land");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(to.size()));
}

// Times present() from an open w × h buffer of the depth, filled with a pattern, into a
// black 1024 × 768 surface, and checks that the surface shows it. 8-bit buffers get a grey
// ramp (the palette is black after the library starts), so only index 0 is black, one
// pixel in 256; at other depths the pattern has hardly any black pixels. So nearly all
// of the surface must have changed.
template <class Present>
void present_bench(benchmark::State& state, int w, int h, Present present) {
    const int depth = int(state.range(0)), vb = bench::open(depth, w, h);
    bench::pattern(vb);
    if (depth == 8) {
        uint8_t grey[3 * 256];
        for (int i = 0; i < 3 * 256; ++i) grey[i] = uint8_t(i / 3);
        rs_setdacs(0, 256, grey);
    }
    const bench::Surface surface(width, height);
    for (auto _ : state) {
        present();
        benchmark::ClobberMemory();
    }
    int sw = 0, sh = 0;
    const unsigned* shown = rsp_surface_pixels(surface.dc, &sw, &sh);
    const int64_t black = shown ? bench::count(reinterpret_cast<const uint8_t*>(shown), int64_t(sw) * sh, 32, 0) : -1;
    bench::verify(state, black >= 0 && black * 100 < int64_t(width) * height, "the surface does not show the buffer");
    state.SetBytesProcessed(int64_t(state.iterations()) * width * height * 4);
}

void VbPaste(benchmark::State& state) {
    present_bench(state, width, height, [] { rs_vbpaste(0, width - 1, 0, height - 1, 0, height - 1); });
}

void VbScaleUp(benchmark::State& state) {
    present_bench(state, width / 2, height / 2,
                  [] { rs_vbscale(0, width / 2 - 1, 0, height / 2 - 1, 0, width - 1, 0, height - 1); });
}

void VbScaleDown(benchmark::State& state) {
    present_bench(state, width * 2, height * 2,
                  [] { rs_vbscale(0, width * 2 - 1, 0, height * 2 - 1, 0, width - 1, 0, height - 1); });
}

BENCHMARK(Memcpy);
BENCHMARK(VbPaste)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(VbScaleUp)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(VbScaleDown)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);

}  // namespace
