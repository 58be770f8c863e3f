// Lines from the graphics cursor: solid, XOR and dashed, and closed polylines.
//
// A solid line is clipped first (Cohen-Sutherland, cut points truncated toward zero),
// then rasterized from its upper end with Bresenham's algorithm, x major on ties, with
// the pixel address carried from step to step; every pixel it reaches is inside the clip
// rectangle, so the loop tests nothing. A dashed line is not clipped or reoriented: it
// walks from the cursor to the target, and the 16-bit pattern decides pixel by pixel
// (bit 15 for the first pixel). Only its visible stretch is walked: the step range
// inside the clip rectangle is computed in closed form.
//
// Coordinates are 32-bit, but all differences and cut products are taken in 64 or 128
// bits, so every cut point is the exact truncated intersection whatever the end points,
// and no arithmetic can wrap into an address outside the buffer.
#include "draw/line.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "core/clip.h"
#include "core/color.h"
#include "core/int128.h"
#include "core/pixel.h"
#include "core/vbuf.h"
#include "core/world.h"
#include "draw/internal.h"
#include "draw/state.h"

namespace draw {
namespace {

using core::int128;

using core::ClipRect;

// 32-bit wrap-around addition, as the relative forms and offsets define it.
int wrap_add(int a, int b) { return int(uint32_t(a) + uint32_t(b)); }

// Outcode bits: 1 left of clip_minx, 2 above clip_miny, 4 right of clip_maxx, 8 below
// clip_maxy.
int outcode(int64_t x, int64_t y, const ClipRect& c) {
    return (x < c.minx ? 1 : 0) | (y < c.miny ? 2 : 0) | (x > c.maxx ? 4 : 0) | (y > c.maxy ? 8 : 0);
}

// a0 + ((a1 - a0) × (edge - b0)) / (b1 - b0), the quotient truncated toward zero. The
// edge lies between b0 and b1, so the result lies between a0 and a1.
int64_t cut(int64_t a0, int64_t a1, int64_t b0, int64_t b1, int64_t edge) {
    return a0 + int64_t(int128(a1 - a0) * (edge - b0) / (b1 - b0));
}

// Cohen-Sutherland against c (not empty). P0 is always the point moved, onto the first
// edge it lies beyond in the order left, top, right, bottom. Each pass clears one bit of
// P0's outcode or rejects, so a handful of passes suffice; the bound is a guard.
bool clip_segment(int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1, const ClipRect& c) {
    int c0 = outcode(x0, y0, c), c1 = outcode(x1, y1, c);
    for (int pass = 0; pass < 16; ++pass) {
        if ((c0 | c1) == 0) return true;
        if (c0 & c1) return false;
        if (c0 == 0) {
            std::swap(x0, x1);
            std::swap(y0, y1);
            std::swap(c0, c1);
        }
        if (c0 & 1) {
            y0 = cut(y0, y1, x0, x1, c.minx);
            x0 = c.minx;
        } else if (c0 & 2) {
            x0 = cut(x0, x1, y0, y1, c.miny);
            y0 = c.miny;
        } else if (c0 & 4) {
            y0 = cut(y0, y1, x0, x1, c.maxx);
            x0 = c.maxx;
        } else {
            x0 = cut(x0, x1, y0, y1, c.maxy);
            y0 = c.maxy;
        }
        c0 = outcode(x0, y0, c);
        c1 = outcode(x1, y1, c);
    }
    return false;
}

struct Store {
    template <class D> static void put(uint8_t* p, uint32_t v) { D::store(p, v); }
};
struct Xor {
    template <class D> static void put(uint8_t* p, uint32_t v) { core::xor_pixel<D>(p, v); }
};

// Bresenham from p over dmaj steps; major_step and minor_step are address steps. Both
// end points are drawn: dmaj + 1 pixels.
template <class D, class Op>
void bresenham(uint8_t* p, int64_t dmaj, int64_t dmin, ptrdiff_t major_step, ptrdiff_t minor_step, uint32_t v) {
    int64_t error = 2 * dmin - dmaj;
    const int64_t straight = 2 * dmin, diagonal = 2 * dmin - 2 * dmaj;
    const ptrdiff_t both = major_step + minor_step;
    for (int64_t i = 0; i < dmaj; ++i) {
        Op::template put<D>(p, v);
        if (error >= 0) {
            p += both;
            error += diagonal;
        } else {
            p += major_step;
            error += straight;
        }
    }
    Op::template put<D>(p, v);
}

// Dashed walk over pixels first..last of a Bresenham line whose pixel 0 is at p0 (that
// pixel's address is computed by the caller for pixel `first`); pixel i is drawn when
// bit 15 - (i mod 16) of the pattern is set.
template <class D>
void dash_walk(uint8_t* p, int64_t first, int64_t last, int64_t error, int64_t dmaj, int64_t dmin,
               ptrdiff_t major_step, ptrdiff_t minor_step, uint32_t pattern, uint32_t v) {
    const int64_t straight = 2 * dmin, diagonal = 2 * dmin - 2 * dmaj;
    const ptrdiff_t both = major_step + minor_step;
    for (int64_t i = first;; ++i) {
        if ((pattern >> (15 - (i & 15))) & 1) D::store(p, v);
        if (i == last) break;
        if (error >= 0) {
            p += both;
            error += diagonal;
        } else {
            p += major_step;
            error += straight;
        }
    }
}

int128 ceil_div(int128 a, int128 b) {  // b > 0
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

// Range of t in [0, limit] for which origin + sign × t lies in [lo, hi]; false if none.
bool axis_range(int64_t origin, int sign, int64_t lo, int64_t hi, int64_t limit, int64_t& t0, int64_t& t1) {
    if (sign > 0) {
        t0 = lo - origin;
        t1 = hi - origin;
    } else {
        t0 = origin - hi;
        t1 = origin - lo;
    }
    t0 = std::max<int64_t>(t0, 0);
    t1 = std::min(t1, limit);
    return t0 <= t1;
}

int set_cursor(int x, int y) {
    state().cursor_x = x;
    state().cursor_y = y;
    return 0;
}

int line_and_move(int x, int y, bool xor_mode) {
    clipped_line(state().cursor_x, state().cursor_y, x, y, xor_mode);
    return set_cursor(x, y);
}

// Dashed line from the cursor to (x, y), then the cursor moves there.
int dash_and_move(int x, int y, int pattern_arg) {
    const int64_t x0 = state().cursor_x, y0 = state().cursor_y;
    set_cursor(x, y);
    const uint32_t pattern = uint32_t(pattern_arg) & 0xFFFF;
    if (!core::has_active() || pattern == 0) return 0;
    const ClipRect c = core::drawing_clip();
    if (core::empty(c)) return 0;

    const int64_t dx = x > x0 ? x - x0 : x0 - x, dy = y > y0 ? y - y0 : y0 - y;
    const int sx = x < x0 ? -1 : 1, sy = y < y0 ? -1 : 1;
    const bool x_major = dx >= dy;
    const int64_t dmaj = x_major ? dx : dy, dmin = x_major ? dy : dx;
    const int64_t maj0 = x_major ? x0 : y0, min0 = x_major ? y0 : x0;
    const int smaj = x_major ? sx : sy, smin = x_major ? sy : sx;
    const int64_t maj_lo = x_major ? c.minx : c.miny, maj_hi = x_major ? c.maxx : c.maxy;
    const int64_t min_lo = x_major ? c.miny : c.minx, min_hi = x_major ? c.maxy : c.maxx;

    // Pixel i lies at major maj0 + smaj × i and minor min0 + smin × k(i), where
    // k(i) = floor((2 dmin i + dmaj) / (2 dmaj)) is the number of diagonal steps taken
    // before it. Both coordinates are monotone in i, so the visible pixels are one range.
    int64_t first, last, k_lo, k_hi;
    if (!axis_range(maj0, smaj, maj_lo, maj_hi, dmaj, first, last)) return 0;
    if (!axis_range(min0, smin, min_lo, min_hi, dmin, k_lo, k_hi)) return 0;
    if (dmin > 0) {
        if (k_lo > 0) first = std::max(first, int64_t(ceil_div(int128(2 * dmaj) * k_lo - dmaj, 2 * dmin)));
        if (k_hi < dmin) last = std::min(last, int64_t(ceil_div(int128(2 * dmaj) * (k_hi + 1) - dmaj, 2 * dmin) - 1));
    }
    if (first > last) return 0;

    const int128 k_first = dmaj > 0 ? (int128(2 * dmin) * first + dmaj) / (2 * dmaj) : 0;
    const int64_t error = int64_t(int128(2 * dmin) * (first + 1) - dmaj - int128(2 * dmaj) * k_first);
    const int64_t px = x_major ? maj0 + smaj * first : min0 + smin * int64_t(k_first);
    const int64_t py = x_major ? min0 + smin * int64_t(k_first) : maj0 + smaj * first;

    const core::ActiveBuffer& vb = core::active();
    uint8_t* p = core::pixel_address(vb, int(px), int(py));
    const ptrdiff_t bpp = core::bytes_per_pixel(vb.depth);
    const ptrdiff_t x_step = sx * bpp, y_step = sy > 0 ? -ptrdiff_t(vb.pitch) : ptrdiff_t(vb.pitch);
    core::with_depth(vb.depth, [&](auto d) {
        using D = decltype(d);
        dash_walk<D>(p, first, last, error, dmaj, dmin, x_major ? x_step : y_step, x_major ? y_step : x_step,
                     pattern, core::current_pixel<D>());
    });
    return 0;
}

}  // namespace

bool clip_line(int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1, const core::ClipRect& c) {
    return clip_segment(x0, y0, x1, y1, c);
}

LinePen::LinePen(bool xor_mode) {
    if (!core::has_active()) return;
    clip_ = core::drawing_clip();
    if (core::empty(clip_)) return;
    const core::ActiveBuffer& vb = core::active();
    pixels_ = vb.pixels, pitch_ = vb.pitch, height_ = vb.height;
    core::with_depth(vb.depth, [&](auto d) {
        using D = decltype(d);
        value_ = core::current_pixel<D>();
        draw_ = xor_mode ? draw<D, Xor> : draw<D, Store>;
    });
}

template <class D, class Op>
void LinePen::draw(const LinePen& pen, int x0, int y0, int x1, int y1) {
    int64_t ax = x0, ay = y0, bx = x1, by = y1;
    if ((outcode(ax, ay, pen.clip_) | outcode(bx, by, pen.clip_)) != 0 && !clip_segment(ax, ay, bx, by, pen.clip_)) return;
    if (by < ay) {  // rasterize from the upper end; a horizontal line keeps its order
        std::swap(ax, bx);
        std::swap(ay, by);
    }
    const int64_t dx = bx >= ax ? bx - ax : ax - bx, dy = by - ay;
    const ptrdiff_t x_step = (bx < ax ? -1 : 1) * ptrdiff_t(D::bytes);
    const ptrdiff_t y_step = -ptrdiff_t(pen.pitch_);  // one row down the screen is one pitch back in memory
    uint8_t* p = core::row_address(pen.pixels_, pen.pitch_, pen.height_, int(ay)) + ptrdiff_t(ax) * D::bytes;
    if (dx >= dy) bresenham<D, Op>(p, dx, dy, x_step, y_step, pen.value_);
    else bresenham<D, Op>(p, dy, dx, y_step, x_step, pen.value_);
}

void clipped_line(int x0, int y0, int x1, int y1, bool xor_mode) { LinePen(xor_mode).line(x0, y0, x1, y1); }

int move(int x, int y) { return set_cursor(x, y); }
int move_rel(int dx, int dy) { return set_cursor(wrap_add(state().cursor_x, dx), wrap_add(state().cursor_y, dy)); }

int move_world(double x, double y) {
    core::world().cursor_x = x;
    core::world().cursor_y = y;
    return set_cursor(core::x_screen(x), core::y_screen(y));
}

int move_rel_world(double dx, double dy) {
    return move_world(core::world().cursor_x + dx, core::world().cursor_y + dy);
}

int line_to(int x, int y) { return line_and_move(x, y, false); }
int line_xor(int x, int y) { return line_and_move(x, y, true); }
int line_rel(int dx, int dy) { return line_to(wrap_add(state().cursor_x, dx), wrap_add(state().cursor_y, dy)); }
int line_rel_xor(int dx, int dy) { return line_xor(wrap_add(state().cursor_x, dx), wrap_add(state().cursor_y, dy)); }

int line_world(double x, double y) {
    core::world().cursor_x = x;
    core::world().cursor_y = y;
    return line_to(core::x_screen(x), core::y_screen(y));
}

int line_rel_world(double dx, double dy) {
    return line_world(core::world().cursor_x + dx, core::world().cursor_y + dy);
}

int line_xor_world(double x, double y) {
    core::world().cursor_x = x;
    core::world().cursor_y = y;
    return line_xor(core::x_screen(x), core::y_screen(y));
}

int line_rel_xor_world(double dx, double dy) {
    return line_xor_world(core::world().cursor_x + dx, core::world().cursor_y + dy);
}

int dash(int x, int y, int pattern) { return dash_and_move(x, y, pattern); }
int dash_rel(int dx, int dy, int pattern) {
    return dash(wrap_add(state().cursor_x, dx), wrap_add(state().cursor_y, dy), pattern);
}

int dash_world(double x, double y, int pattern) {
    core::world().cursor_x = x;
    core::world().cursor_y = y;
    return dash(core::x_screen(x), core::y_screen(y), pattern);
}

int dash_rel_world(double dx, double dy, int pattern) {
    return dash_world(core::world().cursor_x + dx, core::world().cursor_y + dy, pattern);
}

int polyline(const int* vertices, int n) {
    if (!vertices || n <= 0) return 0;
    const DrawState& s = state();
    const int x0 = wrap_add(vertices[0], s.poly_offset_x), y0 = wrap_add(vertices[1], s.poly_offset_y);
    set_cursor(x0, y0);
    for (int k = 1; k < n; ++k)
        line_to(wrap_add(vertices[2 * size_t(k)], s.poly_offset_x), wrap_add(vertices[2 * size_t(k) + 1], s.poly_offset_y));
    return line_to(x0, y0);
}

}  // namespace draw
