// Uncompressed AVI frames into a 32-bit buffer: the conversion rs_aviplay does for every
// frame (24-bit frames keep each buffer pixel's fourth byte, 8-bit frames go through the
// palette pixel table) against memcpy of the same frame's bytes, and against memcpy of the
// bytes the frame becomes in the buffer (a frame already at the buffer's depth).
#include <cstring>
#include <vector>

#include "core/palette.h"
#include "files/avi.h"
#include "fixture.h"

namespace {

// A bottom-up frame of the bench size at bits per pixel, every byte different from its
// neighbours.
const std::vector<uint8_t>& frame(int bits) {
    static std::vector<uint8_t> frames[33];
    std::vector<uint8_t>& f = frames[bits];
    if (f.empty()) {
        f.resize(size_t((bench::width * bits + 31) / 32 * 4) * bench::height);
        for (size_t i = 0; i < f.size(); ++i) f[i] = uint8_t(i * 7 + i / 1999);
    }
    return f;
}

void AviFrame(benchmark::State& state) {
    const int bits = int(state.range(0));
    const std::vector<uint8_t>& f = frame(bits);
    const int vb = bench::open(32);
    for (auto _ : state) {
        files::put_frame(f.data(), bench::width, bench::height, bits, 0, 0, core::palette().pixels);
        benchmark::DoNotOptimize(rs_vbaddr(vb));
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * bench::width * bench::height);
    const auto* top = static_cast<const uint8_t*>(rs_vbaddr(vb)) + size_t(bench::height - 1) * bench::width * 4;
    const uint8_t* src = f.data();  // the frame's bottom row is the buffer's bottom row
    const bool landed = bits == 24 ? std::memcmp(static_cast<const uint8_t*>(rs_vbaddr(vb)), src, 3) == 0
                                   : std::memcmp(top, &core::palette().pixels[f[size_t(bench::height - 1) * bench::width]], 4) == 0;
    bench::verify(state, landed, "the frame did not land");
}
BENCHMARK(AviFrame)->ArgName("bits")->Arg(8)->Arg(24);

// memcpy of bytes_per_pixel × the frame's pixels.
void AviMemcpy(benchmark::State& state) {
    const size_t bytes = size_t(state.range(0)) / 8 * bench::width * bench::height;
    std::vector<uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * bench::width * bench::height);
    bench::verify(state, to == from, "memcpy did not land");
}
BENCHMARK(AviMemcpy)->ArgName("bits")->Arg(8)->Arg(24)->Arg(32);

}  // namespace
