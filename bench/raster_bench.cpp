// Shaded, depth-tested and textured triangles against rs_polyfill of the same triangles
// (right edge excluded, as the rasterizers do): 4096 random clockwise triangles 10 to 200
// pixels across on 1920 × 1080, the same set for every kind. Items per second = pixels
// per second. The depth-tested kinds start a new z-buffer frame every pass, so every
// triangle meets the depth test against the pass's earlier ones.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "draw/edge_walker.h"
#include "fixture.h"

namespace {

constexpr int count = 4096, texture_side = 256;

struct Scene {
    std::vector<int> xy, uv;
    std::vector<unsigned char> rgb;
    std::vector<double> xyz;
    int64_t pixels = 0;
};

const Scene& scene() {
    static const Scene s = [] {
        Scene s;
        std::mt19937 rng(15);
        std::uniform_int_distribution<int> size(10, 200), byte(0, 255), tex(0, texture_side - 1);
        std::uniform_real_distribution<double> depth(2.0, 50.0);
        for (int i = 0; i < count; ++i) {
            const int d = size(rng);
            std::uniform_int_distribution<int> cx(0, bench::width - 1 - d), cy(0, bench::height - 1 - d), o(0, d);
            const int x = cx(rng), y = cy(rng);
            int v[6] = {x + o(rng), y + o(rng), x + o(rng), y + o(rng), x + o(rng), y + o(rng)};
            if (int64_t(v[2] - v[0]) * (v[5] - v[1]) - int64_t(v[3] - v[1]) * (v[4] - v[0]) < 0)  // clockwise
                std::swap(v[2], v[4]), std::swap(v[3], v[5]);
            s.xy.insert(s.xy.end(), v, v + 6);
            for (int k = 0; k < 3; ++k) {
                s.rgb.insert(s.rgb.end(), {uint8_t(byte(rng)), uint8_t(byte(rng)), uint8_t(byte(rng))});
                s.uv.insert(s.uv.end(), {tex(rng), tex(rng)});
                s.xyz.insert(s.xyz.end(), {0.0, 0.0, depth(rng)});
            }
            const draw::VertexList p{v, 3};
            int top, bottom;
            draw::top_and_bottom(p, top, bottom);
            if (p.y(top) == p.y(bottom)) continue;
            draw::EdgeChain<> a, b;
            draw::walk_rows(p, top, bottom, p.y(top), p.y(top), bench::height - 1, a, b,
                            [&](int64_t, const draw::EdgeChain<>& ca, const draw::EdgeChain<>& cb) {
                                if (cb.x > ca.x) s.pixels += cb.x - ca.x;
                            });
        }
        return s;
    }();
    return s;
}

// A texture of the depth's texel format with no zero texel, selected; a z-buffer bound to
// the open buffer.
void prepare(int depth) {
    static std::vector<uint8_t> texels(size_t(texture_side) * texture_side * 4);
    for (size_t i = 0; i < texels.size(); ++i) texels[i] = uint8_t(i * 7 % 251 + 1);
    if (rs_tminit(1) == 0) rs_tmselect(rs_tmdefine(texels.data(), texture_side, texture_side));
    static void* zb = rs_zballoc(bench::width, bench::height);
    rs_zbopen(zb);
    (void)depth;
}

enum Kind { flat, gouraud, flat_z, affine, perspective };

template <Kind K>
void Raster(benchmark::State& state) {
    const int depth = int(state.range(0));
    bench::open(depth);
    prepare(depth);
    rs_setcolor(int(bench::color_for(depth)));
    rs_polyedge(1);
    const Scene& s = scene();
    for (auto _ : state) {
        rs_zbframe();
        for (size_t i = 0; i < count; ++i) {
            const int* xy = s.xy.data() + 6 * i;
            const double* xyz = s.xyz.data() + 9 * i;
            const int* uv = s.uv.data() + 6 * i;
            if constexpr (K == flat) rs_polyfill(xy, nullptr, 3);
            if constexpr (K == gouraud) rs_gouraud(xy, s.rgb.data() + 9 * i, 3);
            if constexpr (K == flat_z) rs_polyfilz(xy, xyz, 3);
            if constexpr (K == affine) rs_texmap(xy, uv, 3);
            if constexpr (K == perspective) rs_texmapp(xy, uv, xyz, 3);
        }
        benchmark::ClobberMemory();
    }
    rs_polyedge(0);
    bench::verify(state, bench::count(bench::buffer(depth), 0) < int64_t(bench::width) * bench::height / 2,
                  "the triangles are not in the buffer");
    state.SetItemsProcessed(int64_t(state.iterations()) * s.pixels);
}

void RasterFlat(benchmark::State& s) { Raster<flat>(s); }
void RasterGouraud(benchmark::State& s) { Raster<gouraud>(s); }
void RasterFlatZ(benchmark::State& s) { Raster<flat_z>(s); }
void RasterAffine(benchmark::State& s) { Raster<affine>(s); }
void RasterPerspective(benchmark::State& s) { Raster<perspective>(s); }

BENCHMARK(RasterFlat)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(RasterGouraud)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(RasterFlatZ)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(RasterAffine)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(RasterPerspective)->ArgName("bits")->Arg(16)->Arg(32);

}  // namespace
