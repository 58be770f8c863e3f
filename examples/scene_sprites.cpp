// Demonstration scene of pictures kept in memory: a palette-index sprite (a fish) and a
// true-colour dcb sprite (a shaded ball) drawn with black or index 0 transparent, plain
// and mirrored, cut at the buffer's edges and clipped by an inner frame; monochrome stars
// in several colours; and a photograph-like gradient shown twice, the right copy reduced
// to 16 colours in 8-bit buffers. Draws into the active buffer at any depth (dcbs show at
// 16, 24 and 32 bits only); sizes are fixed for the demo's 160 × 120 buffers.
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "rsw32.h"

namespace {

// Palette indices of the demo's 6 × 6 × 6 colour cube (entry 36 r + 6 g + b, levels 0-5).
constexpr int cube(int r, int g, int b) { return 36 * r + 6 * g + b; }

// The fish, top row first as it reads; '.' is index 0, transparent.
const char* const fish_rows[] = {
    "......oooo......",
    "..o..oyyyyoo....",
    ".oo.oyyyyyyyo...",
    "ooooyyyyyyykwo..",
    "ooooyyyyyyyyyyo.",
    "oooyyyyyrrryyyyo",
    ".oo.oyyyyyyyyo..",
    "..o..oyyyyyoo...",
    "......oooo......",
};
constexpr int fish_w = 16, fish_h = 9;

// An image array stores the bottom row first.
std::vector<unsigned char> fish() {
    std::vector<unsigned char> a(fish_w * fish_h);
    for (int r = 0; r < fish_h; ++r)
        for (int i = 0; i < fish_w; ++i) {
            const char c = fish_rows[fish_h - 1 - r][i];
            a[size_t(r * fish_w + i)] = (unsigned char)(c == 'o' ? cube(5, 2, 0) : c == 'y' ? cube(5, 5, 1)
                                                       : c == 'k' ? 216 /* black of the grey ramp */
                                                       : c == 'w' ? cube(5, 5, 5) : c == 'r' ? cube(4, 0, 1) : 0);
        }
    return a;
}

// A ball lit from the upper left, as blue-green-red bytes, bottom row first; black
// (transparent) around it. At 16 bits it is translated to RGB565 words.
constexpr int ball_size = 16;
std::vector<unsigned char> ball(int red, int green, int blue) {
    std::vector<unsigned char> bgr(ball_size * ball_size * 3, 0);
    const double c = (ball_size - 1) / 2.0, radius = ball_size / 2.0;
    for (int r = 0; r < ball_size; ++r)
        for (int i = 0; i < ball_size; ++i) {
            const double dx = (i - c) / radius, dy = (ball_size - 1 - r - c) / radius;  // dy down the screen
            const double d2 = dx * dx + dy * dy;
            if (d2 > 1.0) continue;
            const double dz = std::sqrt(1.0 - d2);
            const double light = 0.25 + 0.75 * std::fmax(0.0, (-dx - dy + dz) / std::sqrt(3.0));
            const double shine = std::pow(std::fmax(0.0, (-dx - dy + 2.0 * dz) / std::sqrt(6.0)), 12.0);
            unsigned char* p = &bgr[size_t(r * ball_size + i) * 3];
            const int rgb[3] = {blue, green, red};
            for (int k = 0; k < 3; ++k) p[k] = (unsigned char)std::fmin(255.0, 24.0 + rgb[k] * light + 255.0 * shine);
        }
    return bgr;
}

// The dcb of a ball for the active depth: bytes as they are, or RGB565 at 16 bits.
std::vector<unsigned char> ball_dcb(int red, int green, int blue) {
    std::vector<unsigned char> bgr = ball(red, green, blue);
    if (rs_getdepth() == 16) rs_transdcb(bgr.data(), bgr.data(), 24, 16, ball_size * ball_size);  // in place
    return bgr;
}

// A star, one byte a row, bottom row first.
const unsigned char star[8] = {0x00, 0xC3, 0x66, 0x3C, 0x7E, 0xFF, 0x18, 0x18};

// A sunset: sky from deep blue to orange, a sun with a glow, dark hills and their shading.
void photo(int x0, int y0, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double t = double(y) / (h - 1), sx = x - w * 0.62, sy = y - h * 0.55;
            const double sun = std::exp(-(sx * sx + sy * sy) / 60.0), glow = std::exp(-(sx * sx + sy * sy) / 500.0);
            double r = 30 + 200 * t + 120 * glow, g = 40 + 90 * t + 80 * glow, b = 120 - 60 * t + 20 * glow;
            r += 255 * sun;
            g += 230 * sun;
            b += 150 * sun;
            const double hill = h * (0.72 + 0.08 * std::sin(x * 0.15) + 0.05 * std::sin(x * 0.41 + 1.0));
            if (y > hill) {
                const double depth = (y - hill) / (h - hill);
                r = 60 - 40 * depth;
                g = 70 - 30 * depth + 20 * std::sin(x * 0.7);
                b = 30;
            }
            rs_setcolorrgb(int(std::fmin(r, 255.0)), int(std::fmin(g, 255.0)), int(std::fmin(b, 255.0)));
            rs_putpixel(x0 + x, y0 + y);
        }
}

int rgb(int r, int g, int b) { return rs_maprgb(r, g, b); }

}  // namespace

void draw_scene_sprites(int width, int height) {
    const int maxx = width - 1, maxy = height - 1;
    rs_setclip(0, maxx, 0, maxy);
    const int reduced_start = 240;  // the palette's last 16 entries receive the reduced colours
    if (rs_getdepth() == 8) {
        // Until then they repeat entry 0, so no nearest-colour search picks them.
        unsigned char black[16 * 3];
        rs_getdacs(0, 1, black);
        for (int i = 1; i < 16; ++i) std::memcpy(black + 3 * i, black, 3);
        rs_setdacs(reduced_start, 16, black);
    }
    rs_setcolor(rgb(20, 28, 44));
    rs_fillpage();
    const std::vector<unsigned char> f = fish();
    const std::vector<unsigned char> red = ball_dcb(220, 40, 60), green = ball_dcb(60, 200, 90);

    // Along the top: plain and mirrored, then cut by the buffer's top, left and right edges.
    const struct { int x, y; int (*draw)(const unsigned char*, int, int); } fishes[] = {
        {4, 14, rs_drwimage}, {24, 14, rs_revimage}, {44, 4, rs_drwimage}, {-7, 30, rs_flpimage}, {maxx - 8, 30, rs_clpimage}};
    for (const auto& p : fishes) {
        rs_move(p.x, p.y);
        p.draw(f.data(), fish_w, fish_h);
    }
    const struct { int x, y; const std::vector<unsigned char>* dcb; int (*draw)(const unsigned char*, int, int); } balls[] = {
        {66, 17, &red, rs_drawdcb}, {86, 17, &red, rs_revdcb}, {108, 6, &green, rs_clipdcb},
        {maxx - 7, 50, &green, rs_flipdcb}, {-6, 48, &red, rs_drawdcb}};
    for (const auto& p : balls) {
        rs_move(p.x, p.y);
        p.draw(p.dcb->data(), ball_size, ball_size);
    }

    // An inner frame whose inside is the clip rectangle: pictures straddle its edges.
    rs_setcolor(rgb(200, 200, 220));
    rs_move(10, 52);
    for (const auto& [x, y] : {std::pair{74, 52}, {74, 112}, {10, 112}, {10, 52}}) rs_draw(x, y);
    rs_setclip(11, 73, 53, 111);
    rs_move(2, 64);
    rs_clpimage(f.data(), fish_w, fish_h);
    rs_move(64, 76);
    rs_flpimage(f.data(), fish_w, fish_h);
    rs_move(34, 62);
    rs_clipdcb(green.data(), ball_size, ball_size);
    rs_move(64, 118);
    rs_flipdcb(red.data(), ball_size, ball_size);
    const int star_colors[][3] = {{255, 220, 60}, {120, 220, 255}, {255, 120, 200}, {160, 255, 120}};
    for (int k = 0; k < 8; ++k) {
        const int* c = star_colors[k % 4];
        rs_setcolor(rgb(c[0], c[1], c[2]));
        rs_move(7 + 9 * k, 96 + (k % 2) * 4);
        rs_clipmap(star, 1, 8);
    }
    rs_move(5, 116);
    rs_clipmap(star, 1, 8);
    rs_setclip(0, maxx, 0, maxy);
    rs_setcolor(rgb(255, 255, 255));
    rs_move(90, 44);
    rs_drawmap(star, 1, 8);

    // The same picture twice; at 8 bits the right copy keeps 16 colours, renumbered into
    // the entries set aside above.
    const int px = 80, py = 54, pw = 40, ph = height - py;
    photo(px, py, pw, ph);
    photo(px + pw, py, pw, ph);
    if (rs_getdepth() == 8) {
        unsigned char pal[256 * 3];
        rs_getdacs(0, 256, pal);
        rs_setclip(px + pw, px + 2 * pw - 1, py, maxy);
        rs_reduce(reduced_start, 16, pal);
        rs_setdacs(reduced_start, 16, pal + reduced_start * 3);
        rs_setclip(0, maxx, 0, maxy);
    }
}
