// Rectangles, boxes and page operations: exact areas, clipping and cutting to the buffer,
// XOR symmetry, box bands, dither phases, scrolling in both modes, page copies and row
// reversal.
#include <climits>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/present.h"
#include "support.h"

namespace {

using test::EachDepth;
using test::PointSet;
using test::Snapshot;
using test::Library;

// The hidden page as rs_sethpage sets it.
void core_set_hidden_page(int handle) { core::devices().hidden_page = handle; }

PointSet area(int minx, int maxx, int miny, int maxy) {
    PointSet s;
    for (int y = miny; y <= maxy; ++y)
        for (int x = minx; x <= maxx; ++x) s.insert({x, y});
    return s;
}

PointSet unite(std::initializer_list<PointSet> parts) {
    PointSet out;
    for (const PointSet& p : parts) out.insert(p.begin(), p.end());
    return out;
}

class Rects : public EachDepth {
protected:
    int vb = -1;
    void SetUp() override {
        EachDepth::SetUp();
        vb = open(64, 40);
        rs_setcolor(color());
    }
    int color() const { return depth() == 8 ? 0xA5 : depth() == 16 ? 0xA5C3 : 0x5AA5C3E1; }
    uint32_t pixel() const { return depth() == 8 ? 0xA5u : depth() == 16 ? 0xA5C3u : depth() == 24 ? 0xA5C3E1u : 0x5AA5C3E1u; }
    // Fills the buffer with distinct row-and-column values so moved rows can be told apart.
    void pattern() {
        auto* p = static_cast<uint8_t*>(rs_vbaddr(vb));
        const size_t n = size_t(64) * 40 * size_t(depth() / 8);
        for (size_t i = 0; i < n; ++i) p[i] = uint8_t(i * 7 + i / 97);
    }
};

TEST_P(Rects, FilledRectanglesCoverExactlyTheirArea) {
    Snapshot s;
    rs_rect(5, 5, 7, 7);
    EXPECT_EQ(s.changed(), (PointSet{{5, 7}}));
    EXPECT_EQ(test::raw_pixel(5, 7), pixel());
    rs_rect(3, 50, 10, 20);
    EXPECT_EQ(s.changed(), unite({area(3, 50, 10, 20), {{5, 7}}}));
    for (int x : {3, 4, 27, 49, 50}) EXPECT_EQ(test::raw_pixel(x, 15), pixel());
    rs_erase();
    rs_rect(0, 63, 30, 39);  // whole rows
    EXPECT_EQ(s.changed(), area(0, 63, 30, 39));
    EXPECT_EQ(test::raw_pixel(63, 39), pixel());
}

TEST_P(Rects, UnclippedRectanglesAreStillCutToTheBuffer) {
    rs_setclip(10, 20, 10, 20);  // ignored by rs_rect
    Snapshot s;
    rs_rect(-5, 3, 38, 45);
    EXPECT_EQ(s.changed(), area(0, 3, 38, 39));
    rs_erase();
    rs_rect(INT_MIN, INT_MAX, INT_MIN, INT_MAX);
    EXPECT_EQ(s.changed().size(), 64u * 40u);
    rs_erase();
    rs_rect(10, 5, 0, 3);  // inverted
    rs_rect(0, 3, 9, 8);
    rs_rect(64, 80, 0, 3);  // wholly outside
    rs_rectx(-9, -1, 0, 3);
    EXPECT_TRUE(s.changed().empty());
}

TEST_P(Rects, ClippedRectanglesFillOnlyTheInsidePart) {
    rs_setclip(10, 30, 5, 25);
    Snapshot s;
    rs_clprect(0, 15, 20, 35);
    EXPECT_EQ(s.changed(), area(10, 15, 20, 25));
    rs_clprect(31, 40, 0, 39);
    EXPECT_EQ(s.changed(), area(10, 15, 20, 25));
    rs_setclip(-100, 100, -100, 100);  // reaching outside the buffer
    rs_erase();
    rs_clprect(-50, 70, 35, 60);
    EXPECT_EQ(s.changed(), area(0, 63, 35, 39));
}

TEST_P(Rects, XorRectanglesAndBoxesDrawnTwiceRestore) {
    pattern();
    rs_setcolor(depth() == 8 ? 0x3C : 0x13579BDF);
    Snapshot s;
    rs_rectx(3, 40, 2, 30);
    EXPECT_EQ(s.changed(), area(3, 40, 2, 30));
    rs_rectx(3, 40, 2, 30);
    rs_setclip(5, 35, 0, 39);
    rs_clprectx(0, 63, 10, 12);
    rs_clprectx(0, 63, 10, 12);
    rs_boxdepth(3, 2);
    rs_move(1, 2);
    rs_boxx(0, 50, 4, 30);
    EXPECT_EQ(rs_getxpos(), 1);
    rs_boxx(0, 50, 4, 30);
    EXPECT_TRUE(s.changed().empty());
}

TEST_P(Rects, BoxesAreBandsOfTheBoxDepth) {
    Snapshot s;
    rs_box(10, 20, 5, 15);
    EXPECT_EQ(s.changed(), unite({area(10, 20, 5, 5), area(10, 20, 15, 15), area(10, 10, 5, 15), area(20, 20, 5, 15)}));
    rs_erase();
    rs_boxdepth(2, 3);
    rs_box(10, 20, 5, 15);
    EXPECT_EQ(s.changed(), unite({area(10, 20, 5, 7), area(10, 20, 13, 15), area(10, 11, 5, 15), area(19, 20, 5, 15)}));
    EXPECT_EQ(rs_getxbox(), 2);
    EXPECT_EQ(rs_getybox(), 3);
    rs_erase();
    rs_boxdepth(6, 6);  // more than half the box: solid
    rs_box(10, 20, 5, 15);
    EXPECT_EQ(s.changed(), area(10, 20, 5, 15));
    rs_erase();
    rs_boxdepth(0, 1);
    rs_box(10, 20, 5, 15);
    rs_boxx(10, 20, 5, 15);
    EXPECT_TRUE(s.changed().empty());
}

// An XOR box on a blank buffer XORs each pixel of the plain box's bands exactly once.
TEST_P(Rects, XorBoxesTouchEveryBandPixelOnce) {
    const int sizes[][2] = {{1, 1}, {3, 2}, {6, 1}, {1, 6}, {7, 7}, {30, 30}};
    for (const auto& d : sizes) {
        rs_boxdepth(d[0], d[1]);
        for (const auto& r : {std::vector<int>{10, 20, 5, 15}, {10, 12, 5, 30}, {-5, 70, -3, 45}, {30, 30, 9, 9}}) {
            rs_erase();
            Snapshot s;
            rs_box(r[0], r[1], r[2], r[3]);
            const PointSet bands = s.changed();
            rs_erase();
            rs_boxx(r[0], r[1], r[2], r[3]);
            ASSERT_EQ(s.changed(), bands) << d[0] << "x" << d[1] << " box " << r[0] << " " << r[1];
            for (const auto& p : bands) ASSERT_EQ(test::raw_pixel(p.first, p.second), pixel());
        }
    }
}

TEST_P(Rects, ErasingAndFillingThePage) {
    pattern();
    rs_setclip(3, 4, 3, 4);  // ignored
    rs_fillpage();
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x) ASSERT_EQ(test::raw_pixel(x, y), pixel()) << x << "," << y;
    rs_erase();
    const auto* p = static_cast<const uint8_t*>(rs_vbaddr(vb));
    for (size_t i = 0; i < size_t(64) * 40 * size_t(depth() / 8); ++i) ASSERT_EQ(p[i], 0) << i;
}

TEST_P(Rects, EndOffScrollMovesRowsAndFillsTheVacatedOnes) {
    pattern();
    Snapshot before;
    rs_scroll(5, 30, 10, 19, 2, 1);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool in = x >= 5 && x <= 30 && y >= 10 && y <= 19;
            const uint32_t want = !in ? before.value(x, y) : y < 12 ? pixel() : before.value(x, y - 2);
            ASSERT_EQ(test::raw_pixel(x, y), want) << x << "," << y;
        }
    Snapshot mid;
    rs_scroll(5, 30, 10, 19, -3, 1);
    for (int y = 10; y <= 19; ++y)
        for (int x = 5; x <= 30; ++x)
            ASSERT_EQ(test::raw_pixel(x, y), y > 16 ? pixel() : mid.value(x, y + 3)) << x << "," << y;
    rs_scroll(5, 30, 10, 19, 10, 1);  // every row leaves: the region is cleared
    for (int x = 5; x <= 30; ++x) EXPECT_EQ(test::raw_pixel(x, 19), pixel());
}

TEST_P(Rects, CircularScrollWrapsThroughTheHiddenPage) {
    const int hidden = rs_vballoc(64, 4);
    ASSERT_GE(hidden, 0);
    EXPECT_EQ(rs_gethpage(), -1);
    core_set_hidden_page(hidden);
    EXPECT_EQ(rs_gethpage(), hidden);
    pattern();
    Snapshot before;
    rs_scroll(5, 30, 10, 19, 2, 0);
    for (int y = 10; y <= 19; ++y)
        for (int x = 5; x <= 30; ++x) {
            const int from = y < 12 ? y + 8 : y - 2;  // rows 18 and 19 come back at 10 and 11
            ASSERT_EQ(test::raw_pixel(x, y), before.value(x, from)) << x << "," << y;
        }
    rs_scroll(5, 30, 10, 19, -2, 0);
    EXPECT_TRUE(before.changed().empty());

    // Without a usable hidden page the moved rows still move; the vacated rows keep
    // their contents.
    core_set_hidden_page(-1);
    rs_scroll(5, 30, 10, 19, 2, 0);
    for (int y = 10; y <= 19; ++y)
        for (int x = 5; x <= 30; ++x)
            ASSERT_EQ(test::raw_pixel(x, y), before.value(x, y < 12 ? y : y - 2)) << x << "," << y;
    pattern();
    core_set_hidden_page(hidden);
    rs_scroll(5, 30, 10, 19, 5, 0);  // the hidden page holds only 4 rows
    for (int x = 5; x <= 30; ++x) EXPECT_EQ(test::raw_pixel(x, 10), before.value(x, 10));
}

TEST_P(Rects, DitheredRectanglesFollowTheStoredRowPhase) {
    const unsigned char m[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    Snapshot s;
    rs_drect(3, 7, 36, 39, m);
    if (depth() != 8) {
        EXPECT_TRUE(s.changed().empty());
        return;
    }
    // Height 40: row 39 is stored first and takes entry 0, row 36 entry 3.
    EXPECT_EQ(test::raw_pixel(3, 39), 1u);
    EXPECT_EQ(test::raw_pixel(4, 39), 2u);
    EXPECT_EQ(test::raw_pixel(7, 39), 1u);  // odd width: the last byte is the entry's first
    EXPECT_EQ(test::raw_pixel(3, 36), 7u);
    EXPECT_EQ(test::raw_pixel(6, 36), 8u);
    EXPECT_EQ(s.changed(), area(3, 7, 36, 39));
    rs_drect(-3, 2, 0, 0, m);  // cut by the buffer: the phase still starts at x = -3
    EXPECT_EQ(test::raw_pixel(0, 0), 8u);  // entry 3, odd position
    EXPECT_EQ(test::raw_pixel(1, 0), 7u);
    rs_drect(0, 5, 0, 5, nullptr);
}

TEST_P(Rects, CopyPageMovesRawBytesBetweenBuffersOfEqualRows) {
    pattern();
    rs_vbdepth(8);
    const int other = rs_vballoc(64 * depth() / 8, 40);  // same row length in bytes
    const int shorter = rs_vballoc(64 * depth() / 8, 39);
    rs_copypage(vb, other);
    EXPECT_EQ(std::memcmp(rs_vbaddr(vb), rs_vbaddr(other), size_t(64) * 40 * size_t(depth() / 8)), 0);
    rs_copypage(vb, shorter);
    rs_copypage(vb, 256);
    rs_copypage(-1, vb);
    EXPECT_EQ(static_cast<const uint8_t*>(rs_vbaddr(shorter))[0], 0);
}

TEST(RowReversal, InvertReversesTheRowsOfAnArray) {
    unsigned char map[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    rs_invert(map, 3, 3);
    const unsigned char want[] = {7, 8, 9, 4, 5, 6, 1, 2, 3};
    EXPECT_EQ(std::memcmp(map, want, 9), 0);
    rs_invert(map, 0, 3);
    rs_invert(map, -3, 3);
    rs_invert(map, 9, 1);
    rs_invert(nullptr, 3, 3);
    EXPECT_EQ(std::memcmp(map, want, 9), 0);
}

RSW32_EACH_DEPTH(Rects);

}  // namespace
