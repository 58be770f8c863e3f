// Palettes: keeping the library palette, the RGB quad table and the palette pixel table
// in step, and handing the colours to buffers when they are opened.
#include "core/palette.h"

#include <algorithm>
#include <cstring>

#include "core/color.h"
#include "core/vbuf.h"
#include "platform/common/dib.h"

namespace core {

uint32_t palette_pixel(int depth, const PaletteEntry& e) {
    if (depth == 16) return uint32_t((e.red >> 3) << 11 | (e.green >> 2) << 5 | (e.blue >> 3));
    return uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue;
}

void write_color_table() {
    const ActiveBuffer& vb = active();
    uint8_t* table = vb.header + 40;
    if (vb.table_kind == table_rgb_quads)
        std::memcpy(table, palette().quads, sizeof palette().quads);
    else
        for (int i = 0; i < 256; ++i) host::write_u16(table + 2 * i, uint16_t(i));
}

void palette_refresh_for_open() {
    const ActiveBuffer& vb = active();
    PaletteState& p = palette();
    if (vb.depth == 8) {
        // Indices never change, so only an RGB colour table needs the current colours.
        if (vb.table_kind == table_rgb_quads) write_color_table();
        return;
    }
    // The pixel table built when a buffer is opened has a top byte of 0.
    for (int i = 0; i < 256; ++i) p.pixels[i] = palette_pixel(vb.depth, p.entries[i]);
}

}  // namespace core

namespace core {

int set_dacs(int start, int count, const uint8_t* rgb) {
    if (!has_active() || count <= 0 || !rgb || start < 0 || start > 255) return 0;
    const int end = start + std::min(count, 256 - start);
    PaletteState& p = palette();
    const int depth = active().depth;
    for (int i = start; i < end; ++i, rgb += 3) {
        p.entries[i] = {rgb[0], rgb[1], rgb[2], 1};
        p.quads[i] = {rgb[2], rgb[1], rgb[0], 0};
        if (depth == 16)
            p.pixels[i] = palette_pixel(16, p.entries[i]);
        else if (depth == 24 || depth == 32)
            p.pixels[i] = uint32_t(color().alpha) << 24 | palette_pixel(depth, p.entries[i]);
    }
    if (depth == 8 && active().table_kind == table_rgb_quads) write_color_table();
    host::animate_palette(host::palette_from_handle(p.realized), start, end - start,
                          reinterpret_cast<const uint8_t*>(&p.entries[start]));
    return 0;
}

}  // namespace core
