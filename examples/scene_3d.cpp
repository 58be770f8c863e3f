// A 3D scene: a textured cube with perspective-correct mapping and, beside it, a
// Gouraud-shaded octahedron (flat-coloured faces at 8 bits), both depth-buffered and
// clipped at the near plane, turning a little further on each frame.
#include <cstdint>
#include <cstring>
#include <vector>

#include "rsw32.h"

namespace {

// An 8 × 8 checkerboard of two colours in the texel format of the depth (at 8 bits the
// palette entries nearest to them).
std::vector<uint8_t> checker(int depth, int side) {
    const int bytes = depth == 8 ? 1 : depth == 16 ? 2 : 3;
    std::vector<uint8_t> t(size_t(side * side * bytes));
    for (int v = 0; v < side; ++v)
        for (int u = 0; u < side; ++u) {
            const bool light = ((u / 8) ^ (v / 8)) & 1;
            const uint32_t value = depth == 8 ? uint32_t(light ? rs_findrgb(255, 208, 64) : rs_findrgb(32, 64, 192))
                                   : depth == 16 ? (light ? 0xFFE0u : 0x001Fu)
                                                 : (light ? 0xFFD040u : 0x2040C0u);
            std::memcpy(&t[size_t((v * side + u) * bytes)], &value, size_t(bytes));
        }
    return t;
}

void cube() {
    static const int faces[6][4] = {{0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1}, {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}};
    const int uv[8] = {0, 0, 63, 0, 63, 63, 0, 63};
    for (const auto& f : faces) {
        double xyz[12];
        for (int k = 0; k < 4; ++k) {
            const int c = f[k];
            xyz[3 * k] = c & 1 ? 1 : -1, xyz[3 * k + 1] = c & 2 ? 1 : -1, xyz[3 * k + 2] = c & 4 ? 1 : -1;
        }
        rs_3Dtexturemapobject(xyz, uv, 4);
    }
}

void octahedron(int depth) {
    const double tips[6][3] = {{1.2, 0, 0}, {-1.2, 0, 0}, {0, 1.2, 0}, {0, -1.2, 0}, {0, 0, 1.2}, {0, 0, -1.2}};
    const unsigned char colors[6][3] = {{255, 40, 40}, {40, 255, 40}, {40, 40, 255}, {255, 255, 40}, {255, 40, 255}, {40, 255, 255}};
    for (int sx = 0; sx < 2; ++sx)
        for (int sy = 2; sy < 4; ++sy)
            for (int sz = 4; sz < 6; ++sz) {
                const int v[3] = {sx, sy, sz};
                double xyz[9];
                unsigned char rgb[9];
                for (int k = 0; k < 3; ++k) std::memcpy(xyz + 3 * k, tips[v[k]], sizeof tips[0]), std::memcpy(rgb + 3 * k, colors[v[k]], 3);
                if (depth == 8) {
                    rs_setcolor(16 + 8 * sx + 4 * (sy - 2) + 2 * (sz - 4));
                    rs_3Dpolygonobject(xyz, 3);
                } else {
                    rs_3Dshadeobject(xyz, rgb, 3);
                }
            }
}

}  // namespace

// Frame f of the animation: the poses turn a little further with each frame.
void draw_scene_3d_frame(int width, int height, int frame) {
    const int depth = rs_getdepth();
    std::vector<uint8_t> texels = checker(depth, 64);
    void* zb = rs_zballoc(width, height);
    rs_zbopen(zb);
    rs_tminit(1);
    rs_tmselect(rs_tmdefine(texels.data(), 64, 64));
    rs_3Dviewport(0, width - 1, 0, height - 1, 0.6);
    rs_3Dpov(0, 0, -6, 0, 0, 0);
    rs_3Dsetzclip(0.5, 100);
    rs_3Drenderstate(RS_ZBUFFER | RS_ZCLIP | RS_PERSPECTIVE_TEXTURE);
    rs_3Dsetobject(-1.3, 0.2, 0, 250 + 37 * frame, 300 + 53 * frame, 0);
    cube();
    rs_3Dsetobject(1.5, -0.2, 0.5, 71 * frame, 450 + 29 * frame, 0);
    octahedron(depth);
    rs_tmfree(-1);
    rs_zbopen(nullptr);
    rs_zbfree(zb);
}

void draw_scene_3d(int width, int height) {
    static int frame = 0;
    if (rs_getdepth() == 8) ++frame;  // the four depths of one frame share the pose
    draw_scene_3d_frame(width, height, frame);
}
