// System-font text: rs_print draws a string at the graphics cursor with the current font
// and moves the cursor on by the string's width; the font is a stock font or one the
// application created on the host side (platform/fonts.h gives the glyphs and metrics).
#pragma once

#include <cstdint>

namespace services {

struct TextState {
    void* font = nullptr;      // handle of the current font, looked up again at each use
    int line_height = 0;       // cell height + external leading of the current font
    int external_leading = 0;
    int average_width = 0;
};

inline TextState& text() {
    static TextState t;
    return t;
}

// rs_vbinit's part: stock font 10 becomes the current font (its metrics are read when it
// is first used).
void text_init();

int font_dc(void* dc);
int font_load(int index);
int log_font(void* font);
int justify(int horizontal, int vertical);
int print(const char* string, int count);

// The text colour made from the current colour for the active buffer's depth, as a
// colour reference: red in the low byte, then green, then blue.
uint32_t text_colorref();

}  // namespace services
