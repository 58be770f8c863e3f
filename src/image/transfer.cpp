// Block transfers: rectangles of pixels copied between virtual buffers named by handle
// (opaque, or skipping a colour value, the palette colours marked transparent, or zero
// pixels), and rectangles cut from and pasted into byte-per-pixel image arrays.
//
// The buffers are read straight from the table; the active buffer, clip rectangle and
// current colour play no part. Pixels move as raw bytes, so both buffers must have the
// same depth; a pair of different depths is refused. The block is cut to the part that
// lies inside both buffers, so no argument can reach memory outside them. Rows go bottom
// row first (forward in memory), each row left to right: a copy inside one buffer is
// exact when the block moves down or sideways without overlap, as scrolling uses it.
#include "image/transfer.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <array>
#include <unordered_map>
#include <vector>

#include "core/color.h"
#include "core/palette.h"
#include "core/pixel.h"
#include "core/vbuf.h"
#include "image/formats.h"
#include "image/state.h"

namespace image {
namespace {

// A block cut to both buffers: its bottom-left pixel in each, and its size.
struct Block {
    uint8_t* src = nullptr;  // first pixel of the block's bottom row in the source
    uint8_t* dst = nullptr;
    int src_pitch = 0, dst_pitch = 0;
    int width = 0, rows = 0;
    int depth = 0;      // the destination's
    int src_depth = 0;
};

// Source pixel (x, y) goes to (newx + x - minx, newy - (maxy - y)). Cuts the block to
// the rows and columns that lie inside both buffers; false when nothing is left, a handle
// is bad or the depths differ.
bool make_block(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest, Block& b,
                bool any_depths = false) {
    const core::VbSlot* s = core::slot_in_use(source);
    const core::VbSlot* d = s ? core::slot_in_use(dest) : nullptr;
    if (!s || !d || (s->depth != d->depth && !any_depths)) return false;
    // Source (x, y) lands at (x + shift_x, y + shift_y): keep the x and y whose landing
    // place lies inside the destination as well.
    const int64_t shift_x = int64_t(newx) - minx, shift_y = int64_t(newy) - maxy;
    const int64_t x0 = std::max({int64_t(minx), int64_t(0), -shift_x});
    const int64_t x1 = std::min({int64_t(maxx), int64_t(s->width) - 1, int64_t(d->width) - 1 - shift_x});
    const int64_t y0 = std::max({int64_t(miny), int64_t(0), -shift_y});
    const int64_t y1 = std::min({int64_t(maxy), int64_t(s->height) - 1, int64_t(d->height) - 1 - shift_y});
    if (x0 > x1 || y0 > y1) return false;
    b.src = core::row_address(s->pixels, s->pitch, s->height, int(y1)) + x0 * core::bytes_per_pixel(s->depth);
    b.dst = core::row_address(d->pixels, d->pitch, d->height, int(y1 + shift_y)) +
            (x0 + shift_x) * core::bytes_per_pixel(d->depth);
    b.src_pitch = s->pitch;
    b.dst_pitch = d->pitch;
    b.width = int(x1 - x0 + 1);
    b.rows = int(y1 - y0 + 1);
    b.depth = d->depth;
    b.src_depth = s->depth;
    return true;
}

// A source pixel of depth S as a pixel of depth D, through its colour: palette indices by
// the palette's colours; 16-bit pixels widened with rounding; direct colours to 8 bits by
// the nearest palette index (remembered per call, as blocks repeat their colours). The
// fourth byte of a 32-bit result is 0.
template <class S, class D>
class Converter {
public:
    uint32_t operator()(uint32_t v) {
        if constexpr (S::bits == 8) {
            return from_index_[v];
        } else {
            const uint32_t rgb = to_rgb(v);
            if constexpr (D::bits != 8) {
                return from_rgb(rgb);
            } else {
                auto [at, fresh] = nearest_.try_emplace(rgb, 0);
                if (fresh) at->second = uint8_t(core::nearest_index(int(rgb >> 16), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)));
                return at->second;
            }
        }
    }
    Converter() {
        if constexpr (S::bits == 8)
            for (int i = 0; i < 256; ++i) {
                const core::PaletteEntry& e = core::palette().entries[i];
                from_index_[size_t(i)] = D::bits == 8 ? uint32_t(i) : from_rgb(uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue);
            }
    }

private:
    static uint32_t to_rgb(uint32_t v) {
        if constexpr (S::bits == 16)
            return uint32_t(core::expand5[v >> 11 & 31]) << 16 | uint32_t(core::expand6[v >> 5 & 63]) << 8 | core::expand5[v & 31];
        else
            return v & 0xFFFFFF;
    }
    static uint32_t from_rgb(uint32_t rgb) {
        if constexpr (D::bits == 16) return core::pack565(rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF);
        return rgb;
    }
    std::array<uint32_t, 256> from_index_{};
    std::unordered_map<uint32_t, uint8_t> nearest_;
};

// Copies a block between buffers of any two depths, converting each pixel; with a key,
// source pixels equal to it (compared as rs_vbtccopy compares) are skipped.
template <class S, class D>
void convert_block(const Block& b, bool keyed, uint32_t key) {
    Converter<S, D> convert;
    const uint8_t* src = b.src;
    uint8_t* dst = b.dst;
    for (int r = 0; r < b.rows; ++r, src += b.src_pitch, dst += b.dst_pitch)
        for (int i = 0; i < b.width; ++i) {
            const uint32_t v = S::load(src + i * S::bytes) & key_mask<S>;
            if (!keyed || v != key) D::store(dst + i * D::bytes, convert(v));
        }
}

// Copies the block pixel by pixel, skipping the source pixels whose key skip() accepts.
template <class D, class Skip>
void copy_keyed(const Block& b, Skip skip) {
    const uint8_t* src = b.src;
    uint8_t* dst = b.dst;
    for (int r = 0; r < b.rows; ++r, src += b.src_pitch, dst += b.dst_pitch) {
        const uint8_t* s = src;
        uint8_t* d = dst;
        for (int i = 0; i < b.width; ++i, s += D::bytes, d += D::bytes) {
            const uint32_t key = D::load(s) & key_mask<D>;
            if (!skip(key)) D::store(d, key);
        }
    }
}

// The direct-colour values rs_vbtccopy skips: each pixel of the palette pixel table whose
// lowest index is marked transparent, sorted for lookup. A colour in no entry is copied.
std::vector<uint32_t> transparent_colors() {
    const core::PaletteState& pal = core::palette();
    const ImageState& st = state();
    std::vector<uint32_t> seen, out;
    for (int i = 0; i < 256; ++i) {
        const uint32_t v = pal.pixels[i];
        if (std::find(seen.begin(), seen.end(), v) != seen.end()) continue;  // a lower index decided
        seen.push_back(v);
        if (st.transparent[i]) out.push_back(v);
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

int vb_copy(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest) {
    Block b;
    if (!make_block(minx, maxx, miny, maxy, newx, newy, source, dest, b)) return 0;
    const size_t bytes = size_t(b.width) * size_t(core::bytes_per_pixel(b.depth));
    const uint8_t* src = b.src;
    uint8_t* dst = b.dst;
    // memmove: a block moved sideways within its own rows overlaps itself.
    for (int r = 0; r < b.rows; ++r, src += b.src_pitch, dst += b.dst_pitch) std::memmove(dst, src, bytes);
    return 0;
}

int vb_copy_keyed(int minx, int maxx, int miny, int maxy, int newx, int newy, int tcolor, int source, int dest) {
    Block b;
    if (!make_block(minx, maxx, miny, maxy, newx, newy, source, dest, b)) return 0;
    core::with_depth(b.depth, [&](auto d) {
        using D = decltype(d);
        // At 8 bits only the low byte of tcolor counts; at 16 and 24 bits all 32 bits
        // must equal the zero-extended pixel; at 32 bits the low three bytes.
        const uint32_t t = uint32_t(tcolor) & (D::bits == 16 || D::bits == 24 ? 0xFFFFFFFFu : key_mask<D>);
        copy_keyed<D>(b, [t](uint32_t key) { return key == t; });
    });
    return 0;
}

int vb_copy_table(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest) {
    Block b;
    if (!make_block(minx, maxx, miny, maxy, newx, newy, source, dest, b)) return 0;
    if (b.depth == 8) {
        const uint8_t* flags = state().transparent;
        copy_keyed<core::Depth8>(b, [flags](uint32_t key) { return flags[key] != 0; });
        return 0;
    }
    const std::vector<uint32_t> skipped = transparent_colors();
    core::with_depth(b.depth, [&](auto d) {
        copy_keyed<decltype(d)>(b, [&skipped](uint32_t key) {
            return std::binary_search(skipped.begin(), skipped.end(), key);
        });
    });
    return 0;
}

int vb_copy_nonzero(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest) {
    Block b;
    if (!make_block(minx, maxx, miny, maxy, newx, newy, source, dest, b)) return 0;
    core::with_depth(b.depth, [&](auto d) { copy_keyed<decltype(d)>(b, [](uint32_t key) { return key == 0; }); });
    return 0;
}

int transfer(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest, bool keyed) {
    Block b;
    if (!make_block(minx, maxx, miny, maxy, newx, newy, source, dest, b, true)) return 0;
    if (b.src_depth == b.depth && !keyed) return vb_copy(minx, maxx, miny, maxy, newx, newy, source, dest);
    core::with_depth(b.src_depth, [&](auto s) {
        using S = decltype(s);
        core::with_depth(b.depth, [&](auto d) { convert_block<S, decltype(d)>(b, keyed, state().transfer_key & key_mask<S>); });
    });
    return 0;
}

int tc_mask(int key) {
    state().transfer_key = uint32_t(key);
    return 0;
}

int tc_define(int index, int attribute) {
    const uint32_t a = uint32_t(attribute);
    state().transparent[uint32_t(index) & 0xFF] = uint8_t((a & 0xFF) | ((a >> 8) & 0xFF));
    return 0;
}

// Rectangles of width × height pixels between a large picture (large_width pixels a row)
// and a packed small one, pixel_bytes bytes a pixel. A block without pixels returns at once:
// walking its rows would only move the pointers past the caller's arrays.
int cut_pixels(const uint8_t* large, uint8_t* small, int x, int y, int large_width, int width, int height,
               int pixel_bytes) {
    if (!large || !small || x < 0 || y < 0 || large_width < 0 || width < 1 || height < 1) return 0;
    const ptrdiff_t pitch = ptrdiff_t(large_width) * pixel_bytes, row = ptrdiff_t(width) * pixel_bytes;
    const uint8_t* from = large + ptrdiff_t(y) * pitch + ptrdiff_t(x) * pixel_bytes;
    for (int r = 0; r < height; ++r, from += pitch, small += row) std::memmove(small, from, size_t(row));
    return 0;
}

int paste_pixels(uint8_t* large, const uint8_t* small, int x, int y, int large_width, int width, int height,
                 int pixel_bytes) {
    if (!large || !small || x < 0 || y < 0 || large_width < 0 || width < 1 || height < 1) return 0;
    const ptrdiff_t pitch = ptrdiff_t(large_width) * pixel_bytes, row = ptrdiff_t(width) * pixel_bytes;
    uint8_t* to = large + ptrdiff_t(y) * pitch + ptrdiff_t(x) * pixel_bytes;
    for (int r = 0; r < height; ++r, to += pitch, small += row) std::memmove(to, small, size_t(row));
    return 0;
}

int cut(const uint8_t* large, uint8_t* small, int x, int y, int large_width, int width, int height) {
    return cut_pixels(large, small, x, y, large_width, width, height, 1);
}

int paste(uint8_t* large, const uint8_t* small, int x, int y, int large_width, int width, int height) {
    return paste_pixels(large, small, x, y, large_width, width, height, 1);
}

}  // namespace image
