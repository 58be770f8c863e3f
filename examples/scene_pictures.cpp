// Demonstration scene of made pictures: a background filled with a pattern kept in a
// buffer over the scene's own memory, a picture file held in memory shown by its contents,
// and ball sprites made from the buffer swimming across it, each drawn over a saved
// background that is put back again (the trail of earlier positions is restored away, so
// only the last three balls stay), plus a packed picture.
// Animated: the balls move on each frame. Sizes fit the demo's 160 x 120 buffers.
#include <cstdint>
#include <cstring>
#include <vector>

#include "rsw32.h"

namespace {

// An 8-bit BMP file of w x h pixels in memory: a colour-cube gradient with a dark frame.
std::vector<unsigned char> gradient_bmp(int w, int h) {
    const int row = (w + 3) & ~3, offset = 54 + 1024;
    std::vector<unsigned char> f(size_t(offset + row * h), 0);
    auto put = [&](int at, uint32_t v, int n) { for (int i = 0; i < n; ++i) f[size_t(at + i)] = (unsigned char)(v >> 8 * i); };
    put(0, 'B' | 'M' << 8, 2), put(2, uint32_t(f.size()), 4), put(10, uint32_t(offset), 4);
    put(14, 40, 4), put(18, uint32_t(w), 4), put(22, uint32_t(h), 4), put(26, 1, 2), put(28, 8, 2);
    unsigned char rgb[256 * 3];
    rs_getdacs(0, 256, rgb);  // the demo's palette, so 8-bit buffers keep their indices
    for (int i = 0; i < 256; ++i) put(54 + 4 * i, uint32_t(rgb[3 * i + 2] | rgb[3 * i + 1] << 8 | rgb[3 * i] << 16), 4);
    for (int y = 0; y < h; ++y)  // bottom row first
        for (int x = 0; x < w; ++x) {
            const bool frame = x < 2 || y < 2 || x >= w - 2 || y >= h - 2;
            f[size_t(offset + y * row + x)] = (unsigned char)(frame ? 216 + 2 : 36 * (1 + 4 * x / w) + 6 * (5 - 5 * y / h) + 3);
        }
    return f;
}

}  // namespace

void draw_scene_pictures(int width, int height) {
    static int frame = 0;
    const int depth = rs_getdepth(), screen = rs_vbhandle();
    if (depth == 8) ++frame;  // the four depths of one frame share the positions

    // A ball drawn once in the corner of the black page and made into a sprite (black
    // transparent); the background then covers the corner.
    rs_setclip(0, width - 1, 0, height - 1);
    rs_setcolor(0), rs_rect(0, 15, 0, 15);
    rs_move(7, 7);
    rs_setcolorrgb(250, 190, 40), rs_circlef(7);
    rs_setcolorrgb(255, 250, 200), rs_move(5, 5), rs_circlef(2);
    rs_tcmask(0);
    std::vector<unsigned char> ball(size_t(rs_makespr(0, 15, 0, 15, nullptr)));
    rs_makespr(0, 15, 0, 15, ball.data());

    // A 4 x 4 pattern drawn into a buffer over this scene's memory, then tiled over the page.
    static unsigned char pattern_memory[4 * 4 * 4];
    rs_vbdepth(depth);
    const int pattern = rs_vbdefine(pattern_memory, 4, 4);
    rs_vbopen(pattern);
    rs_setcolorrgb(24, 40, 70), rs_rect(0, 3, 0, 3);
    rs_setcolorrgb(40, 70, 110), rs_rect(0, 1, 0, 1), rs_rect(2, 3, 2, 3);
    rs_vbopen(screen);
    rs_texture(pattern, 0);
    rs_rect(0, width - 1, 0, height - 1);
    rs_texture(-1, 0);
    rs_vbundef(pattern);

    // A picture file in memory, shown by what its bytes are, palette left alone.
    const std::vector<unsigned char> picture = gradient_bmp(56, 40);
    rs_move(width - 62, 6);
    rs_display(picture.data(), int(picture.size()), 1 | 2 | 8);

    // Swimming: the trail of earlier positions is drawn over saved backgrounds and then
    // restored away, latest first, as a moving sprite erases itself; the last three stay.
    int trail[8][2];
    for (int k = 0; k < 8; ++k) {
        const int x = (frame * 3 + k * 14) % (width + 16) - 16, y = 60 + ((k + frame / 4) % 4) * 12;
        trail[k][0] = x, trail[k][1] = y;
        if (k < 5) rs_save(x, x + 15, y - 15, y);
        rs_move(x, y);
        if (k < 5) rs_showspr(ball.data(), int(ball.size()));
    }
    for (int k = 4; k >= 0; --k) rs_restore(trail[k][0], trail[k][0] + 15, trail[k][1] - 15, trail[k][1]);
    for (int k = 5; k < 8; ++k) rs_move(trail[k][0], trail[k][1]), rs_showspr(ball.data(), int(ball.size()));

    // A packed picture of a small flag: index 0 transparent, drawn at any depth.
    unsigned char flag[12 * 8];
    for (int i = 0; i < 12 * 8; ++i) flag[i] = (unsigned char)((i % 12 + i / 12) % 5 == 0 ? 0 : (i / 12 < 4 ? 36 * 5 + 1 : 36 * 5 + 6 * 5 + 5));
    std::vector<unsigned char> packed(size_t(rs_pack(flag, 12, 8, nullptr)));
    rs_pack(flag, 12, 8, packed.data());
    rs_move(8, height - 18);
    rs_showppr(packed.data(), int(packed.size()));
}
