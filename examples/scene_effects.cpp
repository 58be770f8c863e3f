// An effects scene for the demonstration: a small picture scaled, sheared and rotated in
// steps (top two rows), cross-faded with a second picture (third row), and shown with a
// contrast stretch, two gammas, greyscale and its negative (bottom row).
//
// At 16, 24 and 32 bits the pictures are dcbs, transformed with the dcb forms, cross-faded
// into the buffer with rs_blendvb and adjusted in the buffer with the vb forms. At 8 bits
// they are image arrays of palette indices: the image-array transforms work there, the
// cross-fade mixes palette colours with rs_blend, and the adjustments run on the pictures'
// RGB triples before they are mapped to the palette.
#include <cmath>
#include <vector>

#include "rsw32.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr int pw = 24, ph = 18;  // picture size

struct Picture {
    int w = 0, h = 0;
    Bytes px;  // one palette index a pixel at 8 bits, a dcb pixel otherwise
};

int depth() { return rs_getdepth(); }
int pixel_size() { return depth() == 8 ? 1 : depth() == 16 ? 2 : 3; }

// RGB triples, bottom row first: a warm gradient with a disc and a white bar along the
// top-left edge (so turns and leans are easy to follow), or a blue and yellow check.
Bytes rgb_picture(bool checks) {
    Bytes rgb;
    for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pw; ++x) {
            int r = 40 + x * 8, g = 30 + y * 10, b = 120 - y * 4;
            if (checks) {
                const bool on = ((x / 4) ^ (y / 4)) & 1;
                r = on ? 250 : 20, g = on ? 210 : 60, b = on ? 40 : 200;
            } else if ((x - 15) * (x - 15) + (y - 8) * (y - 8) < 20) {
                r = 250, g = 230, b = 60;
            } else if (y >= ph - 3 || x < 2) {
                r = g = b = 255;
            }
            rgb.insert(rgb.end(), {(unsigned char)r, (unsigned char)g, (unsigned char)b});
        }
    return rgb;
}

// The triples as pixels of the active depth (palette indices at 8 bits).
Picture from_rgb(const Bytes& rgb) {
    Picture p{pw, ph, {}};
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        const unsigned v = (unsigned)rs_maprgb(rgb[i], rgb[i + 1], rgb[i + 2]);
        for (int k = 0; k < pixel_size(); ++k) p.px.push_back((unsigned char)(v >> (8 * k)));
    }
    return p;
}

unsigned value_at(const Picture& p, int i) {
    unsigned v = 0;
    for (int k = 0; k < pixel_size(); ++k) v |= unsigned(p.px[size_t(i * pixel_size() + k)]) << (8 * k);
    return v;
}

// Draws the picture with its lower-left corner at (x, y): with rs_blendvb at full opacity
// where there are dcbs, pixel by pixel at 8 bits.
void put(const Picture& p, int x, int y) {
    if (depth() != 8) {
        rs_opacity(255);
        rs_move(x, y);
        rs_blendvb(p.px.data(), nullptr, p.w, p.h);
        return;
    }
    for (int r = 0; r < p.h; ++r)
        for (int c = 0; c < p.w; ++c) {
            rs_setcolor(int(value_at(p, r * p.w + c)));
            rs_putpixel(x + c, y - r);
        }
}

Picture scaled(const Picture& p, int w, int h) {
    Picture out{w, h, Bytes(size_t(w * h * pixel_size()))};
    (depth() == 8 ? rs_scale : rs_scaledcb)(p.px.data(), out.px.data(), p.w, p.h, w, h);
    return out;
}

Picture sheared(const Picture& p, int size, int type) {
    const bool vertical = type & 2;
    Picture out{vertical ? p.w : size, vertical ? size : p.h, {}};
    out.px.resize(size_t(out.w * out.h * pixel_size()));
    (depth() == 8 ? rs_shear : rs_sheardcb)(p.px.data(), out.px.data(), p.w, p.h, size, type);
    return out;
}

Picture rotated(const Picture& p, int angle) {
    Picture out;
    rs_rotsize(p.w, p.h, angle, &out.w, &out.h);
    out.px.resize(size_t(out.w * out.h * pixel_size()));
    (depth() == 8 ? rs_rotate : rs_rotdcb)(p.px.data(), out.px.data(), p.w, p.h, angle);
    return out;
}

}  // namespace

void draw_scene_effects(int width, int height) {
    rs_setclip(0, width - 1, 0, height - 1);
    rs_setcolor(rs_maprgb(24, 24, 32));
    rs_fillpage();
    const Bytes rgb_a = rgb_picture(false), rgb_b = rgb_picture(true);
    const Picture a = from_rgb(rgb_a), b = from_rgb(rgb_b);

    // Transforms in steps: original, scaled up and down, sheared both ways; then rotated
    // by 30, 60, 90 and 135 degrees.
    put(a, 2, 40);
    put(scaled(a, 36, 27), 28, 40);
    put(scaled(a, 12, 9), 66, 40);
    put(sheared(a, 34, 1), 80, 40);
    put(sheared(a, 28, 2), 118, 40);
    int x = 2;
    for (int angle : {300, 600, 900, 1350}) {
        const Picture r = rotated(a, angle);
        put(r, x, 74);
        x += r.w + 8;
    }

    // Cross-fade from the check to the picture.
    const int opacities[5] = {0, 64, 128, 192, 255};
    for (int k = 0; k < 5; ++k) {
        rs_opacity(opacities[k]);
        if (depth() != 8) {
            put(b, 2 + 32 * k, 95);
            rs_opacity(opacities[k]);
            rs_move(2 + 32 * k, 95);
            rs_blendvb(a.px.data(), nullptr, pw, ph);
            continue;
        }
        Picture mixed = a;
        for (int i = 0; i < pw * ph; ++i) mixed.px[size_t(i)] = (unsigned char)rs_blend(int(value_at(a, i)), int(value_at(b, i)));
        put(mixed, 2 + 32 * k, 95);
    }

    // Adjustments: original, contrast 60..190, gamma 0.5 and 2, greyscale, negative. In
    // the buffer where it has dcbs; on the RGB triples at 8 bits.
    for (int k = 0; k < 6; ++k) {
        const int left = 2 + 26 * k, bottom = 117;
        if (depth() == 8) {
            Bytes rgb = rgb_a;
            const int n = pw * ph;
            if (k == 1) rs_contrgb(rgb.data(), 60, 190, n);
            if (k == 2) rs_gammargb(rgb.data(), 0.5, n);
            if (k == 3) rs_gammargb(rgb.data(), 2.0, n);
            if (k == 4) rs_grayrgb(rgb.data(), n);
            if (k == 5) rs_photorgb(rgb.data(), n);
            put(from_rgb(rgb), left, bottom);
            continue;
        }
        put(a, left, bottom);
        rs_move(left, bottom);
        if (k == 1) rs_contvb(60, 190, pw, ph);
        if (k == 2) rs_gammavb(0.5, pw, ph);
        if (k == 3) rs_gammavb(2.0, pw, ph);
        if (k == 4) rs_grayvb(pw, ph);
        if (k == 5) rs_photovb(pw, ph);
    }
}
