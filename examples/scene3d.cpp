// The 3D scene on its own: rsw32_scene3d [--no-window] [--frames N] [OUT.bmp]
//
// A textured cube (perspective-correct) and a Gouraud-shaded octahedron turn in a 32-bit
// buffer, depth-buffered and clipped at the near plane; scene_3d.cpp draws one frame with
// the 3D pipeline. In a window the scene turns until Escape or the window is closed; without
// one (no display, or --no-window) it draws N frames (24) off-screen. The last frame is
// saved as OUT (default scene3d.bmp).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "rsw32.h"
#include "rsw32_platform.h"

void draw_scene_3d_frame(int width, int height, int frame);  // scene_3d.cpp

int main(int argc, char** argv) {
    bool want_window = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    int frames = 24;
    std::string out = "scene3d.bmp";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-window") == 0) want_window = false;
        else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) frames = std::max(1, std::atoi(argv[++i]));
        else out = argv[i];
    }
    const int width = 320, height = 240;
    rs_vbinit();
    rs_vbdepth(32);
    const int vb = rs_vballoc(width, height);
    rs_vbopen(vb);
    RS_HDC window = want_window ? rsp_window_open(2 * width, 2 * height, "rsw32 3D scene") : nullptr;
    if (window) rs_setdc(window);
    std::printf("scene3d: %s\n", window ? "turning in a window until Escape" : "drawing off-screen");

    int start = rs_getclock();
    for (int frame = 0; window ? true : frame < frames; ++frame) {
        rs_setcolorrgb(16, 24, 40);  // a dark blue backdrop, then the scene over it
        rs_fillpage();
        draw_scene_3d_frame(width, height, frame);
        if (window) {
            int w = width, h = height;
            rsp_surface_pixels(window, &w, &h);  // the window may have been resized
            rs_vbscale(0, width - 1, 0, height - 1, 0, w - 1, 0, h - 1);
            if (!rsp_window_pump(window) || rs_kbtest(0x01)) break;  // closed, or Escape
            rs_waitfor(1);
        } else if ((frame + 1) % 8 == 0) {
            std::printf("scene3d: frame %d of %d\n", frame + 1, frames);
        }
    }
    const int units = rs_getclock() - start;
    if (!window && units > 0) std::printf("scene3d: %.1f frames a second\n", frames * 1000.0 / (units * 55));

    const int result = rs_makebmp(0, width - 1, 0, height - 1, 24, out.c_str());
    std::printf(result == 0 ? "scene3d: saved %s\n" : "scene3d: cannot write %s\n", out.c_str());
    rs_setdc(nullptr);
    if (window) rsp_window_close(window);
    rs_vbclose();
    rs_vbfree(vb);
    rs_vbfin();
    return result == 0 ? 0 : 1;
}
