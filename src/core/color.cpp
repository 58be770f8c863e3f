// The current colour and single pixels. Colours are prepared once here, for the depth of
// the last opened buffer, so that drawing only stores them.
#include "core/color.h"

#include "core/clip.h"
#include "core/palette.h"
#include "core/vbuf.h"
#include "core/world.h"

namespace core {

const uint8_t expand5[32] = {0,   8,   16,  25,  33,  41,  49,  58,  66,  74,  82,
                             90,  99,  107, 115, 123, 132, 140, 148, 156, 165, 173,
                             181, 189, 197, 206, 214, 222, 230, 239, 247, 255};
const uint8_t expand6[64] = {0,   4,   8,   12,  16,  20,  24,  28,  32,  36,  40,  45,  49,
                             53,  57,  61,  65,  69,  73,  77,  81,  85,  89,  93,  97,  101,
                             105, 109, 113, 117, 121, 125, 130, 134, 138, 142, 146, 150, 154,
                             158, 162, 166, 170, 174, 178, 182, 186, 190, 194, 198, 202, 206,
                             210, 215, 219, 223, 227, 231, 235, 239, 243, 247, 251, 255};

namespace {

uint32_t rgb565(int red, int green, int blue) {
    return pack565(uint32_t(red) & 0xFF, uint32_t(green) & 0xFF, uint32_t(blue) & 0xFF);
}

uint32_t rgb888(int red, int green, int blue) {
    return uint32_t(color().alpha) << 24 | (uint32_t(red) & 0xFF) << 16 | (uint32_t(green) & 0xFF) << 8 |
           (uint32_t(blue) & 0xFF);
}

void set_index(int index) {
    ColorState& c = color();
    c.color_index = uint8_t(index);
    c.mapped_index = c.index_map[c.color_index];
    c.color_value = c.mapped_index * 0x01010101u;
}

// Writes or XORs the current pixel at (x, y), which the caller has checked.
void plot(int x, int y, bool xor_mode) {
    const ActiveBuffer& vb = active();
    uint8_t* p = pixel_address(vb, x, y);
    with_depth(vb.depth, [&](auto d) {
        using D = decltype(d);
        if (xor_mode)
            xor_pixel<D>(p, current_pixel<D>());
        else
            D::store(p, current_pixel<D>());
    });
}

// Points outside the buffer are never written, whatever the clip rectangle says.
bool visible(int x, int y) { return has_active() && inside_clip(x, y) && inside_buffer(active(), x, y); }

}  // namespace

void color_init() {
    ColorState& c = color();
    c.mapped_index = 0;
    c.alpha = 0;
    c.color_value = 0;
    for (int i = 0; i < 256; ++i) c.index_map[i] = uint8_t(i);
}

int nearest_index(int red, int green, int blue) {
    const int r = red & 0xFF, g = green & 0xFF, b = blue & 0xFF;
    uint32_t best = 0xFFFFFFFF;
    int index = 0;
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& e = palette().entries[i];
        const int dr = e.red - r, dg = e.green - g, db = e.blue - b;
        const uint32_t d = uint32_t(dr * dr + dg * dg + db * db);
        if (d < best) {
            best = d;
            index = i;
        }
    }
    return index;
}

int set_color(int value) {
    switch (active().depth) {
    case 16: color().color_value = (uint32_t(value) & 0xFFFF) * 0x00010001u; break;
    case 24:
    case 32: color().color_value = uint32_t(value); break;
    default: set_index(value & 0xFF); break;
    }
    return 0;
}

int set_color_rgb(int red, int green, int blue) {
    switch (active().depth) {
    case 16: color().color_value = rgb565(red, green, blue) * 0x00010001u; break;
    case 24:
    case 32: color().color_value = rgb888(red, green, blue); break;
    default: set_index(nearest_index(red, green, blue)); break;
    }
    return 0;
}

int get_color() {
    switch (active().depth) {
    case 16: return int(color().color_value & 0xFFFF);
    case 24:
    case 32: return int(color().color_value);
    default: return color().color_index;
    }
}

int map_rgb(int red, int green, int blue) {
    switch (active().depth) {
    case 16: return int(rgb565(red, green, blue));
    case 24:
    case 32: return int(rgb888(red, green, blue));
    default: return nearest_index(red, green, blue);
    }
}

int unmap_rgb(int value, int* red, int* green, int* blue) {
    const uint32_t v = uint32_t(value);
    int r, g, b;
    switch (active().depth) {
    case 16:
        r = expand5[(v >> 11) & 31];
        g = expand6[(v >> 5) & 63];
        b = expand5[v & 31];
        break;
    case 24:
    case 32:
        r = int((v >> 16) & 0xFF);
        g = int((v >> 8) & 0xFF);
        b = int(v & 0xFF);
        break;
    default: return 0;  // palette indices: the palette gives their colours
    }
    if (red) *red = r;
    if (green) *green = g;
    if (blue) *blue = b;
    return 0;
}

int define_color(int index, int value) {
    if (unsigned(index) > 255) return -1;
    ColorState& c = color();
    const int old = c.index_map[index];
    c.index_map[index] = uint8_t(value);
    // The current 8-bit colour follows its entry; at other depths color_value is a pixel.
    if (c.color_index == index && (!has_active() || active().depth == 8)) set_index(index);
    return old;
}

int get_index(int index) { return unsigned(index) > 255 ? -1 : color().index_map[index]; }

int set_alpha(int alpha) {
    ColorState& c = color();
    const int old = c.alpha;
    c.alpha = uint8_t(alpha);
    return old;
}

namespace {

// Runs fn on the fourth byte and the colour of each 32-bit pixel inside the clip rectangle.
template <class Fn>
int for_each_alpha(Fn fn) {
    const ActiveBuffer& vb = active();
    if (!has_active() || vb.depth != 32) return -1;
    const ClipRect r = drawing_clip();
    if (empty(r)) return 0;
    for (int y = r.miny; y <= r.maxy; ++y) {
        uint8_t* p = pixel_address(vb, r.minx, y);
        for (int x = r.minx; x <= r.maxx; ++x, p += 4) p[3] = fn(Depth32::load(p) & 0xFFFFFF);
    }
    return 0;
}

}  // namespace

int fill_alpha(int alpha) { return for_each_alpha([a = uint8_t(alpha)](uint32_t) { return a; }); }

int key_alpha(int key) {
    const uint32_t k = uint32_t(key) & 0xFFFFFF;
    return for_each_alpha([k](uint32_t rgb) { return uint8_t(rgb == k ? 0 : 255); });
}

int point(int x, int y) {
    if (visible(x, y)) plot(x, y, false);
    return 0;
}

int point_xor(int x, int y) {
    if (visible(x, y)) plot(x, y, true);
    return 0;
}

int point_world(double x, double y) { return point(x_screen(x), y_screen(y)); }
int point_xor_world(double x, double y) { return point_xor(x_screen(x), y_screen(y)); }

int put_pixel(int x, int y) {
    if (has_active() && inside_buffer(active(), x, y)) plot(x, y, false);
    return 0;
}

int get_pixel(int x, int y) {
    const ActiveBuffer& vb = active();
    if (!has_active() || !inside_buffer(vb, x, y)) return 0;
    const uint8_t* p = pixel_address(vb, x, y);
    uint32_t value = 0;
    with_depth(vb.depth, [&](auto d) { value = decltype(d)::load(p); });
    return int(value);
}

}  // namespace core
