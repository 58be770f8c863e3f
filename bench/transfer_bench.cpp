// Block copies of a full-width 1920 × 1080 block between two buffers against memcpy of
// the same bytes. Ratios: VbCopy/bits:N and the transparent copy VbZeroKeyedCopy/bits:N
// (pixel by pixel, half its source keyed out) over CopyMemcpy/bits:N, per byte.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "fixture.h"

namespace {

constexpr int64_t page = int64_t(bench::width) * bench::height;

void CopyMemcpy(benchmark::State& state) {
    const size_t bytes = size_t(page) * size_t(state.range(0) / 8);
    std::vector<uint8_t> from(bytes, 0x33), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    bench::verify(state, to == from, "memcpy did not land");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

void VbCopy(benchmark::State& state) {
    const int depth = int(state.range(0));
    const int dst = bench::open(depth, bench::width, bench::height, 1), src = bench::open(depth);
    bench::pattern(src);
    for (auto _ : state) {
        rs_vbcopy(0, bench::width - 1, 0, bench::height - 1, 0, bench::height - 1, src, dst);
        benchmark::ClobberMemory();
    }
    const size_t bytes = size_t(page) * size_t(depth / 8);
    const bool landed = rs_vbaddr(dst) && std::memcmp(rs_vbaddr(src), rs_vbaddr(dst), bytes) == 0;
    bench::verify(state, landed, "the copy did not land");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

// The source's left half (columns 0..width/2) is zero and keyed out, its right half is the
// depth's colour with a fourth byte of 0, as the keyed copy writes 32-bit pixels; the
// destination starts in another colour, which its left half keeps.
void VbZeroKeyedCopy(benchmark::State& state) {
    const int depth = int(state.range(0));
    const uint32_t color = bench::color_for(depth) & 0xFFFFFF, kept = bench::stored(depth, ~color);
    const int dst = bench::open(depth, bench::width, bench::height, 1);
    rs_setcolor(int(kept));
    rs_fillpage();
    const int src = bench::open(depth);
    rs_setcolor(int(color));
    rs_rect(bench::width / 2 + 1, bench::width - 1, 0, bench::height - 1);
    for (auto _ : state) {
        rs_vbtzcopy(0, bench::width - 1, 0, bench::height - 1, 0, bench::height - 1, src, dst);
        benchmark::ClobberMemory();
    }
    const int64_t left = int64_t(bench::width / 2 + 1) * bench::height;
    const bool landed = bench::count(dst, kept) == left && bench::count(dst, bench::stored(depth, color)) == page - left;
    bench::verify(state, landed, "the keyed copy did not land");
    state.SetBytesProcessed(int64_t(state.iterations()) * page * (depth / 8));
}

BENCHMARK(CopyMemcpy)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(VbCopy)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(VbZeroKeyedCopy)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);

}  // namespace
