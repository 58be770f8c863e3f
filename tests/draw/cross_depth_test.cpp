// The same drawing at every depth: a seeded random scene of lines, dashes, rectangles,
// boxes, circles, ellipses, arcs, polygons, flood fills, text and block copies, drawn in a
// few inks on a background of 0, must leave the same ink on the same pixels at 8, 16, 24
// and 32 bits. The depths share their geometry and differ only in pixel width and value,
// so any difference is a loop of one depth that strays.
#include "support.h"

namespace {

constexpr int width = 61, height = 43, inks = 4, scenes = 40, steps = 30;

// Ink k (1..inks) at a depth: distinct from 0 and from each other at every depth.
int ink(int depth, int k) { return depth == 8 ? k : depth == 16 ? 0x0841 * k : 0x102030 * k; }

// Draws scene `seed` into a fresh buffer of the depth and returns each pixel's ink number
// (0 background, -1 a value no ink has), top row first.
std::vector<int> scene(int depth, unsigned seed) {
    rs_vbdepth(depth);
    const int vb = rs_vballoc(width, height);
    rs_vbopen(vb);
    rs_setcolor(0), rs_fillpage();
    for (int k = 1; k <= inks; ++k) rs_setrgb(k, 60 * k, 255 - 50 * k, 30 * k);  // text finds them by colour at 8 bits
    std::mt19937 rng(seed);
    const auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const auto x = [&] { return any(-15, width + 15); };
    const auto y = [&] { return any(-15, height + 15); };
    if (any(0, 1)) rs_setclip(any(0, 20), any(30, width + 5), any(0, 15), any(20, height + 5));
    for (int s = 0; s < steps; ++s) {
        rs_setcolor(ink(depth, any(1, inks)));
        rs_move(x(), y());
        switch (any(0, 13)) {
        case 0: rs_draw(x(), y()); break;
        case 1: rs_dash(x(), y(), any(1, 0xFFFF)); break;
        case 2: rs_rect(x(), x(), y(), y()); break;
        case 3: rs_boxdepth(any(1, 4), any(1, 4)), rs_box(x(), x(), y(), y()); break;
        case 4: rs_circle(any(1, 30)); break;
        case 5: rs_circlef(any(1, 30)); break;
        case 6: rs_ellipse(any(1, 40), any(1, 25)); break;
        case 7: rs_ellipsef(any(1, 40), any(1, 25)); break;
        case 8: rs_arc(any(1, 30), any(0, 3599), any(0, 3600)); break;
        case 9: {
            int v[10];
            for (int i = 0; i < 10; i += 2) v[i] = x(), v[i + 1] = y();
            any(0, 1) ? rs_polyfill(v, nullptr, 5) : rs_polyline(v, 5);
            break;
        }
        case 10: {
            const int px[4] = {x(), x(), x(), x()}, py[4] = {y(), y(), y(), y()};
            rs_polygon(px, py, 4);
            break;
        }
        case 11: any(0, 1) ? rs_flood(any(0, width - 1), any(0, height - 1)) : rs_paint(any(0, width - 1), any(0, height - 1)); break;
        case 12: rs_fontload(any(0, 1) ? 10 : 16), rs_print("Wq@|", 4); break;
        default: rs_vbcopy(x(), x(), y(), y(), x(), y(), vb, vb); break;
        }
    }
    std::vector<int> out;
    const test::View v;
    for (int py = 0; py < height; ++py)
        for (int px = 0; px < width; ++px) {
            const uint32_t p = v.get(px, py);
            int k = p ? -1 : 0;
            for (int i = 1; i <= inks; ++i)
                if (p == (uint32_t(ink(depth, i)) & (depth == 32 ? ~0u : (1u << depth) - 1))) k = i;
            out.push_back(k);
        }
    rs_vbclose(), rs_vbfree(vb);
    return out;
}

using CrossDepth = test::Library;

TEST_F(CrossDepth, EveryDepthInksTheSamePixels) {
    size_t inked = 0;
    for (unsigned seed = 1; seed <= scenes; ++seed) {
        const std::vector<int> at8 = scene(8, seed);
        ASSERT_EQ(std::count(at8.begin(), at8.end(), -1), 0) << "scene " << seed << " at 8 bits";
        inked += at8.size() - size_t(std::count(at8.begin(), at8.end(), 0));
        for (int depth : {16, 24, 32}) {
            const std::vector<int> other = scene(depth, seed);
            for (size_t i = 0; i < at8.size(); ++i)
                ASSERT_EQ(other[i], at8[i]) << "scene " << seed << " at " << depth << " bits, pixel ("
                                            << i % width << ", " << i / width << ")";
        }
    }
    EXPECT_GT(inked, size_t(scenes * width * height / 4)) << "the scenes draw too little to compare";
}

}  // namespace
