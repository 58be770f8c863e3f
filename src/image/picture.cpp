// Image arrays: pictures of one palette index a pixel, drawn into the active buffer at the
// graphics cursor (opaque, with 0 transparent, mirrored, clipped) and read back from it.
// At 8 bits the byte is the pixel; at 16, 24 and 32 bits it goes through the palette
// pixel table on the way in and is looked up in it on the way out (formats.h).
//
// The placement and clipping of a picture, shared with the dcbs, is here too: the
// clipped functions cut the picture to the clip rectangle, the others to the buffer.
#include "image/picture.h"

#include <algorithm>

#include "core/clip.h"
#include "core/color.h"
#include "core/palette.h"
#include "core/pixel.h"
#include "core/vbuf.h"
#include "draw/state.h"
#include "image/formats.h"
#include "image/internal.h"

namespace image {

bool place(int width, int height, const core::ClipRect& r, bool mirrored, Placement& out) {
    if (width < 1 || height < 1 || core::empty(r)) return false;
    // 64 bits: the cursor may lie anywhere and width or height be as large as an int.
    const int64_t x = draw::get_xpos(), y = draw::get_ypos();
    const int64_t skip_left = std::max<int64_t>(0, r.minx - x);
    const int64_t skip_right = std::max<int64_t>(0, x + width - 1 - r.maxx);
    const int64_t skip_rows = std::max<int64_t>(0, y - r.maxy);  // bottom rows below the rectangle
    const int64_t top_rows = y + 1 - height < r.miny ? y + 1 - r.miny : height;
    const int64_t rows = top_rows - skip_rows, columns = width - skip_left - skip_right;
    if (rows < 1 || columns < 1) return false;
    out.pixels = core::pixel_address(core::active(), int(x + skip_left), int(y - skip_rows));
    out.pitch = core::active().pitch;
    out.first = ptrdiff_t(skip_rows * width + (mirrored ? width - 1 - skip_left : skip_left));
    out.stride = width;
    out.columns = int(columns);
    out.rows = int(rows);
    return true;
}

bool place_read(uint8_t* picture, int width, int height, int pixel_bytes, Placement& out) {
    if (!picture || width < 1 || height < 1) return false;
    const bool placed = place(width, height, buffer_rect(), false, out);
    if (!placed || !whole(out, width, height))
        std::memset(picture, 0, size_t(width) * size_t(height) * size_t(pixel_bytes));
    return placed;
}

namespace {

// The transparent members: one instance per depth and direction, chosen once.
int draw_keyed(const uint8_t* array, int width, int height, bool mirrored, bool clipped) {
    Placement pl;
    if (!array || !core::has_active() ||
        !place(width, height, clipped ? core::drawing_clip() : buffer_rect(), mirrored, pl))
        return 0;
    core::with_depth(core::active().depth, [&](auto d) {
        using D = decltype(d);
        if (mirrored)
            draw_rows<D, Index8, true, true>(pl, array, IndexToPixel<D>{});
        else
            draw_rows<D, Index8, true, false>(pl, array, IndexToPixel<D>{});
    });
    return 0;
}

// Masks: the current colour where the mask byte is not 0 (reverse: where it is 0).
int draw_mask(const uint8_t* mask, int width, int height, bool mirrored, bool clipped, bool reverse) {
    Placement pl;
    if (!mask || !core::has_active() ||
        !place(width, height, clipped ? core::drawing_clip() : buffer_rect(), mirrored, pl))
        return 0;
    core::with_depth(core::active().depth, [&](auto d) {
        using D = decltype(d);
        const uint32_t value = core::current_pixel<D>();
        const auto ink = [value](uint32_t) { return value; };
        if (reverse) {
            for_each_row(pl, mask, 1, [value](const uint8_t* s, uint8_t* p, int n) {
                for (int i = 0; i < n; ++i)
                    if (s[i] == 0) D::store(p + i * D::bytes, value);
            });
        } else if (mirrored) {
            draw_rows<D, Index8, true, true>(pl, mask, ink);
        } else {
            draw_rows<D, Index8, true, false>(pl, mask, ink);
        }
    });
    return 0;
}

}  // namespace

int draw_mask(const uint8_t* mask, int width, int height) { return draw_mask(mask, width, height, false, false, false); }
int reverse_mask(const uint8_t* mask, int width, int height) { return draw_mask(mask, width, height, false, false, true); }
int clip_mask(const uint8_t* mask, int width, int height) { return draw_mask(mask, width, height, false, true, false); }
int flip_mask(const uint8_t* mask, int width, int height) { return draw_mask(mask, width, height, true, true, false); }

int draw_image(const uint8_t* array, int width, int height) { return draw_keyed(array, width, height, false, false); }
int mirror_image(const uint8_t* array, int width, int height) { return draw_keyed(array, width, height, true, false); }
int clip_image(const uint8_t* array, int width, int height) { return draw_keyed(array, width, height, false, true); }
int flip_image(const uint8_t* array, int width, int height) { return draw_keyed(array, width, height, true, true); }

int put_image(const uint8_t* array, int width, int height) {
    Placement pl;
    if (!array || !core::has_active() || !place(width, height, buffer_rect(), false, pl)) return 0;
    const int depth = core::active().depth;
    if (depth == 8) {
        copy_rows_in(pl, array, 1);  // the bytes are the pixels
        return 0;
    }
    const uint32_t* table = core::palette().pixels;
    with_direct_depth(depth, [&](auto d) {
        for_each_row(pl, array, 1, [table](const uint8_t* s, uint8_t* p, int n) {
            indices_to_pixels<decltype(d)>(s, p, n, table);
        });
    });
    return 0;
}

int get_image(uint8_t* array, int width, int height) {
    Placement pl;
    if (!core::has_active() || !place_read(array, width, height, 1, pl)) return 0;
    const int depth = core::active().depth;
    if (depth == 8) {
        copy_rows_out(pl, array, 1);
        return 0;
    }
    core::with_depth(depth, [&](auto d) {
        using D = decltype(d);
        read_rows<D, Index8>(pl, array, PixelToIndex<D>{});
    });
    return 0;
}

void* get_line(int y) {
    const core::ActiveBuffer& vb = core::active();
    if (!core::has_active() || y < 0 || y >= vb.height) return nullptr;
    return core::row_address(vb, y);
}

}  // namespace image
