// Demonstration scene of the curve and fill families: rings of circles, filled ellipses,
// a dial of arcs, a circle cut by the clip rectangle, and the regions of overlapping
// outlines coloured with flood fills. Draws into the active buffer at its depth, sized
// to width × height; it leaves the clip rectangle as it found it.
#include "rsw32.h"

namespace {

int scaled(int size, int permille) { return size * permille / 1000; }

}  // namespace

void draw_scene_curves(int width, int height) {
    const int unit = (width < height ? width : height) / 12;  // a twelfth of the short side
    if (unit < 2) return;

    // Concentric rings, upper left.
    rs_move(scaled(width, 170), scaled(height, 250));
    for (int i = 1; i <= 6; ++i) {
        rs_setcolorrgb(255 - 30 * i, 40 * i, 200);
        rs_circle(unit * i / 3);
    }

    // Filled ellipses of falling size, one inside the other, upper middle.
    rs_move(scaled(width, 500), scaled(height, 250));
    const int shades[][3] = {{30, 60, 160}, {60, 120, 220}, {120, 190, 255}, {230, 240, 255}};
    for (int i = 0; i < 4; ++i) {
        rs_setcolorrgb(shades[i][0], shades[i][1], shades[i][2]);
        rs_ellipsef(2 * unit - i * unit / 2, unit - i * unit / 4);
    }
    rs_setcolorrgb(255, 255, 255);
    rs_ellipse(2 * unit + 2, unit + 2);

    // A dial: twelve arcs of growing radius, each a twelfth of a turn further round,
    // upper right.
    rs_move(scaled(width, 830), scaled(height, 250));
    for (int i = 0; i < 12; ++i) {
        rs_setcolorrgb(255, 20 * i, 255 - 20 * i);
        const int start = i * 300;
        rs_arc(unit / 2 + i * unit / 8, start, (start + 900) % 3600);
    }

    // A filled circle seen through a clip rectangle that cuts it, lower left.
    int minx, maxx, miny, maxy;
    rs_getclip(&minx, &maxx, &miny, &maxy);
    const int cx = scaled(width, 170), cy = scaled(height, 700);
    rs_setclip(cx - unit, cx + 2 * unit, cy - 2 * unit, cy + unit / 2);
    rs_move(cx, cy);
    rs_setcolorrgb(250, 180, 40);
    rs_circlef(3 * unit / 2);
    rs_setclip(minx, maxx, miny, maxy);
    rs_setcolorrgb(120, 80, 0);
    rs_circle(3 * unit / 2);

    // Three overlapping outlines; flood fills colour each region they bound, lower right.
    const int r = 3 * unit / 2, y = scaled(height, 700);
    const int x1 = scaled(width, 560), x2 = x1 + r, x3 = x1 + r / 2;
    const int y3 = y - r * 3 / 4;
    rs_setcolorrgb(255, 255, 255);
    rs_move(x1, y);
    rs_circle(r);
    rs_move(x2, y);
    rs_circle(r);
    rs_move(x3, y3);
    rs_ellipse(r, r * 2 / 3);
    rs_setcolorrgb(200, 40, 40);
    rs_flood(x1 - r / 2, y + r / 4);
    rs_setcolorrgb(40, 160, 60);
    rs_flood(x2 + r / 2, y + r / 4);
    rs_setcolorrgb(60, 80, 200);
    rs_flood(x3, y + r / 2);
    rs_setcolorrgb(240, 220, 60);
    rs_flood(x3, y3 - r / 2);
    rs_setcolorrgb(240, 140, 50);
    rs_flood(x1, y - r * 2 / 5);
    rs_setcolorrgb(150, 220, 60);
    rs_flood(x2, y - r * 2 / 5);
    rs_setcolorrgb(250, 250, 250);
    rs_flood(x3, y - r * 3 / 10);
}
