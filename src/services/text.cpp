// System-font text. The host gives each font's glyphs as coverage masks and its line
// metrics; this family picks the colour, places the string as the justification asks,
// draws the masks into the active buffer and moves the graphics cursor on.
//
// Text goes into the active buffer whichever device is the text DC: the library draws
// glyphs itself, so the text DC is kept (rs_fontdc, rs_setdc) but does not steer where
// text lands. Glyphs are cut to the buffer, not to the clip rectangle. Only glyph pixels
// are written: the background stays as it was.
#include "services/text.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "core/color.h"
#include "core/palette.h"
#include "core/pixel.h"
#include "core/vbuf.h"
#include "draw/line.h"
#include "draw/state.h"
#include "platform/fonts.h"
#include "services/state.h"

namespace services {
namespace {

constexpr int default_stock_font = 10;

// Makes the font current and takes its metrics.
void select(host::Font* font) {
    const host::FontMetrics& m = host::font_metrics(font);
    TextState& t = text();
    t.font = font;
    t.line_height = m.height + m.external_leading;
    t.external_leading = m.external_leading;
    t.average_width = m.average_width;
}

// The current font, its metrics taken afresh. A font destroyed while current (or none,
// before the library was started) gives way to stock font 10.
host::Font* current_font() {
    host::Font* font = host::font_from_handle(text().font);
    if (!font) font = host::stock_font(default_stock_font);
    select(font);
    return font;
}

// The pixel a colour reference becomes at a depth. An 8-bit buffer takes the nearest
// palette colour (lowest index on ties), so the current colour's own entry comes back
// unless an earlier entry has the same colour. The fourth byte of 32-bit pixels is 0.
uint32_t text_pixel(int depth, uint32_t ref) {
    const uint32_t r = ref & 0xFF, g = ref >> 8 & 0xFF, b = ref >> 16 & 0xFF;
    switch (depth) {
    case 8: return uint32_t(core::nearest_index(int(r), int(g), int(b)));
    case 16: return core::pack565(r, g, b);
    default: return r << 16 | g << 8 | b;
    }
}

// Text colour over a pixel at coverage a (1..254), channel by channel, rounded to
// nearest. 24- and 32-bit pixels mix each byte (the text's fourth byte is 0); 16-bit
// ones mix in 8-bit channels and narrow again.
inline uint32_t mix_channel(uint32_t d, uint32_t s, uint32_t a) { return (s * a + d * (255 - a) + 127) / 255; }

template <class D>
inline uint32_t mix(uint32_t dst, uint32_t src, uint32_t a) {
    uint32_t out = 0;
    for (int k = 0; k < D::bytes * 8; k += 8) out |= mix_channel(dst >> k & 0xFF, src >> k & 0xFF, a) << k;
    return out;
}

template <>
inline uint32_t mix<core::Depth16>(uint32_t dst, uint32_t src, uint32_t a) {
    return core::pack565(mix_channel(core::expand5[dst >> 11], core::expand5[src >> 11], a),
                         mix_channel(core::expand6[dst >> 5 & 63], core::expand6[src >> 5 & 63], a),
                         mix_channel(core::expand5[dst & 31], core::expand5[src & 31], a));
}

// The part of a glyph mask at (x, y) that lies inside the buffer: columns c0..c1 − 1 and
// rows r0..r1 − 1 of the mask; empty when c0 >= c1 or r0 >= r1.
struct Cut {
    int c0, c1, r0, r1;
};
Cut cut(const core::ActiveBuffer& vb, const host::Glyph& g, int64_t x, int64_t y) {
    return {int(std::clamp<int64_t>(-x, 0, g.width)), int(std::clamp<int64_t>(vb.width - x, 0, g.width)),
            int(std::clamp<int64_t>(-y, 0, g.height)), int(std::clamp<int64_t>(vb.height - y, 0, g.height))};
}

// Draws the string's glyphs with the pen starting at (pen, baseline). Solid drawing
// writes the pixel where coverage reaches the threshold; blended drawing mixes partial
// coverage in.
template <class D, bool blend>
void draw_string(const core::ActiveBuffer& vb, host::Font* font, const uint8_t* s, size_t n, int64_t pen,
                 int64_t baseline, uint32_t value, uint8_t threshold) {
    for (size_t i = 0; i < n; ++i) {
        const host::Glyph& g = host::font_glyph(font, s[i]);
        const int64_t x = pen + g.left, y = baseline - g.top;
        pen += g.advance;
        const Cut k = cut(vb, g, x, y);
        if (k.c0 >= k.c1 || k.r0 >= k.r1) continue;
        for (int r = k.r0; r < k.r1; ++r) {
            const uint8_t* src = g.coverage + size_t(r) * size_t(g.width);
            uint8_t* p = core::pixel_address(vb, int(x + k.c0), int(y + r));
            for (int c = k.c0; c < k.c1; ++c, p += D::bytes) {
                const uint8_t a = src[c];
                if (!blend) {
                    if (a >= threshold) D::store(p, value);
                } else if (a == 255) {
                    D::store(p, value);
                } else if (a != 0) {
                    D::store(p, mix<D>(D::load(p), value, a));
                }
            }
        }
    }
}

}  // namespace

// Stock font 10 is current again; it is looked up (and its face opened) at the first
// rs_print, so starting the library costs no font lookup.
void text_init() { text() = TextState{}; }

int font_dc(void* dc) {
    state().text_dc = dc;
    return 0;
}

int font_load(int index) {
    if (host::Font* font = host::stock_font(index)) select(font);
    return 0;
}

int log_font(void* handle) {
    host::Font* font = host::font_from_handle(handle);
    if (!font) return -1;
    select(font);
    return 0;
}

int justify(int horizontal, int vertical) {
    state().justify_x = int8_t(horizontal);
    state().justify_y = int8_t(vertical);
    return 0;
}

int locate(int row, int column) {
    if (row < 0 || column < 0) return -1;
    text().row = row;
    text().column = column;
    return 0;
}

int where(int* row, int* column) {
    if (row) *row = text().row;
    if (column) *column = text().column;
    return 0;
}

int get_lines() {
    current_font();
    const int h = text().line_height;
    return core::has_active() && h > 0 ? core::active().height / h : 0;
}

int text_cells(const char* string, int count) {
    if (!string) return 0;
    const size_t n = count < 0 ? std::strlen(string) : strnlen(string, size_t(count));
    current_font();
    TextState& t = text();
    const int w = std::max(t.average_width, 1), h = std::max(t.line_height, 1);
    const int per_row = core::has_active() ? std::max(core::active().width / w, 1) : 1;
    ServiceState& j = state();
    const ServiceState saved = j;
    const int saved_x = draw::get_xpos(), saved_y = draw::get_ypos();
    j.justify_x = j.justify_y = -1;  // the cell's top-left corner one line above the cursor
    for (size_t i = 0; i < n; ++i) {
        const char c = string[i];
        if (c == '\n' || c == '\r') {
            t.column = 0;
            if (c == '\n' && t.row < INT_MAX) ++t.row;
            continue;
        }
        if (t.column >= per_row) t.column = 0, t.row = t.row < INT_MAX ? t.row + 1 : t.row;
        const int64_t x = int64_t(t.column) * w, y = (int64_t(t.row) + 1) * h;
        if (x <= INT_MAX && y <= INT_MAX) {
            draw::move(int(x), int(y));
            print(&string[i], 1);
        }
        ++t.column;
    }
    j = saved;
    draw::move(saved_x, saved_y);
    return 0;
}

uint32_t text_colorref() {
    const core::ColorState& c = core::color();
    uint32_t r, g, b;
    switch (core::active().depth) {
    case 8: {
        const core::PaletteEntry& e = core::palette().entries[c.mapped_index];
        r = e.red, g = e.green, b = e.blue;
        break;
    }
    case 16: {
        const uint32_t v = c.color_value & 0xFFFF;
        r = (v >> 11) * 255 / 31, g = (v >> 5 & 63) * 255 / 63, b = (v & 31) * 255 / 31;
        break;
    }
    default: r = c.color_value >> 16 & 0xFF, g = c.color_value >> 8 & 0xFF, b = c.color_value & 0xFF; break;
    }
    return r | g << 8 | b << 16;
}

int print(const char* string, int count) {
    if (!string || count < 0) return 0;
    const size_t n = strnlen(string, size_t(count));
    const auto* s = reinterpret_cast<const uint8_t*>(string);
    host::Font* font = current_font();
    const TextState& t = text();

    int64_t w = 0;
    for (size_t i = 0; i < n; ++i) w += host::font_glyph(font, s[i]).advance;
    w = std::min<int64_t>(w, INT_MAX);

    // Justification moves the cell's top-left corner; the cell then sits one line above.
    const ServiceState& j = state();
    int64_t x = draw::get_xpos(), y = draw::get_ypos();
    if (j.justify_x >= 0) x -= ((j.justify_x + 1) * w) >> 1;
    if (j.justify_y >= 0) y += ((j.justify_y + 1) * int64_t(t.line_height - t.external_leading)) >> 1;
    y -= t.line_height;

    if (core::has_active() && n > 0) {
        const core::ActiveBuffer& vb = core::active();
        const uint32_t value = text_pixel(vb.depth, text_colorref());
        const int64_t baseline = y + host::font_metrics(font).ascent;
        const bool antialias = host::font_antialiased(font);
        core::with_depth(vb.depth, [&](auto d) {
            using D = decltype(d);
            // No blending at 8 bits: an antialiased font's pixels count from half coverage.
            if (antialias && D::bits != 8)
                draw_string<D, true>(vb, font, s, n, x, baseline, value, 1);
            else
                draw_string<D, false>(vb, font, s, n, x, baseline, value, antialias ? 128 : 1);
        });
    }

    // The cursor ends on the cell's top row, right of the text, but not past the buffer.
    draw::move(int(std::min<int64_t>(x + w, core::active().width)), int(uint32_t(y)));
    return 0;
}

}  // namespace services
