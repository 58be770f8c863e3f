// The depth-tested line: the solid line's clipping, orientation from the upper end and
// Bresenham steps, with a depth value stepped along it. The depth slope is fixed before
// clipping, per pixel along the line's longer axis; clipped ends move along it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "core/clip.h"
#include "core/color.h"
#include "core/pixel.h"
#include "core/vbuf.h"
#include "draw/internal.h"
#include "draw/state.h"
#include "raster/fill.h"
#include "raster/scan.h"
#include "raster/zbuffer.h"

namespace raster {
namespace {

struct Walk {
    ptrdiff_t pixel, entry;  // address steps
    uint32_t depth;          // depth value step
};

// dmaj + 1 pixels from p; every step moves along `major`, diagonal ones along `minor` too.
template <class D>
void depth_line(uint8_t* p, uint32_t* e, int64_t dmaj, int64_t dmin, Walk major, Walk minor, uint32_t zv,
                uint32_t base, uint32_t v) {
    int64_t error = 2 * dmin - dmaj;
    const int64_t straight = 2 * dmin, diagonal = 2 * dmin - 2 * dmaj;
    for (int64_t i = 0;; ++i) {
        const uint32_t stored = base + zv;
        if (stored > *e) {
            *e = stored;
            D::store(p, v);
        }
        if (i == dmaj) break;
        p += major.pixel, e += major.entry, zv += major.depth;
        if (error >= 0) {
            p += minor.pixel, e += minor.entry, zv += minor.depth;
            error += diagonal;
        } else {
            error += straight;
        }
    }
}

int64_t distance(int64_t a, int64_t b) { return a > b ? a - b : b - a; }

}  // namespace

int draw_z(int x, int y, double zstart, double zend) {
    draw::DrawState& s = draw::state();
    const int64_t x0 = s.cursor_x, y0 = s.cursor_y, x1 = x, y1 = y;
    s.cursor_x = x;
    s.cursor_y = y;
    uint32_t* entries = bound_entries();
    const core::ClipRect c = core::drawing_clip();
    if (!entries || core::empty(c)) return 0;

    const uint32_t z0 = depth_value(zstart), z1 = depth_value(zend);
    const int32_t dz = int32_t(z0 - z1);
    int32_t x_slope = 0, y_slope = 0;
    if (distance(x1, x0) >= distance(y1, y0)) {
        if (x0 != x1) x_slope = int32_t(int64_t(dz) / (x0 - x1));
    } else {
        y_slope = int32_t(int64_t(dz) / (y0 - y1));
    }

    int64_t ax = x0, ay = y0, bx = x1, by = y1;
    if (!draw::clip_line(ax, ay, bx, by, c)) return 0;
    // The clipped end nearer the cursor is the cursor's end.
    if (distance(ax, x0) + distance(ay, y0) > distance(bx, x0) + distance(by, y0)) {
        std::swap(ax, bx);
        std::swap(ay, by);
    }
    uint32_t za = uint32_t(wrap_add(wrap_add(int32_t(z0), wrap_mul(x_slope, ax - x0)), wrap_mul(y_slope, ay - y0)));
    uint32_t zb = uint32_t(wrap_add(wrap_add(int32_t(z1), wrap_mul(x_slope, bx - x1)), wrap_mul(y_slope, by - y1)));
    if (by < ay) {  // from the upper end; a horizontal line keeps its order
        std::swap(ax, bx);
        std::swap(ay, by);
        std::swap(za, zb);
    }

    const core::ActiveBuffer& vb = core::active();
    const int64_t dx = distance(bx, ax), dy = by - ay;
    const int sx = bx < ax ? -1 : 1;
    const Walk along_x{sx * ptrdiff_t(core::bytes_per_pixel(vb.depth)), sx, uint32_t(sx * int64_t(x_slope))};
    const Walk along_y{-ptrdiff_t(vb.pitch), -ptrdiff_t(vb.width), uint32_t(y_slope)};
    uint8_t* p = core::pixel_address(vb, int(ax), int(ay));
    uint32_t* e = entry_address(entries, int(ax), int(ay));
    const uint32_t base = zstate().base;
    core::with_depth(vb.depth, [&](auto d) {
        using D = decltype(d);
        const uint32_t v = core::current_pixel<D>();
        if (dx >= dy) depth_line<D>(p, e, dx, dy, along_x, along_y, za, base, v);
        else depth_line<D>(p, e, dy, dx, along_y, along_x, za, base, v);
    });
    return 0;
}

}  // namespace raster
