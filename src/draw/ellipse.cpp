// Circles, ellipses and arcs. Every shape is centred on the graphics cursor and traced by
// one midpoint boundary generator (ellipse.h): the outline plots the four mirror images
// of each boundary point, the filled form fills the span between the mirror images on
// the rows above and below the centre, and an arc is the outline drawn once per quadrant
// it crosses with the clip rectangle narrowed to that quadrant's part of the arc. The
// arc's end points come from the 16.16 angle lookup (services/angle.h).
#include "draw/ellipse.h"

#include <algorithm>
#include <climits>

#include "core/clip.h"
#include "core/color.h"
#include "core/pixel.h"
#include "core/vbuf.h"
#include "core/world.h"
#include "draw/pattern.h"
#include "draw/state.h"
#include "services/angle.h"

namespace draw {
namespace {

bool valid_semi_axis(int v) { return v > 0 && v <= max_semi_axis; }

// Whether the bounding box of the shape centred on (cx, cy) meets the rectangle. Offsets
// are added in 64 bits: a centre near the end of the int range must not wrap.
bool box_meets(const core::ClipRect& c, int cx, int cy, int a, int b) {
    return int64_t(cx) - a <= c.maxx && int64_t(cx) + a >= c.minx && int64_t(cy) - b <= c.maxy &&
           int64_t(cy) + b >= c.miny;
}

template <class D>
void outline(const core::ActiveBuffer& vb, const core::ClipRect& c, int cx, int cy, int a, int b) {
    const uint32_t value = core::current_pixel<D>();
    auto plot_row = [&](int64_t row, int64_t x_left, int64_t x_right) {
        if (row < c.miny || row > c.maxy) return;
        uint8_t* p = core::row_address(vb, int(row));
        if (x_left >= c.minx && x_left <= c.maxx) D::store(p + x_left * D::bytes, value);
        if (x_right >= c.minx && x_right <= c.maxx) D::store(p + x_right * D::bytes, value);
    };
    midpoint_boundary(a, b, [&](int x, int y) {
        plot_row(int64_t(cy) - y, int64_t(cx) - x, int64_t(cx) + x);
        plot_row(int64_t(cy) + y, int64_t(cx) - x, int64_t(cx) + x);
    });
}

// While the slope is shallow the generator emits each row several times with growing x.
// The spans share the centre, so the widest covers the others: only the last point of
// each row is filled, which writes the same pixels with a fraction of the stores.
template <class D>
void filled(const core::ActiveBuffer& vb, const core::ClipRect& c, int cx, int cy, int a, int b) {
    const uint32_t pattern = core::color().color_value;
    auto fill_row = [&](int64_t row, int x) {
        if (row < c.miny || row > c.maxy) return;
        const int64_t x0 = std::max<int64_t>(int64_t(cx) - x, c.minx);
        const int64_t x1 = std::min<int64_t>(int64_t(cx) + x, c.maxx);
        if (x0 > x1) return;
        shape_span<D>(core::row_address(vb, int(row)) + x0 * D::bytes, int(x1 - x0 + 1), pattern);
    };
    auto fill_rows = [&](int x, int y) {
        fill_row(int64_t(cy) - y, x);
        if (y != 0) fill_row(int64_t(cy) + y, x);
    };
    int row_x = 0, row_y = -1;  // the row being widened; -1 before the first point
    midpoint_boundary(a, b, [&](int x, int y) {
        if (y != row_y && row_y >= 0) fill_rows(row_x, row_y);
        row_x = x;
        row_y = y;
    });
    fill_rows(row_x, row_y);
}

// Draws the outline or the filled shape, clipped to the clip rectangle cut to the buffer.
int draw_shape(int a, int b, bool fill) {
    if (!core::has_active() || !valid_semi_axis(a) || !valid_semi_axis(b)) return 0;
    const core::ClipRect c = core::drawing_clip();
    const DrawState& s = state();
    if (core::empty(c) || !box_meets(c, s.cursor_x, s.cursor_y, a, b)) return 0;
    const core::ActiveBuffer& vb = core::active();
    core::with_depth(vb.depth, [&](auto d) {
        if (fill)
            filled<decltype(d)>(vb, c, s.cursor_x, s.cursor_y, a, b);
        else
            outline<decltype(d)>(vb, c, s.cursor_x, s.cursor_y, a, b);
    });
    return 0;
}

int saturate(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// The circle point at angle t: (cx + R(cos t), cy − R(sin t)) with R(v) the 16.16 product
// r·v rounded to the nearest pixel, halves upward. The product is formed in 64 bits, which
// a radius of up to 46340 times 65536 needs.
struct ArcPoint {
    int64_t x, y;
};
ArcPoint arc_point(int cx, int cy, int r, int t) {
    const services::CosSin<int32_t> v = services::angle_fx16(t);
    return {cx + ((int64_t(r) * v.cos + 32768) >> 16), cy - ((int64_t(r) * v.sin + 32768) >> 16)};
}

}  // namespace

int ellipse(int a, int b) { return draw_shape(a, b, false); }
int ellipse_filled(int a, int b) { return draw_shape(a, b, true); }
int circle(int r) { return draw_shape(r, r, false); }
int circle_filled(int r) { return draw_shape(r, r, true); }

// Within one quadrant the arc is monotone in x and y, so the box spanned by the end points
// of its part in that quadrant holds exactly that part of the circle. Each segment ends a
// tenth of a degree short of the quadrant boundary, where the next segment begins.
int arc(int r, int start, int end) {
    if (!core::has_active() || !valid_semi_axis(r)) return 0;
    if (start < 0 || start >= services::full_turn || end < 0 || end > services::full_turn) return 0;
    if (start > end) end += services::full_turn;  // through angle 0
    const DrawState& s = state();
    const int cx = s.cursor_x, cy = s.cursor_y;
    int q = start / services::quarter_turn;
    int a = start;
    while (a <= end) {
        const int e = std::min(end, (q + 1) * services::quarter_turn - 1);
        const ArcPoint p0 = arc_point(cx, cy, r, a), p1 = arc_point(cx, cy, r, e);
        // The library's clip rectangle is narrowed for the segment and put back after it;
        // the buffer's own copy is left alone.
        core::ClipRect& clip = core::clip();
        const core::ClipRect saved = clip;
        clip.minx = saturate(std::max<int64_t>(clip.minx, std::min(p0.x, p1.x)));
        clip.maxx = saturate(std::min<int64_t>(clip.maxx, std::max(p0.x, p1.x)));
        clip.miny = saturate(std::max<int64_t>(clip.miny, std::min(p0.y, p1.y)));
        clip.maxy = saturate(std::min<int64_t>(clip.maxy, std::max(p0.y, p1.y)));
        circle(r);
        clip = saved;
        if (q < 3) {
            ++q;
            a = q * services::quarter_turn;
        } else {
            q = 0;
            a = 0;
            end -= services::full_turn;
        }
    }
    return 0;
}

// World lengths scale by the buffer's width along x and its height along y; circles and
// arcs take x alone so that they stay round in pixels.
int ellipse_world(double a, double b) { return ellipse(core::x_length(a), core::y_length(b)); }
int ellipse_filled_world(double a, double b) { return ellipse_filled(core::x_length(a), core::y_length(b)); }
int circle_world(double r) { return circle(core::x_length(r)); }
int circle_filled_world(double r) { return circle_filled(core::x_length(r)); }
int arc_world(double r, int start, int end) { return arc(core::x_length(r), start, end); }

}  // namespace draw
