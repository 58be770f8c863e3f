// The clip rectangle of the library state. The active buffer's slot keeps its own copy,
// written through by rs_setclip and loaded by rs_vbopen.
#pragma once

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

}  // namespace core
