// System faces through the system's font mapper: a GDI font (CreateFontA) selected into a
// memory device context of its own, its metrics from GetTextMetricsA and its glyphs from
// GetGlyphOutlineW, monochrome or with 65 levels of coverage. The mapper makes up a weight
// or slant the face lacks, and picks the nearest face for a family it does not have.
#include <windows.h>

#include <algorithm>

#include "platform/common/fonts.h"

namespace host {

struct Face {
    HDC dc = nullptr;
    HFONT font = nullptr;
    HGDIOBJ previous = nullptr;
    ~Face() {
        if (dc && previous) SelectObject(dc, previous);
        if (font) DeleteObject(font);
        if (dc) DeleteDC(dc);
    }
};

void FaceCloser::operator()(Face* face) const { delete face; }

FacePtr open_face(const char* family, int pixel_height, int weight, bool italic) {
    FacePtr face(new Face);
    face->dc = CreateCompatibleDC(nullptr);
    if (!face->dc) return nullptr;
    // A negative height asks for the em, not the cell, in pixels; TrueType faces only, so
    // that every size renders.
    face->font = CreateFontA(-pixel_height, 0, 0, 0, weight, italic ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             family && *family ? family : "DejaVu Sans");
    if (!face->font) return nullptr;
    face->previous = SelectObject(face->dc, face->font);
    TEXTMETRICA tm;
    if (!face->previous || !GetTextMetricsA(face->dc, &tm)) return nullptr;
    return face;
}

FontMetrics face_metrics(const Face* face) {
    TEXTMETRICA tm{};
    GetTextMetricsA(face->dc, &tm);
    FontMetrics m;
    m.height = int(tm.tmHeight);
    m.ascent = int(tm.tmAscent);
    m.external_leading = int(tm.tmExternalLeading);
    m.average_width = int(tm.tmAveCharWidth);
    return m;
}

bool render_glyph(Face* face, unsigned codepoint, bool antialias, GlyphImage& out) {
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    const UINT format = antialias ? GGO_GRAY8_BITMAP : GGO_BITMAP;
    GLYPHMETRICS gm{};
    const WCHAR character = WCHAR(codepoint ? codepoint : 0xFFFF);
    const DWORD size = GetGlyphOutlineW(face->dc, character, format, &gm, 0, nullptr, &identity);
    if (size == GDI_ERROR) return false;
    out.advance = std::max(0, int(gm.gmCellIncX));
    out.left = int(gm.gmptGlyphOrigin.x);
    out.top = int(gm.gmptGlyphOrigin.y);
    // A glyph without ink (a space) has no bitmap, whatever its black box says.
    out.width = size ? int(gm.gmBlackBoxX) : 0;
    out.height = size ? int(gm.gmBlackBoxY) : 0;
    out.coverage.assign(size_t(out.width) * size_t(out.height), 0);
    if (!size) return true;
    std::vector<uint8_t> bits(size);
    if (GetGlyphOutlineW(face->dc, character, format, &gm, size, bits.data(), &identity) == GDI_ERROR) return false;
    // Rows are padded to 32 bits: one bit a pixel, or one byte of 0..64 a pixel.
    const size_t pitch = antialias ? (size_t(out.width) + 3) & ~size_t(3) : (size_t(out.width) + 31) / 32 * 4;
    if (pitch * size_t(out.height) > bits.size()) return false;
    for (int y = 0; y < out.height; ++y) {
        const uint8_t* row = bits.data() + size_t(y) * pitch;
        uint8_t* dst = out.coverage.data() + size_t(y) * size_t(out.width);
        for (int x = 0; x < out.width; ++x)
            dst[x] = antialias ? uint8_t(std::min(64, int(row[x])) * 255 / 64) : (row[x >> 3] & (0x80 >> (x & 7)) ? 255 : 0);
    }
    return true;
}

}  // namespace host
