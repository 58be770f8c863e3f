// Shaded, depth-tested and textured triangles against rs_polyfill of the same triangles
// (right edge excluded, as the rasterizers do): 4096 random clockwise triangles 10 to 200
// pixels across on 1920 × 1080, the same set for every kind. Items per second = pixels
// per second. The depth-tested kinds start a new z-buffer frame every pass, so every
// triangle meets the depth test against the pass's earlier ones.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "fixture.h"
#include "raster_scene.h"

namespace {

using raster_scene::count;
using raster_scene::scene;
using raster_scene::Scene;
using raster_scene::texture_side;

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
    rs_polyedge(1);  // back to the library's default: other benchmarks fill with it
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
