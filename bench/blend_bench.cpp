// Blending and photo adjustments on 1920 × 1080 pictures, at 16 and 32 bits.
//  - rs_blendvb (a dcb mixed into the buffer, or a dcb and a second dcb into it) and
//    rs_blenddcb with the one opacity, per pixel, against pixman compositing the same
//    pixels OVER the destination through a constant mask (PixmanOver/bits:N, pixman's
//    RGB565 or x8r8g8b8 pixels).
//  - each adjustment, dcb to dcb per byte against memcpy of the dcb's bytes
//    (DcbMemcpy/bits:N), and in the buffer against memcpy of the buffer's bytes
//    (CopyMemcpy/bits:N, transfer_bench.cpp).
// Each checks its last call against the plain per-pixel loops it is held to in the tests.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "fixture.h"
#include "image/adjust.h"
#include "image/channels.h"

#ifdef RSW32_HAVE_PIXMAN
#include <pixman.h>
#endif

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int64_t page = int64_t(bench::width) * bench::height;

size_t dcb_bytes(int depth) { return depth == 16 ? 2 : 3; }

Bytes pattern_bytes(size_t n, int salt) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) b[i] = uint8_t(i * 131 + i / 4093 + size_t(salt) * 77);
    return b;
}

const uint8_t* buffer_bytes(int handle) { return static_cast<const uint8_t*>(rs_vbaddr(handle)); }

// What the blend should leave: each pixel of first (dcb) mixed with second (a dcb, or the
// buffer pixels themselves) at opacity o, through the channel formats and image::mix.
template <class F, class B, class P>
Bytes mixed(const Bytes& first, const uint8_t* second, const uint8_t* buffer, size_t n, uint32_t o) {
    Bytes out(buffer, buffer + n * P::bytes);
    for (size_t i = 0; i < n; ++i) {
        const image::Rgb a = F::load(&first[i * F::bytes]), b = B::load(second + i * B::bytes);
        P::store(&out[i * P::bytes], {image::mix(a.r, b.r, o), image::mix(a.g, b.g, o), image::mix(a.b, b.b, o)});
    }
    return out;
}

Bytes expected_blend(int depth, const Bytes& first, const Bytes* second, const Bytes& before) {
    Bytes out;
    const size_t n = size_t(page);
    image::with_dcb_and_buffer_formats(depth, [&](auto f, auto p) {
        using F = decltype(f);
        using P = decltype(p);
        out = second ? mixed<F, F, P>(first, second->data(), before.data(), n, 100)
                     : mixed<F, P, P>(first, before.data(), before.data(), n, 100);
    });
    return out;
}

// rs_blendvb over the whole buffer (with the buffer itself as second operand, or a dcb).
void blend_vb(benchmark::State& state, bool with_dcb) {
    const int depth = int(state.range(0));
    const int vb = bench::open(depth);
    bench::pattern(vb);
    const Bytes first = pattern_bytes(size_t(page) * dcb_bytes(depth), 1), second = pattern_bytes(first.size(), 2);
    rs_opacity(100);
    rs_move(0, bench::height - 1);
    for (auto _ : state) {
        rs_blendvb(first.data(), with_dcb ? second.data() : nullptr, bench::width, bench::height);
        benchmark::ClobberMemory();
    }
    const size_t bytes = size_t(page) * size_t(depth / 8);
    const Bytes before(buffer_bytes(vb), buffer_bytes(vb) + bytes);
    rs_blendvb(first.data(), with_dcb ? second.data() : nullptr, bench::width, bench::height);
    const Bytes want = expected_blend(depth, first, with_dcb ? &second : nullptr, before);
    bench::verify(state, std::memcmp(buffer_bytes(vb), want.data(), bytes) == 0, "the blend is not the mixing rule's");
    state.SetItemsProcessed(int64_t(state.iterations()) * page);
}

void BlendVb(benchmark::State& state) { blend_vb(state, false); }
void BlendVbDcb(benchmark::State& state) { blend_vb(state, true); }

void BlendDcb(benchmark::State& state) {
    const int depth = int(state.range(0));
    bench::open(depth);
    const Bytes first = pattern_bytes(size_t(page) * dcb_bytes(depth), 1), second = pattern_bytes(first.size(), 2);
    Bytes dest(first.size());
    rs_opacity(100);
    for (auto _ : state) {
        rs_blenddcb(first.data(), second.data(), dest.data(), int(page));
        benchmark::ClobberMemory();
    }
    Bytes want;
    image::with_dcb_format(depth, [&](auto f) {
        using F = decltype(f);
        want = mixed<F, F, F>(first, second.data(), dest.data(), size_t(page), 100);
    });
    bench::verify(state, dest == want, "the blend is not the mixing rule's");
    state.SetItemsProcessed(int64_t(state.iterations()) * page);
}

#ifdef RSW32_HAVE_PIXMAN
// The same pixels composited OVER the destination through a constant mask of 100 / 255.
void PixmanOver(benchmark::State& state) {
    const int depth = int(state.range(0));
    const pixman_format_code_t format = depth == 16 ? PIXMAN_r5g6b5 : PIXMAN_x8r8g8b8;
    const int stride = bench::width * (depth / 8);
    Bytes src = pattern_bytes(size_t(page) * size_t(depth / 8), 1), dst = pattern_bytes(src.size(), 3);
    const Bytes start = dst;
    pixman_image_t* s = pixman_image_create_bits(format, bench::width, bench::height, reinterpret_cast<uint32_t*>(src.data()), stride);
    pixman_image_t* d = pixman_image_create_bits(format, bench::width, bench::height, reinterpret_cast<uint32_t*>(dst.data()), stride);
    const pixman_color_t opacity = {0, 0, 0, 0x6464};
    pixman_image_t* mask = pixman_image_create_solid_fill(&opacity);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_OVER, s, mask, d, 0, 0, 0, 0, 0, 0, bench::width, bench::height);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(mask);
    pixman_image_unref(d);
    pixman_image_unref(s);
    bench::verify(state, dst != start, "pixman wrote nothing");
    state.SetItemsProcessed(int64_t(state.iterations()) * page);
}
BENCHMARK(PixmanOver)->ArgName("bits")->Arg(16)->Arg(32);
#endif

// ---- photo adjustments

void DcbMemcpy(benchmark::State& state) {
    const Bytes from = pattern_bytes(size_t(page) * dcb_bytes(int(state.range(0))), 1);
    Bytes to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    bench::verify(state, to == from, "memcpy did not land");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(to.size()));
}

enum Adjustment { contrast, gamma, grey, negative };

// What one pass of the adjustment leaves in n pixels of a format, by the plain loops.
Bytes adjusted(Adjustment a, image::Layout layout, const Bytes& s, size_t n) {
    Bytes d = s;
    image::ChannelTable t;
    const image::AdjustKernels& plain = image::plain_adjust_kernels();
    if (a == contrast && image::contrast_table(30, 200, t)) plain.table[layout](s.data(), d.data(), n, t);
    if (a == gamma && image::gamma_table(2.2, t)) plain.table[layout](s.data(), d.data(), n, t);
    if (a == grey) plain.grey[layout](s.data(), d.data(), n);
    if (a == negative)
        for (uint8_t& b : d) b = uint8_t(~b);
    return d;
}

void adjust_dcb(benchmark::State& state, Adjustment a) {
    const int depth = int(state.range(0));
    bench::open(depth);
    const Bytes src = pattern_bytes(size_t(page) * dcb_bytes(depth), 1);
    Bytes dst(src.size());
    const int n = int(page);
    for (auto _ : state) {
        if (a == contrast) rs_contdcb(src.data(), dst.data(), 30, 200, n);
        if (a == gamma) rs_gammadcb(src.data(), dst.data(), 2.2, n);
        if (a == grey) rs_graydcb(src.data(), dst.data(), n);
        if (a == negative) rs_photodcb(src.data(), dst.data(), n);
        benchmark::ClobberMemory();
    }
    const image::Layout layout = depth == 16 ? image::layout_565 : image::layout_bgr;
    bench::verify(state, dst == adjusted(a, layout, src, size_t(page)), "the adjustment is not the plain loop's");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
}

void adjust_vb(benchmark::State& state, Adjustment a) {
    const int depth = int(state.range(0));
    const int vb = bench::open(depth);
    bench::pattern(vb);
    rs_move(0, bench::height - 1);
    auto run = [a] {
        if (a == contrast) rs_contvb(30, 200, bench::width, bench::height);
        if (a == gamma) rs_gammavb(2.2, bench::width, bench::height);
        if (a == grey) rs_grayvb(bench::width, bench::height);
        if (a == negative) rs_photovb(bench::width, bench::height);
    };
    for (auto _ : state) {
        run();
        benchmark::ClobberMemory();
    }
    const size_t bytes = size_t(page) * size_t(depth / 8);
    const Bytes before(buffer_bytes(vb), buffer_bytes(vb) + bytes);
    run();
    const image::Layout layout = depth == 16 ? image::layout_565 : image::layout_bgrx;
    const Bytes want = adjusted(a, layout, before, size_t(page));
    bench::verify(state, std::memcmp(buffer_bytes(vb), want.data(), bytes) == 0, "the adjustment is not the plain loop's");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

void ContDcb(benchmark::State& state) { adjust_dcb(state, contrast); }
void GammaDcb(benchmark::State& state) { adjust_dcb(state, gamma); }
void GrayDcb(benchmark::State& state) { adjust_dcb(state, grey); }
void PhotoDcb(benchmark::State& state) { adjust_dcb(state, negative); }
void ContVb(benchmark::State& state) { adjust_vb(state, contrast); }
void GammaVb(benchmark::State& state) { adjust_vb(state, gamma); }
void GrayVb(benchmark::State& state) { adjust_vb(state, grey); }
void PhotoVb(benchmark::State& state) { adjust_vb(state, negative); }

BENCHMARK(BlendVb)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(BlendVbDcb)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(BlendDcb)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(DcbMemcpy)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(ContDcb)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(GammaDcb)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(GrayDcb)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(PhotoDcb)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(ContVb)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(GammaVb)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(GrayVb)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(PhotoVb)->ArgName("bits")->Arg(16)->Arg(32);

}  // namespace
