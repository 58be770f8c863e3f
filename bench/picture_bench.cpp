// Pictures in caller memory drawn into a 32-bit 1920 × 1080 buffer, 256 × 256 pixels at a
// time: rs_putimage (index through the palette pixel table) and rs_putdcb (three bytes
// to four) against memcpy of the bytes they write, row by row into the same places;
// rs_drwimage with half the bytes 0 against SDL2's colour-keyed blit of the same indexed
// pixels into a surface of the same size; and rs_reduce of a full 8-bit buffer from 256
// colours to 236.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "bench_buffers.h"

#if RSW32_HAVE_SDL2
#include <SDL.h>
#endif

namespace {

constexpr int side = 256, at_x = 600, at_y = 700;

// Index pixels of a sprite: runs of random length, about half of them 0 (transparent).
std::vector<unsigned char> sprite_indices() {
    std::vector<unsigned char> a(side * side);
    std::mt19937 rng(7);
    for (size_t i = 0; i < a.size();) {
        const size_t run = 1 + rng() % 24;
        const bool clear = rng() % 2 == 0;
        for (size_t k = 0; k < run && i < a.size(); ++k, ++i) a[i] = clear ? 0 : uint8_t(1 + rng() % 255);
    }
    return a;
}

void random_palette() {
    unsigned char rgb[768];
    std::mt19937 rng(3);
    for (unsigned char& c : rgb) c = uint8_t(rng());
    rs_setdacs(0, 256, rgb);
}

void PictureMemcpy(benchmark::State& state) {
    const int vb = bench::frame_buffer(32);
    auto* base = static_cast<uint8_t*>(rs_vbaddr(vb));
    std::vector<uint8_t> from(side * side * 4, 0x5A);
    for (auto _ : state) {
        for (int r = 0; r < side; ++r)
            std::memcpy(base + (size_t(bench::height - 1 - at_y + r) * bench::width + at_x) * 4, &from[size_t(r) * side * 4],
                        side * 4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * side * side * 4);
}

void PutImage(benchmark::State& state) {
    bench::frame_buffer(32);
    random_palette();
    const std::vector<unsigned char> img = sprite_indices();
    rs_move(at_x, at_y);
    for (auto _ : state) {
        rs_putimage(img.data(), side, side);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * side * side * 4);
}

void PutDcb(benchmark::State& state) {
    bench::frame_buffer(32);
    std::vector<unsigned char> dcb(side * side * 3);
    for (size_t i = 0; i < dcb.size(); ++i) dcb[i] = uint8_t(i * 7);
    rs_move(at_x, at_y);
    for (auto _ : state) {
        rs_putdcb(dcb.data(), side, side);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * side * side * 4);
}

void DrawImageKeyed(benchmark::State& state) {
    bench::frame_buffer(32);
    random_palette();
    const std::vector<unsigned char> img = sprite_indices();
    rs_move(at_x, at_y);
    for (auto _ : state) {
        rs_drwimage(img.data(), side, side);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * side * side * 4);
}

#if RSW32_HAVE_SDL2
// The same indices as an 8-bit surface with the same palette and colour key 0, blitted
// into a 32-bit surface of the buffer's size at the same place.
void SdlBlitKeyed(benchmark::State& state) {
    const std::vector<unsigned char> img = sprite_indices();
    SDL_Surface* src = SDL_CreateRGBSurfaceWithFormat(0, side, side, 8, SDL_PIXELFORMAT_INDEX8);
    SDL_Surface* dst = SDL_CreateRGBSurfaceWithFormat(0, bench::width, bench::height, 32, SDL_PIXELFORMAT_XRGB8888);
    if (!src || !dst) {
        state.SkipWithError("SDL cannot make the surfaces");
        return;
    }
    SDL_Color colors[256];
    std::mt19937 rng(3);
    for (SDL_Color& c : colors) c = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), 255};
    SDL_SetPaletteColors(src->format->palette, colors, 0, 256);
    for (int r = 0; r < side; ++r)
        std::memcpy(static_cast<uint8_t*>(src->pixels) + r * src->pitch, &img[size_t(side - 1 - r) * side], side);
    SDL_SetColorKey(src, SDL_TRUE, 0);
    SDL_Rect where{at_x, at_y - side + 1, side, side};
    for (auto _ : state) {
        SDL_Rect d = where;
        SDL_BlitSurface(src, nullptr, dst, &d);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * side * side * 4);
    SDL_FreeSurface(src);
    SDL_FreeSurface(dst);
}
BENCHMARK(SdlBlitKeyed);
#endif

// A full 8-bit buffer using all 256 indices, reduced to 236. Each iteration starts from
// the same pixels and palette (the copy back is timed apart and subtracted by the reader).
void Reduce(benchmark::State& state) {
    const int vb = bench::frame_buffer(8);
    rs_setclip(0, bench::width - 1, 0, bench::height - 1);
    auto* base = static_cast<uint8_t*>(rs_vbaddr(vb));
    std::vector<uint8_t> pixels(size_t(bench::width) * bench::height);
    std::mt19937 rng(5);
    for (uint8_t& p : pixels) p = uint8_t(rng());
    std::vector<uint8_t> rgb(768);
    for (uint8_t& c : rgb) c = uint8_t(rng());
    std::vector<uint8_t> palette(768);
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(base, pixels.data(), pixels.size());
        palette = rgb;
        state.ResumeTiming();
        rs_reduce(10, 236, palette.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * bench::width * bench::height);
}

BENCHMARK(PictureMemcpy);
BENCHMARK(PutImage);
BENCHMARK(PutDcb);
BENCHMARK(DrawImageKeyed);
BENCHMARK(Reduce)->Unit(benchmark::kMillisecond);

}  // namespace
