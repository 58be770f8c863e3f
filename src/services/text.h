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
    int row = 0, column = 0;   // the text cursor of rs_text, in character cells
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

// Text in character cells: the active buffer as rows of cells, each the current font's
// average width across and its line height down, cell (0, 0) at the top-left corner.
// rs_text draws each character in the cell at the text cursor and moves the cursor one
// cell on, to the next row after the last whole cell of a row or at a line feed ('\n';
// '\r' goes back to column 0). The graphics cursor and the justification are untouched.
int locate(int row, int column);  // -1 for a negative row or column
int where(int* row, int* column);
int text_cells(const char* string, int count);  // count < 0: up to the terminating 0
int get_lines();  // rows of whole cells in the active buffer

// The text colour made from the current colour for the active buffer's depth, as a
// colour reference: red in the low byte, then green, then blue.
uint32_t text_colorref();

}  // namespace services
