// The clip rectangle of the library state. The active buffer's slot keeps its own copy,
// written through by rs_setclip and loaded by rs_vbopen.
//
// The rectangle is stored as the application gives it, even when it reaches outside the
// buffer. Drawing therefore clips against drawing_clip(), the clip rectangle cut to the
// active buffer: inside the buffer that is the clip rectangle itself, and outside it no
// pixel is ever written.
#pragma once

#include <algorithm>

#include "core/vbuf.h"

namespace core {

inline ClipRect& clip() {
    static ClipRect c;
    return c;
}

inline bool inside_clip(int x, int y) {
    const ClipRect& c = clip();
    return x >= c.minx && x <= c.maxx && y >= c.miny && y <= c.maxy;
}

// The clip rectangle cut to the active buffer; empty (minx > maxx or miny > maxy) when
// they do not meet.
inline ClipRect drawing_clip() {
    const ClipRect& c = clip();
    const ActiveBuffer& vb = active();
    return {std::max(c.minx, 0), std::min(c.maxx, vb.width - 1), std::max(c.miny, 0),
            std::min(c.maxy, vb.height - 1)};
}

inline bool empty(const ClipRect& r) { return r.minx > r.maxx || r.miny > r.maxy; }

int set_clip(int minx, int maxx, int miny, int maxy);
int set_clip_world(double minx, double maxx, double miny, double maxy);
int get_clip(int* minx, int* maxx, int* miny, int* maxy);

}  // namespace core
