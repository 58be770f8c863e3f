// Image transforms of a 1920 × 1080 dcb at 16 and 32 bits, per output pixel: scaling to
// twice and to half the size, and rotating by 30 degrees, against pixman's nearest-pixel
// transform of a picture of the same size into a destination of the same size (its RGB565
// or x8r8g8b8 pixels: at 32 bits the dcb has 3 bytes a pixel, pixman 4).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "fixture.h"

#ifdef RSW32_HAVE_PIXMAN
#include <pixman.h>
#endif

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int w = bench::width, h = bench::height, angle = 300;

size_t dcb_bytes(int depth) { return depth == 16 ? 2 : 3; }

// A dcb with no pixel 0 (all bytes at least 1), so that pixels left 0 are those the
// transform did not cover.
Bytes picture(int depth) {
    Bytes b(size_t(w) * h * dcb_bytes(depth));
    for (size_t i = 0; i < b.size(); ++i) b[i] = uint8_t(1 + (i * 131 + i / 4093) % 255);
    return b;
}

bool same_pixel(const Bytes& a, size_t i, const Bytes& b, size_t j, size_t px) {
    for (size_t k = 0; k < px; ++k)
        if (a[i * px + k] != b[j * px + k]) return false;
    return true;
}

// Scaling by 2 repeats each pixel twice in each direction; by one half keeps every
// second pixel of every second row.
void scale(benchmark::State& state, int nw, int nh) {
    const int depth = int(state.range(0));
    bench::open(depth);
    const Bytes src = picture(depth);
    Bytes dst(size_t(nw) * size_t(nh) * dcb_bytes(depth));
    for (auto _ : state) {
        rs_scaledcb(src.data(), dst.data(), w, h, nw, nh);
        benchmark::ClobberMemory();
    }
    bool right = true;
    for (int y = 0; y < nh; y += 97)
        for (int x = 0; x < nw; x += 13)
            right = right && same_pixel(dst, size_t(y) * size_t(nw) + size_t(x), src,
                                        size_t(y * h / nh) * size_t(w) + size_t(x * w / nw), dcb_bytes(depth));
    bench::verify(state, right, "the scaled picture does not repeat or drop pixels");
    state.SetItemsProcessed(int64_t(state.iterations()) * nw * nh);
}

void ScaleDcbUp(benchmark::State& state) { scale(state, 2 * w, 2 * h); }
void ScaleDcbDown(benchmark::State& state) { scale(state, w / 2, h / 2); }

// The rotated picture covers as many pixels as the source has, to within its rounded edge.
void RotDcb(benchmark::State& state) {
    const int depth = int(state.range(0));
    bench::open(depth);
    int nw = 0, nh = 0;
    rs_rotsize(w, h, angle, &nw, &nh);
    const Bytes src = picture(depth);
    Bytes dst(size_t(nw) * size_t(nh) * dcb_bytes(depth));
    for (auto _ : state) {
        rs_rotdcb(src.data(), dst.data(), w, h, angle);
        benchmark::ClobberMemory();
    }
    int64_t covered = 0;
    for (size_t i = 0; i < dst.size(); i += dcb_bytes(depth)) covered += dst[i] != 0;
    bench::verify(state, std::abs(covered - int64_t(w) * h) < 4 * (w + h), "the rotated picture has the wrong area");
    state.SetItemsProcessed(int64_t(state.iterations()) * nw * nh);
}

BENCHMARK(ScaleDcbUp)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(ScaleDcbDown)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(RotDcb)->ArgName("bits")->Arg(16)->Arg(32);

#ifdef RSW32_HAVE_PIXMAN
// pixman's SRC composite of a w × h picture into nw × nh through the transform from
// destination to source positions, nearest pixel.
void pixman_transform(benchmark::State& state, int nw, int nh, const pixman_f_transform& to_source) {
    const int depth = int(state.range(0)), bpp = depth / 8;
    const pixman_format_code_t format = depth == 16 ? PIXMAN_r5g6b5 : PIXMAN_x8r8g8b8;
    std::vector<uint32_t> src(size_t(w) * h * size_t(bpp) / 4, 0x01020304u), dst(size_t(nw) * nh * size_t(bpp) / 4 + 1);
    pixman_image_t* s = pixman_image_create_bits(format, w, h, src.data(), w * bpp);
    pixman_image_t* d = pixman_image_create_bits(format, nw, nh, dst.data(), nw * bpp);
    pixman_transform_t t;
    pixman_transform_from_pixman_f_transform(&t, &to_source);
    pixman_image_set_transform(s, &t);
    pixman_image_set_filter(s, PIXMAN_FILTER_NEAREST, nullptr, 0);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_SRC, s, nullptr, d, 0, 0, 0, 0, 0, 0, nw, nh);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(d);
    pixman_image_unref(s);
    const auto written = std::count_if(dst.begin(), dst.end(), [](uint32_t v) { return v != 0; });
    bench::verify(state, written > int64_t(dst.size() / 3), "pixman wrote too little");
    state.SetItemsProcessed(int64_t(state.iterations()) * nw * nh);
}

void PixmanScaleUp(benchmark::State& state) {
    pixman_f_transform t;
    pixman_f_transform_init_scale(&t, 0.5, 0.5);
    pixman_transform(state, 2 * w, 2 * h, t);
}

void PixmanScaleDown(benchmark::State& state) {
    pixman_f_transform t;
    pixman_f_transform_init_scale(&t, 2, 2);
    pixman_transform(state, w / 2, h / 2, t);
}

// About the centres: destination centre to the origin, turned back, to the source centre.
void PixmanRotate(benchmark::State& state) {
    int nw = 0, nh = 0;
    rs_rotsize(w, h, angle, &nw, &nh);
    pixman_f_transform t;
    pixman_f_transform_init_translate(&t, -nw / 2.0, -nh / 2.0);
    pixman_f_transform_rotate(&t, nullptr, std::cos(angle * std::numbers::pi / 1800), std::sin(angle * std::numbers::pi / 1800));
    pixman_f_transform_translate(&t, nullptr, w / 2.0, h / 2.0);
    pixman_transform(state, nw, nh, t);
}

BENCHMARK(PixmanScaleUp)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(PixmanScaleDown)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(PixmanRotate)->ArgName("bits")->Arg(16)->Arg(32);
#endif

}  // namespace
