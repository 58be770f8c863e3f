// Polygons: outlines drawn with the line routine, convex fills from the two-chain edge
// walker (one span per row, end exclusive, the right chain's pixel included only when
// poly_edge is 0), and the matching point test. The polygon offsets of rs_polyoff are
// added to the vertices of fills and point tests (and of rs_polyline), not to outlines.
#include "draw/polygon.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "core/clip.h"
#include "core/color.h"
#include "core/int128.h"
#include "core/pixel.h"
#include "core/vbuf.h"
#include "draw/edge_walker.h"
#include "draw/line.h"
#include "draw/pattern.h"
#include "draw/state.h"

namespace draw {
namespace {

using core::int128;

// The polygon faces the viewer when its first two and last vertices run clockwise on the
// screen (y down). Products are exact, so no coordinates can flip the answer by wrapping.
bool faces_viewer(const VertexList& p) {
    const int l = p.n - 1;
    const int128 cross = int128(p.x(1) - p.x(0)) * (p.y(l) - p.y(0)) - int128(p.y(1) - p.y(0)) * (p.x(l) - p.x(0));
    return cross > 0;
}

}  // namespace

int polygon(const int* x, const int* y, int n) {
    if (!x || !y || n <= 0) return 0;
    move(x[0], y[0]);
    for (int i = 1; i < n; ++i) line_to(x[i], y[i]);
    return line_to(x[0], y[0]);
}

int polygon_world(const double* x, const double* y, int n) {
    if (!x || !y || n <= 0) return 0;
    move_world(x[0], y[0]);
    for (int i = 1; i < n; ++i) line_world(x[i], y[i]);
    return line_world(x[0], y[0]);
}

int poly_fill(const int* vertices, int* /*work*/, int n) {
    if (!core::has_active() || !vertices || n == INT_MIN) return 0;
    const bool cull = n < 0;
    const VertexList p{vertices, cull ? -n : n};
    if (p.n < 2) return 0;
    if (cull && !faces_viewer(p)) return 0;

    int top, bottom;
    top_and_bottom(p, top, bottom);
    if (p.y(top) == p.y(bottom)) return 0;
    const DrawState& s = state();
    const core::ClipRect c = core::drawing_clip();
    const int64_t top_row = p.y(top) + s.poly_offset_y, bottom_row = p.y(bottom) + s.poly_offset_y;
    if (core::empty(c) || top_row > c.maxy || bottom_row < c.miny) return 0;

    const int64_t adj = s.poly_edge ^ 1, offset_x = s.poly_offset_x;
    const core::ActiveBuffer& vb = core::active();
    const uint32_t value = core::color().color_value;
    EdgeChain<> a, b;
    core::with_depth(vb.depth, [&](auto d) {
        using D = decltype(d);
        walk_rows(p, top, bottom, top_row, std::max<int64_t>(top_row, c.miny), c.maxy, a, b,
                  [&](int64_t y, const EdgeChain<>& ca, const EdgeChain<>& cb) {
                      const int64_t xa = ca.x, xb = cb.x + adj;
                      int64_t start = std::min(xa, xb) + offset_x;
                      int64_t end = start + (xb > xa ? xb - xa : xa - xb);  // exclusive
                      start = std::max<int64_t>(start, c.minx);
                      end = std::min<int64_t>(end, int64_t(c.maxx) + 1);
                      if (start >= end) return;
                      shape_span<D>(core::pixel_address(vb, int(start), int(y)), int(end - start), value);
                  });
    });
    return 0;
}

int poly_edge(int flag) {
    state().poly_edge = flag;
    return 0;
}

int poly_offset(int dx, int dy) {
    state().poly_offset_x = dx;
    state().poly_offset_y = dy;
    return 0;
}

int inside(const int* vertices, int n, int x_arg, int y_arg) {
    if (!vertices || n < 2) return 0;
    const DrawState& s = state();
    const VertexList p{vertices, n};
    const int64_t x = int64_t(x_arg) - s.poly_offset_x, y = int64_t(y_arg) - s.poly_offset_y;
    int top, bottom;
    top_and_bottom(p, top, bottom);
    if (p.y(top) == p.y(bottom)) return 0;
    const int64_t adj = s.poly_edge ^ 1;
    if (y < p.y(top) || y + adj > p.y(bottom)) return 0;

    EdgeChain<> a, b;
    a.direction = -1;
    b.direction = +1;
    if (!a.setup(p, top, bottom) || !b.setup(p, top, bottom)) return 0;
    // A chain that finishes on the way keeps the x of its last row.
    a.skip_rows(p, bottom, y - p.y(top));
    b.skip_rows(p, bottom, y - p.y(top));
    const int64_t xl = std::min(a.x, b.x), xr = std::max(a.x, b.x);
    return xl <= x && x <= xr - s.poly_edge ? 1 : 0;
}

}  // namespace draw
