/* A first program: a 24-bit buffer, a few shapes, and the result saved as first.bmp.
 * It needs no window: the buffer is the library's own memory. */
#include <stdio.h>

#include "rsw32.h"

int main(void) {
    static const int diamond[] = {160, 40, 240, 120, 160, 200, 80, 120}; /* x, y pairs */
    int vb, result;

    rs_vbinit();
    rs_vbdepth(24);
    vb = rs_vballoc(320, 240);
    rs_vbopen(vb);

    rs_setcolorrgb(20, 30, 60); /* the background */
    rs_rect(0, 319, 0, 239);
    rs_setcolorrgb(250, 200, 40); /* a filled diamond */
    rs_polyfill(diamond, NULL, 4);
    rs_setcolorrgb(90, 200, 255); /* a circle around it, centred on the cursor */
    rs_move(160, 120);
    rs_circle(100);
    rs_setcolorrgb(255, 255, 255); /* a frame along the edges */
    rs_box(4, 315, 4, 235);

    result = rs_makebmp(0, 319, 0, 239, 24, "first.bmp");
    printf(result == 0 ? "wrote first.bmp\n" : "could not write first.bmp\n");

    rs_vbclose();
    rs_vbfree(vb);
    rs_vbfin();
    return result == 0 ? 0 : 1;
}
