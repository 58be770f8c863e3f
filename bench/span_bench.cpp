// Span fills against memset of the same bytes: the baseline every area fill is measured
// by. SpanFill lays the value the current colour has at the depth, as colour fills do
// (at 8 bits one byte four times, which takes memset's path). Ratios: each
// SpanFill/bits:N over Memset/bits:N, same byte count.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "core/color.h"
#include "core/pixel.h"
#include "fixture.h"

namespace {

constexpr int pixels = 1920;

void Memset(benchmark::State& state) {
    const int bytes = int(state.range(0)) / 8 * pixels;
    std::vector<uint8_t> row(static_cast<size_t>(bytes));
    for (auto _ : state) {
        std::memset(row.data(), 0x5A, row.size());
        benchmark::DoNotOptimize(row.data());
    }
    bench::verify(state, bench::count(row.data(), bytes, 8, 0x5A) == bytes, "memset left bytes unset");
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
}

void SpanFill(benchmark::State& state) {
    const int bits = int(state.range(0));
    std::vector<uint8_t> row(size_t(bits / 8 * pixels));
    bench::open(bits);
    rs_setcolor(int(bench::color_for(bits)));
    const uint32_t value = core::color().color_value;
    for (auto _ : state) {
        core::with_depth(bits, [&](auto d) { core::fill_span<decltype(d)>(row.data(), pixels, value); });
        benchmark::DoNotOptimize(row.data());
    }
    const bool filled = bench::count(row.data(), pixels, bits, bench::stored(bits, bench::color_for(bits))) == pixels;
    bench::verify(state, filled, "span left pixels unset");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(row.size()));
}

BENCHMARK(Memset)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(SpanFill)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);

}  // namespace
