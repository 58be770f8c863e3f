// The triangles of the rasterizer benchmarks, shared with the peer benchmark that runs in
// a process of its own: 4096 random clockwise triangles 10 to 200 pixels across inside a
// 1920 × 1080 buffer, with colours, depths and texture coordinates per vertex, and the
// number of pixels the rasterizers cover (right edge and bottom row excluded).
#pragma once

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "draw/edge_walker.h"

namespace raster_scene {

constexpr int width = 1920, height = 1080;
constexpr int count = 4096, texture_side = 256;

struct Scene {
    std::vector<int> xy, uv;
    std::vector<unsigned char> rgb;
    std::vector<double> xyz;
    int64_t pixels = 0;
};

inline const Scene& scene() {
    static const Scene s = [] {
        Scene s;
        std::mt19937 rng(15);
        std::uniform_int_distribution<int> size(10, 200), byte(0, 255), tex(0, texture_side - 1);
        std::uniform_real_distribution<double> depth(2.0, 50.0);
        for (int i = 0; i < count; ++i) {
            const int d = size(rng);
            std::uniform_int_distribution<int> cx(0, width - 1 - d), cy(0, height - 1 - d), o(0, d);
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
            draw::walk_rows(p, top, bottom, p.y(top), p.y(top), height - 1, a, b,
                            [&](int64_t, const draw::EdgeChain<>& ca, const draw::EdgeChain<>& cb) {
                                if (cb.x > ca.x) s.pixels += cb.x - ca.x;
                            });
        }
        return s;
    }();
    return s;
}

}  // namespace raster_scene
