// World window, world cursor, viewport and the stroke-text settings kept beside them.
#pragma once

#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace core {

struct WorldState {
    double minx = 0.0, maxx = 0.0, miny = 0.0, maxy = 0.0;  // the world window
    double cursor_x = 0.0, cursor_y = 0.0;                  // the world cursor
    double text_ratio = 0.0, text_size = 0.0, text_angle = 0.0;
};

struct Viewport {
    int view_minx = 0, view_maxx = 0, view_miny = 0, view_maxy = 0;
    int port_minx = 0, port_maxx = 0, port_miny = 0, port_maxy = 0;
    int view_width = 0, view_height = 0, port_width = 0, port_height = 0;
};

inline WorldState& world() {
    static WorldState w;
    return w;
}

inline Viewport& viewport() {
    static Viewport v;
    return v;
}

}  // namespace core

namespace core {

// ---- world to screen: the rule every `w` variant uses -----------------------------------
// Conversions are evaluated in extended precision in the order written and truncated
// toward zero. A result that is not a number or does not fit 32 bits becomes INT_MIN,
// which lies outside every buffer, so drawing clips it away.
int x_screen(double x);   // trunc(maxx × ((x − world_minx) / (world_maxx − world_minx)) + 0.5)
int y_screen(double y);   // trunc(maxy × ((world_maxy − y) / (world_maxy − world_miny)) + 0.5)
// trunc(m × ((a − b) / (c − d)) + 0.5) in extended precision, the rule above; kept out of
// line so that the quick path below holds its values in SSE registers rather than on the
// x87 stack.
[[gnu::noinline]] int extended_scale_truncated(int m, double a, double b, double c, double d);

// The same value with scale = m / (c − d) in double precision. The double result comes
// out within a few units in the last place of the extended one: five roundings of at most
// 2^-53 each, under 2^-20 below 2^30. When no integer lies within 2^-16 of the double
// result, its truncation is that of the extended one, and the x87 division and
// control-word switch are skipped. Results that are not finite, large or near an integer
// take the extended path.
inline int scale_truncated(int m, double scale, double a, double b, double c, double d) {
    const double t = (a - b) * scale + 0.5;
    if (std::isnormal(scale) && std::fabs(t) < 0x1p30) {
        const int64_t low = int64_t(t - 0x1p-16), high = int64_t(t + 0x1p-16);  // both truncated
        if (low == high) return int(low);
    }
    return extended_scale_truncated(m, a, b, c, d);
}

// The same rule with the window and its scales taken once, for callers that convert many
// points while neither the window nor the active buffer changes.
struct ScreenMap {
    int maxx, maxy;
    double x_scale, y_scale;
    double minx, max_x, miny, max_y;  // the world window
    int x(double wx) const { return scale_truncated(maxx, x_scale, wx, minx, max_x, minx); }
    int y(double wy) const { return scale_truncated(maxy, y_scale, max_y, wy, max_y, miny); }
    // x(wx) and y(wy) together: where the processor has two-lane vectors, both quick
    // paths at once with the same operations (a result under 2^30 truncates to 32 bits
    // as to 64), and the two calls above whenever either would leave its quick path.
    void point(double wx, double wy, int& sx, int& sy) const {
#if defined(__SSE2__)
        point(_mm_set_pd(wy, wx), sx, sy);
#else
        sx = x(wx), sy = y(wy);
#endif
    }
#if defined(__SSE2__)
    // The same for the point (lane 0, lane 1).
    void point(__m128d at, int& sx, int& sy) const {
        if (std::isnormal(x_scale) && std::isnormal(y_scale)) {
            const __m128d from = _mm_move_sd(_mm_set1_pd(max_y), at), to = _mm_move_sd(at, _mm_set1_pd(minx));
            const __m128d t = _mm_add_pd(_mm_mul_pd(_mm_sub_pd(from, to), _mm_set_pd(y_scale, x_scale)), _mm_set1_pd(0.5));
            const __m128d size = _mm_andnot_pd(_mm_set1_pd(-0.0), t);
            const __m128d near = _mm_set1_pd(0x1p-16);
            const __m128i low = _mm_cvttpd_epi32(_mm_sub_pd(t, near)), high = _mm_cvttpd_epi32(_mm_add_pd(t, near));
            if (_mm_movemask_pd(_mm_cmplt_pd(size, _mm_set1_pd(0x1p30))) == 3 &&
                (_mm_movemask_epi8(_mm_cmpeq_epi32(low, high)) & 0xFF) == 0xFF) {
                sx = _mm_cvtsi128_si32(low);
                sy = _mm_cvtsi128_si32(_mm_shuffle_epi32(low, 1));
                return;
            }
        }
        sx = x(_mm_cvtsd_f64(at)), sy = y(_mm_cvtsd_f64(_mm_unpackhi_pd(at, at)));
    }
#endif
};

ScreenMap screen_map();
double x_world(int x);
double y_world(int y);
// A length (radius, semi-axis) along x or y: scaled by the buffer's width or height.
int x_length(double length);
int y_length(double length);

// The world extent of a screen distance along x or y, the inverse of x_length/y_length:
// pixels × (world width) / (buffer width). 0 before a world window is set.
double x_convert(int pixels);
double y_convert(int pixels);

struct ScreenRect {
    int minx, maxx, miny, maxy;
};
// A world rectangle as a screen rectangle: the larger world y is the smaller screen y.
inline ScreenRect screen_rect(double minx, double maxx, double miny, double maxy) {
    return {x_screen(minx), x_screen(maxx), y_screen(maxy), y_screen(miny)};
}

int init_world();
int set_world(double minx, double maxx, double miny, double maxy);
int get_world(double* minx, double* maxx, double* miny, double* maxy);

int set_view(int view_minx, int view_maxx, int view_miny, int view_maxy, int port_minx, int port_maxx,
             int port_miny, int port_maxy);
int get_view(int* view_minx, int* view_maxx, int* view_miny, int* view_maxy, int* port_minx, int* port_maxx,
             int* port_miny, int* port_maxy);
int x_view(int x);
int y_view(int y);

int set_angle(double degrees);
int set_ratio(double ratio);
int set_size_world(double size);
int set_size(int pixels);

}  // namespace core
