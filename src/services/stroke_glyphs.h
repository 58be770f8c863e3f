// Glyph data of the two stroke fonts (generated into stroke_glyphs.cpp by
// tools/fonts/make_stroke_glyphs.py).
//
// A glyph is a run of signed bytes: left, right, point count n (read unsigned), then n
// points (x, y). x runs right from the glyph's centre line, y runs down with the
// baseline at 9 and the top of a capital at -12, so capitals are 21 units tall. A point
// whose x is -64 lifts the pen: the next point is reached by a move. The advance of a
// glyph is right - left.
#pragma once

#include <cstdint>

namespace services {

constexpr int stroke_pen_up = -64;
constexpr int stroke_set_size = 96;  // codes 32..127 in each set of the first font

// First font: offsets into its data indexed by code + set offset (0 standard, 96
// alternate), entries 0..31 unused; widths as (left, right) per glyph, indexed by
// code + set offset - 32.
extern const int8_t stroke_font1_data[];
extern const uint32_t stroke_font1_index[224];
extern const int8_t stroke_font1_widths[384];

// Second font: one set, codes 32..126, offsets indexed by the code.
extern const int8_t stroke_font2_data[];
extern const uint32_t stroke_font2_index[127];

}  // namespace services
