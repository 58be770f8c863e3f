// Area fills over a 1920 × 1080 buffer against memset of the same bytes. Ratios: compare
// Rect/bits:N and FillPage/bits:N with FillMemset/bits:N (same byte count); RectInset
// fills rows one at a time (a rectangle one pixel narrower on each side).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench_buffers.h"

namespace {

void FillMemset(benchmark::State& state) {
    const size_t bytes = size_t(bench::width) * bench::height * size_t(state.range(0) / 8);
    std::vector<uint8_t> buffer(bytes);
    for (auto _ : state) {
        std::memset(buffer.data(), 0x5A, bytes);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

void Rect(benchmark::State& state) {
    const int depth = int(state.range(0));
    bench::frame_buffer(depth);
    rs_setcolor(bench::color_for(depth));
    for (auto _ : state) {
        rs_rect(0, bench::width - 1, 0, bench::height - 1);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bench::width * bench::height * (depth / 8));
}

void RectInset(benchmark::State& state) {
    const int depth = int(state.range(0));
    bench::frame_buffer(depth);
    rs_setcolor(bench::color_for(depth));
    for (auto _ : state) {
        rs_rect(1, bench::width - 2, 0, bench::height - 1);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * (bench::width - 2) * bench::height * (depth / 8));
}

void FillPage(benchmark::State& state) {
    const int depth = int(state.range(0));
    bench::frame_buffer(depth);
    rs_setcolor(bench::color_for(depth));
    for (auto _ : state) {
        rs_fillpage();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bench::width * bench::height * (depth / 8));
}

BENCHMARK(FillMemset)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(Rect)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(RectInset)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(FillPage)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);

}  // namespace
