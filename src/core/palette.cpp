// Palettes: keeping the library palette, the RGB quad table and the palette pixel table
// in step, setting and reading entries, the default and logical palettes, and handing the
// palette to the host for display.
//
// Setting entries changes all three forms at once, the colour table of the active 8-bit
// buffer and the host palette last realized, so that what is on screen follows. Making a
// palette (rs_defpal, rs_logpal) only changes the library palette and the quad table:
// opening a buffer or rs_vbcolors brings buffers up to date.
#include "core/palette.h"

#include <algorithm>
#include <cstring>

#include "core/color.h"
#include "core/present.h"
#include "core/vbuf.h"
#include "platform/common/dib.h"

namespace core {
namespace {

static_assert(sizeof(PaletteEntry) == 4 && sizeof(RgbQuad) == 4, "palette forms are 4-byte records");

// ---- the default colour table --------------------------------------------------------

constexpr PaletteEntry rgb(int red, int green, int blue) {
    return {uint8_t(red), uint8_t(green), uint8_t(blue), palette_reserved};
}

// The host's twenty static colours: the first ten and the last ten entries.
constexpr PaletteEntry static_first[10] = {rgb(0, 0, 0),       rgb(128, 0, 0),     rgb(0, 128, 0),
                                           rgb(128, 128, 0),   rgb(0, 0, 128),     rgb(128, 0, 128),
                                           rgb(0, 128, 128),   rgb(192, 192, 192), rgb(192, 220, 192),
                                           rgb(164, 200, 240)};
constexpr PaletteEntry static_last[10] = {rgb(255, 251, 240), rgb(160, 160, 164), rgb(128, 128, 128),
                                          rgb(255, 0, 0),     rgb(0, 255, 0),     rgb(255, 255, 0),
                                          rgb(0, 0, 255),     rgb(255, 0, 255),   rgb(0, 255, 255),
                                          rgb(255, 255, 255)};

// Entries 10..25: the sixteen colours of the classic text-mode palette.
constexpr PaletteEntry sixteen[16] = {rgb(0, 0, 0),      rgb(0, 0, 170),    rgb(0, 170, 0),    rgb(0, 170, 170),
                                      rgb(170, 0, 0),    rgb(170, 0, 170),  rgb(170, 85, 0),   rgb(170, 170, 170),
                                      rgb(85, 85, 85),   rgb(85, 85, 255),  rgb(85, 255, 85),  rgb(85, 255, 255),
                                      rgb(255, 85, 85),  rgb(255, 85, 255), rgb(255, 255, 85), rgb(255, 255, 255)};

// Nine hue rings of 24 colours from entry 30. Each ring uses five levels lo < m1 < m2 <
// m3 < hi; its colours run round the hue circle from blue, each component one of the
// levels (0 = lo .. 4 = hi), given here as red, green, blue.
constexpr uint8_t ring_levels[9][5] = {{0, 64, 125, 190, 255},  {125, 157, 190, 222, 255}, {182, 198, 218, 234, 255},
                                       {0, 28, 56, 85, 113},    {56, 68, 85, 97, 113},     {80, 89, 97, 105, 113},
                                       {0, 16, 32, 48, 64},     {32, 40, 48, 56, 64},      {44, 48, 52, 60, 64}};
constexpr uint8_t ring_steps[24][3] = {{0, 0, 4}, {1, 0, 4}, {2, 0, 4}, {3, 0, 4}, {4, 0, 4}, {4, 0, 3},
                                       {4, 0, 2}, {4, 0, 1}, {4, 0, 0}, {4, 1, 0}, {4, 2, 0}, {4, 3, 0},
                                       {4, 4, 0}, {3, 4, 0}, {2, 4, 0}, {1, 4, 0}, {0, 4, 0}, {0, 4, 1},
                                       {0, 4, 2}, {0, 4, 3}, {0, 4, 4}, {0, 3, 4}, {0, 2, 4}, {0, 1, 4}};

constexpr std::array<PaletteEntry, 256> make_default_colors() {
    std::array<PaletteEntry, 256> t{};
    for (int i = 0; i < 10; ++i) {
        t[size_t(i)] = static_first[i];
        t[size_t(246 + i)] = static_last[i];
    }
    for (int i = 0; i < 16; ++i) t[size_t(10 + i)] = sixteen[i];
    for (int i = 0; i < 4; ++i) t[size_t(26 + i)] = rgb(85 * i, 85 * i, 85 * i);
    for (int k = 0; k < 9; ++k)
        for (int s = 0; s < 24; ++s) {
            const uint8_t* level = ring_levels[k];
            t[size_t(30 + 24 * k + s)] = rgb(level[ring_steps[s][0]], level[ring_steps[s][1]], level[ring_steps[s][2]]);
        }
    return t;
}

// ---- ranges of entries ------------------------------------------------------------

// The part of entries start .. start + count − 1 that exists: entries first .. end − 1,
// whose caller data begins `skip` triples into the caller's array.
struct EntryRange {
    int first = 0, end = 0;
    int64_t skip = 0;
    bool empty() const { return first >= end; }
};

EntryRange entry_range(int64_t start, int64_t count) {
    if (count <= 0) return {};
    const int64_t first = std::max<int64_t>(start, 0), end = std::min<int64_t>(start + count, 256);
    if (first >= end) return {};
    return {int(first), int(end), first - start};
}

// ---- keeping the forms in step ----------------------------------------------------

void rebuild_quads() {
    PaletteState& p = palette();
    for (int i = 0; i < 256; ++i) p.quads[i] = {p.entries[i].blue, p.entries[i].green, p.entries[i].red, 0};
}

// Pixel table entries first .. end − 1 for the active depth; 8-bit buffers have none.
void update_pixels(int first, int end) {
    PaletteState& p = palette();
    const int depth = active().depth;
    const uint32_t alpha = uint32_t(color().alpha) << 24;
    for (int i = first; i < end; ++i) {
        if (depth == 16)
            p.pixels[i] = palette_pixel(16, p.entries[i]);
        else if (depth == 24 || depth == 32)
            p.pixels[i] = alpha | palette_pixel(depth, p.entries[i]);
    }
}

bool active_has_quad_table() {
    const ActiveBuffer& vb = active();
    return vb.depth == 8 && vb.table_kind == table_rgb_quads;
}

// Changes entries of the realized host palette in place, so that a palette already on
// screen shows new colours without being realized again. A stale or missing handle is
// refused by the host.
void animate(int first, int end) {
    PaletteState& p = palette();
    host::animate_palette(host::palette_from_handle(p.realized), first, end - first,
                          reinterpret_cast<const uint8_t*>(&p.entries[first]));
}

// Copies `count` entries of the host's system palette from `from` into the library
// palette at `to`, flags as the host reports them. Entries the host cannot give (a
// display with fewer colours, or none) become black.
void copy_system_entries(int from, int count, int to) {
    uint8_t read[4 * 10]{};
    host::system_palette_entries(from, count, read);
    for (int i = 0; i < count; ++i) {
        const uint8_t* e = read + 4 * i;
        palette().entries[to + i] = {e[0], e[1], e[2], e[3]};
    }
}

// The static colours a palette keeps at both ends: the host's on a palette display, the
// twenty of the default table otherwise.
void set_static_colors(int display_bits) {
    PaletteEntry* entries = palette().entries;
    if (display_bits == 8) {
        copy_system_entries(0, 10, 0);
        copy_system_entries(246, 10, 246);
    } else if (display_bits < 8) {
        copy_system_entries(0, 8, 0);
        copy_system_entries(8, 8, 248);
    } else {
        std::copy(default_colors.begin(), default_colors.begin() + 10, entries);
        std::copy(default_colors.begin() + 246, default_colors.end(), entries + 246);
    }
}

// A new host palette made from the library palette's logical-palette record.
void* create_host_palette() {
    const PaletteState& p = palette();
    uint8_t record[4 + sizeof p.entries];
    host::write_u16(record, p.version);
    host::write_u16(record + 2, p.count);
    std::memcpy(record + 4, p.entries, sizeof p.entries);
    return host::create_palette(record);
}

}  // namespace

const std::array<PaletteEntry, 256> default_colors = make_default_colors();

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

// ---- setting and reading entries -----------------------------------------------------

int set_dacs(int start, int count, const uint8_t* rgb) {
    const EntryRange r = entry_range(start, count);
    if (!has_active() || !rgb || r.empty()) return 0;
    PaletteState& p = palette();
    rgb += 3 * r.skip;
    for (int i = r.first; i < r.end; ++i, rgb += 3) {
        p.entries[i] = {rgb[0], rgb[1], rgb[2], palette_reserved};
        p.quads[i] = {rgb[2], rgb[1], rgb[0], 0};
    }
    if (active_has_quad_table()) write_color_table();
    animate(r.first, r.end);
    update_pixels(r.first, r.end);
    return 0;
}

int get_dacs(int start, int count, uint8_t* rgb) {
    const EntryRange r = entry_range(start, count);
    if (!rgb || r.empty()) return 0;
    const PaletteState& p = palette();
    rgb += 3 * r.skip;
    for (int i = r.first; i < r.end; ++i, rgb += 3) {
        rgb[0] = p.entries[i].red;
        rgb[1] = p.entries[i].green;
        rgb[2] = p.entries[i].blue;
    }
    return 0;
}

int set_rgb(int index, int red, int green, int blue) {
    if (!has_active() || unsigned(index) > 255) return 0;
    PaletteState& p = palette();
    // The flags byte and the quad's reserved byte stay as they are.
    PaletteEntry& e = p.entries[index];
    e.red = uint8_t(red);
    e.green = uint8_t(green);
    e.blue = uint8_t(blue);
    RgbQuad& q = p.quads[index];
    q.blue = e.blue;
    q.green = e.green;
    q.red = e.red;
    if (active_has_quad_table()) std::memcpy(active().header + 40 + 4 * index, &q, sizeof q);
    animate(index, index + 1);
    update_pixels(index, index + 1);
    return 0;
}

int get_rgb(int index, int* red, int* green, int* blue) {
    if (unsigned(index) > 255) return 0;
    const PaletteEntry& e = palette().entries[index];
    if (red) *red = e.red;
    if (green) *green = e.green;
    if (blue) *blue = e.blue;
    return 0;
}

int map_dacs(const uint8_t* src, uint8_t* dst, int count) {
    if (!src || !dst || count <= 0) return 0;
    // Byte by byte, so src and dst may be the same array.
    const size_t n = size_t(count) * 3;
    for (size_t i = 0; i < n; ++i) dst[i] = expand6[src[i] & 63];
    return 0;
}

// ---- whole palettes --------------------------------------------------------------------

void* default_palette() {
    PaletteState& p = palette();
    std::copy(default_colors.begin(), default_colors.end(), p.entries);
    set_static_colors(display_colors());
    rebuild_quads();
    return create_host_palette();
}

void* logical_palette(int start, int count, const uint8_t* rgb) {
    PaletteState& p = palette();
    set_static_colors(display_colors());
    count = std::max(count, 0);
    const EntryRange caller = entry_range(start, count);
    if (rgb && !caller.empty()) {
        rgb += 3 * caller.skip;
        for (int i = caller.first; i < caller.end; ++i, rgb += 3)
            p.entries[i] = {rgb[0], rgb[1], rgb[2], palette_reserved};
    }
    // The entries after the caller's, up to 236 in all, are black: from start 10 that is
    // everything between the static colours.
    if (count < 236) {
        const EntryRange black = entry_range(int64_t(start) + count, 236 - count);
        for (int i = black.first; i < black.end; ++i) p.entries[i] = {0, 0, 0, palette_reserved};
    }
    rebuild_quads();
    return create_host_palette();
}

// ---- realizing ---------------------------------------------------------------------------

int realize(void* handle) {
    PaletteState& p = palette();
    p.realized = handle;
    host::Device* dc = host::device_from_handle(devices().window_dc);
    host::Palette* previous = host::select_palette(dc, host::palette_from_handle(handle), false);
    host::realize_palette(dc);
    if (!p.displaced) p.displaced = previous;
    return 0;
}

void restore_displaced_palette() {
    const PaletteState& p = palette();
    if (!p.displaced) return;
    host::select_palette(host::device_from_handle(devices().window_dc), host::palette_from_handle(p.displaced),
                         false);
}

}  // namespace core
