// 3D lines and polygons. Every primitive transforms its vertices into view space, clips
// them at the near plane when ZCLIP is set (rejecting what lies wholly beyond the far
// plane), projects them and hands the screen vertices to a rasterizer. Intermediate
// vertices live in work storage that grows with the largest polygon drawn so far.
#include "three_d/primitives.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "draw/line.h"
#include "draw/polygon.h"
#include "draw/state.h"
#include "raster/fill.h"
#include "raster/texture.h"
#include "three_d/state.h"
#include "three_d/view.h"

namespace three_d {
namespace {

// Per-vertex values carried through clipping: none, colour bytes, or texture pairs.
struct NoAttr {
    void copy(int, int) const {}
    void cut(int, int, double, int) const {}
};

struct RgbAttr {
    const unsigned char* in;
    unsigned char* out;
    void copy(int from, int to) const { std::memcpy(out + 3 * size_t(to), in + 3 * size_t(from), 3); }
    // c_prev + round((c_cur - c_prev) · t); a t that is not a number keeps c_prev.
    void cut(int prev, int cur, double t, int to) const {
        for (size_t k = 0; k < 3; ++k) {
            const int a = in[3 * size_t(prev) + k], b = in[3 * size_t(cur) + k];
            const double d = std::rint(double(b - a) * t);
            out[3 * size_t(to) + k] = uint8_t(d == d ? a + int(std::fmax(std::fmin(d, 255.0), -255.0)) : a);
        }
    }
};

struct UvAttr {
    const uint8_t* in;
    uint8_t* out;
    bool floats;
    void copy(int from, int to) const { std::memcpy(out + 8 * size_t(to), in + 8 * size_t(from), 8); }
    void cut(int prev, int cur, double t, int to) const {
        for (size_t k = 0; k < 2; ++k) {
            const uint8_t *a = in + 8 * size_t(prev) + 4 * k, *b = in + 8 * size_t(cur) + 4 * k;
            uint8_t* o = out + 8 * size_t(to) + 4 * k;
            if (floats) {
                float fa, fb;
                std::memcpy(&fa, a, 4), std::memcpy(&fb, b, 4);
                const float f = float(double(fa) + double(fb - fa) * t);
                std::memcpy(o, &f, 4);
            } else {
                int32_t ia, ib;
                std::memcpy(&ia, a, 4), std::memcpy(&ib, b, 4);
                const double d = std::rint(double(ia) + (double(ib) - double(ia)) * t);
                const int32_t r = d == d ? int32_t(std::fmax(std::fmin(d, 2147483647.0), -2147483648.0)) : ia;
                std::memcpy(o, &r, 4);
            }
        }
    }
};

// Sutherland-Hodgman against z = near, as the header describes; out holds up to 2n.
template <class A>
int clip_polygon(const double* in, double* out, int n, const A& attr) {
    if (!in || !out || n < 2) return 0;
    const State& s = state();
    bool all_far = true;
    for (int i = 0; i < n && all_far; ++i) all_far = in[3 * size_t(i) + 2] > s.zfar;
    if (all_far) return 0;
    int m = 0;
    auto emit = [&](const double* v) {
        std::memcpy(out + 3 * size_t(m), v, 24);
        ++m;
    };
    auto cut = [&](int prev, int cur) {
        const double *p = in + 3 * size_t(prev), *c = in + 3 * size_t(cur);
        const double t = (s.znear - p[2]) / (c[2] - p[2]);
        const double v[3] = {p[0] + (c[0] - p[0]) * t, p[1] + (c[1] - p[1]) * t, s.znear};
        attr.cut(prev, cur, t, m);
        emit(v);
    };
    for (int prev = n - 1, cur = 0; cur < n; prev = cur++) {
        const bool prev_in = in[3 * size_t(prev) + 2] > s.znear, cur_in = in[3 * size_t(cur) + 2] > s.znear;
        if (prev_in != cur_in) cut(prev, cur);
        if (cur_in) {
            attr.copy(cur, m);
            emit(in + 3 * size_t(cur));
        }
    }
    return m;
}

struct Work {
    std::vector<double> view, clipped;
    std::vector<int> screen;
    std::vector<uint8_t> attrs;
};

Work& work() {
    static Work w;
    return w;
}

enum class Kind { flat, shaded, textured };

// Transforms, clips and projects; then draws by kind and render state.
int draw_polygon(Kind kind, const double* xyz, const void* attr, int n, bool object) {
    if (!xyz || n < 2 || n > max_primitive_vertices || (kind != Kind::flat && !attr)) return 0;
    const State& s = state();
    const size_t count = size_t(n);
    Work& w = work();
    w.view.resize(3 * count);
    (object ? transform_object : transform)(xyz, w.view.data(), n);
    const double* verts = w.view.data();
    int m = n;
    const bool floats = raster::textures().units != 0;
    if (s.render & zclip) {
        w.clipped.resize(6 * count);
        w.attrs.resize(16 * count);
        if (kind == Kind::shaded)
            m = clip_polygon(verts, w.clipped.data(), n, RgbAttr{static_cast<const unsigned char*>(attr), w.attrs.data()});
        else if (kind == Kind::textured)
            m = clip_polygon(verts, w.clipped.data(), n, UvAttr{static_cast<const uint8_t*>(attr), w.attrs.data(), floats});
        else
            m = clip_polygon(verts, w.clipped.data(), n, NoAttr{});
        if (m == 0) return 0;
        verts = w.clipped.data();
        attr = w.attrs.data();
    }
    w.screen.resize(2 * size_t(m));
    int* xy = w.screen.data();
    project(verts, xy, m);
    const bool z = s.render & zbuffer;
    switch (kind) {
    case Kind::shaded: {
        const auto* rgb = static_cast<const unsigned char*>(attr);
        return z ? raster::gouraud_z(xy, rgb, verts, m) : raster::gouraud(xy, rgb, m);
    }
    case Kind::textured:
        if (s.render & perspective_texture) return z ? raster::texmap_pz(xy, attr, verts, m) : raster::texmap_p(xy, attr, verts, m);
        return z ? raster::texmap_z(xy, attr, verts, m) : raster::texmap(xy, attr, m);
    case Kind::flat: break;
    }
    if (!(s.render & wireframe)) return z ? raster::polyfill_z(xy, verts, m) : draw::poly_fill(xy, nullptr, -m);
    if (!z) return draw::polyline(xy, m);
    // The outline with depth: each edge from the cursor, closing back on vertex 0.
    const draw::DrawState& d = draw::state();
    auto at = [&](int k, int c) { return int(uint32_t(xy[2 * size_t(k) + size_t(c)]) + uint32_t(c ? d.poly_offset_y : d.poly_offset_x)); };
    draw::move(at(0, 0), at(0, 1));
    for (int k = 1; k <= m; ++k) {
        const int j = k == m ? 0 : k;
        raster::draw_z(at(j, 0), at(j, 1), verts[3 * size_t(k - 1) + 2], verts[3 * size_t(j) + 2]);
    }
    return 0;
}

}  // namespace

int line(double x1, double y1, double z1, double x2, double y2, double z2) {
    const State& s = state();
    const double in[6] = {x1, y1, z1, x2, y2, z2};
    double v[6];
    transform(in, v, 2);
    if (s.render & zclip) {
        if (v[2] > s.zfar && v[5] > s.zfar) return 0;
        const bool in1 = v[2] > s.znear, in2 = v[5] > s.znear;
        if (!in1 && !in2) return 0;
        if (in1 != in2) {
            const double t = (s.znear - v[2]) / (v[5] - v[2]);
            double* out = in1 ? v + 3 : v;
            out[0] = v[0] + (v[3] - v[0]) * t;
            out[1] = v[1] + (v[4] - v[1]) * t;
            out[2] = s.znear;
        }
    }
    int xy[4];
    project(v, xy, 2);
    draw::move(xy[0], xy[1]);
    if (s.render & zbuffer) return raster::draw_z(xy[2], xy[3], v[2], v[5]);
    return draw::line_to(xy[2], xy[3]);
}

int polygon(const double* xyz, int n) { return draw_polygon(Kind::flat, xyz, nullptr, n, false); }
int polygon_object(const double* xyz, int n) { return draw_polygon(Kind::flat, xyz, nullptr, n, true); }
int shade(const double* xyz, const unsigned char* rgb, int n) { return draw_polygon(Kind::shaded, xyz, rgb, n, false); }
int shade_object(const double* xyz, const unsigned char* rgb, int n) { return draw_polygon(Kind::shaded, xyz, rgb, n, true); }
int texture_map(const double* xyz, const void* uv, int n) { return draw_polygon(Kind::textured, xyz, uv, n, false); }
int texture_map_object(const double* xyz, const void* uv, int n) { return draw_polygon(Kind::textured, xyz, uv, n, true); }

int clip_near(const double* in, double* out, int n) { return clip_polygon(in, out, n, NoAttr{}); }

int clip_near_rgb(const double* in, double* out, const unsigned char* rgb_in, unsigned char* rgb_out, int n) {
    if (!rgb_in || !rgb_out) return 0;
    return clip_polygon(in, out, n, RgbAttr{rgb_in, rgb_out});
}

int clip_near_tm(const double* in, double* out, const void* uv_in, void* uv_out, int n) {
    if (!uv_in || !uv_out) return 0;
    return clip_polygon(in, out, n, UvAttr{static_cast<const uint8_t*>(uv_in), static_cast<uint8_t*>(uv_out), raster::textures().units != 0});
}

}  // namespace three_d
