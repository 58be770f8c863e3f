// Helpers the picture file families share: temporary blocks, placing a picture in the
// active buffer, and the row writers that put decoded rows into it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/palette.h"
#include "core/pixel.h"
#include "core/present.h"
#include "core/vbuf.h"
#include "image/formats.h"
#include "platform/host.h"
#include "services/input.h"

namespace files {

// The window loop of the animation players: frame by frame, each scaled over the client
// area of the focus window, until the Escape key is down or `loops` passes are played (0:
// without end). play() plays one frame and says whether it did; rewind() starts the next
// pass. A pass that plays no frame ends the loop: with nothing to show it would otherwise
// never end when loops is 0.
template <class Play, class Rewind>
void play_in_window(int loops, Play play, Rewind rewind) {
    int passes = 0;
    bool played_any = false;
    for (;;) {
        if (play()) {
            played_any = true;
            int client[4];
            if (host::client_rect(host::focus_device(), client))
                core::vb_scale(0, core::get_maxx(), 0, core::get_maxy(), 0, client[2] - client[0] - 1, 0,
                               client[3] - client[1] - 1);
            if (services::kb_test(1)) return;
            continue;
        }
        if (!played_any || (loops != 0 && ++passes >= loops)) return;
        played_any = false;
        rewind();
    }
}

// A zero-filled block from the host for the length of one call; get() is nullptr when
// there was no memory.
class TempBlock {
public:
    explicit TempBlock(size_t bytes) : p_(static_cast<uint8_t*>(host::block_alloc(bytes))) {}
    ~TempBlock() { host::block_free(p_); }
    TempBlock(const TempBlock&) = delete;
    TempBlock& operator=(const TempBlock&) = delete;
    uint8_t* get() const { return p_; }

private:
    uint8_t* p_;
};

// A width × height picture with its top-left corner at (x, y), cut to the active buffer:
// the picture's columns first_column .. first_column + columns − 1 land at buffer columns
// from x + first_column, and its rows (0 = top) first_row .. first_row + rows − 1 at buffer
// rows from y + first_row.
struct Placement {
    int64_t x = 0, y = 0;
    int64_t first_column = 0, columns = 0;
    int64_t first_row = 0, rows = 0;
};

// False when nothing of the picture lies inside the buffer. Positions and sizes are 64-bit
// so that no picture size or cursor position can overflow.
inline bool place_in_buffer(int64_t x, int64_t y, int64_t width, int64_t height, Placement& pl) {
    const core::ActiveBuffer& vb = core::active();
    pl.x = x, pl.y = y;
    pl.first_column = std::max<int64_t>(0, -x);
    pl.columns = std::min<int64_t>(width, vb.width - x) - pl.first_column;
    pl.first_row = std::max<int64_t>(0, -y);
    pl.rows = std::min<int64_t>(height, vb.height - y) - pl.first_row;
    return pl.columns > 0 && pl.rows > 0;
}

// Address in the active buffer of picture pixel (column, row) of a placement.
inline uint8_t* placed_pixel(const Placement& pl, int64_t column, int64_t row) {
    const core::ActiveBuffer& vb = core::active();
    return core::pixel_address(vb, int(pl.x + column), int(pl.y + row));
}

// n palette indices into pixels of depth D: copied at 8 bits, through the palette pixel
// table otherwise.
template <class D>
inline void put_indices(const uint8_t* indices, uint8_t* dst, int n) {
    image::indices_to_pixels<D>(indices, dst, n, core::palette().pixels);
}
template <>
inline void put_indices<core::Depth8>(const uint8_t* indices, uint8_t* dst, int n) {
    std::memcpy(dst, indices, size_t(n));
}

// n colours as red, green, blue values (one byte each, at r[i * step], g[...], b[...])
// into pixels of a direct-colour depth D: RGB565 from the top bits at 16, the bytes blue,
// green, red at 24, and at 32 the same three bytes with the fourth byte of each pixel
// kept as it was.
template <class D>
inline void put_rgb(const uint8_t* r, const uint8_t* g, const uint8_t* b, int step, uint8_t* dst, int n) {
    for (int i = 0; i < n; ++i, r += step, g += step, b += step, dst += D::bytes) {
        if constexpr (D::bytes == 2) {
            D::store(dst, uint32_t(*r >> 3) << 11 | uint32_t(*g >> 2) << 5 | uint32_t(*b >> 3));
        } else {
            dst[0] = *b, dst[1] = *g, dst[2] = *r;
        }
    }
}

// A pixel of direct-colour depth D as red, green, blue bytes; 16-bit fields are widened
// by truncation (f × 255 / 31, f × 255 / 63), as the file writers store them.
template <class D>
inline void pixel_rgb(const uint8_t* p, uint8_t& r, uint8_t& g, uint8_t& b) {
    if constexpr (D::bytes == 2) {
        const uint32_t v = D::load(p);
        r = uint8_t(image::rechannel(v >> 11, 5, 8));
        g = uint8_t(image::rechannel(v >> 5 & 63, 6, 8));
        b = uint8_t(image::rechannel(v & 31, 5, 8));
    } else {
        b = p[0], g = p[1], r = p[2];
    }
}

}  // namespace files
