// Span fills against memset of the same bytes: the baseline every area fill is measured
// by. Ratios: compare each SpanFill/bits:N with Memset at the same byte count.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "core/pixel.h"

namespace {

constexpr int pixels = 1920;

void Memset(benchmark::State& state) {
    const int bytes = int(state.range(0)) / 8 * pixels;
    std::vector<uint8_t> row(static_cast<size_t>(bytes));
    for (auto _ : state) {
        std::memset(row.data(), 0x5A, row.size());
        benchmark::DoNotOptimize(row.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
}

void SpanFill(benchmark::State& state) {
    const int bits = int(state.range(0));
    std::vector<uint8_t> row(size_t(bits / 8 * pixels));
    for (auto _ : state) {
        core::with_depth(bits, [&](auto d) { core::fill_span<decltype(d)>(row.data(), pixels, 0x12345678); });
        benchmark::DoNotOptimize(row.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(row.size()));
}

BENCHMARK(Memset)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(SpanFill)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);

}  // namespace
