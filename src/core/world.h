// World window, world cursor, viewport and the stroke-text settings kept beside them.
#pragma once

namespace core {

struct WorldState {
    double minx = 0.0, maxx = 0.0, miny = 0.0, maxy = 0.0;  // the world window
    double cursor_x = 0.0, cursor_y = 0.0;                  // the world cursor
    double text_ratio = 0.0, text_size = 0.0, text_angle = 0.0;
};

struct Viewport {
    int view_minx = 0, view_maxx = 0, view_miny = 0, view_maxy = 0;
    int port_minx = 0, port_maxx = 0, port_miny = 0, port_maxy = 0;
    int view_width = 0, view_height = 0, port_width = 0, port_height = 0;
};

inline WorldState& world() {
    static WorldState w;
    return w;
}

inline Viewport& viewport() {
    static Viewport v;
    return v;
}

}  // namespace core
