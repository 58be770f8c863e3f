// System faces through fontconfig (which file) and FreeType (metrics and glyphs). One
// FreeType library serves every face; each face is opened at its font's one size, and
// glyphs are rendered hinted: monochrome with the face's full hinting, or antialiased.
// A weight or slant the matched file lacks is made up: bold by emboldening the outline,
// italic by slanting it.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/common/fonts.h"

namespace host {

struct Face {
    FT_Face ft = nullptr;
    bool embolden = false;
    bool slant = false;
    ~Face() {
        if (ft) FT_Done_Face(ft);
    }
};

void FaceCloser::operator()(Face* face) const { delete face; }

namespace {

// The FreeType library, made at the first face; it lives as long as the process. nullptr
// when FreeType cannot start.
FT_Library freetype() {
    static FT_Library library = [] {
        FT_Library l = nullptr;
        return FT_Init_FreeType(&l) == 0 ? l : nullptr;
    }();
    return library;
}

struct Match {
    std::string file;
    int index = 0;
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
};

// fontconfig, started at the first lookup and finished when the process ends, so that
// its caches are released rather than left behind.
bool fontconfig() {
    static const bool started = [] {
        if (!FcInit()) return false;
        std::atexit([] { FcFini(); });
        return true;
    }();
    return started;
}

// The font file fontconfig picks for the request; false when it has none.
bool match(const char* family, int pixel_height, int weight, bool italic, Match& out) {
    if (!fontconfig()) return false;
    FcConfig* config = FcConfigGetCurrent();
    if (!config) return false;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, pixel_height);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!found) return false;
    FcChar8* file = nullptr;
    const bool ok = FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch && file;
    if (ok) {
        out.file = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(found, FC_INDEX, 0, &out.index);
        FcPatternGetInteger(found, FC_WEIGHT, 0, &out.weight);
        FcPatternGetInteger(found, FC_SLANT, 0, &out.slant);
    }
    FcPatternDestroy(found);
    return ok;
}

int pixels_ceil(FT_Pos v) { return int((v + 63) >> 6); }
int pixels_floor(FT_Pos v) { return int(v >> 6); }
int pixels_round(FT_Pos v) { return int((v + 32) >> 6); }

}  // namespace

FacePtr open_face(const char* family, int pixel_height, int weight, bool italic) {
    FT_Library library = freetype();
    Match m;
    if (!library || !match(family, pixel_height, weight, italic, m)) return nullptr;
    FacePtr face(new Face);
    if (FT_New_Face(library, m.file.c_str(), m.index, &face->ft) != 0 || !FT_IS_SCALABLE(face->ft) ||
        FT_Set_Pixel_Sizes(face->ft, 0, FT_UInt(pixel_height)) != 0)
        return nullptr;
    face->embolden = weight >= 600 && m.weight < FC_WEIGHT_DEMIBOLD;
    face->slant = italic && m.slant == FC_SLANT_ROMAN;
    return face;
}

FontMetrics face_metrics(const Face* face) {
    const FT_Size_Metrics& s = face->ft->size->metrics;
    FontMetrics m;
    m.ascent = pixels_ceil(s.ascender);
    m.height = m.ascent - pixels_floor(s.descender);
    m.external_leading = std::max(0, pixels_round(s.height) - m.height);
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face->ft, FT_SFNT_OS2));
    if (os2 && os2->xAvgCharWidth > 0) {
        m.average_width = pixels_round(FT_MulFix(os2->xAvgCharWidth, s.x_scale));
    } else if (FT_Load_Char(face->ft, 'x', FT_LOAD_DEFAULT) == 0) {
        m.average_width = pixels_round(face->ft->glyph->advance.x);
    }
    return m;
}

bool render_glyph(Face* face, unsigned codepoint, bool antialias, GlyphImage& out) {
    FT_Face ft = face->ft;
    const FT_UInt index = codepoint ? FT_Get_Char_Index(ft, codepoint) : 0;
    if (FT_Load_Glyph(ft, index, antialias ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO) != 0) return false;
    FT_GlyphSlot slot = ft->glyph;
    if (face->slant) FT_GlyphSlot_Oblique(slot);
    if (face->embolden) FT_GlyphSlot_Embolden(slot);
    if (FT_Render_Glyph(slot, antialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) return false;
    const FT_Bitmap& b = slot->bitmap;
    out.width = int(b.width);
    out.height = int(b.rows);
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.advance = std::max(0, pixels_round(slot->advance.x));
    out.coverage.assign(size_t(out.width) * size_t(out.height), 0);
    for (int y = 0; y < out.height; ++y) {
        const uint8_t* row = b.buffer + ptrdiff_t(y) * b.pitch;
        uint8_t* dst = out.coverage.data() + size_t(y) * size_t(out.width);
        for (int x = 0; x < out.width; ++x)
            dst[x] = b.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] & (0x80 >> (x & 7)) ? 255 : 0) : row[x];
    }
    return true;
}

}  // namespace host
