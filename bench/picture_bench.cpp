// Pictures in caller memory drawn into a 1920 × 1080 buffer, 256 × 256 pixels at a time.
// Ratios, per byte written: PutImage/bits:N (index bytes: a block copy at 8 bits, a table
// lookup a pixel otherwise) and PutDcb/bits:N (a block copy at 16 and 24 bits, three bytes
// widened to four at 32) over PictureMemcpy/bits:N, memcpy of the same bytes row by row
// into the same places; DrawImageKeyed (32 bits, half the bytes 0, in runs) over SDL2's
// colour-keyed blit of the same indices and palette into a 32-bit surface of the same
// size. ShowSprite/bits:N and ShowPacked/bits:N (the same sprite made into a sprite of the
// depth and packed) over DrawImageSprite/bits:N, rs_drwimage of it. Reduce (a full 8-bit
// buffer from 256 colours to 236) over CountAndMap, the two passes over the pixels any
// reduction makes: counting them and rewriting them by table.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "fixture.h"

#if RSW32_HAVE_SDL2
#include <SDL.h>
#endif

namespace {

constexpr int side = 256, at_x = 600, at_y = 700;  // lower-left corner of the picture

// Buffer address of the picture's row r (r = 0 its bottom row, at_y).
uint8_t* row_at(int handle, int depth, int r) {
    return static_cast<uint8_t*>(rs_vbaddr(handle)) + (size_t(bench::height - 1 - at_y + r) * bench::width + at_x) * size_t(depth / 8);
}

// Index bytes of a sprite: runs of 1 to 24 pixels, about half of them 0 (transparent).
std::vector<uint8_t> sprite() {
    std::vector<uint8_t> a(side * side);
    std::mt19937 rng(7);
    for (size_t i = 0; i < a.size();) {
        const size_t run = 1 + rng() % 24;
        const bool clear = rng() % 2 == 0;
        for (size_t k = 0; k < run && i < a.size(); ++k, ++i) a[i] = clear ? 0 : uint8_t(1 + rng() % 255);
    }
    return a;
}

// 256 random colours, the same for the library and for SDL.
std::vector<uint8_t> colors() {
    std::vector<uint8_t> rgb(768);
    std::mt19937 rng(3);
    for (uint8_t& c : rgb) c = uint8_t(rng());
    return rgb;
}

// Whether the picture's rows in the buffer hold want(r) (side pixels of the depth each).
template <class Want>
bool rows_hold(int handle, int depth, Want want) {
    for (int r = 0; r < side; ++r)
        if (std::memcmp(row_at(handle, depth, r), want(r), size_t(side) * size_t(depth / 8)) != 0) return false;
    return true;
}

void PictureMemcpy(benchmark::State& state) {
    const int depth = int(state.range(0)), vb = bench::open(depth);
    const size_t row = size_t(side) * size_t(depth / 8);
    std::vector<uint8_t> from(row * side, 0x5A);
    for (auto _ : state) {
        for (int r = 0; r < side; ++r) std::memcpy(row_at(vb, depth, r), &from[size_t(r) * row], row);
        benchmark::ClobberMemory();
    }
    bench::verify(state, rows_hold(vb, depth, [&](int r) { return &from[size_t(r) * row]; }), "memcpy did not land");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(row) * side);
}

// The pixel of palette colour v at the depth.
uint32_t palette_pixel(int depth, const std::vector<uint8_t>& rgb, uint8_t v) {
    const uint32_t r = rgb[3 * v], g = rgb[3 * v + 1], b = rgb[3 * v + 2];
    return depth == 8 ? v : depth == 16 ? (r >> 3) << 11 | (g >> 2) << 5 | b >> 3 : r << 16 | g << 8 | b;
}

void PutImage(benchmark::State& state) {
    const int depth = int(state.range(0)), vb = bench::open(depth);
    std::vector<uint8_t> rgb = colors();
    const std::vector<uint8_t> img = sprite();
    rs_setdacs(0, 256, rgb.data());
    rs_move(at_x, at_y);
    for (auto _ : state) {
        rs_putimage(img.data(), side, side);
        benchmark::ClobberMemory();
    }
    std::vector<uint8_t> want(size_t(side) * size_t(depth / 8));
    const bool landed = rows_hold(vb, depth, [&](int r) {
        for (int i = 0; i < side; ++i) {
            const uint32_t p = palette_pixel(depth, rgb, img[size_t(r * side + i)]);
            std::memcpy(&want[size_t(i * (depth / 8))], &p, size_t(depth / 8));
        }
        return want.data();
    });
    bench::verify(state, landed, "the image did not land");
    state.SetBytesProcessed(int64_t(state.iterations()) * side * side * (depth / 8));
}

void PutDcb(benchmark::State& state) {
    const int depth = int(state.range(0)), vb = bench::open(depth), bytes = depth == 16 ? 2 : 3;
    std::vector<uint8_t> dcb(size_t(side) * side * size_t(bytes)), back(dcb.size());
    for (size_t i = 0; i < dcb.size(); ++i) dcb[i] = uint8_t(i * 7 + i / 509);
    rs_move(at_x, at_y);
    for (auto _ : state) {
        rs_putdcb(dcb.data(), side, side);
        benchmark::ClobberMemory();
    }
    rs_getdcb(back.data(), side, side);
    bench::verify(state, vb >= 0 && back == dcb, "the dcb did not land");
    state.SetBytesProcessed(int64_t(state.iterations()) * side * side * (depth / 8));
}

// Both keyed draws must leave exactly the sprite's non-zero pixels, through the palette.
bool keyed_landed(const uint8_t* rows, ptrdiff_t pitch, const std::vector<uint8_t>& img, const std::vector<uint8_t>& rgb) {
    for (int r = 0; r < side; ++r)
        for (int i = 0; i < side; ++i) {
            const uint8_t v = img[size_t(r * side + i)];
            uint32_t p;
            std::memcpy(&p, rows + r * pitch + 4 * i, 4);
            const uint32_t want = v ? uint32_t(rgb[3 * v] << 16 | rgb[3 * v + 1] << 8 | rgb[3 * v + 2]) : 0;
            if ((p & 0xFFFFFF) != want) return false;
        }
    return true;
}

void DrawImageKeyed(benchmark::State& state) {
    const int vb = bench::open(32);
    std::vector<uint8_t> rgb = colors();
    const std::vector<uint8_t> img = sprite();
    rs_setdacs(0, 256, rgb.data());
    rs_move(at_x, at_y);
    for (auto _ : state) {
        rs_drwimage(img.data(), side, side);
        benchmark::ClobberMemory();
    }
    bench::verify(state, keyed_landed(row_at(vb, 32, 0), bench::width * 4, img, rgb), "the image did not land");
    state.SetBytesProcessed(int64_t(state.iterations()) * side * side * 4);
}

// The sprite drawn three ways at each depth, each from a buffer zeroed by bench::open:
// rs_drwimage of the image array (the baseline), rs_showppr of it packed, rs_showspr of it
// made into a sprite of the depth (key 0). All must leave the same pixels.
enum class SpriteForm { image, packed, sprite };

template <SpriteForm form>
void SpriteDraw(benchmark::State& state) {
    const int depth = int(state.range(0)), vb = bench::open(depth);
    const std::vector<uint8_t> rgb = colors(), img = sprite();
    rs_setdacs(0, 256, rgb.data());
    rs_move(at_x, at_y);
    std::vector<uint8_t> made;
    if (form == SpriteForm::packed) {
        made.resize(size_t(rs_pack(img.data(), side, side, nullptr)));
        rs_pack(img.data(), side, side, made.data());
    } else if (form == SpriteForm::sprite) {
        rs_drwimage(img.data(), side, side);
        rs_tcmask(0);
        const int minx = at_x, maxx = at_x + side - 1, miny = at_y - side + 1;
        made.resize(size_t(rs_makespr(minx, maxx, miny, at_y, nullptr)));
        rs_makespr(minx, maxx, miny, at_y, made.data());
        std::memset(rs_vbaddr(vb), 0, size_t(bench::width) * bench::height * size_t(depth / 8));
    }
    for (auto _ : state) {
        if (form == SpriteForm::image) rs_drwimage(img.data(), side, side);
        if (form == SpriteForm::packed) rs_showppr(made.data(), int(made.size()));
        if (form == SpriteForm::sprite) rs_showspr(made.data(), int(made.size()));
        benchmark::ClobberMemory();
    }
    std::vector<uint8_t> want(size_t(side) * size_t(depth / 8));
    const bool landed = rows_hold(vb, depth, [&](int r) {
        for (int i = 0; i < side; ++i) {
            const uint8_t v = img[size_t(r * side + i)];
            const uint32_t p = v ? palette_pixel(depth, rgb, v) : 0;
            std::memcpy(&want[size_t(i * (depth / 8))], &p, size_t(depth / 8));
        }
        return want.data();
    });
    bench::verify(state, landed, "the sprite did not land");
    state.SetBytesProcessed(int64_t(state.iterations()) * side * side * (depth / 8));
}

void DrawImageSprite(benchmark::State& state) { SpriteDraw<SpriteForm::image>(state); }
void ShowPacked(benchmark::State& state) { SpriteDraw<SpriteForm::packed>(state); }
void ShowSprite(benchmark::State& state) { SpriteDraw<SpriteForm::sprite>(state); }

#if RSW32_HAVE_SDL2
// The sprite as an 8-bit surface (top row first, as SDL stores it) with the palette and
// colour key 0, blitted to the same place of a 32-bit surface of the buffer's size.
void SdlBlitKeyed(benchmark::State& state) {
    const std::vector<uint8_t> rgb = colors(), img = sprite();
    SDL_Surface* src = SDL_CreateRGBSurfaceWithFormat(0, side, side, 8, SDL_PIXELFORMAT_INDEX8);
    SDL_Surface* dst = SDL_CreateRGBSurfaceWithFormat(0, bench::width, bench::height, 32, SDL_PIXELFORMAT_XRGB8888);
    if (src && dst) {
        SDL_Color c[256];
        for (int i = 0; i < 256; ++i) c[i] = {rgb[size_t(3 * i)], rgb[size_t(3 * i + 1)], rgb[size_t(3 * i + 2)], 255};
        SDL_SetPaletteColors(src->format->palette, c, 0, 256);
        for (int r = 0; r < side; ++r)
            std::memcpy(static_cast<uint8_t*>(src->pixels) + r * src->pitch, &img[size_t(side - 1 - r) * side], side);
        SDL_SetColorKey(src, SDL_TRUE, 0);
        SDL_FillRect(dst, nullptr, 0);
        for (auto _ : state) {
            SDL_Rect where{at_x, at_y - side + 1, side, side};
            SDL_BlitSurface(src, nullptr, dst, &where);
            benchmark::ClobberMemory();
        }
        // Bottom row first, as the buffer rows are compared: row at_y, then upward.
        const auto* bottom = static_cast<const uint8_t*>(dst->pixels) + at_y * dst->pitch + at_x * 4;
        bench::verify(state, keyed_landed(bottom, -dst->pitch, img, rgb), "the blit did not land");
    } else {
        bench::verify(state, false, "SDL cannot make the surfaces");
    }
    SDL_FreeSurface(src);
    SDL_FreeSurface(dst);
    state.SetBytesProcessed(int64_t(state.iterations()) * side * side * 4);
}
BENCHMARK(SdlBlitKeyed);
#endif

// Pixels using every index, and a random palette; each iteration starts from them again
// (restoring them is not timed).
struct ReduceInput {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(size_t(bench::width) * bench::height), rgb = colors();
    ReduceInput() {
        std::mt19937 rng(5);
        for (uint8_t& p : pixels) p = uint8_t(rng());
    }
};

void Reduce(benchmark::State& state) {
    const int vb = bench::open(8);
    const ReduceInput in;
    std::vector<uint8_t> palette;
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(rs_vbaddr(vb), in.pixels.data(), in.pixels.size());
        palette = in.rgb;
        state.ResumeTiming();
        rs_reduce(10, 236, palette.data());
        benchmark::ClobberMemory();
    }
    bool landed = bench::count(vb, 0) + bench::count(vb, 255) == 0;  // indices now 10..245
    for (int k = 0; k < 10; ++k) landed = landed && palette[size_t(3 * k)] == 0 && palette[size_t(3 * (255 - k))] == 0;
    bench::verify(state, landed, "the reduction did not land");
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(in.pixels.size()));
}

void CountAndMap(benchmark::State& state) {
    const ReduceInput in;
    std::vector<uint8_t> pixels;
    uint8_t map[256];
    for (int k = 0; k < 256; ++k) map[k] = uint8_t(10 + k * 236 / 256);
    for (auto _ : state) {
        state.PauseTiming();
        pixels = in.pixels;
        state.ResumeTiming();
        uint32_t count[256] = {};
        for (const uint8_t p : pixels) ++count[p];
        benchmark::DoNotOptimize(count);
        for (uint8_t& p : pixels) p = map[p];
        benchmark::ClobberMemory();
    }
    bench::verify(state, pixels[0] == map[in.pixels[0]], "the pixels were not rewritten");
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(in.pixels.size()));
}

BENCHMARK(PictureMemcpy)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(PutImage)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(PutDcb)->ArgName("bits")->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(DrawImageKeyed);
BENCHMARK(DrawImageSprite)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(ShowPacked)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(ShowSprite)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(Reduce)->Unit(benchmark::kMillisecond);
BENCHMARK(CountAndMap)->Unit(benchmark::kMillisecond);

}  // namespace
