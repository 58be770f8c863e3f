// The z-buffer: one 32-bit entry per pixel of the active buffer, bottom-up rows of exactly
// width entries, bound library-wide by rs_zbopen. Entries hold frame base + depth value,
// where the depth value is the 8.24 reciprocal of the view-space z (nearer is larger) and
// the frame base climbs by 2^24 each frame, so a new frame beats every older entry
// without a clear; every 256th frame the count wraps and the block is cleared.
#pragma once

#include <cstdint>

namespace raster {

struct ZState {
    void* block = nullptr;  // the bound block, as rs_zbopen got it
    uint32_t base = 0;      // frame base, a multiple of 2^24
};

inline ZState& zstate() {
    static ZState s;
    return s;
}

void init_zbuffer();

// 8.24 fixed-point |1/z|, both parts truncated. z = 0 and reciprocals of 256 or more
// (0 < |z| <= 1/256) saturate to 0xFFFFFFFF, the nearest value there is; a NaN gives 0.
uint32_t depth_value(double z);

// Entries of the bound block for the active buffer, or nullptr when drawing with depth must
// not happen: no active buffer, no block bound, the block released, or smaller than
// width × height entries.
uint32_t* bound_entries();

// Entry of pixel (x, y) of the active buffer in a block from bound_entries().
uint32_t* entry_address(uint32_t* entries, int x, int y);

void* zb_alloc(int width, int height);
int zb_free(void* zb);
int zb_open(void* zb);
int zb_frame();

}  // namespace raster
