// Virtual buffers: the 256-slot table, the active buffer's attributes, and the core's part
// of the library's start and end.
//
// A buffer is a bottom-up bitmap owned by the host (see platform/host.h) plus the bitmap
// header that describes it. Only row_address() knows that rows are stored bottom-up;
// everything else asks it (or pixel_address) for the address of screen row y.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/host.h"

namespace core {

constexpr int vb_slot_count = 256;

enum TableKind : int { table_rgb_quads = 0, table_palette_indices = 1 };

struct ClipRect {
    int minx = 0, maxx = 0, miny = 0, maxy = 0;  // inclusive, screen space
};

struct VbSlot {
    uint8_t* pixels = nullptr;        // start of the bottom row; nullptr = slot free
    host::Bitmap* bitmap = nullptr;   // owns the pixel memory; nullptr: the caller's memory
    uint8_t* header = nullptr;        // header block, zero-filled, from host::block_alloc
    int depth = 0;
    int pitch = 0;                    // width × depth / 8; rows have no padding
    int width = 0;                    // requested width rounded up to a multiple of 4
    int height = 0;
    int table_kind = table_rgb_quads;  // colour table kind the header was made with
    ClipRect clip;
};

struct VbTable {
    std::array<VbSlot, vb_slot_count> slots{};
    int creation_depth = 8;
    int creation_header_size = 0;     // 108 for 16 and 32 bits, else 40
    int creation_header_alloc = 0;    // bytes of the header block (with colour table)
    int table_kind = table_rgb_quads; // colour table kind of 8-bit headers
    host::Device* memory_dc = nullptr;
    host::Bitmap* saved_bitmap = nullptr;
    bool short_header = false;        // 16/32-bit headers declare 40 bytes + 3 masks
};

// The active buffer's attributes, copied from its slot by rs_vbopen so that drawing reads
// plain variables. They keep their values after rs_vbclose; handle < 0 means no buffer.
struct ActiveBuffer {
    int handle = -1;
    uint8_t* pixels = nullptr;
    int pitch = 0;
    int width = 0;
    int height = 0;
    int maxy = 0;
    int depth = 0;
    int size = 0;         // pitch × height
    uint8_t* header = nullptr;
    int header_size = 0;  // where the colour table or masks begin
    // The kind of the colour table in the header: the slot's own, not the creation kind,
    // which rs_vbdepth may change while the buffer is open.
    int table_kind = table_rgb_quads;
};

inline VbTable& vb_table() {
    static VbTable table;
    return table;
}

inline ActiveBuffer& active() {
    static ActiveBuffer vb;
    return vb;
}

inline bool has_active() { return active().handle >= 0; }

inline int bytes_per_pixel(int depth) { return depth / 8; }

// Address of screen row y (0 = top) of a buffer with the given base, pitch and height.
inline uint8_t* row_address(uint8_t* pixels, int pitch, int height, int y) {
    return pixels + (ptrdiff_t(height) - 1 - y) * pitch;
}
inline uint8_t* row_address(const ActiveBuffer& vb, int y) {
    return row_address(vb.pixels, vb.pitch, vb.height, y);
}
inline uint8_t* pixel_address(const ActiveBuffer& vb, int x, int y) {
    return row_address(vb, y) + ptrdiff_t(x) * bytes_per_pixel(vb.depth);
}
inline bool inside_buffer(const ActiveBuffer& vb, int x, int y) {
    return x >= 0 && x < vb.width && y >= 0 && y < vb.height;
}

// The slot of a handle in use, or nullptr (handles compared unsigned, so negatives fail).
inline VbSlot* slot_in_use(int handle) {
    if (unsigned(handle) >= unsigned(vb_slot_count)) return nullptr;
    VbSlot& s = vb_table().slots[size_t(handle)];
    return s.pixels ? &s : nullptr;
}

// Writes the bitmap-information header of a depth × width × height buffer into a
// zero-filled block: 40 bytes (with three masks after them at 16 and 32 bits in the short
// form) or the 108-byte version-4 form, and at 8 bits the colour table of the given kind.
void write_bitmap_header(uint8_t* h, int depth, int width, int height, int table_kind);

// The core's part of the library's start and end (library.cpp runs the other subsystems').
int vb_init();
int vb_fin();
int vb_depth(int bits);
int vb_alloc(int width, int height);
// A buffer over caller memory (rows bottom-up, width rounded up to 4 pixels), and its end.
int vb_define(void* memory, int width, int height);
int vb_undefine(int handle);
int vb_open(int handle);
int vb_close();
int vb_free(int handle);
int vb_size(int width, int height);
void* vb_addr(int handle);
int vb_handle();
int vb_colors();
int memory_available();  // kilobytes the system could still give, at most INT_MAX

// State queries and version.
int get_maxx();
int get_maxy();
int get_depth();
int get_hcbpp();
int version(int* major, int* minor);

}  // namespace core
