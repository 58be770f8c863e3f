// The library's demonstration. Each scene is drawn into a virtual buffer of each depth
// (8, 16, 24 and 32 bits) and the four buffers are shown side by side: in a window when
// one can be opened, otherwise in an off-screen surface. What was shown is written to
// out/<scene>.ppm either way.
//
//   rsw32_demo [--window | --no-window] [--frames N] [--out DIR]
//
// A window is tried when a display is there (DISPLAY or WAYLAND_DISPLAY) or --window asks
// for one, and each scene stays on screen for N frames (default 90, about a second and a
// half) or until the window is closed; the demo never waits for anything else.
//
// Adding a scene: write `void draw_scene_xxx(int width, int height)`, which draws into the
// active buffer (any depth, already cleared to black) with rs_ functions, and add it to
// `scenes` below.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "rsw32.h"
#include "rsw32_platform.h"

void draw_scene_2d(int width, int height);      // scene_2d.cpp
void draw_scene_curves(int width, int height);  // scene_curves.cpp
void draw_scene_text(int width, int height);    // scene_text.cpp

namespace {

constexpr int buffer_width = 160, buffer_height = 120;
constexpr int depths[4] = {8, 16, 24, 32};

// ---- scenes ---------------------------------------------------------------------------

// Pixels only: a colour gradient, rings of points and a checked square. At 8 bits each
// colour becomes the nearest palette entry.
void draw_scene_pixels(int width, int height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            rs_setcolorrgb(x * 255 / width, y * 255 / height, 160);
            rs_putpixel(x, y);
        }
    const int cx = width / 2, cy = height / 2;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int r = int(std::sqrt(double((x - cx) * (x - cx) + (y - cy) * (y - cy))));
            if (r > 52 || r % 8 >= 3) continue;
            rs_setcolorrgb(255, 255 - r * 4, r * 4);
            rs_point(x, y);
        }
    for (int y = 8; y < 40; ++y)
        for (int x = 8; x < 40; ++x) {
            if (((x / 4) ^ (y / 4)) & 1)
                rs_setcolorrgb(255, 255, 255);
            else
                rs_setcolorrgb(0, 0, 0);
            rs_point(x, y);
        }
}

struct Scene {
    const char* name;
    void (*draw)(int width, int height);
};

constexpr Scene scenes[] = {
    {"pixels", draw_scene_pixels},
    {"shapes", draw_scene_2d},
    {"curves", draw_scene_curves},
    {"text", draw_scene_text},
};

// ---- presenting ------------------------------------------------------------------------

struct Options {
    bool window = false;
    int frames = 90;
    std::string out = "out";
};

Options parse(int argc, char** argv) {
    Options o;
    o.window = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--window") {
            o.window = true;
        } else if (arg == "--no-window") {
            o.window = false;
        } else if (arg == "--frames" && i + 1 < argc) {
            o.frames = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--out" && i + 1 < argc) {
            o.out = argv[++i];
        } else {
            std::fprintf(stderr, "usage: %s [--window | --no-window] [--frames N] [--out DIR]\n", argv[0]);
            std::exit(2);
        }
    }
    return o;
}

// A palette for 8-bit buffers: a 6 × 6 × 6 colour cube, then a grey ramp.
void demo_palette() {
    unsigned char rgb[256 * 3];
    for (int i = 0; i < 256; ++i) {
        unsigned char* c = rgb + 3 * i;
        if (i < 216) {
            c[0] = (unsigned char)(i / 36 * 51);
            c[1] = (unsigned char)(i / 6 % 6 * 51);
            c[2] = (unsigned char)(i % 6 * 51);
        } else {
            c[0] = c[1] = c[2] = (unsigned char)((i - 216) * 255 / 39);
        }
    }
    rs_setdacs(0, 256, rgb);
}

// Names the scene and the depth in the bottom-left corner with a small stock font, white
// over a black shadow so that it reads on any scene.
void label(const char* name, int depth, int height) {
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%s, %d bits", name, depth);
    rs_fontload(17);
    rs_justify(-1, -1);
    rs_setcolorrgb(0, 0, 0);
    rs_move(3, height);
    rs_print(text, n);
    rs_setcolorrgb(255, 255, 255);
    rs_move(2, height - 1);
    rs_print(text, n);
}

// Draws the scene into one buffer of each depth; returns false when a buffer cannot be made.
bool draw(const Scene& scene, int handles[4]) {
    for (int i = 0; i < 4; ++i) {
        rs_vbdepth(depths[i]);
        handles[i] = rs_vballoc(buffer_width, buffer_height);
        if (handles[i] < 0 || rs_vbopen(handles[i]) != 0) {
            std::fprintf(stderr, "%d bits: cannot create a buffer (%d)\n", depths[i], handles[i]);
            return false;
        }
        if (depths[i] == 8) demo_palette();
        scene.draw(rs_getmaxx() + 1, rs_getmaxy() + 1);
        label(scene.name, depths[i], rs_getmaxy() + 1);
        rs_vbclose();
    }
    return true;
}

// Shows the four buffers in the quadrants of a device of width × height: one to one with
// rs_vbpaste when the device is exactly twice the buffer size, scaled otherwise.
void present(const int handles[4], int width, int height) {
    for (int i = 0; i < 4; ++i) {
        rs_vbopen(handles[i]);
        const int col = i % 2, row = i / 2;
        const int maxx = rs_getmaxx(), maxy = rs_getmaxy();
        if (width == 2 * (maxx + 1) && height == 2 * (maxy + 1))
            rs_vbpaste(0, maxx, 0, maxy, col * (maxx + 1), row * (maxy + 1) + maxy);
        else
            rs_vbscale(0, maxx, 0, maxy, col * width / 2, (col + 1) * width / 2 - 1, row * height / 2,
                       (row + 1) * height / 2 - 1);
        rs_vbclose();
    }
}

// Writes what a surface or window shows as a binary PPM.
bool write_ppm(RS_HDC device, const std::string& path) {
    int w = 0, h = 0;
    const unsigned* p = rsp_surface_pixels(device, &w, &h);
    FILE* f = p ? std::fopen(path.c_str(), "wb") : nullptr;
    if (!f) return false;
    std::fprintf(f, "P6\n%d %d\n255\n", w, h);
    for (int i = 0; i < w * h; ++i) {
        const unsigned char rgb[3] = {(unsigned char)(p[i] >> 16), (unsigned char)(p[i] >> 8), (unsigned char)p[i]};
        std::fwrite(rgb, 1, 3, f);
    }
    return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    int major = 0, minor = 0;
    rs_version(&major, &minor);
    std::printf("rsw32 %d.%d\n", major, minor);
    std::error_code ignored;
    std::filesystem::create_directories(options.out, ignored);

    rs_vbinit();
    const int width = 2 * buffer_width, height = 2 * buffer_height;
    RS_HDC window = options.window ? rsp_window_open(width, height, "rsw32 demo") : nullptr;
    RS_HDC surface = window ? nullptr : rsp_surface_create(width, height);
    RS_HDC device = window ? window : surface;
    std::printf("presenting into %s\n", window ? "a window" : "an off-screen surface");
    rs_setdc(device);

    int status = 0;
    for (const Scene& scene : scenes) {
        int handles[4] = {-1, -1, -1, -1};
        if (!draw(scene, handles)) {
            status = 1;
            break;
        }
        bool open = true;
        for (int frame = 0; frame < (window ? options.frames : 1) && open; ++frame) {
            int w = width, h = height;
            rsp_surface_pixels(device, &w, &h);  // a window may have been resized
            present(handles, w, h);
            if (window) {
                open = rsp_window_pump(window) != 0;
                std::this_thread::sleep_for(std::chrono::milliseconds(16));
            }
        }
        const std::string path = options.out + "/" + scene.name + ".ppm";
        if (write_ppm(device, path))
            std::printf("%-8s 8, 16, 24 and 32 bits, left to right and top to bottom: %s\n", scene.name, path.c_str());
        else
            std::printf("%-8s cannot write %s\n", scene.name, path.c_str());
        rs_vbfree(-1);
        if (!open) break;
    }

    rs_setdc(nullptr);
    if (window) rsp_window_close(window);
    if (surface) rsp_surface_destroy(surface);
    rs_vbfin();
    return status;
}
