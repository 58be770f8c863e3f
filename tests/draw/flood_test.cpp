// Flood fill: worked pictures, bounds, random pictures against breadth-first search, a long path.
#include "draw/flood.h"

#include <deque>

#include "support.h"

using namespace test;

namespace {

class Flood : public EachDepth {
protected:
    uint32_t wall() const { return 0x5A5A5A5Au & mask(); }
    PointSet filled(const std::function<void()>& fn) {  // what fn changes, each pixel to the ink
        const PointSet out = drawn(fn);
        for (auto [x, y] : out) EXPECT_EQ(raw_pixel(x, y), ink_pixel()) << x << ", " << y;
        return out;
    }
};

// '#' a wall, 'o' to fill, 'S' the seed, 's' a seed that fills nothing, 'X' one already in the colour.
TEST_P(Flood, WorkedPicturesFillExactlyTheirArea) {
    const std::tuple<bool, std::array<int, 4>, std::vector<std::string>> cases[] = {  // paint?, clip, picture
        {false, {0, 99, 0, 99}, {"........", ".######.", ".#oooo#.", ".#oSoo#.", ".#oooo#.", ".######."}},
        {true, {0, 99, 0, 99}, {"........", ".######.", ".#oooo#.", ".#oSoo#.", ".#oooo#.", ".######."}},
        {false, {0, 99, 0, 99}, {"#oooSooo", ".#oooooo", "..#ooooo", "...#oooo", "....#ooo", ".....#oo", "......#o"}},
        {true, {0, 99, 0, 99}, {"#.......", "o#......", "oo#.....", "ooo#....", "Sooo#...", "ooooo#..", "oooooo#."}},
        {false, {0, 99, 0, 99}, {"########", "#oo##o##", "#oo##o##", "#oo##S##", "#oooooo#", "########"}},  // a U
        {false, {2, 5, 1, 4}, {"........", "..oooo..", "..oSoo..", "..oooo..", "..oooo..", "........"}},
        {true, {2, 5, 1, 4}, {"oooooooo", "oooooooo", "oooSoooo", "oooooooo"}},
        {false, {-100, 1000, -7, 3}, {"oooooooo", "oooooooo", "oooooooo", "oooooooS"}},  // clip cut to the buffer
        {false, {2, 5, 1, 4}, {"s.......", "........"}}, {false, {2, 5, 1, 4}, {"........", "......s."}},
        {false, {5, 2, 1, 4}, {"........", "...s...."}}, {true, {0, 99, 0, 99}, {"#X######", "########"}}};
    for (const auto& [paint, clip, rows] : cases) {
        const int h = int(rows.size()), vb = start(8, h);
        PointSet expected;
        Point seed;
        for (auto [x, y] : area(0, 7, 0, h - 1)) {
            const char k = rows[size_t(y)][size_t(x)];
            View().put(x, y, k == '#' ? wall() : k == 'X' ? ink_pixel() : 0);
            if (k == 'o' || k == 'S') expected.insert({x, y});
            if (k == 'S' || k == 's' || k == 'X') seed = {x, y};
        }
        rs_setclip(clip[0], clip[1], clip[2], clip[3]);
        EXPECT_EQ(filled([&] { paint ? rs_paint(seed.first, seed.second) : rs_flood(seed.first, seed.second); }), expected)
            << (paint ? "paint" : "flood") << " from " << seed.first << ", " << seed.second;
        rs_vbclose(), rs_vbfree(vb);
    }
    start(48, 32);
    for (auto [x, y] : {Point{-1, 0}, {48, 0}, {0, -1}, {0, 32}, {INT_MIN, INT_MAX}})
        EXPECT_TRUE(filled([&] { rs_paint(x, y), rs_flood(x, y); }).empty()) << x << ", " << y;
}

// Random pictures of a few colours, clip rectangles and seeds, against the reference.
TEST_P(Flood, MatchesBreadthFirstReferenceOnRandomPictures) {
    std::mt19937 rng(1234u + uint32_t(depth()));
    for (int round = 0; round < 60; ++round) {
        const int vb = start(int(rng() % 70) + 1, int(rng() % 50) + 1), w = rs_getmaxx() + 1, h = rs_getmaxy() + 1;
        const uint32_t colours[] = {0, wall(), ink_pixel(), 0x33333333u & mask()};
        const int walls = int(rng() % 60);
        for (auto [x, y] : area(0, w - 1, 0, h - 1)) View().put(x, y, colours[int(rng() % 100) < walls ? rng() % 4 : rng() % 2 ? 0 : 3]);
        for (int k = 0; k < 6; ++k) {
            const Snapshot img;
            const int sx = int(rng() % unsigned(w + 2)) - 1, sy = int(rng() % unsigned(h + 2)) - 1;
            const bool paint = rng() % 3 == 0;
            int minx = int(rng() % unsigned(w + 4)) - 2, maxx = int(rng() % unsigned(w + 4)) - 2;  // in any order
            int miny = int(rng() % unsigned(h + 4)) - 2, maxy = int(rng() % unsigned(h + 4)) - 2;
            rs_setclip(minx, maxx, miny, maxy);
            if (paint) minx = miny = 0, maxx = w - 1, maxy = h - 1;
            PointSet expected;  // breadth-first over the pixels of the seed's value inside the bounds
            std::deque<Point> queue;
            const auto visit = [&](int x, int y) {
                if (x >= std::max(minx, 0) && x <= std::min(maxx, w - 1) && y >= std::max(miny, 0) && y <= std::min(maxy, h - 1) &&
                    img.value(x, y) == img.value(sx, sy) && img.value(sx, sy) != ink_pixel() && expected.insert({x, y}).second)
                    queue.push_back({x, y});
            };
            visit(sx, sy);
            for (; !queue.empty(); queue.pop_front()) {
                const auto [x, y] = queue.front();
                visit(x - 1, y), visit(x + 1, y), visit(x, y - 1), visit(x, y + 1);
            }
            ASSERT_EQ(filled([&] { paint ? rs_paint(sx, sy) : rs_flood(sx, sy); }), expected)
                << "round " << round << " fill " << k << (paint ? " paint" : " flood") << " at " << sx << ", " << sy;
        }
        rs_vbclose(), rs_vbfree(vb);
    }
}

// A serpentine of one-pixel columns: a million runs in a row, which no recursion would survive.
TEST_P(Flood, FullHdSerpentineFillsEveryPassage) {
    start(1920, 1080);
    const View v;
    auto wall_at = [](int x, int y) { return x % 2 == 1 && y != (x % 4 == 1 ? 1079 : 0); };
    for (int i = 0; i < 1920 * 1080; ++i) v.put(i % 1920, i / 1920, wall_at(i % 1920, i / 1920) ? wall() : 0);
    rs_flood(0, 0);
    for (int i = 0; i < 1920 * 1080; ++i) ASSERT_EQ(v.get(i % 1920, i / 1920), wall_at(i % 1920, i / 1920) ? wall() : ink_pixel()) << i;
}

RSW32_EACH_DEPTH(Flood);

// A colour prepared for 16 bits has bytes unlike the index: the fill writes what it compares.
TEST_F(Library, FloodWithAColourOfAnotherDepthStillEndsWithOneValue) {
    const int vb = rs_vballoc(40, 20);
    rs_vbopen(vb), rs_setcolor(9), rs_vbdepth(16), rs_vbopen(rs_vballoc(4, 4));
    rs_setcolor(0x0900), rs_vbopen(vb), rs_flood(5, 5);  // color_value 0x09000900: bytes 0, 9, 0, 9
    for (auto [x, y] : area(0, 39, 0, 19)) ASSERT_EQ(rs_getpixel(x, y), 9) << x << ", " << y;
}

// 24-bit pixels are three bytes: neither the next pixel's byte nor the colour's top byte count.
TEST_F(Library, TwentyFourBitFloodComparesAndWritesThreeBytes) {
    rs_vbdepth(24), rs_vbopen(rs_vballoc(8, 3));
    for (int y = 0; y < 3; ++y) View().put(5, y, 1);  // blue 1 right after pixel 4
    rs_setcolor(int(0xFF123456u));
    EXPECT_EQ(drawn([] { rs_flood(0, 1); }), area(0, 4, 0, 2));
    EXPECT_EQ(list(rs_getpixel(4, 0), rs_getpixel(5, 0)), list(0x123456, 0x000001));
    EXPECT_TRUE(drawn([] { rs_paint(2, 2); }).empty());  // already 0x123456
}

}  // namespace
