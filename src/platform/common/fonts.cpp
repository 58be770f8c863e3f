// Font objects of the Linux hosts: stock fonts, fonts the host side creates, and the
// glyph cache each of them keeps. Glyphs come from the font's system face (rendered once
// per code, at the font's one size) or, for a font without a face, from the built-in
// bitmap font.
#include "platform/common/fonts.h"

#include <cstring>

#include "platform/host.h"

namespace host {
namespace {

struct StockFace {
    int index;
    const char* family;
    int pixel_height;
};

// Fixed-pitch stock fonts take DejaVu Sans Mono, variable-pitch ones DejaVu Sans.
constexpr StockFace stock_faces[] = {
    {10, "DejaVu Sans Mono", 12}, {11, "DejaVu Sans Mono", 13}, {12, "DejaVu Sans", 13},
    {13, "DejaVu Sans", 16},      {14, "DejaVu Sans", 16},      {16, "DejaVu Sans Mono", 16},
    {17, "DejaVu Sans", 11},
};
constexpr int stock_index_limit = 18;

struct FontSettings {
    bool system_fonts = true;
    // Stock fonts made so far: from system faces where they could be had, and the
    // built-in ones used while system fonts are switched off.
    Font* system_stock[stock_index_limit] = {};
    Font* builtin_stock[stock_index_limit] = {};
};

FontSettings& font_settings() {
    static FontSettings s;
    return s;
}

FontMetrics builtin_metrics() {
    FontMetrics m;
    m.height = builtin_font.height;
    m.ascent = builtin_font.ascent;
    m.average_width = builtin_font.width;
    return m;
}

// A font of the face, or of the built-in font when there is none.
Font* make_font(FacePtr face, bool antialias, bool stock) {
    if (allocation_refused()) return nullptr;
    auto font = std::make_unique<Font>();
    font->metrics = face ? face_metrics(face.get()) : builtin_metrics();
    font->face = std::move(face);
    font->antialias = antialias && font->face;
    font->stock = stock;
    return adopt(std::move(font));
}

void render_builtin(uint8_t code, std::vector<uint8_t>& mask, Glyph& g) {
    const int w = builtin_font.width, h = builtin_font.height;
    mask.assign(size_t(w) * size_t(h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (builtin_font.rows[code][y] & (0x80 >> x)) mask[size_t(y) * size_t(w) + size_t(x)] = 255;
    g = {mask.data(), w, h, 0, builtin_font.ascent, w};
}

// Windows-1252 codes 0x80..0x9F; 0 where the code page has no character.
constexpr uint16_t cp1252_high[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

unsigned cp1252_to_unicode(uint8_t code) {
    if (code >= 0x80 && code < 0xA0) return cp1252_high[code - 0x80];
    return code;
}

Font* stock_font(int index) {
    const StockFace* face = nullptr;
    for (const StockFace& s : stock_faces)
        if (s.index == index) face = &s;
    if (!face) return nullptr;
    FontSettings& s = font_settings();
    Font*& slot = (s.system_fonts ? s.system_stock : s.builtin_stock)[index];
    if (!slot) slot = make_font(s.system_fonts ? open_face(face->family, face->pixel_height, 400, false) : nullptr,
                                false, true);
    return slot;
}

Font* font_from_handle(const void* handle) { return find_as<Font>(handle, Kind::font); }

const FontMetrics& font_metrics(const Font* font) { return font->metrics; }

bool font_antialiased(const Font* font) { return font->antialias; }

const Glyph& font_glyph(Font* font, uint8_t code) {
    Glyph& g = font->glyphs[code];
    if (font->rendered[code]) return g;
    font->rendered[code] = true;
    std::vector<uint8_t>& mask = font->masks[code];
    GlyphImage image;
    // Control codes and the holes of the code page show the missing-glyph box.
    const unsigned u = code < 32 || code == 127 ? 0 : cp1252_to_unicode(code);
    if (font->face && render_glyph(font->face.get(), u, font->antialias, image)) {
        mask = std::move(image.coverage);
        g = {mask.data(), image.width, image.height, image.left, image.top, image.advance};
    } else {
        render_builtin(code, mask, g);
    }
    return g;
}

Font* font_create(const char* face, int pixel_height, int weight, int italic, int antialias) {
    if (pixel_height < 1 || pixel_height > 1024 || weight < 0 || weight > 1000) return nullptr;
    if (weight == 0) weight = 400;
    FacePtr system = font_settings().system_fonts
                         ? open_face(face && *face ? face : "DejaVu Sans", pixel_height, weight, italic != 0)
                         : nullptr;
    return make_font(std::move(system), antialias != 0, false);
}

int font_destroy(void* handle) {
    Font* font = font_from_handle(handle);
    if (!font || font->stock) return -1;
    destroy(font);
    return 0;
}

int set_system_fonts(int available) {
    font_settings().system_fonts = available != 0;
    return 0;
}

}  // namespace host
