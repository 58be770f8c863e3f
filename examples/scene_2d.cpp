// A 2D scene for the demonstration: lines, dash patterns, filled and outlined polygons,
// boxes, an XOR rubber band drawn and undone, and a strip scrolled in both modes. It draws
// into the active buffer at its current depth; colours come from rs_maprgb, so the same
// code serves every depth (at 8 bits they are the nearest palette entries).
#include <cmath>

#include "rsw32.h"

namespace {

int rgb(int r, int g, int b) { return rs_maprgb(r, g, b); }

}  // namespace

void draw_scene_2d(int width, int height) {
    const int maxx = width - 1, maxy = height - 1;
    rs_setclip(0, maxx, 0, maxy);
    rs_setcolor(rgb(16, 24, 48));
    rs_fillpage();

    // A fan of solid lines from the top-left corner, clipped by a smaller rectangle.
    rs_setclip(8, maxx / 2, 8, maxy / 2);
    rs_setcolor(rgb(240, 200, 80));
    for (int i = 0; i <= 16; ++i) {
        rs_move(0, 0);
        rs_draw(maxx * i / 16, maxy - maxy * i / 32);
    }
    rs_setclip(0, maxx, 0, maxy);

    // Dash patterns, one per row.
    const int patterns[] = {0xFFFF, 0xF0F0, 0xFF00, 0xCCCC, 0xE4E4, 0x8888};
    rs_setcolor(rgb(120, 220, 255));
    for (int i = 0; i < 6; ++i) {
        rs_move(maxx / 2 + 16, 16 + 10 * i);
        rs_dash(maxx - 16, 16 + 10 * i, patterns[i]);
    }

    // Filled polygons: a hexagon and a star of triangles, with an outline on top.
    int hex[12], hx[6], hy[6];
    const int cx = maxx / 4, cy = maxy * 3 / 4, r = maxy / 6;
    for (int k = 0; k < 6; ++k) {
        hx[k] = hex[2 * k] = cx + int(r * std::cos(k * 3.14159265 / 3));
        hy[k] = hex[2 * k + 1] = cy + int(r * std::sin(k * 3.14159265 / 3));
    }
    rs_setcolor(rgb(60, 160, 90));
    rs_polyfill(hex, nullptr, 6);
    rs_setcolor(rgb(255, 255, 255));
    rs_polygon(hx, hy, 6);
    rs_setcolor(rgb(200, 80, 160));
    for (int k = 0; k < 5; ++k) {
        const double a = k * 2 * 3.14159265 / 5;
        const int tri[6] = {maxx / 2, maxy * 3 / 4,
                            maxx / 2 + int(r * std::cos(a - 0.2)), maxy * 3 / 4 + int(r * std::sin(a - 0.2)),
                            maxx / 2 + int(r * std::cos(a + 0.2)), maxy * 3 / 4 + int(r * std::sin(a + 0.2))};
        rs_polyfill(tri, nullptr, -3);  // only triangles facing the viewer
        rs_polyfill(tri, nullptr, 3);
    }

    // Boxes of growing border depth.
    rs_setcolor(rgb(255, 120, 40));
    for (int k = 1; k <= 4; ++k) {
        rs_boxdepth(k, k);
        const int x0 = maxx * 3 / 5 + 18 * (k - 1);
        rs_box(x0, x0 + 14, maxy / 2, maxy / 2 + 14);
    }
    rs_boxdepth(1, 1);

    // An XOR rubber band: drawn at several sizes and undone, then left at its last one.
    rs_setcolor(rgb(255, 255, 255));
    for (int k = 0; k < 4; ++k) {
        rs_boxx(maxx * 3 / 5, maxx * 3 / 5 + 40 + 10 * k, maxy * 2 / 3, maxy * 2 / 3 + 30 + 5 * k);
        rs_boxx(maxx * 3 / 5, maxx * 3 / 5 + 40 + 10 * k, maxy * 2 / 3, maxy * 2 / 3 + 30 + 5 * k);
    }
    rs_boxx(maxx * 3 / 5, maxx * 3 / 5 + 80, maxy * 2 / 3, maxy * 2 / 3 + 50);

    // A striped strip, scrolled down end-off (the vacated rows take the current colour)
    // and then up circularly (no hidden page: the vacated rows keep their pixels).
    const int sx0 = maxx - maxx / 5, sy0 = maxy / 2 + 24, sy1 = maxy - 8;
    for (int y = sy0; y <= sy1; ++y) {
        rs_setcolor(rgb(40 + (y * 13) % 200, 80, 200 - (y * 7) % 150));
        rs_rect(sx0, maxx - 8, y, y);
    }
    rs_setcolor(rgb(0, 0, 0));
    rs_scroll(sx0, maxx - 8, sy0, sy1, 6, 1);
    rs_scroll(sx0, maxx - 8, sy0, sy1, -3, 0);
}
