// Fonts: the font objects behind RS_HFONT handles, the system faces they render from
// (FreeType and fontconfig on Linux, platform/freetype; the system's font mapper on
// Windows, platform/windows/face.cpp) and the built-in bitmap font that stands in when
// there are none.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/common/objects.h"
#include "platform/fonts.h"

namespace host {

// ---- system faces --------------------------------------------------------------------
// A face from the system's font files at one pixel size. Built without a font renderer,
// open_face always returns nullptr.
struct Face;
struct FaceCloser {
    void operator()(Face* face) const;
};
using FacePtr = std::unique_ptr<Face, FaceCloser>;

// The face the system matches for the family (nullptr or empty: the default sans face),
// weight (100..900) and italic, opened at an em of pixel_height pixels; nullptr when
// there is no font file or it cannot be opened.
FacePtr open_face(const char* family, int pixel_height, int weight, bool italic);
FontMetrics face_metrics(const Face* face);

struct GlyphImage {
    std::vector<uint8_t> coverage;
    int width = 0, height = 0, left = 0, top = 0, advance = 0;
};
// Renders a Unicode character (a missing one as the face's missing-glyph box), hinted;
// monochrome unless antialias. False when the face cannot render it.
bool render_glyph(Face* face, unsigned codepoint, bool antialias, GlyphImage& out);

// ---- the built-in font -------------------------------------------------------------------
// Fixed pitch, one cell per code 0..255 of Windows-1252: height rows of one byte each,
// the leftmost pixel in the top bit (so width is at most 8).
constexpr int builtin_max_rows = 24;
struct BuiltinFont {
    int width, height, ascent;
    uint8_t rows[256][builtin_max_rows];
};
extern const BuiltinFont builtin_font;  // generated: builtin_font.cpp

// The Unicode character of a Windows-1252 code; 0 for the codes the page leaves empty.
unsigned cp1252_to_unicode(uint8_t code);

// ---- font objects -----------------------------------------------------------------------
struct Font : Object {
    Font() : Object(Kind::font) {}
    FacePtr face;  // nullptr: the built-in font
    FontMetrics metrics;
    bool antialias = false;
    bool stock = false;
    std::array<Glyph, 256> glyphs{};
    std::array<std::vector<uint8_t>, 256> masks;
    std::bitset<256> rendered;
};

// Host side (rsp_ functions). A font of the family nearest to face (nullptr or empty:
// DejaVu Sans) at an em of pixel_height pixels (1..1024), weight 0 (normal) or 1..1000,
// upright or italic, monochrome or antialiased; nullptr for an argument out of range.
// Without a system face the font is the built-in one.
Font* font_create(const char* face, int pixel_height, int weight, int italic, int antialias);
// Destroys a font made by font_create: 0, or -1 for anything else (stock fonts included).
int font_destroy(void* handle);
// Whether fonts loaded from now on may use the system's font files (1, the default) or
// must use the built-in font (0), as on a system without any. Returns 0.
int set_system_fonts(int available);

}  // namespace host
