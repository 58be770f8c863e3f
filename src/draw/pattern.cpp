// Textured fills. The span's pixels are found from its address alone (pixel index from the
// buffer's base: rows have no padding), so every shape keeps its own span loop and only
// swaps the call that fills. Rows of the texture are copied in blocks up to its right edge,
// pixel by pixel where colour 0 is transparent.
#include "draw/pattern.h"

#include <algorithm>
#include <cstring>

#include "core/vbuf.h"

namespace draw {

int texture(int handle, int flags) {
    if (handle != -1 && !core::slot_in_use(handle)) return -1;
    state().texture = handle;
    state().texture_flags = flags;
    return 0;
}

template <class D>
void texture_span(uint8_t* p, int n, uint32_t color_value) {
    const core::ActiveBuffer& vb = core::active();
    const core::VbSlot* t = core::slot_in_use(state().texture);
    if (!t || t->depth != vb.depth) return core::fill_span<D>(p, n, color_value);
    const bool keyed = (state().texture_flags & 1) != 0;
    constexpr uint32_t colour = D::bits == 32 ? 0xFFFFFFu : D::mask;
    int64_t k = (p - vb.pixels) / D::bytes;  // pixels from the start of the bottom row
    while (n > 0) {
        const int x0 = int(k % vb.width), y = vb.height - 1 - int(k / vb.width);
        const int m = std::min(n, vb.width - x0);
        const uint8_t* row = core::row_address(t->pixels, t->pitch, t->height, y % t->height);
        for (int i = 0, tx = x0 % t->width; i < m;) {
            const int c = std::min(m - i, t->width - tx);
            if (!keyed) {
                std::memcpy(p + ptrdiff_t(i) * D::bytes, row + ptrdiff_t(tx) * D::bytes, size_t(c) * D::bytes);
            } else {
                for (int j = 0; j < c; ++j) {
                    const uint32_t v = D::load(row + ptrdiff_t(tx + j) * D::bytes);
                    if (v & colour) D::store(p + ptrdiff_t(i + j) * D::bytes, v);
                }
            }
            i += c, tx = 0;
        }
        p += ptrdiff_t(m) * D::bytes, k += m, n -= m;
    }
}

template void texture_span<core::Depth8>(uint8_t*, int, uint32_t);
template void texture_span<core::Depth16>(uint8_t*, int, uint32_t);
template void texture_span<core::Depth24>(uint8_t*, int, uint32_t);
template void texture_span<core::Depth32>(uint8_t*, int, uint32_t);

}  // namespace draw
