// The peer of raster_bench.cpp, in a process of its own: the software polygon renderer of
// Allegro 4 drawing the same triangles into memory bitmaps of 1920 × 1080 (polygon3d_f
// with the matching polygon type; its z-buffer cleared each pass), pixels per second.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cstring>

#include "raster_scene.h"

namespace {

using raster_scene::scene;

BITMAP* target(int depth) {
    static BITMAP* b[33] = {};
    if (!b[depth]) b[depth] = create_bitmap_ex(depth, raster_scene::width, raster_scene::height);
    return b[depth];
}

BITMAP* texture(int depth) {
    static BITMAP* t[33] = {};
    if (!t[depth]) {
        t[depth] = create_bitmap_ex(depth, raster_scene::texture_side, raster_scene::texture_side);
        for (int y = 0; y < raster_scene::texture_side; ++y)
            for (int x = 0; x < raster_scene::texture_side; ++x) putpixel(t[depth], x, y, (x * 7 + y * 13) % 251 + 1);
    }
    return t[depth];
}

template <int Type>
void Peer(benchmark::State& state) {
    const int depth = int(state.range(0));
    BITMAP* bmp = target(depth);
    BITMAP* tex = texture(depth);
    ZBUFFER* zb = create_zbuffer(bmp);
    set_zbuffer(zb);
    const auto& s = scene();
    std::vector<V3D_f> v(3 * raster_scene::count);
    for (size_t i = 0; i < v.size(); ++i) {
        const unsigned char* c = &s.rgb[3 * i];
        v[i] = {float(s.xy[2 * i]), float(s.xy[2 * i + 1]), float(s.xyz[3 * i + 2]), float(s.uv[2 * i]), float(s.uv[2 * i + 1]),
                Type == POLYTYPE_GRGB ? (c[0] << 16 | c[1] << 8 | c[2]) : 0x5AC3};
    }
    for (auto _ : state) {
        if (Type & POLYTYPE_ZBUF) clear_zbuffer(zb, 0);
        for (size_t i = 0; i < size_t(raster_scene::count); ++i) {
            V3D_f* p[3] = {&v[3 * i], &v[3 * i + 1], &v[3 * i + 2]};
            polygon3d_f(bmp, Type, tex, 3, p);
        }
        benchmark::ClobberMemory();
    }
    destroy_zbuffer(zb);
    state.SetItemsProcessed(int64_t(state.iterations()) * s.pixels);
}

void PeerGouraud(benchmark::State& s) { Peer<POLYTYPE_GRGB>(s); }
void PeerFlatZ(benchmark::State& s) { Peer<POLYTYPE_FLAT | POLYTYPE_ZBUF>(s); }
void PeerAffine(benchmark::State& s) { Peer<POLYTYPE_ATEX>(s); }
void PeerPerspective(benchmark::State& s) { Peer<POLYTYPE_PTEX>(s); }

BENCHMARK(PeerGouraud)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(PeerFlatZ)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(PeerAffine)->ArgName("bits")->Arg(16)->Arg(32);
BENCHMARK(PeerPerspective)->ArgName("bits")->Arg(16)->Arg(32);

}  // namespace

int main(int argc, char** argv) {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
END_OF_MAIN()
