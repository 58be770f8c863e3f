// Rectangles, boxes and page operations: areas, clipping, XOR, dithering, scrolling, page copies.
#include "support.h"

using namespace test;

namespace {

PointSet unite(std::initializer_list<PointSet> parts) {
    PointSet out;
    for (const PointSet& p : parts) out.insert(p.begin(), p.end());
    return out;
}

class Rects : public EachDepth {
protected:
    int vb = -1;
    void SetUp() override { EachDepth::SetUp(), vb = start(64, 40); }
    // What fill sets on an erased buffer, each pixel the ink.
    PointSet filled(int (*fill)(int, int, int, int), int minx, int maxx, int miny, int maxy) {
        rs_erase();
        const PointSet s = drawn([&] { fill(minx, maxx, miny, maxy); });
        for (auto [x, y] : s) EXPECT_EQ(raw_pixel(x, y), ink_pixel()) << x << "," << y;
        return s;
    }
};

// rs_rect ignores the clip rectangle; boxes are bands, solid when they meet; the XOR forms touch the
// same pixels once and restore a picture when drawn twice.
TEST_P(Rects, RectanglesAndBoxesCoverExactlyTheirArea) {
    const std::tuple<bool, std::array<int, 6>, std::array<int, 4>, PointSet> rows[] = {  // box?, clip and depth, rectangle
        {false, {10, 20, 10, 20}, {5, 5, 7, 7}, {{5, 7}}}, {false, {10, 20, 10, 20}, {3, 50, 10, 20}, area(3, 50, 10, 20)},
        {false, {10, 20, 10, 20}, {-5, 3, 38, 45}, area(0, 3, 38, 39)},
        {false, {10, 20, 10, 20}, {INT_MIN, INT_MAX, INT_MIN, INT_MAX}, area(0, 63, 0, 39)},
        {false, {10, 20, 10, 20}, {10, 5, 0, 3}, {}}, {false, {10, 20, 10, 20}, {64, 80, 0, 3}, {}},
        {true, {10, 30, 5, 25}, {0, 15, 20, 35}, area(10, 15, 20, 25)}, {true, {10, 30, 5, 25}, {31, 40, 0, 39}, {}},
        {true, {-100, 100, -100, 100}, {-50, 70, 35, 60}, area(0, 63, 35, 39)}, {true, {30, 10, 5, 25}, {0, 63, 0, 39}, {}},
        {true, {0, 63, 0, 39, 1, 1}, {10, 20, 5, 15}, unite({area(10, 20, 5, 5), area(10, 20, 15, 15), area(10, 10, 5, 15), area(20, 20, 5, 15)})},
        {true, {0, 63, 0, 39, 2, 3}, {10, 20, 5, 15}, unite({area(10, 20, 5, 7), area(10, 20, 13, 15), area(10, 11, 5, 15), area(19, 20, 5, 15)})},
        {true, {0, 63, 0, 39, 6, 6}, {10, 20, 5, 15}, area(10, 20, 5, 15)},  // more than half the box: solid
        {true, {0, 63, 0, 39, 0, 1}, {10, 20, 5, 15}, {}},
        {true, {0, 63, 0, 39, 1, -1}, {10, 20, 5, 15}, {}}};
    rs_move(1, 2);
    for (const auto& [clipped, c, r, pixels] : rows) {
        rs_setclip(c[0], c[1], c[2], c[3]);
        const bool box = c[4] || c[5];
        rs_boxdepth(c[4], c[5]);
        for (auto fill : {box ? rs_box : clipped ? rs_clprect : rs_rect, box ? rs_boxx : clipped ? rs_clprectx : rs_rectx})
            EXPECT_EQ(filled(fill, r[0], r[1], r[2], r[3]), pixels) << r[0] << " " << r[1] << " " << r[2] << " " << r[3];
    }
    for (auto [xb, yb] : {std::pair{1, 1}, {3, 2}, {6, 1}, {1, 6}, {7, 7}, {30, 30}}) {
        rs_boxdepth(xb, yb);
        for (auto b : {list(10, 20, 5, 15), list(10, 12, 5, 30), list(-5, 70, -3, 45), list(30, 30, 9, 9), list(20, 10, 5, 15)})
            EXPECT_EQ(filled(rs_boxx, b[0], b[1], b[2], b[3]), filled(rs_box, b[0], b[1], b[2], b[3])) << xb << "x" << yb;
    }
    EXPECT_EQ(std::pair(rs_getxpos(), rs_getypos()), std::pair(1, 2));
    View().scramble();
    rs_setclip(5, 35, 0, 39);
    const Snapshot s;
    for (int k = 0; k < 2; ++k) rs_rectx(3, 40, 2, 30), rs_clprectx(0, 63, 10, 12), rs_boxx(0, 50, 4, 30);
    EXPECT_TRUE(s.changed().empty());
}

TEST_P(Rects, FillingAndErasingThePageIgnoreTheClipRectangle) {
    View().scramble(), rs_setclip(3, 4, 3, 4), rs_fillpage();
    for (auto [x, y] : area(0, 63, 0, 39)) ASSERT_EQ(raw_pixel(x, y), ink_pixel()) << x << "," << y;
    EXPECT_EQ((rs_erase(), View().bytes()), std::vector<uint8_t>(View().size(), 0));
}

// Type 1 fills the vacated rows; type 0 wraps them through the hidden page, or leaves them without one.
TEST_P(Rects, ScrollingMovesRowsWithinTheRegion) {
    const int hidden = rs_vballoc(64, 4);
    EXPECT_EQ(rs_gethpage(), -1);
    rs_sethpage(hidden);
    EXPECT_EQ(rs_gethpage(), hidden);
    const std::tuple<int, int, int, std::function<int(int)>> rows[] = {  // hidden page, jump, type, source row (-1: ink)
        {hidden, 2, 1, [](int y) { return y < 12 ? -1 : y - 2; }},  {hidden, -3, 1, [](int y) { return y > 16 ? -1 : y + 3; }},
        {hidden, 10, 1, [](int) { return -1; }},                   {hidden, 0, 1, [](int y) { return y; }},
        {hidden, 2, 0, [](int y) { return y < 12 ? y + 8 : y - 2; }}, {hidden, -2, 0, [](int y) { return y > 17 ? y - 8 : y + 2; }},
        {-1, 2, 0, [](int y) { return y < 12 ? y : y - 2; }},        {hidden, 5, 0, [](int y) { return y < 15 ? y : y - 5; }}};
    for (const auto& [page, jump, type, from] : rows) {  // the hidden page above holds only 4 rows
        rs_sethpage(page);
        View().scramble();
        const Snapshot before;
        rs_scroll(5, 30, 10, 19, jump, type);
        for (auto [x, y] : area(0, 63, 0, 39)) {
            const int f = x < 5 || x > 30 || y < 10 || y > 19 ? y : from(y);
            ASSERT_EQ(raw_pixel(x, y), f < 0 ? ink_pixel() : before.value(x, f)) << jump << " " << type << ": " << x << "," << y;
        }
    }
}

// Row 39 of 40 is stored first and takes entry 0; bytes alternate from the rectangle's left edge.
TEST_P(Rects, DitheredRectanglesFollowTheStoredRowPhase) {
    const unsigned char m[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const PointSet set = drawn([&] { rs_drect(3, 7, 36, 39, m), rs_drect(-3, 2, 0, 0, m), rs_drect(0, 5, 0, 5, nullptr); });
    EXPECT_EQ(set, depth() == 8 ? unite({area(3, 7, 36, 39), area(0, 2, 0, 0)}) : PointSet{});
    for (auto [x, y, v] : {std::array{3, 39, 1}, {4, 39, 2}, {7, 39, 1}, {3, 36, 7}, {6, 36, 8}, {0, 0, 8}, {1, 0, 7}})
        EXPECT_TRUE(depth() != 8 || raw_pixel(x, y) == uint32_t(v)) << x << "," << y;
}

// Raw bytes between buffers whose rows are equally long, whatever their depths.
TEST_P(Rects, CopyPageMovesRawBytesBetweenBuffersOfEqualRows) {
    View().scramble();
    rs_vbdepth(8);
    const int other = rs_vballoc(64 * bpp(), 40), shorter = rs_vballoc(64 * bpp(), 39);
    rs_copypage(vb, other), rs_copypage(vb, shorter), rs_copypage(vb, 256), rs_copypage(-1, vb), rs_copypage(vb, vb);
    EXPECT_EQ(View(other, 64 * bpp(), 40, 8).bytes(), View().bytes());
    EXPECT_EQ(View(shorter, 64 * bpp(), 39, 8).bytes(), std::vector<uint8_t>(size_t(64 * bpp() * 39), 0));
}

RSW32_EACH_DEPTH(Rects);

TEST(RowReversal, InvertReversesTheRowsOfAnArray) {
    Guarded map({1, 2, 3, 4, 5, 6, 7, 8, 9});
    rs_invert(map.data(), 3, 3);
    rs_invert(map.data(), 0, 3), rs_invert(map.data(), -3, 3), rs_invert(map.data(), 9, 1), rs_invert(nullptr, 3, 3);
    EXPECT_EQ(map.contents(), std::vector<uint8_t>({7, 8, 9, 4, 5, 6, 1, 2, 3}));
    EXPECT_TRUE(map.guards_intact());
}

}  // namespace
