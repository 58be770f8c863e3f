// Block copies of a full-width 1920 × 1080 block between two buffers against memcpy of
// the same bytes. Ratios: VbCopy/bits:N against CopyMemcpy/bits:N; the transparent copy
// (pixel by pixel) is reported beside them.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench_buffers.h"

namespace {

void CopyMemcpy(benchmark::State& state) {
    const size_t bytes = size_t(bench::width) * bench::height * size_t(state.range(0) / 8);
    std::vector<uint8_t> from(bytes, 0x33), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

void VbCopy(benchmark::State& state) {
    const int depth = int(state.range(0));
    const int src = bench::frame_buffer(depth), dst = bench::frame_buffer(depth, true);
    for (auto _ : state) {
        rs_vbcopy(0, bench::width - 1, 0, bench::height - 1, 0, bench::height - 1, src, dst);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bench::width * bench::height * (depth / 8));
}

void VbZeroKeyedCopy(benchmark::State& state) {
    const int depth = int(state.range(0));
    const int src = bench::frame_buffer(depth), dst = bench::frame_buffer(depth, true);
    rs_setcolor(bench::color_for(depth));
    rs_fillpage();
    rs_setcolor(0);
    rs_rect(0, bench::width / 2, 0, bench::height - 1);
    for (auto _ : state) {
        rs_vbtzcopy(0, bench::width - 1, 0, bench::height - 1, 0, bench::height - 1, src, dst);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bench::width * bench::height * (depth / 8));
}

BENCHMARK(CopyMemcpy)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(VbCopy)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(VbZeroKeyedCopy)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);

}  // namespace
