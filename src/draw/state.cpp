#include "draw/state.h"

namespace draw {

void init_state() {
    DrawState& s = state();
    s.cursor_x = s.cursor_y = 0;
    s.xbox = s.ybox = 1;
    s.poly_edge = 1;
    s.poly_offset_x = s.poly_offset_y = 0;
    s.texture = -1, s.texture_flags = 0;
}

}  // namespace draw

namespace draw {

int get_xpos() { return state().cursor_x; }
int get_ypos() { return state().cursor_y; }
int get_xbox() { return state().xbox; }
int get_ybox() { return state().ybox; }

}  // namespace draw
