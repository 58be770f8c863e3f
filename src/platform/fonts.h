// Fonts for system-font text, in the library's terms: a font is a face at one pixel size,
// with the metrics of its line cell and a glyph for each character code of the
// Windows-1252 code page. Glyphs are coverage masks that the library draws itself.
//
// Stock fonts are named by the index of their stock object; each maps to a face, a pixel
// height and a pitch (see stock_font). Applications create further fonts on the host
// side (rsp_font_create). Where the system has no font files (or the library was built
// without a font renderer) every font is the built-in fixed-pitch bitmap font, so text
// always has glyphs.
#pragma once

#include <cstdint>

namespace host {

struct Font;

struct FontMetrics {
    int height = 0;            // the line cell: ascent + descent, pixels
    int ascent = 0;            // from the cell's top row down to the baseline
    int external_leading = 0;  // space the face asks for between lines, below the cell
    int average_width = 0;
};

// One character's glyph. The mask is width × height bytes, top row first, each the
// pixel's coverage: 0 none, 255 full; monochrome fonts have only 0 and 255.
struct Glyph {
    const uint8_t* coverage = nullptr;
    int width = 0, height = 0;
    int left = 0;     // columns from the pen to the mask's left edge
    int top = 0;      // rows from the mask's top row down to the baseline
    int advance = 0;  // pixels the pen moves on, never negative
};

// The stock font of a stock-object index, or nullptr for an index that names no font:
//   10 fixed: DejaVu Sans Mono, 12 pixels     11 fixed: DejaVu Sans Mono, 13 pixels
//   12 variable: DejaVu Sans, 13 pixels       13 variable: DejaVu Sans, 16 pixels
//   14 variable: DejaVu Sans, 16 pixels       16 fixed: DejaVu Sans Mono, 16 pixels
//   17 variable: DejaVu Sans, 11 pixels
// (pixel heights are em sizes; all monochrome). Stock fonts live as long as the process.
Font* stock_font(int index);
// The live font behind an application's handle, or nullptr.
Font* font_from_handle(const void* handle);
const FontMetrics& font_metrics(const Font* font);
// Whether the font's glyphs carry partial coverage (antialiased edges).
bool font_antialiased(const Font* font);
// The glyph of a character code, rendered at first use and kept with the font.
const Glyph& font_glyph(Font* font, uint8_t code);

}  // namespace host
