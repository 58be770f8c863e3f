// The scan converter of the shaded, depth-tested and textured fills: the polygon edge
// walker of draw/edge_walker.h with interpolated attributes riding on its chains, one span
// set-up per row, and one pixel loop written once over the depth traits, the depth test
// and the shader that makes each pixel.
//
// What rides on the chains: K 32-bit attributes stepped by whole integer steps
// (colour components in 16.16, depth values in 8.24, affine texture coordinates in
// 16.16) or K doubles (u·w, v·w and w of perspective mapping). An edge from vertex i to
// vertex j, dy rows tall, starts at the value of vertex i and steps by (a_j - a_i) div dy
// each row; a span from chain L to chain R, width pixels wide, steps by
// (a_R - a_L) div width each pixel (div truncates toward zero). Integer attributes add
// and wrap in 32 bits, so jumping k rows at once (rows above the clip rectangle) gives
// the same values as k single steps.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>

#include "core/clip.h"
#include "core/pixel.h"
#include "core/vbuf.h"
#include "draw/edge_walker.h"
#include "draw/state.h"

namespace raster {

// The caller's per-vertex arrays beside the screen vertices.
struct Sources {
    const unsigned char* rgb = nullptr;  // red, green, blue bytes
    const double* xyz = nullptr;         // view-space triples; z is read
    const void* uv = nullptr;            // texture coordinate pairs
    bool float_uv = false;               // the pairs are 32-bit floats, else 32-bit ints
    bool truncate_uv = false;            // floats become 16.16 truncated, else rounded
};

inline int32_t wrap_add(int32_t a, int32_t b) { return int32_t(uint32_t(a) + uint32_t(b)); }
inline int32_t wrap_mul(int32_t a, int64_t k) { return int32_t(uint32_t(uint64_t(uint32_t(a)) * uint64_t(k))); }
// (b - a) in 32 bits, divided by d > 0 truncating toward zero.
inline int32_t step_of(int32_t a, int32_t b, int64_t d) {
    return int32_t(int64_t(int32_t(uint32_t(b) - uint32_t(a))) / d);
}

// Integer attributes; Fetch::load(src, i, out) gives vertex i's K values.
template <int K, class Fetch>
struct IntEdge {
    static constexpr int count = K;
    const Sources* src = nullptr;
    int32_t v[K]{}, s[K]{};
    void begin(int i, int j, int64_t dy) {
        int32_t b[K];
        Fetch::load(*src, i, v);
        Fetch::load(*src, j, b);
        for (int k = 0; k < K; ++k) s[k] = step_of(v[k], b[k], dy);
    }
    void step() {
        for (int k = 0; k < K; ++k) v[k] = wrap_add(v[k], s[k]);
    }
    void skip(int64_t rows) {
        for (int k = 0; k < K; ++k) v[k] = wrap_add(v[k], wrap_mul(s[k], rows));
    }
};

// Double attributes, stepped by (a_j - a_i) · (1/dy). A jump of many rows multiplies,
// which may differ from as many additions in the last bits; short jumps add row by row.
template <int K, class Fetch>
struct FloatEdge {
    static constexpr int count = K;
    const Sources* src = nullptr;
    double v[K]{}, s[K]{};
    void begin(int i, int j, int64_t dy) {
        double b[K];
        Fetch::load(*src, i, v);
        Fetch::load(*src, j, b);
        const double r = 1.0 / double(dy);
        for (int k = 0; k < K; ++k) s[k] = (b[k] - v[k]) * r;
    }
    void step() {
        for (int k = 0; k < K; ++k) v[k] += s[k];
    }
    void skip(int64_t rows) {
        if (rows <= 4096) {
            for (int64_t r = 0; r < rows; ++r) step();
            return;
        }
        for (int k = 0; k < K; ++k) v[k] += s[k] * double(rows);
    }
};

// One clipped span: pixels x .. x + count - 1 of row y, cut from a span of `width` pixels
// (the chains' distance) whose first `advance` pixels lie left of the clip rectangle.
struct Span {
    int y, x, count;
    int64_t width, advance;
};

// Walks the polygon of n screen vertices (the polygon offsets added) and calls
// span(Span, left attributes, right attributes) for each clipped span. both_windings:
// a span whose chain B lies left of chain A is drawn with the chains exchanged; else only
// spans with B strictly right of A are drawn. Nothing without an active buffer, for n < 2
// or for a polygon of zero height.
template <class Edge, class Fn>
void scan(const int* xy, int n, const Sources& src, bool both_windings, Fn&& span) {
    if (!core::has_active() || !xy || n < 2) return;
    const draw::VertexList p{xy, n};
    int top, bottom;
    draw::top_and_bottom(p, top, bottom);
    if (p.y(top) == p.y(bottom)) return;
    const draw::DrawState& s = draw::state();
    const core::ClipRect c = core::drawing_clip();
    const int64_t top_row = p.y(top) + s.poly_offset_y, bottom_row = p.y(bottom) + s.poly_offset_y;
    if (core::empty(c) || top_row > c.maxy || bottom_row < c.miny) return;
    const int64_t offset_x = s.poly_offset_x;
    draw::EdgeChain<Edge> a, b;
    a.attr.src = b.attr.src = &src;
    draw::walk_rows(p, top, bottom, top_row, std::max<int64_t>(top_row, c.miny), c.maxy, a, b,
                    [&](int64_t y, const draw::EdgeChain<Edge>& ca, const draw::EdgeChain<Edge>& cb) {
                        const draw::EdgeChain<Edge>*l = &ca, *r = &cb;
                        int64_t width = cb.x - ca.x;
                        if (width < 0 && both_windings) {
                            std::swap(l, r);
                            width = -width;
                        }
                        if (width <= 0) return;
                        const int64_t xl = l->x + offset_x, xr = xl + width;
                        const int64_t start = std::max<int64_t>(xl, c.minx);
                        const int64_t end = std::min<int64_t>(xr, int64_t(c.maxx) + 1);
                        if (end <= start) return;
                        span(Span{int(y), int(start), int(end - start), width, start - xl}, l->attr, r->attr);
                    });
}

// ---- the pixel loop -----------------------------------------------------------------

// Depth test: a pixel at depth value zv is drawn only where frame base + zv is strictly
// above the entry, which then takes that sum.
struct ZRun {
    uint32_t* entry;  // entry of the span's first pixel
    uint32_t zv;      // depth value of the first pixel
    uint32_t dz;      // per-pixel step
    uint32_t base;    // frame base
    void advance(int k) {
        zv += uint32_t(k) * dz;
        entry += k;
    }
};

// Shaders make the pixel value of each pixel, left to right: value(v) stores it and
// returns false for a pixel not to draw (a transparent texel); next() moves on one pixel,
// advance(k) k pixels (the 32-bit sums wrap, so this equals k calls of next()).
struct FlatShader {
    uint32_t value;
    bool pixel(uint32_t& v) const { return v = value, true; }
    void next() {}
    void advance(uint32_t) {}
};

template <class D>
struct GouraudShader {
    uint32_t r, g, b, dr, dg, db;  // 16.16
    bool pixel(uint32_t& v) const {
        if constexpr (D::bits == 16)
            v = ((r + 0x8000) >> 19 & 0x1F) << 11 | ((g + 0x8000) >> 18 & 0x3F) << 5 | ((b + 0x8000) >> 19 & 0x1F);
        else
            v = ((r + 0x8000) >> 16 & 0xFF) << 16 | ((g + 0x8000) >> 16 & 0xFF) << 8 | ((b + 0x8000) >> 16 & 0xFF);
        return true;
    }
    void next() { r += dr, g += dg, b += db; }
    void advance(uint32_t k) { r += k * dr, g += k * dg, b += k * db; }
};

// Texels are the pixels of the depth, except at 32 bits: three bytes blue, green, red.
template <class D>
struct Texel {
    static constexpr int bytes = D::bits == 32 ? 3 : D::bytes;
    static uint32_t load(const uint8_t* t) {
        if constexpr (D::bits == 32) return core::Depth24::load(t);
        else return D::load(t);
    }
};

// Texel (u >> 16, v >> 16) of the current texture, u and v stepping by du and dv. Clamp:
// the run may leave the texture, and each coordinate is held to its edge texel; without
// it the run was shown to stay inside.
template <class D, bool Clamp, bool Transparent>
struct TextureShader {
    const uint8_t* texels;
    int32_t width, height;
    uint32_t u, v, du, dv;
    bool pixel(uint32_t& out) const {
        int32_t tu = int32_t(u) >> 16, tv = int32_t(v) >> 16;
        if constexpr (Clamp) {
            tu = std::clamp(tu, 0, width - 1);
            tv = std::clamp(tv, 0, height - 1);
        }
        out = Texel<D>::load(texels + (uint32_t(tv) * uint32_t(width) + uint32_t(tu)) * uint32_t(Texel<D>::bytes));
        return !Transparent || out != 0;
    }
    void next() { u += du, v += dv; }
    void advance(uint32_t k) { u += k * du, v += k * dv; }
};

template <class D, bool Z, class Shader>
inline void span_loop(uint8_t* p, int count, ZRun z, Shader sh) {
    for (int i = 0; i < count; ++i, p += D::bytes) {
        uint32_t value;
        if constexpr (Z) {
            // Without branches on the test: depths of neighbouring polygons pass and fail
            // in no pattern a predictor could learn.
            const uint32_t stored = z.base + z.zv, old = *z.entry;
            const bool pass = sh.pixel(value) && stored > old;
            *z.entry = pass ? stored : old;
            D::store(p, pass ? value : D::load(p));
            z.zv += z.dz;
            ++z.entry;
        } else if (sh.pixel(value)) {
            D::store(p, value);
        }
        sh.next();
    }
}

}  // namespace raster
