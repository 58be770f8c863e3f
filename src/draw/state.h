// State of the drawing families: graphics cursor, box depth, polygon settings.
#pragma once

namespace draw {

struct DrawState {
    int cursor_x = 0, cursor_y = 0;            // graphics cursor, screen space
    int xbox = 0, ybox = 0;                    // border thickness of boxes
    int poly_edge = 0;                         // 1: right chain excluded from fills
    int poly_offset_x = 0, poly_offset_y = 0;  // added to polygon vertices
    int texture = -1, texture_flags = 0;       // buffer that fills shapes (-1: the colour)
};

inline DrawState& state() {
    static DrawState s;
    return s;
}

void init_state();

}  // namespace draw

namespace draw {
int get_xpos();
int get_ypos();
int get_xbox();
int get_ybox();
}  // namespace draw
