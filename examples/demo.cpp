// The library's demonstration. Each scene is drawn into a virtual buffer of each depth
// (8, 16, 24 and 32 bits) and the four buffers are shown side by side: in a window when
// one can be opened, otherwise in an off-screen surface. Each buffer is written with the
// library's BMP and PCX writers to out/<scene>_<bits>.bmp and .pcx either way.
//
//   rsw32_demo [--window | --no-window] [--frames N] [--out DIR]
//
// A window is tried when a display is there (DISPLAY or WAYLAND_DISPLAY) or --window asks
// for one. In a window the demo is interactive until Escape or the window is closed:
//   pointer     draws in the current colour into all four buffers (hold Shift to move
//               without drawing); C changes the colour, E clears the drawing
//   Space, Right / Left    next / previous scene
//   1 2 3 4     the 8-, 16-, 24- or 32-bit buffer alone, filling the window; 0 all four
// With --frames N each scene stays N frames instead and the demo ends after the last, as
// it does without a window. It prints each scene as it draws it and, in a window, the frames
// per second once a second, counted on the library's clock.
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
#include <iterator>
#include <string>
#include <thread>

#include "rsw32.h"
#include "rsw32_platform.h"

void draw_scene_2d(int width, int height);      // scene_2d.cpp
void draw_scene_curves(int width, int height);  // scene_curves.cpp
void draw_scene_sprites(int width, int height); // scene_sprites.cpp
void draw_scene_effects(int width, int height); // scene_effects.cpp
void draw_scene_text(int width, int height);    // scene_text.cpp
void draw_scene_3d(int width, int height);      // scene_3d.cpp: animated
void draw_scene_pictures(int width, int height); // scene_pictures.cpp: animated

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
    bool animated = false;  // drawn anew every frame; without a window, frames are written apart
};

constexpr Scene scenes[] = {
    {"pixels", draw_scene_pixels},
    {"shapes", draw_scene_2d},
    {"curves", draw_scene_curves},
    {"sprites", draw_scene_sprites},
    {"effects", draw_scene_effects},
    {"text", draw_scene_text},
    {"3d", draw_scene_3d, true},
    {"pictures", draw_scene_pictures, true},
};

// ---- presenting ------------------------------------------------------------------------

struct Options {
    bool window = false;
    int frames = 0;  // 0: interactive
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

// Shows the four buffers in the quadrants of a device of width × height (view 0), or the
// buffer of one depth filling it (views 1 to 4): one to one with rs_vbpaste when the device
// is exactly twice the buffer size, scaled otherwise.
void present(const int handles[4], int width, int height, int view) {
    for (int i = 0; i < 4; ++i) {
        if (view != 0 && view != i + 1) continue;
        rs_vbopen(handles[i]);
        const int maxx = rs_getmaxx(), maxy = rs_getmaxy();
        const int col = view ? 0 : i % 2, row = view ? 0 : i / 2, parts = view ? 1 : 2;
        if (!view && width == 2 * (maxx + 1) && height == 2 * (maxy + 1))
            rs_vbpaste(0, maxx, 0, maxy, col * (maxx + 1), row * (maxy + 1) + maxy);
        else
            rs_vbscale(0, maxx, 0, maxy, col * width / parts, (col + 1) * width / parts - 1, row * height / parts,
                       (row + 1) * height / parts - 1);
        rs_vbclose();
    }
}

// Writes each depth's buffer with the library's own writers: out/<scene>_<bits>.bmp (24-bit
// files from the colour buffers, a 256-colour file from the 8-bit one) and the same as
// out/<scene>_<bits>.pcx. Returns how many files were written.
int write_files(const int handles[4], const std::string& stem) {
    int written = 0;
    for (int i = 0; i < 4; ++i) {
        rs_vbopen(handles[i]);
        const std::string name = stem + "_" + std::to_string(depths[i]);
        const int maxx = rs_getmaxx(), maxy = rs_getmaxy();
        written += rs_makebmp(0, maxx, 0, maxy, depths[i] == 8 ? 8 : 24, (name + ".bmp").c_str()) == 0;
        written += rs_makepcx(0, maxx, 0, maxy, (name + ".pcx").c_str()) == 0;
        rs_vbclose();
    }
    return written;
}

// ---- interaction ---------------------------------------------------------------------

// Keys by scan code, reported once when they go down.
struct KeyEdges {
    bool down[0x80] = {};
    bool pressed(int scan_code) {
        bool& was = down[scan_code & 0x7F];
        const bool now = rs_kbtest(scan_code) != 0;
        const bool edge = now && !was;
        was = now;
        return edge;
    }
};

constexpr unsigned char pen_colors[][3] = {{255, 255, 255}, {255, 64, 64}, {64, 255, 64}, {80, 160, 255}, {255, 220, 0}};

// The pen: the pointer's place in the buffers, from its place in the window. rs_mousepos
// reads it as if one buffer filled the window; in the four-buffer view each buffer fills
// a quarter, so the point is doubled and taken within its quarter.
struct Pen {
    int color = 0;
    int x = -1, y = -1;  // last point drawn, -1 when lifted

    void follow(const int handles[4], int view, bool lifted) {
        int px = 0, py = 0;
        if (rs_mousepos(&px, &py) != 0 || lifted) {
            x = y = -1;
            return;
        }
        if (view == 0) {
            px = 2 * px % buffer_width;
            py = 2 * py % buffer_height;
        }
        for (int i = 0; i < 4; ++i) {
            rs_vbopen(handles[i]);
            const unsigned char* c = pen_colors[color];
            rs_setcolorrgb(c[0], c[1], c[2]);
            rs_move(x < 0 ? px : x, y < 0 ? py : y);
            rs_draw(px, py);
            rs_vbclose();
        }
        x = px;
        y = py;
    }
};

// Frames per second, printed about once a second, on the library's 55 ms clock.
struct FrameCounter {
    int start = rs_getclock(), frames = 0;
    void frame() {
        ++frames;
        const int units = rs_getclock() - start;
        if (units < 18) return;
        std::printf("%.1f frames per second\n", frames * 1000.0 / (units * 55));
        std::fflush(stdout);
        start += units;
        frames = 0;
    }
};

// Frame numbers (0 and up) make out/<scene>-<frame>_<bits>.bmp and .pcx.
void write_scene(const int handles[4], const Options& options, const Scene& scene, int frame = -1) {
    char suffix[16] = "";
    if (frame >= 0) std::snprintf(suffix, sizeof suffix, "-%d", frame);
    const std::string stem = options.out + "/" + scene.name + suffix;
    if (write_files(handles, stem) == 8)
        std::printf("%-8s %s_{8,16,24,32}.bmp and .pcx\n", scene.name, stem.c_str());
    else
        std::printf("%-8s cannot write all of %s_*.bmp and .pcx\n", scene.name, stem.c_str());
}

// Records the animated 3D scene as out/3d.avi with the library's AVI writer (an 8-bit
// buffer, frames run-length coded, 12 a second), then plays the file back with rs_showavi
// into a buffer of each depth and presents it. Returns whether both went through.
bool record_animation(const Options& options, bool paced) {
    const std::string name = options.out + "/3d.avi";
    std::printf("%-8s recording 24 frames of the 3D scene into %s, then playing it at each depth\n", "avi", name.c_str());
    std::fflush(stdout);
    rs_vbdepth(8);
    const int vb = rs_vballoc(buffer_width, buffer_height);
    if (vb < 0 || rs_vbopen(vb) != 0) return false;
    demo_palette();
    unsigned char make[24];
    bool ok = rs_avimake(name.c_str(), make, 'M' << 24 | 'R' << 16 | 'L' << 8 | 'E', buffer_width, buffer_height, 8, 0, 12) == 0;
    for (int f = 0; ok && f < 24; ++f) {
        rs_setcolor(0);
        rs_fillpage();
        draw_scene_3d(buffer_width, buffer_height);
        ok = rs_aviframe(make, rs_vbaddr(vb)) == 0;
    }
    rs_avidone(make);
    rs_vbclose();
    rs_vbfree(vb);
    for (int depth : depths) {
        rs_vbdepth(depth);
        const int shown = rs_vballoc(buffer_width, buffer_height);
        ok = ok && rs_vbopen(shown) == 0 && rs_showavi(name.c_str(), 1, paced ? 0 : 1) == 0;
        rs_vbclose();
        rs_vbfree(shown);
    }
    std::printf("%-8s %s %s\n", "avi", name.c_str(), ok ? "recorded and played back" : "cannot be recorded or played");
    return ok;
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
    const bool interactive = window && options.frames == 0;
    if (interactive) {
        rs_mouseini();
        std::printf("pointer draws (Shift: lifted), C colour, E clear, Space/Right/Left scenes, 0-4 depths, Esc quits\n");
    }

    const int scene_count = int(sizeof scenes / sizeof scenes[0]);
    int status = 0, scene = 0, view = 0, announced = -1;
    int handles[4] = {-1, -1, -1, -1};
    bool open = true, redraw = true;
    KeyEdges keys;
    Pen pen;
    FrameCounter counter;
    for (int frame = 0; open; ++frame) {
        if (redraw) {
            if (scene != announced) {  // says which scene it draws, once each time it comes up
                std::printf("scene %d of %d: %s, drawing at 8, 16, 24 and 32 bits\n", scene + 1, scene_count,
                            scenes[scene].name);
                std::fflush(stdout);
                announced = scene;
            }
            rs_vbfree(-1);
            if (!draw(scenes[scene], handles)) {
                status = 1;
                break;
            }
            redraw = false;
        }
        int w = width, h = height;
        rsp_surface_pixels(device, &w, &h);  // a window may have been resized
        present(handles, w, h, view);
        if (window) {
            open = rsp_window_pump(window) != 0;
            counter.frame();
            std::this_thread::sleep_for(std::chrono::milliseconds(16));
        }
        int next = scene;
        if (interactive) {
            open = open && !keys.pressed(0x01);                                             // Escape
            if (keys.pressed(0x39) || keys.pressed(0xE04D)) next = scene + 1;              // Space, Right
            if (keys.pressed(0xE04B)) next = scene - 1;                                    // Left
            for (int v = 0; v <= 4; ++v)
                if (keys.pressed(v == 0 ? 0x0B : 0x01 + v)) view = v;                     // 0 .. 4
            if (keys.pressed(0x2E)) pen.color = (pen.color + 1) % int(std::size(pen_colors));  // C
            if (keys.pressed(0x12)) redraw = true;                                         // E
            pen.follow(handles, view, rs_kbtest(0x2A) || rs_kbtest(0x36));
        } else if (frame + 1 >= (window ? options.frames : 1)) {
            next = scene + 1;
            frame = -1;
        }
        if (scenes[scene].animated && !interactive && !window && frame < 0) {
            // Without a window an animation is a sequence of frames written apart.
            for (int f = 1; f < 8; ++f) {
                write_scene(handles, options, scenes[scene], f - 1);
                rs_vbfree(-1);
                if (!draw(scenes[scene], handles)) break;
                present(handles, w, h, view);
            }
        }
        if (scenes[scene].animated && next == scene) redraw = true;
        if (next != scene || !open) write_scene(handles, options, scenes[scene], scenes[scene].animated && !window ? 7 : -1);
        if (next != scene) {
            if (!interactive && next == scene_count) break;
            scene = (next + scene_count) % scene_count;
            redraw = true;
            pen.x = pen.y = -1;
        }
    }

    rs_vbfree(-1);
    if (status == 0 && !record_animation(options, window != nullptr)) status = 1;
    rs_setdc(nullptr);
    if (window) rsp_window_close(window);
    if (surface) rsp_surface_destroy(surface);
    rs_vbfin();
    return status;
}
