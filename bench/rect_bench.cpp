// Area fills over a 1920 × 1080 buffer against memset of the same bytes. Ratios:
// Rect/bits:N, RectInset/bits:N and FillPage/bits:N over FillMemset/bits:N (per byte);
// RectInset fills rows one at a time (a rectangle one pixel narrower on each side).
//
// FillMemset sets the page a row per call. One memset of a whole page of 4 MB or more
// takes the C library's path for large blocks, whose rate on the shared test machine
// swings between about 40 and 100 GB/s with what else runs, while row-sized calls hold
// steady near 80; such a baseline would halve or double the 24- and 32-bit ratios from one
// run to the next.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "fixture.h"

namespace {

constexpr int64_t page = int64_t(bench::width) * bench::height;

void FillMemset(benchmark::State& state) {
    const size_t row = size_t(bench::width) * size_t(state.range(0) / 8), bytes = row * bench::height;
    std::vector<uint8_t> buffer(bytes);
    for (auto _ : state) {
        for (size_t at = 0; at < bytes; at += row) std::memset(buffer.data() + at, 0x5A, row);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    bench::verify(state, bench::count(buffer.data(), int64_t(bytes), 8, 0x5A) == int64_t(bytes), "memset left bytes unset");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

// Times fill() on a cleared buffer of the depth in its colour and checks that it left
// `pixels` pixels of that colour.
template <class Fill>
void fill_bench(benchmark::State& state, int64_t pixels, Fill fill) {
    const int depth = int(state.range(0));
    const int vb = bench::open(depth);
    rs_setcolor(int(bench::color_for(depth)));
    for (auto _ : state) {
        fill();
        benchmark::ClobberMemory();
    }
    bench::verify(state, bench::count(vb, bench::stored(depth, bench::color_for(depth))) == pixels,
                  "the fill did not land");
    state.SetBytesProcessed(int64_t(state.iterations()) * pixels * (depth / 8));
}

void Rect(benchmark::State& state) {
    fill_bench(state, page, [] { rs_rect(0, bench::width - 1, 0, bench::height - 1); });
}

void RectInset(benchmark::State& state) {
    fill_bench(state, page - 2 * bench::height, [] { rs_rect(1, bench::width - 2, 0, bench::height - 1); });
}

void FillPage(benchmark::State& state) {
    fill_bench(state, page, [] { rs_fillpage(); });
}

BENCHMARK(FillMemset)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(Rect)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(RectInset)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(FillPage)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);

}  // namespace
