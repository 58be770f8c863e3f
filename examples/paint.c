/* A paint program driven by the mouse: rsw32_paint [--no-window] [OUT.bmp]
 *
 * In a window the pointer paints while it moves over the canvas; hold Shift to move it
 * without painting. Keys 1..6 choose a colour from the bar at the top, + and - the brush
 * size, E clears the canvas, Escape (or closing the window) ends and saves the picture.
 * Without a window (no display, or --no-window) the program plays a recorded session
 * instead: it moves the headless host's pointer and presses its keys, and runs the very same
 * frame code as the window does. Either way the canvas is saved as OUT (default paint.bmp).
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "rsw32.h"
#include "rsw32_platform.h"

enum { WIDTH = 320, HEIGHT = 240, BAR = 16 };

static const unsigned char colors[6][3] = {
    {20, 20, 20}, {220, 40, 40}, {40, 170, 60}, {40, 90, 220}, {250, 200, 30}, {250, 250, 250}};

struct pen {
    int color, size; /* index into colors; brush radius in pixels */
    int x, y;        /* last point painted, x = -1 while lifted */
    int keys[0x40];  /* keys seen down in the last frame, by scan code */
};

/* A key that went down since the last frame (scan codes as rs_kbtest takes them). */
static int pressed(struct pen *p, int scan_code) {
    int now = rs_kbtest(scan_code) != 0, edge = now && !p->keys[scan_code];
    p->keys[scan_code] = now;
    return edge;
}

/* The colour bar: one swatch per colour, the current one framed. The canvas below it is
 * kept apart by the clip rectangle, so brushes never paint over the bar. */
static void draw_bar(const struct pen *p) {
    int i, w = WIDTH / 6;
    rs_setclip(0, WIDTH - 1, 0, HEIGHT - 1);
    for (i = 0; i < 6; ++i) {
        rs_setcolorrgb(colors[i][0], colors[i][1], colors[i][2]);
        rs_rect(i * w, i * w + w - 1, 0, BAR - 1);
    }
    rs_setcolorrgb(128, 128, 128);
    rs_boxdepth(2, 2);
    rs_box(p->color * w, p->color * w + w - 1, 0, BAR - 1);
    rs_setclip(0, WIDTH - 1, BAR, HEIGHT - 1);
}

static void clear_canvas(const struct pen *p) {
    rs_setcolorrgb(255, 255, 240);
    rs_fillpage();
    draw_bar(p);
}

/* Paints a stroke from the last point to (x, y) by stamping filled circles along it. */
static void stroke(struct pen *p, int x, int y) {
    int i, n = abs(x - p->x) > abs(y - p->y) ? abs(x - p->x) : abs(y - p->y);
    const unsigned char *c = colors[p->color];
    rs_setcolorrgb(c[0], c[1], c[2]);
    for (i = 0; i <= n; ++i) {
        rs_move(p->x + (x - p->x) * i / (n ? n : 1), p->y + (y - p->y) * i / (n ? n : 1));
        if (p->size > 1) rs_circlef(p->size - 1); else rs_point(rs_getxpos(), rs_getypos());
    }
    p->x = x;
    p->y = y;
}

/* One frame: keys first, then the pointer. Returns 0 once Escape is pressed. */
static int frame(struct pen *p) {
    int i, x, y, lifted = rs_kbtest(0x2A) || rs_kbtest(0x36); /* either Shift */
    for (i = 0; i < 6; ++i)
        if (pressed(p, 0x02 + i)) { p->color = i; draw_bar(p); } /* keys 1..6 */
    if (pressed(p, 0x0D) && p->size < 12) ++p->size;             /* = and + */
    if (pressed(p, 0x0C) && p->size > 1) --p->size;              /* - */
    if (pressed(p, 0x12)) clear_canvas(p);                       /* E */
    if (rs_mousepos(&x, &y) != 0 || lifted || y < BAR) {
        p->x = -1;
    } else {
        if (p->x < 0) { p->x = x; p->y = y; }
        stroke(p, x, y);
    }
    return !pressed(p, 0x01); /* Escape */
}

/* The recorded session: pointer positions, with key presses between strokes. A key event
 * has x = -1 and names the virtual key in y ('1'..'6', '=' as 0xBB, '-' as 0xBD, Shift as
 * 0xA0, held while a colour is chosen and the pointer moves to the next stroke, and
 * 0xA0 + 0x100 to let Shift go). */
static const short session[][2] = {
    {-1, 0xA0}, {-1, '2'}, {-1, 0xBB}, {-1, 0xBB}, {60, 200}, {-1, 0x1A0}, /* red, thicker */
    {60, 120}, {160, 50}, {260, 120}, {260, 200}, {60, 200}, {60, 120}, {260, 120},
    {-1, 0xA0}, {-1, '4'}, {140, 200}, {-1, 0x1A0}, {140, 150}, {180, 150}, {180, 200}, /* door */
    {-1, 0xA0}, {-1, '5'}, {90, 140}, {-1, 0x1A0}, {110, 140}, {110, 160}, {90, 160}, {90, 140},
    {-1, 0xA0}, {-1, '3'}, {-1, 0xBD}, {-1, 0xBD}, {10, 232}, {-1, 0x1A0}, {310, 232}, /* grass */
    {-1, 0xA0}, {-1, '1'}, {280, 40}, {-1, 0x1A0}, {300, 60}, {280, 80}, {260, 60}, {280, 40},
};

static void replay(struct pen *p) {
    size_t i;
    for (i = 0; i < sizeof session / sizeof session[0]; ++i) {
        int x = session[i][0], y = session[i][1];
        if (x < 0) {
            rsp_key(y & 0xFF, !(y & 0x100));
            frame(p);
            if (y != 0xA0 && y != 0x1A0) { /* a press: down for one frame, then up */
                rsp_key(y, 0);
                frame(p);
            }
            continue;
        }
        /* The pointer travels in small steps, a frame each, as a hand would move it. */
        {
            int sx, sy, k, n = 8;
            rsp_pointer(&sx, &sy, NULL);
            for (k = 1; k <= n; ++k) {
                rsp_pointer_move(sx + (x - sx) * k / n, sy + (y - sy) * k / n);
                frame(p);
            }
        }
    }
}

int main(int argc, char **argv) {
    const char *out = "paint.bmp";
    int i, result, want_window = getenv("DISPLAY") || getenv("WAYLAND_DISPLAY");
    struct pen p;
    RS_HDC window = NULL, surface = NULL;
    for (i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--no-window") == 0) want_window = 0;
        else out = argv[i];
    }
    memset(&p, 0, sizeof p);
    p.size = 2;
    p.x = -1;

    rs_vbinit();
    rs_vbdepth(24);
    rs_vbopen(rs_vballoc(WIDTH, HEIGHT));
    clear_canvas(&p);

    if (want_window) window = rsp_window_open(2 * WIDTH, 2 * HEIGHT, "rsw32 paint");
    if (window) {
        /* The window shows the canvas stretched over its client area, which is also how
         * rs_mousepos turns the pointer's place into canvas coordinates. */
        rs_setdc(window);
        rs_mouseini();
        printf("paint: pointer paints (Shift lifts), 1-6 colour, +/- size, E clears, Esc saves\n");
        while (frame(&p) && rsp_window_pump(window)) {
            int w = WIDTH, h = HEIGHT;
            rsp_surface_pixels(window, &w, &h);
            rs_vbscale(0, WIDTH - 1, 0, HEIGHT - 1, 0, w - 1, 0, h - 1);
            rs_waitfor(1); /* about 18 frames a second; strokes join the points */
        }
    } else {
        /* Headless: an off-screen surface of the canvas's size has the focus, so pointer
         * positions are canvas coordinates. */
        surface = rsp_surface_create(WIDTH, HEIGHT);
        rsp_focus(surface, 0, 0);
        rs_setdc(surface);
        rs_mouseini();
        printf("paint: no window, replaying a recorded session\n");
        replay(&p);
    }

    result = rs_makebmp(0, WIDTH - 1, 0, HEIGHT - 1, 24, out);
    printf(result == 0 ? "paint: saved %s\n" : "paint: cannot write %s\n", out);
    rs_setdc(NULL);
    if (window) rsp_window_close(window);
    if (surface) rsp_surface_destroy(surface);
    rs_vbclose();
    rs_vbfree(-1);
    rs_vbfin();
    return result == 0 ? 0 : 1;
}
