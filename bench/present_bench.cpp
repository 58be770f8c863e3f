// Presenting against memcpy: rs_vbpaste of a 1024 × 768 buffer into a surface of the same
// size at each depth, and rs_vbscale twice up (512 × 384 onto 1024 × 768) and twice down
// (2048 × 1536 onto 1024 × 768). Memcpy copies the surface's bytes (1024 × 768 × 4); each
// copy's ratio is its time over Memcpy's in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "rsw32.h"
#include "rsw32_platform.h"

namespace {

constexpr int width = 1024, height = 768;

void Memcpy(benchmark::State& state) {
    std::vector<uint8_t> from(size_t(width) * height * 4, 0x5A), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(to.size()));
}

// A started library with an open buffer of the depth and size, filled with a pattern, and
// a 1024 × 768 surface as the window DC.
struct Stage {
    RS_HDC surface;
    Stage(int depth, int w, int h) {
        rs_vbinit();
        rs_vbdepth(depth);
        rs_vbopen(rs_vballoc(w, h));
        auto* p = static_cast<uint8_t*>(rs_vbaddr(rs_vbhandle()));
        for (size_t i = 0; i < size_t(w) * size_t(h) * size_t(depth / 8); ++i) p[i] = uint8_t(i * 131);
        surface = rsp_surface_create(width, height);
        rs_setdc(surface);
    }
    ~Stage() {
        rs_setdc(nullptr);
        rsp_surface_destroy(surface);
        rs_vbclose();
        rs_vbfree(-1);
        rs_vbfin();
    }
};

void VbPaste(benchmark::State& state) {
    Stage stage(int(state.range(0)), width, height);
    for (auto _ : state) {
        rs_vbpaste(0, width - 1, 0, height - 1, 0, height - 1);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * width * height * 4);
}

void VbScaleUp(benchmark::State& state) {
    Stage stage(int(state.range(0)), width / 2, height / 2);
    for (auto _ : state) {
        rs_vbscale(0, width / 2 - 1, 0, height / 2 - 1, 0, width - 1, 0, height - 1);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * width * height * 4);
}

void VbScaleDown(benchmark::State& state) {
    Stage stage(int(state.range(0)), width * 2, height * 2);
    for (auto _ : state) {
        rs_vbscale(0, width * 2 - 1, 0, height * 2 - 1, 0, width - 1, 0, height - 1);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * width * height * 4);
}

BENCHMARK(Memcpy);
BENCHMARK(VbPaste)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(VbScaleUp)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(VbScaleDown)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);

}  // namespace
