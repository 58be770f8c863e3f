// Virtual buffers: allocation, opening, closing and release, the bitmap header that
// describes each buffer to the host, and the library's start and end.
#include "core/vbuf.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "core/clip.h"
#include "core/color.h"
#include "core/palette.h"
#include "core/present.h"
#include "core/world.h"
#include "platform/common/dib.h"

namespace core {
namespace {

// The display decides the colour table kind of 8-bit buffers: palette indices on a
// palette display, RGB quads otherwise.
int table_kind_for_display() {
    return display_colors() <= 8 ? table_palette_indices : table_rgb_quads;
}

int header_size_for(int depth) { return depth == 16 || depth == 32 ? 108 : 40; }

void release_slot(VbSlot& s) {
    s.pixels = nullptr;  // the slot is free from here on
    host::delete_bitmap(s.bitmap);
    host::block_free(s.header);
}

}  // namespace

void write_bitmap_header(uint8_t* h, int depth, int width, int height, int table_kind) {
    const VbTable& t = vb_table();
    const bool masks = depth == 16 || depth == 32;
    host::write_u32(h + 0, masks && !t.short_header ? 108u : 40u);
    host::write_u32(h + 4, uint32_t(width));
    host::write_u32(h + 8, uint32_t(height));
    host::write_u16(h + 12, 1);
    host::write_u16(h + 14, uint16_t(depth));
    host::write_u32(h + 16, masks ? 3u : 0u);
    if (depth == 16) {
        host::write_u32(h + 40, 0x0000F800);
        host::write_u32(h + 44, 0x000007E0);
        host::write_u32(h + 48, 0x0000001F);
    } else if (depth == 32) {
        host::write_u32(h + 40, 0x00FF0000);
        host::write_u32(h + 44, 0x0000FF00);
        host::write_u32(h + 48, 0x000000FF);
        // The alpha mask belongs to the version-4 header; the short form ends with blue.
        if (!t.short_header) host::write_u32(h + 52, 0xFF000000);
    } else if (depth == 8) {
        if (table_kind == table_rgb_quads)
            std::memcpy(h + 40, palette().quads, sizeof palette().quads);
        else
            for (int i = 0; i < 256; ++i) host::write_u16(h + 40 + 2 * i, uint16_t(i));
    }
}


int display_colors() {
    const int bits = host::display_bits_per_pixel();
    return bits == 15 ? 16 : bits;
}

int vb_depth(int bits) {
    VbTable& t = vb_table();
    t.creation_depth = bits;
    if (bits == 32 || bits == 16) {
        t.creation_header_size = 108;
        t.creation_header_alloc = 108;
        t.table_kind = table_rgb_quads;
    } else {
        t.creation_header_size = 40;
        if (bits == 24) {
            t.creation_header_alloc = 40;
            t.table_kind = table_rgb_quads;
        } else {
            t.table_kind = table_kind_for_display();
            t.creation_header_alloc = t.table_kind == table_palette_indices ? 552 : 1064;
        }
    }
    return 0;
}

namespace {

// A new buffer at the creation depth in the lowest free slot: over host memory, or over
// the caller's memory when `memory` is given (then nothing but the header is allocated).
int make_buffer(int width, int height, uint8_t* memory) {
    VbTable& t = vb_table();
    int handle = 0;
    while (handle < vb_slot_count && t.slots[size_t(handle)].pixels) ++handle;
    if (handle == vb_slot_count) return -1;

    const int depth = t.creation_depth;
    if (depth != 8 && depth != 16 && depth != 24 && depth != 32) return -2;
    if (width < 1 || height < 1) return -2;
    const int64_t w = (int64_t(width) + 3) & ~int64_t(3);
    const int64_t pitch = w * (depth / 8);
    // The whole buffer, pixels and header, must be addressable with 31-bit sizes. pitch is
    // below 2^34, so the division settles it before any product can overflow.
    if (pitch > (INT32_MAX - int64_t(t.creation_header_alloc)) / height) return -2;
    if (t.creation_header_alloc < header_size_for(depth)) return -2;  // library not started

    // The colour table is the one the header block was sized for. The kind variable alone
    // is not enough: opening a 16-, 24- or 32-bit buffer sets it to RGB quads while the
    // creation allocation may still be the 552 bytes of an index table.
    const int kind = depth == 8 && t.creation_header_alloc < 1064 ? table_palette_indices : table_rgb_quads;
    auto* header = static_cast<uint8_t*>(host::block_alloc(size_t(t.creation_header_alloc)));
    if (!header) return -2;
    write_bitmap_header(header, depth, int(w), height, kind);
    uint8_t* pixels = memory;
    host::Bitmap* bitmap = nullptr;
    if (!memory) {
        bitmap = host::create_dib_section(host::device_from_handle(devices().window_dc), header, kind, &pixels);
        if (!bitmap) {
            host::block_free(header);
            return -2;
        }
    }
    VbSlot& s = t.slots[size_t(handle)];
    s.bitmap = bitmap;
    s.header = header;
    s.pixels = pixels;
    s.depth = depth;
    s.pitch = int(pitch);
    s.width = int(w);
    s.height = height;
    s.table_kind = kind;
    s.clip = {0, int(w) - 1, 0, height - 1};
    return handle;
}

}  // namespace

int vb_alloc(int width, int height) { return make_buffer(width, height, nullptr); }

int vb_define(void* memory, int width, int height) {
    return memory ? make_buffer(width, height, static_cast<uint8_t*>(memory)) : -2;
}

// The slot goes; the caller's memory stays the caller's (a defined buffer has no bitmap).
int vb_undefine(int handle) {
    VbSlot* s = slot_in_use(handle);
    if (!s || s->bitmap || handle == active().handle) return -1;
    release_slot(*s);
    return 0;
}

int vb_open(int handle) {
    if (unsigned(handle) >= unsigned(vb_slot_count)) return -1;
    VbSlot* s = slot_in_use(handle);
    if (!s) return -2;
    VbTable& t = vb_table();
    host::Bitmap* previous = host::select_bitmap(t.memory_dc, s->bitmap);
    if (!t.saved_bitmap) t.saved_bitmap = previous;

    ActiveBuffer& vb = active();
    vb.handle = handle;
    vb.depth = s->depth;
    vb.pitch = s->pitch;
    vb.width = s->width;
    vb.height = s->height;
    vb.maxy = s->height - 1;
    vb.header = s->header;
    vb.pixels = s->pixels;
    vb.size = s->pitch * s->height;
    vb.header_size = header_size_for(s->depth);
    clip() = s->clip;
    // Each buffer keeps the colour table kind it was made with, so its table is always
    // rewritten in the form and size its header has, whatever the display does meanwhile.
    vb.table_kind = s->table_kind;
    t.table_kind = s->table_kind;
    palette_refresh_for_open();
    return 0;
}

int vb_close() {
    VbTable& t = vb_table();
    active().handle = -1;
    host::select_bitmap(t.memory_dc, t.saved_bitmap);
    t.saved_bitmap = nullptr;
    return 0;
}

int vb_free(int handle) {
    VbTable& t = vb_table();
    if (handle < 0) {
        if (has_active()) return 0;
        for (VbSlot& s : t.slots)
            if (s.pixels) release_slot(s);
        return 0;
    }
    VbSlot* s = slot_in_use(handle);
    if (s && handle != active().handle) release_slot(*s);
    return 0;
}

int vb_size(int width, int height) {
    const VbTable& t = vb_table();
    // 32-bit arithmetic as the formula states it; wrap-around is the caller's concern.
    const uint32_t row = (uint32_t(width) * uint32_t(t.creation_depth) / 8u + 3u) & ~3u;
    return int(row * uint32_t(height) + uint32_t(t.creation_header_alloc));
}

void* vb_addr(int handle) {
    VbSlot* s = slot_in_use(handle);
    return s ? s->pixels : nullptr;
}

int vb_handle() { return active().handle; }

int memory_available() { return int(std::min<size_t>(host::memory_available_kb(), INT_MAX)); }

int vb_colors() {
    if (has_active() && active().depth == 8) write_color_table();
    return 0;
}

// ---- start and end of the core ---------------------------------------------------------

int vb_init() {
    VbTable& t = vb_table();
    // Buffers of an earlier start are forgotten, not released: their host objects stay
    // alive until the process ends.
    for (VbSlot& s : t.slots) s.pixels = nullptr;
    color_init();
    t.table_kind = table_kind_for_display();
    t.creation_header_alloc = t.table_kind == table_palette_indices ? 552 : 1064;
    Devices& d = devices();
    d.printer_dc = nullptr;
    d.hidden_page = -1;
    d.visible_page = -1;
    Viewport& v = viewport();
    v.view_minx = v.view_miny = v.port_minx = v.port_miny = 0;
    ActiveBuffer& vb = active();
    vb.handle = -1;
    vb.header_size = 40;
    t.creation_depth = 8;
    t.creation_header_size = 40;
    t.saved_bitmap = nullptr;
    t.memory_dc = host::create_memory_dc();
    t.short_header = host::nt_family();
    return 0;
}

// The end steps run whether or not any slot is free: a full table is no reason to keep
// the memory DC.
int vb_fin() {
    VbTable& t = vb_table();
    active().handle = -1;
    restore_displaced_palette();
    if (t.memory_dc) {
        host::delete_dc(t.memory_dc);
        t.memory_dc = nullptr;
    }
    return 0;
}

// ---- state queries ------------------------------------------------------------------

int get_maxx() { return active().width - 1; }
int get_maxy() { return active().height - 1; }
int get_depth() { return active().depth; }
int get_hcbpp() { return 16; }

int version(int* major, int* minor) {
    if (major) *major = 6;
    if (minor) *minor = 3;
    return 0;
}

}  // namespace core
