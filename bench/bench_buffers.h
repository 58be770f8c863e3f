// Buffers for the benchmarks: the library started once, 1920 × 1080 buffers by depth.
#pragma once

#include "rsw32.h"
#include "rsw32_platform.h"

namespace bench {

constexpr int width = 1920, height = 1080;

// A buffer of the depth, made once and opened; a second one for copies when `second`.
inline int frame_buffer(int depth, bool second = false) {
    static bool started = false;
    static int handles[2][33];
    if (!started) {
        rsp_set_display_depth(32);
        rs_vbinit();
        for (auto& row : handles)
            for (int& h : row) h = -1;
        started = true;
    }
    int& h = handles[second ? 1 : 0][depth];
    if (h < 0) {
        rs_vbdepth(depth);
        h = rs_vballoc(width, height);
    }
    if (!second) rs_vbopen(h);
    return h;
}

inline int color_for(int depth) { return depth == 8 ? 0x5A : depth == 16 ? 0x5AC3 : 0x125AC3E1; }

}  // namespace bench
