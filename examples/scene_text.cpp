// Demonstration scene of stroke text: one world unit to a pixel, text at several sizes,
// stretched and squeezed, turned about a point, with sub- and superscripts, an
// underline, the alternate (Greek) set, and the second (duplex) font. Draws into the
// active buffer at its depth, sized to width × height; it leaves the world window, the
// stroke-text settings and the clip rectangle at their starting values.
#include "rsw32.h"

void draw_scene_text(int width, int height) {
    rs_initw();
    rs_setworld(0, width - 1, 0, height - 1);

    // Growing sizes along the top; rs_setsize takes the height of a capital in pixels.
    const int sizes[] = {6, 9, 13, 18};
    rs_move(4, 20);
    for (int i = 0; i < 4; ++i) {
        rs_setcolorrgb(120 + 45 * i, 200, 255 - 40 * i);
        rs_setsize(sizes[i]);
        rs_swchar("Aa", 2, -1);
    }

    // Squeezed and stretched.
    rs_setsize(10);
    rs_setcolorrgb(255, 200, 80);
    rs_setratio(0.6);
    rs_move(4, 40);
    rs_swchar("narrow", 6, -1);
    rs_setratio(1.6);
    rs_swchar(" wide", 5, -1);
    rs_setratio(1.0);

    // Formulas: superscripts, subscripts and the Greek set; an underlined word.
    rs_setcolorrgb(140, 255, 140);
    rs_move(4, 62);
    rs_swchar("E=mc\\^2 x\\v0 \\p\\r\\^2", 20, -1);
    rs_setcolorrgb(255, 255, 255);
    rs_move(4, 82);
    rs_swchar("_stroke_ text", 13, -1);

    // The duplex font, centred under the rest.
    char duplex[] = "Duplex font";
    rs_setcolorrgb(255, 140, 200);
    rs_setsize(10);
    rs_move(48, 100);
    rs_swtext(duplex, 11, 0);

    // A fan of turned baselines, lower right.
    rs_setsize(8);
    for (int angle = 0; angle <= 90; angle += 45) {
        rs_setcolorrgb(255 - angle * 2, 120 + angle, 255);
        rs_setangle(angle);
        rs_move(width - 46, height - 12);
        rs_swchar("  turn", 6, -1);
    }
    rs_initw();
}
