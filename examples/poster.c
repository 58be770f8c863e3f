/* A poster in stroke text: rsw32_poster [OUT.bmp]
 *
 * Stroke text is drawn as lines in world coordinates, so it scales to any size, stretches
 * and turns with the baseline. The poster sets a world window of one unit a pixel, paints
 * a gradient, then sets titles with both stroke fonts, a fan of turned words, a formula with
 * sub- and superscripts and Greek letters, and an underlined footer. Saved as OUT
 * (default poster.bmp); no window is needed.
 */
#include <stdio.h>
#include <string.h>

#include "rsw32.h"

enum { WIDTH = 640, HEIGHT = 400 };

/* Bold text: the 1-pixel strokes drawn again one pixel to the right and one down. */
static void bold(const char *text, int x, int y, int justify) {
    int dx, dy;
    for (dy = 0; dy < 2; ++dy)
        for (dx = 0; dx < 2; ++dx) {
            char copy[64];
            snprintf(copy, sizeof copy, "%s", text); /* rs_swtext overwrites backslashes */
            rs_move(x + dx, y + dy);
            rs_swtext(copy, (int)strlen(copy), justify);
        }
}

/* Stroke text reads count characters (a negative count draws nothing). */
static void say(const char *text, int justify) { rs_swchar(text, (int)strlen(text), justify); }

int main(int argc, char **argv) {
    const char *out = argc > 1 ? argv[1] : "poster.bmp";
    int y, angle, result;
    
    rs_vbinit();
    rs_vbdepth(24);
    rs_vbopen(rs_vballoc(WIDTH, HEIGHT));

    /* The background: a gradient from deep blue at the top to violet at the bottom. */
    for (y = 0; y < HEIGHT; ++y) {
        rs_setcolorrgb(20 + y * 100 / HEIGHT, 30, 90 + y * 60 / HEIGHT);
        rs_rect(0, WIDTH - 1, y, y);
    }

    /* World coordinates: one unit a pixel, so sizes below are in pixels. The cursor moves
     * (rs_move) stay in screen coordinates, y down. */
    rs_initw();
    rs_setworld(0, WIDTH - 1, 0, HEIGHT - 1);

    /* The title in the duplex font, centred (justify 0), large and a little stretched. */
    rs_setcolorrgb(255, 220, 90);
    rs_setsizew(80);
    rs_setratio(1.3);
    bold("RSW32", WIDTH / 2, 120, 0);
    rs_setratio(1.0);
    rs_setsizew(22);
    rs_setcolorrgb(230, 230, 255);
    bold("software raster graphics", WIDTH / 2, 165, 0);

    /* A fan of words turned about one point, every 15 degrees from 15 to 90; the leading
     * spaces open the fan at its pivot. */
    rs_setsizew(14);
    for (angle = 15; angle <= 90; angle += 15) {
        rs_setcolorrgb(255 - angle * 2, 140 + angle, 255);
        rs_setangle(angle);
        rs_move(30, HEIGHT - 20);
        say("       lines at any angle", -1);
    }
    rs_setangle(0);

    /* A formula in the simplex font: \^ raises and \v lowers the next character; a
     * backslash before another character switches between the Roman and Greek sets for the
     * rest of the string, so \p\r reads pi in Greek, then r in Roman again. */
    rs_setcolorrgb(150, 255, 170);
    rs_setsizew(24);
    rs_move(600, 270);
    say("A = \\p\\r\\^2   x\\v1 + x\\v2", 1);

    /* The footer, underlined: underscores start and end the line and take no room. */
    rs_setcolorrgb(255, 255, 255);
    rs_setsizew(14);
    rs_move(610, 380);
    say("set in _stroke text_, at any size", 1);

    result = rs_makebmp(0, WIDTH - 1, 0, HEIGHT - 1, 24, out);
    printf(result == 0 ? "poster: saved %s\n" : "poster: cannot write %s\n", out);
    rs_vbclose();
    rs_vbfree(-1);
    rs_vbfin();
    return result == 0 ? 0 : 1;
}
