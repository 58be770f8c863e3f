// Direct-colour bitmaps: read from the active buffer, written back opaque or with black
// transparent (mirrored, clipped), turned upside down in memory, and cut from and pasted
// into larger dcbs. Only 16-, 24- and 32-bit buffers have dcbs.
//
// A dcb pixel holds the buffer's own pixel value (formats.h), so the 16- and 24-bit
// opaque transfers copy whole rows, and the 32-bit ones only add or drop the fourth byte.
// Placement and clipping are those of image arrays (internal.h).
#include "image/dcb.h"

#include <algorithm>

#include "core/clip.h"
#include "core/vbuf.h"
#include "image/formats.h"
#include "image/internal.h"
#include "image/transfer.h"

namespace image {
namespace {

struct SamePixel {
    uint32_t operator()(uint32_t v) const { return v; }
};

int draw_keyed(const uint8_t* array, int width, int height, bool mirrored, bool clipped) {
    Placement pl;
    if (!array || !core::has_active() || dcb_pixel_bytes(core::active().depth) == 0 ||
        !place(width, height, clipped ? core::drawing_clip() : buffer_rect(), mirrored, pl))
        return 0;
    with_direct_depth(core::active().depth, [&](auto d) {
        using D = decltype(d);
        if (mirrored)
            draw_rows<D, DcbFormat<D>, true, true>(pl, array, SamePixel{});
        else
            draw_rows<D, DcbFormat<D>, true, false>(pl, array, SamePixel{});
    });
    return 0;
}

}  // namespace

int draw_dcb(const uint8_t* array, int width, int height) { return draw_keyed(array, width, height, false, false); }
int mirror_dcb(const uint8_t* array, int width, int height) { return draw_keyed(array, width, height, true, false); }
int clip_dcb(const uint8_t* array, int width, int height) { return draw_keyed(array, width, height, false, true); }
int flip_dcb(const uint8_t* array, int width, int height) { return draw_keyed(array, width, height, true, true); }

int put_dcb(const uint8_t* array, int width, int height) {
    Placement pl;
    const int depth = core::active().depth;
    if (!array || !core::has_active() || dcb_pixel_bytes(depth) == 0 ||
        !place(width, height, buffer_rect(), false, pl))
        return 0;
    if (depth == 32)
        for_each_row(pl, array, 3, bgr_to_pixels32);  // fourth byte 0
    else
        copy_rows_in(pl, array, dcb_pixel_bytes(depth));
    return 0;
}

int get_dcb(uint8_t* array, int width, int height) {
    Placement pl;
    const int depth = core::active().depth;
    if (!core::has_active() || dcb_pixel_bytes(depth) == 0 ||
        !place_read(array, width, height, dcb_pixel_bytes(depth), pl))
        return 0;
    if (depth == 32)
        read_rows<core::Depth32, Bgr888>(pl, array, SamePixel{});  // fourth byte dropped
    else
        copy_rows_out(pl, array, dcb_pixel_bytes(depth));
    return 0;
}

// Needs only the depth of the last opened buffer, not an open one.
int invert_dcb(uint8_t* array, int width, int height) {
    const int bytes = dcb_pixel_bytes(core::active().depth);
    if (!array || bytes == 0 || width < 1 || height < 2) return 0;
    const size_t row = size_t(width) * size_t(bytes);
    for (size_t top = 0, bottom = size_t(height) - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(array + top * row, array + top * row + row, array + bottom * row);
    return 0;
}

int cut_dcb(const uint8_t* large, uint8_t* small, int x, int y, int large_width, int width, int height) {
    const int bytes = dcb_pixel_bytes(core::active().depth);
    return bytes ? cut_pixels(large, small, x, y, large_width, width, height, bytes) : 0;
}

int paste_dcb(uint8_t* large, const uint8_t* small, int x, int y, int large_width, int width, int height) {
    const int bytes = dcb_pixel_bytes(core::active().depth);
    return bytes ? paste_pixels(large, small, x, y, large_width, width, height, bytes) : 0;
}

}  // namespace image
