// Flood fill: the area it fills against a plain breadth-first reference, its bounds (clip
// rectangle, buffer edges), what stops it, and a full-HD maze.
#include "draw/flood.h"

#include <algorithm>
#include <climits>
#include <deque>
#include <random>
#include <vector>

#include "support.h"

namespace {

using test::Point;
using test::PointSet;

class Flood : public test::EachDepth {
protected:
    uint32_t mask() const { return depth() == 32 ? ~0u : (1u << depth()) - 1; }
    int ink() const { return depth() == 8 ? 7 : depth() == 16 ? 0xF81F : 0x00ABCDEF; }
    uint32_t wall() const { return depth() == 8 ? 3 : depth() == 16 ? 0x07E0 : 0x00112233; }

    void start(int width, int height) {
        handle = open(width, height);
        w = rs_getmaxx() + 1;
        h = rs_getmaxy() + 1;
        rs_setcolor(ink());
    }
    void put(int x, int y, uint32_t v) {
        uint8_t* p = test::pixel_at(handle, x, y, w, h, depth());
        for (int i = 0; i < depth() / 8; ++i) p[i] = uint8_t(v >> (8 * i));
    }
    void fill_all(uint32_t v) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) put(x, y, v);
    }
    PointSet rect(int minx, int maxx, int miny, int maxy) const {
        PointSet s;
        for (int y = miny; y <= maxy; ++y)
            for (int x = minx; x <= maxx; ++x) s.insert({x, y});
        return s;
    }
    template <class Fn>
    PointSet filled(Fn&& fn) {
        const test::Snapshot before;
        fn();
        const PointSet out = before.changed();
        for (auto [x, y] : out) EXPECT_EQ(test::raw_pixel(x, y), uint32_t(ink()) & mask()) << x << ", " << y;
        return out;
    }

    int handle = -1, w = 0, h = 0;
};

// Breadth-first search over the pixels of the seed's value inside the bounds.
PointSet reference_area(const test::Snapshot& img, int sx, int sy, int minx, int maxx, int miny, int maxy) {
    PointSet out;
    if (sx < minx || sx > maxx || sy < miny || sy > maxy) return out;
    const uint32_t old = img.value(sx, sy);
    std::vector<char> seen(size_t(img.width) * size_t(img.height));
    std::deque<Point> queue{{sx, sy}};
    seen[size_t(sy) * size_t(img.width) + size_t(sx)] = 1;
    while (!queue.empty()) {
        const auto [x, y] = queue.front();
        queue.pop_front();
        out.insert({x, y});
        const Point next[] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
        for (auto [u, v] : next) {
            if (u < minx || u > maxx || v < miny || v > maxy) continue;
            char& s = seen[size_t(v) * size_t(img.width) + size_t(u)];
            if (s || img.value(u, v) != old) continue;
            s = 1;
            queue.push_back({u, v});
        }
    }
    return out;
}

TEST_P(Flood, ClosedOutlineFillsExactlyItsInterior) {
    start(40, 30);
    for (auto fill : {rs_flood, rs_paint}) {
        fill_all(0);
        rs_setcolor(int(wall()));
        for (int x = 5; x <= 30; ++x) rs_point(x, 4), rs_point(x, 20);
        for (int y = 4; y <= 20; ++y) rs_putpixel(5, y), rs_putpixel(30, y);
        rs_setcolor(ink());
        EXPECT_EQ(filled([&] { fill(17, 11); }), rect(6, 29, 5, 19));
    }
}

// Pixels touching only at corners do not connect.
TEST_P(Flood, DiagonalLineIsAWall) {
    start(24, 24);
    for (int i = 0; i < 24; ++i) put(i, i, wall());
    PointSet above;
    for (int y = 0; y < 24; ++y)
        for (int x = y + 1; x < 24; ++x) above.insert({x, y});
    EXPECT_EQ(filled([] { rs_flood(20, 2); }), above);
    PointSet below;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < y; ++x) below.insert({x, y});
    EXPECT_EQ(filled([] { rs_paint(2, 20); }), below);
}

TEST_P(Flood, ClipRectangleBoundsFloodButNotPaint) {
    start(48, 32);
    rs_setclip(10, 30, 5, 20);
    EXPECT_TRUE(filled([] { rs_flood(9, 10); }).empty());   // seed outside the clip rectangle
    EXPECT_TRUE(filled([] { rs_flood(15, 21); }).empty());
    EXPECT_EQ(filled([] { rs_flood(15, 10); }), rect(10, 30, 5, 20));
    fill_all(0);
    EXPECT_EQ(filled([] { rs_paint(0, 0); }), rect(0, 47, 0, 31));  // the buffer edges bound it
    fill_all(0);
    rs_setclip(-100, 1000, -7, 31);  // reaches outside the buffer: cut to it
    EXPECT_EQ(filled([] { rs_flood(47, 31); }), rect(0, 47, 0, 31));
    fill_all(0);
    for (auto [x, y] : {Point{-1, 0}, {48, 0}, {0, -1}, {0, 32}, {INT_MIN, INT_MAX}}) {
        EXPECT_TRUE(filled([&] { rs_paint(x, y); }).empty()) << x << ", " << y;
        EXPECT_TRUE(filled([&] { rs_flood(x, y); }).empty()) << x << ", " << y;
    }
    rs_setclip(30, 10, 5, 20);  // empty
    EXPECT_TRUE(filled([] { rs_flood(15, 10); }).empty());
}

TEST_P(Flood, UShapeSeededInOneArmFillsBothArmsAndTheJoin) {
    start(20, 20);
    fill_all(wall());
    PointSet u;
    for (int y = 2; y <= 15; ++y) u.insert({3, y}), u.insert({4, y}), u.insert({12, y});
    for (int x = 3; x <= 12; ++x) u.insert({x, 16});
    for (auto [x, y] : u) put(x, y, 0);
    EXPECT_EQ(filled([] { rs_flood(12, 2); }), u);
}

TEST_P(Flood, SeedAlreadyInTheCurrentColourFillsNothing) {
    start(16, 8);
    fill_all(uint32_t(ink()) & mask());
    put(3, 3, 0);
    EXPECT_TRUE(filled([] {
                    rs_flood(8, 4);
                    rs_paint(8, 4);
                }).empty());
    rs_vbclose();
    rs_flood(3, 3);  // no active buffer
    rs_paint(3, 3);
    rs_vbopen(handle);
    EXPECT_EQ(test::raw_pixel(3, 3), 0u);
}

TEST_P(Flood, WorldSeedIsConvertedAsAPoint) {
    start(64, 48);
    rs_initw();
    rs_setworld(0.0, 100.0, 0.0, 100.0);
    for (int x = 0; x < 64; ++x) put(x, 24, wall());
    const PointSet lower = filled([] { rs_floodw(50.0, 10.0); });  // screen row 42
    EXPECT_EQ(lower, rect(0, 63, 25, 47));
    EXPECT_EQ(filled([] { rs_paintw(50.0, 90.0); }), rect(0, 63, 0, 23));
}

// Random pictures of a few colours, random clip rectangles and seeds, against the
// breadth-first reference.
TEST_P(Flood, MatchesBreadthFirstReferenceOnRandomMazes) {
    const uint32_t seed = 1234u + uint32_t(depth());
    std::mt19937 rng(seed);
    for (int round = 0; round < 60; ++round) {
        start(int(rng() % 70) + 1, int(rng() % 50) + 1);
        const uint32_t colours[] = {0, wall(), uint32_t(ink()) & mask(), 0x5A5A5A5Au & mask()};
        const int walls = int(rng() % 60);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) put(x, y, int(rng() % 100) < walls ? colours[rng() % 4] : colours[rng() % 2 ? 0 : 3]);
        for (int k = 0; k < 6; ++k) {
            const test::Snapshot img;
            const int sx = int(rng() % unsigned(w + 2)) - 1, sy = int(rng() % unsigned(h + 2)) - 1;
            const bool paint = rng() % 3 == 0;
            int minx = int(rng() % unsigned(w + 4)) - 2, maxx = int(rng() % unsigned(w + 4)) - 2;
            int miny = int(rng() % unsigned(h + 4)) - 2, maxy = int(rng() % unsigned(h + 4)) - 2;
            if (rng() % 2) minx = std::min(minx, maxx), maxx = std::max(minx, maxx);
            if (rng() % 2) miny = std::min(miny, maxy), maxy = std::max(miny, maxy);
            rs_setclip(minx, maxx, miny, maxy);
            PointSet expected;
            const bool in_buffer = sx >= 0 && sx < w && sy >= 0 && sy < h;
            if (in_buffer && img.value(sx, sy) != (uint32_t(ink()) & mask())) {
                if (paint)
                    expected = reference_area(img, sx, sy, 0, w - 1, 0, h - 1);
                else
                    expected = reference_area(img, sx, sy, std::max(minx, 0), std::min(maxx, w - 1),
                                              std::max(miny, 0), std::min(maxy, h - 1));
            }
            const PointSet got = filled([&] { paint ? rs_paint(sx, sy) : rs_flood(sx, sy); });
            ASSERT_EQ(got, expected) << "seed " << seed << " round " << round << " fill " << k
                                     << (paint ? " paint" : " flood") << " at " << sx << ", " << sy;
        }
        rs_vbclose();
        rs_vbfree(handle);
    }
}

// A perfect maze on 2-pixel cells of a 1920 × 1080 buffer: one path through every cell,
// so the fill has to follow hundreds of thousands of turns.
std::vector<uint8_t> full_hd_maze(int w, int h) {
    std::vector<uint8_t> open(size_t(w) * size_t(h));
    const int cw = (w - 1) / 2, ch = (h - 1) / 2;
    std::vector<char> seen(size_t(cw) * size_t(ch));
    std::vector<std::pair<int, int>> stack{{0, 0}};
    std::mt19937 rng(99);
    seen[0] = 1;
    open[size_t(1) * size_t(w) + 1] = 1;
    while (!stack.empty()) {
        const auto [cx, cy] = stack.back();
        std::pair<int, int> next[4];
        int n = 0;
        const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
        for (int i = 0; i < 4; ++i) {
            const int nx = cx + dx[i], ny = cy + dy[i];
            if (nx >= 0 && nx < cw && ny >= 0 && ny < ch && !seen[size_t(ny) * size_t(cw) + size_t(nx)])
                next[n++] = {nx, ny};
        }
        if (n == 0) {
            stack.pop_back();
            continue;
        }
        const auto [nx, ny] = next[rng() % unsigned(n)];
        seen[size_t(ny) * size_t(cw) + size_t(nx)] = 1;
        open[size_t(2 * ny + 1) * size_t(w) + size_t(2 * nx + 1)] = 1;
        open[size_t(cy + ny + 1) * size_t(w) + size_t(cx + nx + 1)] = 1;  // the wall between
        stack.push_back({nx, ny});
    }
    return open;
}

TEST_P(Flood, FullHdMazeFillsEveryPassage) {
    static const std::vector<uint8_t> maze = full_hd_maze(1920, 1080);
    start(1920, 1080);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!maze[size_t(y) * size_t(w) + size_t(x)]) put(x, y, wall());
    rs_flood(1, 1);
    const uint32_t want = uint32_t(ink()) & mask();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(test::raw_pixel(x, y), maze[size_t(y) * size_t(w) + size_t(x)] ? want : wall()) << x << ", " << y;
}

RSW32_EACH_DEPTH(Flood);

class FloodOneDepth : public test::Library {};

// A colour prepared for another depth leaves color_value's bytes unlike the index at 8
// bits; the fill writes the index that it compares, so it ends and leaves one value.
TEST_F(FloodOneDepth, ColourOfAnotherDepthStillEndsWithOneValue) {
    rs_vbdepth(8);
    const int vb = rs_vballoc(40, 20);
    rs_vbopen(vb);
    rs_setcolor(9);
    rs_vbdepth(16);
    rs_vbopen(rs_vballoc(4, 4));
    rs_setcolor(0x0900);  // color_value 0x09000900: bytes 0, 9, 0, 9
    rs_vbopen(vb);
    rs_flood(5, 5);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(rs_getpixel(x, y), 9) << x << ", " << y;
}

// At 24 bits a pixel is three bytes: the byte after it belongs to the next pixel and the
// colour's top byte is not part of the pixel.
TEST_F(FloodOneDepth, TwentyFourBitComparesAndWritesThreeBytes) {
    rs_vbdepth(24);
    const int vb = rs_vballoc(8, 3);
    rs_vbopen(vb);
    for (int y = 0; y < 3; ++y) {
        uint8_t* p = test::pixel_at(vb, 5, y, 8, 3, 24);
        p[0] = 1;  // blue 1: a different pixel right after pixel 4
    }
    rs_setcolor(int(0xFF123456u));
    const test::Snapshot before;
    rs_flood(0, 1);
    PointSet left;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x <= 4; ++x) left.insert({x, y});
    EXPECT_EQ(before.changed(), left);
    EXPECT_EQ(rs_getpixel(4, 0), 0x123456);
    EXPECT_EQ(rs_getpixel(5, 0), 0x000001);
    const test::Snapshot again;
    rs_paint(2, 2);  // already 0x123456: the top byte of the colour does not count
    EXPECT_TRUE(again.changed().empty());
}

}  // namespace
