// File readers and writers against plain work on the same bytes: rs_showbmp of a 24-bit
// picture into a 32-bit buffer against stb_image's decode of the same file and against
// memcpy of its pixel bytes; rs_showpcx of a 256-colour picture against a bare run-length
// decode loop; rs_makebmp against fwrite of the same bytes. The readers read in-memory
// files through the host's file calls, as stb_image reads from memory, so no disk time
// enters either side.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fixture.h"
#include "platform/file.h"

#ifdef RSW32_HAVE_STB
#include <stb_image.h>
#endif

namespace {

// A 1920 x 1080 picture written by the library itself, kept as an in-memory file.
const std::vector<uint8_t>& picture_file(int depth, bool pcx) {
    static std::vector<uint8_t> files[2][2];
    std::vector<uint8_t>& f = files[pcx][depth == 8];
    if (f.empty()) {
        const int vb = bench::open(depth);
        bench::pattern(vb);
        if (depth == 8)  // runs of equal bytes, as real 256-colour pictures have
            for (int y = 0; y < bench::height; y += 2) rs_setcolor(y & 255), rs_move(0, y), rs_draw(bench::width - 1, y);
        const std::string name = std::string("/tmp/rsw32_bench_") + (pcx ? "p" : "b") + std::to_string(depth);
        pcx ? rs_makepcx(0, bench::width - 1, 0, bench::height - 1, name.c_str())
            : rs_makebmp(0, bench::width - 1, 0, bench::height - 1, 24, name.c_str());
        FILE* in = std::fopen(name.c_str(), "rb");
        f.resize(1 << 24);
        f.resize(in ? std::fread(f.data(), 1, f.size(), in) : 0);
        if (in) std::fclose(in);
        std::remove(name.c_str());
        host::memory_file_set(pcx ? "bench.pcx" : "bench.bmp", f.data(), f.size());
    }
    return f;
}

void ShowBmp24(benchmark::State& state) {
    const std::vector<uint8_t>& file = picture_file(24, false);
    bench::open(32);
    for (auto _ : state) rs_showbmp("bench.bmp", 0);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
    bench::verify(state, rs_getpixel(5, 5) != 0 || rs_getpixel(100, 100) != 0, "nothing drawn");
}
BENCHMARK(ShowBmp24);

void MemcpyBmp24(benchmark::State& state) {
    const std::vector<uint8_t>& file = picture_file(24, false);
    std::vector<uint8_t> out(file.size());
    for (auto _ : state) {
        std::memcpy(out.data(), file.data(), file.size());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}
BENCHMARK(MemcpyBmp24);

#ifdef RSW32_HAVE_STB
void StbBmp24(benchmark::State& state) {
    const std::vector<uint8_t>& file = picture_file(24, false);
    int w = 0, h = 0, n = 0;
    for (auto _ : state) {
        stbi_uc* pixels = stbi_load_from_memory(file.data(), int(file.size()), &w, &h, &n, 4);
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
    bench::verify(state, w == bench::width && h == bench::height, "stb_image did not decode the file");
}
BENCHMARK(StbBmp24);
#endif

void ShowPcx8(benchmark::State& state) {
    const std::vector<uint8_t>& file = picture_file(8, true);
    bench::open(8);
    for (auto _ : state) rs_showpcx("bench.pcx", 1);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
    bench::verify(state, bench::count(rs_vbhandle(), 2) > 0, "nothing drawn");
}
BENCHMARK(ShowPcx8);

// The plainest decode of the same pixel data into one row after another of the buffer.
void PlainRleDecode(benchmark::State& state) {
    const std::vector<uint8_t>& file = picture_file(8, true);
    std::vector<uint8_t> out(size_t(bench::width) * bench::height);
    const size_t end = file.size() - 769;
    for (auto _ : state) {
        size_t o = 0;
        for (size_t i = 128; i < end && o < out.size();) {
            const uint8_t b = file[i++];
            if (b >= 0xC0 && i < end) {
                const size_t n = std::min<size_t>(b & 0x3F, out.size() - o);
                std::memset(&out[o], file[i++], n);
                o += n;
            } else {
                out[o++] = b;
            }
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}
BENCHMARK(PlainRleDecode);

void MakeBmp24(benchmark::State& state) {
    const std::vector<uint8_t>& file = picture_file(24, false);
    const int vb = bench::open(24);
    bench::pattern(vb);
    for (auto _ : state) rs_makebmp(0, bench::width - 1, 0, bench::height - 1, 24, "/tmp/rsw32_bench_make.bmp");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
    FILE* f = std::fopen("/tmp/rsw32_bench_make.bmp", "rb");
    bench::verify(state, f && std::fseek(f, 0, SEEK_END) == 0 && std::ftell(f) == long(file.size()), "no file written");
    if (f) std::fclose(f);
    std::remove("/tmp/rsw32_bench_make.bmp");
}
BENCHMARK(MakeBmp24);

void FwriteBmp24(benchmark::State& state) {
    const std::vector<uint8_t>& file = picture_file(24, false);
    for (auto _ : state) {
        FILE* f = std::fopen("/tmp/rsw32_bench_fwrite.bmp", "wb");
        std::fwrite(file.data(), 1, file.size(), f);
        std::fclose(f);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
    std::remove("/tmp/rsw32_bench_fwrite.bmp");
}
BENCHMARK(FwriteBmp24);

}  // namespace
