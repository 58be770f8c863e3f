// Axis-aligned areas: filled, XOR and dithered rectangles, boxes with a border of xbox by
// ybox pixels, whole-buffer fills, vertical scrolling of a region, whole-buffer copies and
// the row reversal of an image array.
//
// Rows are filled with span fills (word-wide stores of color_value's pattern) from the
// rectangle's lowest address upward; a rectangle that spans whole rows is one linear run,
// since rows have no padding. The unclipped routines ignore the clip rectangle but are
// still cut to the buffer, so any rectangle is safe; inverted ones draw nothing.
#include "draw/rect.h"

#include <algorithm>
#include <cstring>

#include "core/clip.h"
#include "core/color.h"
#include "core/pixel.h"
#include "core/present.h"
#include "core/vbuf.h"
#include "core/world.h"
#include "draw/internal.h"
#include "draw/pattern.h"
#include "draw/state.h"
#include "image/transfer.h"

namespace draw {
namespace {

struct Area {
    int minx, maxx, miny, maxy;
};

// The rectangle cut to r (which is not empty); false when nothing of it lies inside.
bool cut_to(int64_t minx, int64_t maxx, int64_t miny, int64_t maxy, const core::ClipRect& r, Area& out) {
    if (minx > maxx || miny > maxy || minx > r.maxx || maxx < r.minx || miny > r.maxy || maxy < r.miny)
        return false;
    out = {int(std::max<int64_t>(minx, r.minx)), int(std::min<int64_t>(maxx, r.maxx)),
           int(std::max<int64_t>(miny, r.miny)), int(std::min<int64_t>(maxy, r.maxy))};
    return true;
}

core::ClipRect whole_buffer() {
    const core::ActiveBuffer& vb = core::active();
    return {0, vb.width - 1, 0, vb.height - 1};
}

// Fills (or XORs) an area inside the active buffer.
void fill_area(const Area& a, bool xor_mode) {
    const core::ActiveBuffer& vb = core::active();
    const uint32_t value = core::color().color_value;
    uint8_t* p = core::pixel_address(vb, a.minx, a.maxy);  // lowest address: the bottom row
    const int width = a.maxx - a.minx + 1, rows = a.maxy - a.miny + 1;
    core::with_depth(vb.depth, [&](auto d) {
        using D = decltype(d);
        if (xor_mode) {
            for (int r = 0; r < rows; ++r, p += vb.pitch) core::xor_span<D>(p, width, value);
        } else if (width == vb.width) {
            shape_span<D>(p, width * rows, value);  // whole rows: one run
        } else {
            for (int r = 0; r < rows; ++r, p += vb.pitch) shape_span<D>(p, width, value);
        }
    });
}

// A rectangle clipped to the clip rectangle (cut to the buffer).
void clipped_rect(int64_t minx, int64_t maxx, int64_t miny, int64_t maxy, bool xor_mode) {
    if (!core::has_active()) return;
    const core::ClipRect c = core::drawing_clip();
    Area a;
    if (!core::empty(c) && cut_to(minx, maxx, miny, maxy, c, a)) fill_area(a, xor_mode);
}

// The hidden page when circular scrolling can use it for n rows of columns 0..maxx.
int usable_hidden_page(int maxx, int64_t n) {
    const int handle = core::devices().hidden_page;
    const core::VbSlot* s = core::slot_in_use(handle);
    if (!s || handle == core::active().handle || s->depth != core::active().depth || s->width <= maxx ||
        s->height < n)
        return -1;
    return handle;
}

}  // namespace

void buffer_rect(int minx, int maxx, int miny, int maxy, bool xor_mode) {
    Area a;
    if (core::has_active() && cut_to(minx, maxx, miny, maxy, whole_buffer(), a)) fill_area(a, xor_mode);
}

int rect(int minx, int maxx, int miny, int maxy) {
    buffer_rect(minx, maxx, miny, maxy, false);
    return 0;
}

int rect_xor(int minx, int maxx, int miny, int maxy) {
    buffer_rect(minx, maxx, miny, maxy, true);
    return 0;
}

int rect_world(double minx, double maxx, double miny, double maxy) {
    const core::ScreenRect r = core::screen_rect(minx, maxx, miny, maxy);
    return rect(r.minx, r.maxx, r.miny, r.maxy);
}

int clip_rect(int minx, int maxx, int miny, int maxy) {
    clipped_rect(minx, maxx, miny, maxy, false);
    return 0;
}

int clip_rect_xor(int minx, int maxx, int miny, int maxy) {
    clipped_rect(minx, maxx, miny, maxy, true);
    return 0;
}

int clip_rect_world(double minx, double maxx, double miny, double maxy) {
    const core::ScreenRect r = core::screen_rect(minx, maxx, miny, maxy);
    return clip_rect(r.minx, r.maxx, r.miny, r.maxy);
}

// Four clipped bands, which may overlap at the corners and fill a small box solid.
int box(int minx, int maxx, int miny, int maxy) {
    const int64_t xb = state().xbox, yb = state().ybox;
    if (minx > maxx || miny > maxy || xb < 1 || yb < 1) return 0;
    clipped_rect(minx, maxx, miny, std::min<int64_t>(miny + yb - 1, maxy), false);
    clipped_rect(minx, maxx, std::max<int64_t>(maxy - yb + 1, miny), maxy, false);
    clipped_rect(minx, std::min<int64_t>(minx + xb - 1, maxx), miny, maxy, false);
    clipped_rect(std::max<int64_t>(maxx - xb + 1, minx), maxx, miny, maxy, false);
    return 0;
}

int box_world(double minx, double maxx, double miny, double maxy) {
    const core::ScreenRect r = core::screen_rect(minx, maxx, miny, maxy);
    return box(r.minx, r.maxx, r.miny, r.maxy);
}

// The XOR box is made of clipped horizontal XOR runs (the pixels of horizontal XOR lines)
// laid out so that no pixel is XORed twice: full rows for the top and bottom bands, then
// the left and right bands between them; bands that would meet become full rows.
int box_xor(int minx, int maxx, int miny, int maxy) {
    const int64_t dx = int64_t(state().xbox) - 1, dy = int64_t(state().ybox) - 1;
    if (minx > maxx || miny > maxy || dx < 0 || dy < 0) return 0;
    const bool sides_meet = minx + dx >= maxx - dx, bands_meet = miny + dy >= maxy - dy;
    const int64_t lx = sides_meet ? maxx : minx + dx, ty = bands_meet ? maxy : miny + dy;
    clipped_rect(minx, maxx, miny, ty, true);
    if (!bands_meet) {
        clipped_rect(minx, maxx, maxy - dy, maxy, true);
        if (ty + 1 <= maxy - dy - 1) {
            clipped_rect(minx, lx, ty + 1, maxy - dy - 1, true);
            if (!sides_meet) clipped_rect(maxx - dx, maxx, ty + 1, maxy - dy - 1, true);
        }
    }
    return 0;
}

int box_xor_world(double minx, double maxx, double miny, double maxy) {
    const core::ScreenRect r = core::screen_rect(minx, maxx, miny, maxy);
    return box_xor(r.minx, r.maxx, r.miny, r.maxy);
}

int box_depth(int xdepth, int ydepth) {
    state().xbox = xdepth;
    state().ybox = ydepth;
    return 0;
}

// Screen row y takes matrix entry (height - 1 - y) mod 4, the phase of the stored row
// order; pixel minx + 2j takes the entry's first byte and minx + 2j + 1 its second, from
// the rectangle's own left edge even where the buffer cuts it.
int dither_rect(int minx, int maxx, int miny, int maxy, const uint8_t* matrix) {
    const core::ActiveBuffer& vb = core::active();
    Area a;
    if (!core::has_active() || vb.depth != 8 || !matrix || !cut_to(minx, maxx, miny, maxy, whole_buffer(), a))
        return 0;
    const bool odd_start = ((int64_t(a.minx) - minx) & 1) != 0;
    const int width = a.maxx - a.minx + 1;
    uint8_t* p = core::pixel_address(vb, a.minx, a.maxy);
    for (int y = a.maxy; y >= a.miny; --y, p += vb.pitch) {
        const uint8_t* entry = matrix + 2 * ((vb.height - 1 - y) & 3);
        const uint32_t first = odd_start ? entry[1] : entry[0], second = odd_start ? entry[0] : entry[1];
        core::fill_span8(p, width, (first | second << 8) * 0x00010001u);
    }
    return 0;
}

int dither_rect_world(double minx, double maxx, double miny, double maxy, const uint8_t* matrix) {
    const core::ScreenRect r = core::screen_rect(minx, maxx, miny, maxy);
    return dither_rect(r.minx, r.maxx, r.miny, r.maxy, matrix);
}

int erase() {
    const core::ActiveBuffer& vb = core::active();
    if (core::has_active()) std::memset(vb.pixels, 0, size_t(vb.size));
    return 0;
}

int fill_page() {
    const core::ActiveBuffer& vb = core::active();
    if (!core::has_active()) return 0;
    const uint32_t value = core::color().color_value;
    core::with_depth(vb.depth, [&](auto d) {
        using D = decltype(d);
        core::fill_span<D>(vb.pixels, vb.size / D::bytes, value);
    });
    return 0;
}

// Rows move one at a time through the block copy, in an order that moves every row before
// it is overwritten. Circular scrolling parks the rows pushed out in rows 0..n-1 of the
// hidden page and brings them back at the other end.
int scroll(int minx_arg, int maxx_arg, int miny_arg, int maxy_arg, int jump, int type) {
    Area a;
    if (!core::has_active() || jump == 0 || !cut_to(minx_arg, maxx_arg, miny_arg, maxy_arg, whole_buffer(), a))
        return 0;
    const int vb = core::active().handle;
    const int minx = a.minx, maxx = a.maxx, miny = a.miny, maxy = a.maxy;
    const int64_t n = jump > 0 ? int64_t(jump) : -int64_t(jump);
    if (n > maxy - miny) {  // every row leaves the region
        if (type != 0) buffer_rect(minx, maxx, miny, maxy, false);
        return 0;
    }
    const int rows = int(n);
    const int hidden = type == 0 ? usable_hidden_page(maxx, n) : -1;
    if (jump > 0) {
        if (hidden >= 0) image::vb_copy(minx, maxx, maxy - rows + 1, maxy, minx, rows - 1, vb, hidden);
        for (int r = maxy - rows; r >= miny; --r) image::vb_copy(minx, maxx, r, r, minx, r + rows, vb, vb);
        if (type != 0) buffer_rect(minx, maxx, miny, miny + rows - 1, false);
        else if (hidden >= 0) image::vb_copy(minx, maxx, 0, rows - 1, minx, miny + rows - 1, hidden, vb);
    } else {
        if (hidden >= 0) image::vb_copy(minx, maxx, miny, miny + rows - 1, minx, rows - 1, vb, hidden);
        for (int r = miny + rows; r <= maxy; ++r) image::vb_copy(minx, maxx, r, r, minx, r - rows, vb, vb);
        if (type != 0) buffer_rect(minx, maxx, maxy - rows + 1, maxy, false);
        else if (hidden >= 0) image::vb_copy(minx, maxx, 0, rows - 1, minx, maxy, hidden, vb);
    }
    return 0;
}

int copy_page(int source, int dest) {
    const core::VbSlot* s = core::slot_in_use(source);
    const core::VbSlot* d = core::slot_in_use(dest);
    if (!s || !d || s == d || s->pitch != d->pitch || s->height != d->height) return 0;
    std::memcpy(d->pixels, s->pixels, size_t(s->pitch) * size_t(s->height));
    return 0;
}

int invert(uint8_t* map, int width, int height) {
    if (!map || width <= 0 || height < 2) return 0;
    const size_t w = size_t(width);
    for (size_t top = 0, bottom = size_t(height) - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(map + top * w, map + top * w + w, map + bottom * w);
    return 0;
}

int get_hpage() { return core::devices().hidden_page; }

}  // namespace draw
