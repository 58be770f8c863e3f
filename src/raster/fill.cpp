// The fills of the scan converter (scan.h): each names its attributes, how a span turns
// them into a run of the pixel loop, and whether both windings are drawn.
#include "raster/fill.h"

#include <cmath>
#include <cstddef>
#include <cstring>

#include "core/color.h"
#include "raster/scan.h"
#include "raster/span_avx2.h"
#include "raster/texture.h"
#include "raster/zbuffer.h"

namespace raster {
namespace {

// ---- vertex attributes ----------------------------------------------------------------

uint32_t vertex_depth(const Sources& s, int i) { return depth_value(s.xyz[3 * size_t(i) + 2]); }

struct DepthOnly {
    static void load(const Sources& s, int i, int32_t* out) { out[0] = int32_t(vertex_depth(s, i)); }
};

// Colour bytes as 16.16, then (with Z) the depth value.
template <bool Z>
struct Colour {
    static void load(const Sources& s, int i, int32_t* out) {
        const unsigned char* c = s.rgb + 3 * size_t(i);
        for (int k = 0; k < 3; ++k) out[k] = int32_t(uint32_t(c[k]) << 16);
        if constexpr (Z) out[3] = int32_t(vertex_depth(s, i));
    }
};

// Texture coordinate k (0: u, 1: v) of vertex i, in texels.
double coordinate(const Sources& s, int i, int k) {
    const uint8_t* p = static_cast<const uint8_t*>(s.uv) + 8 * size_t(i) + 4 * size_t(k);
    if (s.float_uv) {
        float f;
        std::memcpy(&f, p, 4);
        return double(f);
    }
    int32_t c;
    std::memcpy(&c, p, 4);
    return double(c);
}

// x · 65536 rounded to nearest (or truncated), held to the 32-bit range; a NaN gives 0.
int32_t fixed16(double x, bool truncate = false) {
    double f = x * 65536.0;
    f = truncate ? std::trunc(f) : std::rint(f);
    if (!(f == f)) return 0;
    return int32_t(std::clamp(f, -2147483648.0, 2147483647.0));
}

// Affine texture coordinates as 16.16 (integers shifted, wrapping in 32 bits), then
// (with Z) the depth value.
template <bool Z>
struct Coordinates {
    static void load(const Sources& s, int i, int32_t* out) {
        for (int k = 0; k < 2; ++k) {
            if (s.float_uv) {
                out[k] = fixed16(coordinate(s, i, k), s.truncate_uv);
            } else {
                int32_t c;
                std::memcpy(&c, static_cast<const uint8_t*>(s.uv) + 8 * size_t(i) + 4 * size_t(k), 4);
                out[k] = int32_t(uint32_t(c) << 16);
            }
        }
        if constexpr (Z) out[2] = int32_t(vertex_depth(s, i));
    }
};

// u·w, v·w and w = |1/z|, for perspective-correct mapping.
struct Homogeneous {
    static void load(const Sources& s, int i, double* out) {
        const double w = std::fabs(1.0 / s.xyz[3 * size_t(i) + 2]);
        out[0] = coordinate(s, i, 0) * w;
        out[1] = coordinate(s, i, 1) * w;
        out[2] = w;
    }
};

// Start values and per-pixel steps of a span's integer attributes, the start advanced past
// the clipped pixels.
template <class E>
void span_values(const Span& sp, const E& l, const E& r, int32_t* start, int32_t* step) {
    for (int k = 0; k < E::count; ++k) {
        step[k] = step_of(l.v[k], r.v[k], sp.width);
        start[k] = wrap_add(l.v[k], wrap_mul(step[k], sp.advance));
    }
}

// Where a fill draws: the active buffer and, with depth, the bound z-buffer and the frame
// base. A depth-tested fill without a usable z-buffer (entries nullptr) draws nothing.
struct Target {
    const core::ActiveBuffer& vb = core::active();
    uint32_t* entries;
    uint32_t base = zstate().base;
    explicit Target(bool z) : entries(z ? bound_entries() : nullptr) {}
    // Spans come row after row down the picture, and the next one mostly lies under this
    // one: its pixels and entries are fetched while this span is drawn.
    [[gnu::always_inline]] uint8_t* pixel(const Span& sp) const {
        uint8_t* p = core::pixel_address(vb, sp.x, sp.y);
        prefetch_below(p, vb.pitch, sp.count * (vb.depth / 8));
        return p;
    }
    [[gnu::always_inline]] ZRun z(const Span& sp, uint32_t zv, uint32_t dz) const {
        uint32_t* e = entries ? entry_address(entries, sp.x, sp.y) : nullptr;
        if (e) prefetch_below(e, vb.width * 4, sp.count * 4);
        return {e, zv, dz, base};
    }
    static void prefetch_below(const void* p, int pitch, int bytes) {
        const uintptr_t below = reinterpret_cast<uintptr_t>(p) - uintptr_t(pitch);
        __builtin_prefetch(reinterpret_cast<const void*>(below), 1);
        __builtin_prefetch(reinterpret_cast<const void*>(below + uintptr_t(bytes)), 1);
    }
};

// ---- texels ------------------------------------------------------------------------

// Whether a + k·d stays in [0, size · 65536) for k = 0 .. count - 1. Then the 32-bit sums
// of the pixel loop never wrap and every texel read lies inside the texture.
bool stays_inside(int32_t a, int32_t d, int count, int size) {
    const int64_t first = a, last = first + int64_t(d) * (count - 1), limit = int64_t(size) << 16;
    return first >= 0 && last >= 0 && first < limit && last < limit;
}

template <class D, bool Z>
[[gnu::always_inline]] inline void texel_run(uint8_t* p, int count, ZRun z, const TextureRecord& t, bool transparent, int32_t u, int32_t v,
               int32_t du, int32_t dv) {
    const bool inside = stays_inside(u, du, count, t.width) && stays_inside(v, dv, count, t.height);
    const uint32_t uu = uint32_t(u), vv = uint32_t(v), dux = uint32_t(du), dvx = uint32_t(dv);
    if (inside && !transparent)
        run_span<D, Z>(p, count, z, TextureShader<D, false, false>{t.texels, t.width, t.height, uu, vv, dux, dvx});
    else if (inside)
        run_span<D, Z>(p, count, z, TextureShader<D, false, true>{t.texels, t.width, t.height, uu, vv, dux, dvx});
    else if (!transparent)
        run_span<D, Z>(p, count, z, TextureShader<D, true, false>{t.texels, t.width, t.height, uu, vv, dux, dvx});
    else
        run_span<D, Z>(p, count, z, TextureShader<D, true, true>{t.texels, t.width, t.height, uu, vv, dux, dvx});
}

// Depth value w · 2^24 and steps d_w · 2^24 of perspective mapping, rounded and held to
// the 32-bit range.
uint32_t depth_of_w(double w) {
    const double f = std::rint(w * 16777216.0);
    return f == f ? uint32_t(std::clamp(f, 0.0, 4294967295.0)) : 0;
}
int32_t depth_step_of_w(double dw) {
    const double f = std::rint(dw * 16777216.0);
    return f == f ? int32_t(std::clamp(f, -2147483648.0, 2147483647.0)) : 0;
}

template <bool Z>
void affine(const int* xy, const void* uv, const double* xyz, int n, bool both) {
    const TextureState& ts = textures();
    const TextureRecord tex = ts.current;
    if (!uv || !tex.texels || (Z && !xyz)) return;
    const Target t(Z);
    if (Z && !t.entries) return;
    const Sources src{nullptr, xyz, uv, ts.units != 0, Z};
    const bool transparent = ts.transparency != 0;
    using E = IntEdge<Z ? 3 : 2, Coordinates<Z>>;
    core::with_depth(t.vb.depth, [&](auto d) {
        using D = decltype(d);
        scan<E>(xy, n, src, both, [&](const Span& sp, const E& l, const E& r) {
            int32_t a[E::count], s[E::count];
            span_values(sp, l, r, a, s);
            const int32_t u = wrap_add(a[0], wrap_add(s[0] >> 1, 0x8000));
            const int32_t v = wrap_add(a[1], wrap_add(s[1] >> 1, 0x8000));
            texel_run<D, Z>(t.pixel(sp), sp.count, t.z(sp, uint32_t(a[E::count - 1]), uint32_t(s[E::count - 1])), tex,
                            transparent, u, v, s[0], s[1]);
        });
    });
}

template <bool Z>
void perspective(const int* xy, const void* uv, const double* xyz, int n, bool both) {
    const TextureState& ts = textures();
    const TextureRecord tex = ts.current;
    if (!uv || !xyz || !tex.texels) return;
    const Target t(Z);
    if (Z && !t.entries) return;
    const Sources src{nullptr, xyz, uv, ts.units != 0, false};
    const bool transparent = ts.transparency != 0;
    const int run = std::max(ts.run, 1);
    using E = FloatEdge<3, Homogeneous>;
    core::with_depth(t.vb.depth, [&](auto d) {
        using D = decltype(d);
        scan<E>(xy, n, src, both, [&](const Span& sp, const E& l, const E& r) {
            double a[3], step[3], whole[3], part[3];
            const double inv = 1.0 / double(sp.width);
            for (int k = 0; k < 3; ++k) {
                step[k] = (r.v[k] - l.v[k]) * inv;
                whole[k] = step[k] * double(run);
                a[k] = l.v[k] + step[k] * double(sp.advance);
            }
            uint8_t* p = t.pixel(sp);
            ZRun z = t.z(sp, 0, Z ? uint32_t(depth_step_of_w(step[2])) : 0);
            // Each run ends where the next starts: its end point, divided once, serves both.
            double u0 = a[0] / a[2], v0 = a[1] / a[2];
            for (int left = sp.count; left > 0;) {
                const int count = left <= run ? left : run;
                const double* delta = whole;
                if (left <= run) {
                    for (int k = 0; k < 3; ++k) part[k] = step[k] * double(count);
                    delta = part;
                }
                const double w0 = a[2];
                for (int k = 0; k < 3; ++k) a[k] += delta[k];
                const double u1 = a[0] / a[2], v1 = a[1] / a[2];
                const int32_t du = fixed16((u1 - u0) / count), dv = fixed16((v1 - v0) / count);
                const int32_t u = wrap_add(fixed16(u0), wrap_add(du >> 1, 0x8000));
                const int32_t v = wrap_add(fixed16(v0), wrap_add(dv >> 1, 0x8000));
                if constexpr (Z) z.zv = depth_of_w(w0);
                texel_run<D, Z>(p, count, z, tex, transparent, u, v, du, dv);
                p += ptrdiff_t(count) * D::bytes;
                if constexpr (Z) z.entry += count;
                u0 = u1, v0 = v1;
                left -= count;
            }
        });
    });
}

template <bool Z>
void shade(const int* xy, const unsigned char* rgb, const double* xyz, int n) {
    if (!rgb || (Z && !xyz) || core::active().depth == 8) return;
    const Target t(Z);
    if (Z && !t.entries) return;
    const Sources src{rgb, xyz, nullptr, false, false};
    using E = IntEdge<Z ? 4 : 3, Colour<Z>>;
    core::with_depth(t.vb.depth, [&](auto d) {
        using D = decltype(d);
        if constexpr (D::bits != 8) {
            scan<E>(xy, n, src, Z, [&](const Span& sp, const E& l, const E& r) {
                int32_t a[E::count], s[E::count];
                span_values(sp, l, r, a, s);
                const GouraudShader<D> sh{uint32_t(a[0]), uint32_t(a[1]), uint32_t(a[2]),
                                          uint32_t(s[0]), uint32_t(s[1]), uint32_t(s[2])};
                run_span<D, Z>(t.pixel(sp), sp.count, t.z(sp, uint32_t(a[E::count - 1]), uint32_t(s[E::count - 1])), sh);
            });
        }
    });
}

}  // namespace

int polyfill_z(const int* xy, const double* xyz, int n) {
    if (!xyz) return 0;
    const Target t(true);
    if (!t.entries) return 0;
    const Sources src{nullptr, xyz, nullptr, false, false};
    const uint32_t value = core::color().color_value;
    using E = IntEdge<1, DepthOnly>;
    core::with_depth(t.vb.depth, [&](auto d) {
        using D = decltype(d);
        scan<E>(xy, n, src, true, [&](const Span& sp, const E& l, const E& r) {
            int32_t a[1], s[1];
            span_values(sp, l, r, a, s);
            run_span<D, true>(t.pixel(sp), sp.count, t.z(sp, uint32_t(a[0]), uint32_t(s[0])),
                               FlatShader{core::pixel_of<D>(value)});
        });
    });
    return 0;
}

int gouraud(const int* xy, const unsigned char* rgb, int n) { return shade<false>(xy, rgb, nullptr, n), 0; }
int gouraud_z(const int* xy, const unsigned char* rgb, const double* xyz, int n) { return shade<true>(xy, rgb, xyz, n), 0; }
int texmap(const int* xy, const void* uv, int n) { return affine<false>(xy, uv, nullptr, n, false), 0; }
int texmap_z(const int* xy, const void* uv, const double* xyz, int n) { return affine<true>(xy, uv, xyz, n, true), 0; }
int texmap_p(const int* xy, const void* uv, const double* xyz, int n) { return perspective<false>(xy, uv, xyz, n, false), 0; }
int texmap_pz(const int* xy, const void* uv, const double* xyz, int n) { return perspective<true>(xy, uv, xyz, n, true), 0; }

}  // namespace raster
