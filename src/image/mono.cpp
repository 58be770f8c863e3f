// Monochrome bitmaps: width bytes a row, each byte eight pixels with its most significant
// bit leftmost, rows in the order of image arrays (the first row on the cursor's row, the
// next one above it). Drawing writes the current colour for every set bit and leaves the
// pixels of clear bits alone; reading sets the bits of the pixels equal to that colour.
//
// A bitmap is cut to a rectangle in whole bytes, with a mask on the first and the last
// visible byte of each row. Only the pixels of bits that survive the mask are addressed,
// so the masked edge bytes, which may start left of the buffer, never form an address
// outside it.
#include "image/mono.h"

#include <cstddef>
#include <cstring>

#include "core/clip.h"
#include "core/color.h"
#include "core/pixel.h"
#include "core/vbuf.h"
#include "draw/state.h"
#include "image/internal.h"

namespace image {
namespace {

struct MapPlacement {
    int rows = 0, skip_rows = 0;  // visible rows; bitmap rows skipped below the rectangle
    int bottom = 0;               // screen row of the first visible bitmap row
    int lead = 0, bytes = 0;      // bytes skipped at the start of each row; bytes visible
    int64_t x = 0;                // screen column of the first visible byte's top bit
    unsigned first_mask = 0xFF, last_mask = 0xFF;  // bits kept of the first and last visible byte
    bool whole = false;           // nothing was cut away
};

// Cuts a bitmap at the graphics cursor to r (inside the buffer): rows first, then whole
// bytes on the left and right, the remainders as masks. False when nothing is visible.
bool place_map(int width, int height, const core::ClipRect& r, MapPlacement& m) {
    if (width < 1 || height < 1 || core::empty(r)) return false;
    const int64_t x = draw::get_xpos(), y = draw::get_ypos();
    int64_t rows = y + 1 - height < r.miny ? y + 1 - r.miny : height;
    const int64_t skip_rows = y > r.maxy ? y - r.maxy : 0;
    rows -= skip_rows;
    if (rows < 1 || x > r.maxx) return false;
    int64_t lead = 0, trail = 0;
    if (r.minx > x) {
        const int64_t d = r.minx - x;
        lead = d / 8;
        m.first_mask = 0xFFu >> (d % 8);
    }
    const int64_t last = x + 8 * int64_t(width) - 1;
    if (last < r.minx) return false;
    if (last > r.maxx) {
        const int64_t e = last - r.maxx;
        trail = e / 8;
        m.last_mask = (0xFFu << (e % 8)) & 0xFFu;
    }
    const int64_t bytes = width - lead - trail;
    if (bytes < 1) return false;
    if (bytes == 1) m.first_mask &= m.last_mask;
    m.rows = int(rows);
    m.skip_rows = int(skip_rows);
    m.bottom = int(y - skip_rows);
    m.lead = int(lead);
    m.bytes = int(bytes);
    m.x = x + 8 * lead;
    m.whole = rows == height && bytes == width && m.first_mask == 0xFF && m.last_mask == 0xFF;
    return true;
}

// The eight pixels of one bitmap byte from column x of a row.
template <class D>
inline void draw_byte(uint8_t* row, int64_t x, unsigned bits, uint32_t color) {
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k)
        if (bits & (0x80u >> k)) D::store(row + (x + k) * D::bytes, color);
}

template <class D>
inline uint8_t read_byte(const uint8_t* row, int64_t x, unsigned mask, uint32_t key) {
    unsigned bits = 0;
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k)
        if ((mask & (0x80u >> k)) && D::load(row + (x + k) * D::bytes) == key) bits |= 0x80u >> k;
    return uint8_t(bits);
}

template <class D>
void draw_map_rows(const MapPlacement& m, const uint8_t* map, int width, uint32_t color) {
    const core::ActiveBuffer& vb = core::active();
    for (int r = 0; r < m.rows; ++r) {
        const uint8_t* bits = map + (ptrdiff_t(m.skip_rows) + r) * width + m.lead;
        uint8_t* row = core::row_address(vb, m.bottom - r);
        draw_byte<D>(row, m.x, bits[0] & m.first_mask, color);
        for (int b = 1; b < m.bytes - 1; ++b)
            if (bits[b]) draw_byte<D>(row, m.x + 8 * b, bits[b], color);
        if (m.bytes > 1) draw_byte<D>(row, m.x + 8 * (m.bytes - 1), bits[m.bytes - 1] & m.last_mask, color);
    }
}

template <class D>
void read_map_rows(const MapPlacement& m, uint8_t* map, int width, uint32_t key) {
    const core::ActiveBuffer& vb = core::active();
    for (int r = 0; r < m.rows; ++r) {
        uint8_t* bits = map + (ptrdiff_t(m.skip_rows) + r) * width + m.lead;
        const uint8_t* row = core::row_address(vb, m.bottom - r);
        bits[0] = read_byte<D>(row, m.x, m.first_mask, key);
        for (int b = 1; b < m.bytes - 1; ++b) bits[b] = read_byte<D>(row, m.x + 8 * b, 0xFF, key);
        if (m.bytes > 1) bits[m.bytes - 1] = read_byte<D>(row, m.x + 8 * (m.bytes - 1), m.last_mask, key);
    }
}

// The pixel rs_getmap looks for: the drawing colour, except that at 24 bits the whole of
// color_value takes part, so a value with a top byte matches no pixel.
template <class D>
uint32_t map_key() { return core::current_pixel<D>(); }
template <>
uint32_t map_key<core::Depth24>() { return core::color().color_value; }

int draw_cut(const uint8_t* map, int width, int height, const core::ClipRect& r) {
    MapPlacement m;
    if (!place_map(width, height, r, m)) return 0;
    core::with_depth(core::active().depth, [&](auto d) {
        using D = decltype(d);
        draw_map_rows<D>(m, map, width, core::current_pixel<D>());
    });
    return 0;
}

}  // namespace

int draw_map(const uint8_t* map, int width, int height) {
    return map && core::has_active() ? draw_cut(map, width, height, buffer_rect()) : 0;
}

int clip_map(const uint8_t* map, int width, int height) {
    return map && core::has_active() ? draw_cut(map, width, height, core::drawing_clip()) : 0;
}

int get_map(uint8_t* map, int width, int height) {
    if (!map || !core::has_active() || width < 1 || height < 1) return 0;
    MapPlacement m;
    const bool placed = place_map(width, height, buffer_rect(), m);
    if (!placed || !m.whole) std::memset(map, 0, size_t(width) * size_t(height));  // outside: clear bits
    if (!placed) return 0;
    core::with_depth(core::active().depth, [&](auto d) {
        using D = decltype(d);
        read_map_rows<D>(m, map, width, map_key<D>());
    });
    return 0;
}

}  // namespace image
