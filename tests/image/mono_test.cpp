// Monochrome bitmaps: bit and row order and clip masks on partial bytes against a per-bit
// model, and reading a bitmap back by colour.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "support.h"

namespace {

constexpr int W = 40, H = 16;

class Bitmaps : public test::EachDepth {
protected:
    void SetUp() override {
        EachDepth::SetUp();
        open(W, H);
        clear();
    }
    int color() const { return depth() == 8 ? 0xC7 : depth() == 16 ? 0xF00F : 0x00A1B2C3; }
    void clear() { rs_setcolor(0); rs_rect(0, W - 1, 0, H - 1); rs_setcolor(color()); }
};

// The pixels a bitmap at (cx, cy) sets when cut to [minx, maxx] × [miny, maxy]: bit k of a
// row is byte k / 8 under the mask 0x80 >> k % 8, at column cx + k; row r at cy − r.
test::PointSet model(const std::vector<uint8_t>& map, int width, int cx, int cy, int minx, int maxx, int miny, int maxy) {
    test::PointSet out;
    for (size_t k = 0; k < map.size() * 8; ++k) {
        const int64_t x = cx + int64_t(k % size_t(8 * width)), y = cy - int64_t(k / size_t(8 * width));
        if ((map[k / 8] & (0x80 >> (k % 8))) && x >= minx && x <= maxx && y >= miny && y <= maxy) out.insert({int(x), int(y)});
    }
    return out;
}

// Clip edges inside the first byte, both in one byte, mid-byte and on a byte boundary, two
// edges at once, and placements across or beyond the buffer (rs_drawmap is cut to it).
TEST_P(Bitmaps, ClippedDrawingKeepsExactlyTheBitsInsideTheRectangle) {
    const struct { int cx, cy, minx, maxx, miny, maxy; } cases[] = {
        {8, 9, 11, 30, 0, 15}, {8, 9, 10, 13, 0, 15}, {8, 9, 0, 20, 6, 8}, {8, 12, 16, 25, 5, 10},
        {-5, 2, 0, 39, 0, 15}, {30, 17, 0, 39, 0, 15}, {41, 5, 0, 39, 0, 15}, {INT_MAX - 3, INT_MIN + 2, 0, 39, 0, 15}};
    const std::vector<uint8_t> map = {0xFF, 0xA5, 0x3C, 0x81, 0xFF, 0xFF, 0x7E, 0x0F, 0xF0, 0xFF, 0x55, 0xAA};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.cx) + "," + std::to_string(c.cy) + " in " + std::to_string(c.minx));
        rs_setclip(c.minx, c.maxx, c.miny, c.maxy);
        rs_move(c.cx, c.cy);
        test::Snapshot before;
        rs_clipmap(map.data(), 3, 4);
        EXPECT_EQ(before.changed(), model(map, 3, c.cx, c.cy, std::max(c.minx, 0), std::min(c.maxx, W - 1),
                                          std::max(c.miny, 0), std::min(c.maxy, H - 1)));
        clear();
        rs_setclip(10, 12, 10, 12);  // ignored by rs_drawmap
        before = test::Snapshot();
        rs_drawmap(map.data(), 3, 4);
        EXPECT_EQ(before.changed(), model(map, 3, c.cx, c.cy, 0, W - 1, 0, H - 1));
        clear();
    }
}

TEST_P(Bitmaps, GetmapMarksThePixelsOfTheColourAndDrawmapRedrawsThem) {
    const std::vector<uint8_t> map = {0xF0, 0x0F, 0x81, 0x42, 0x24, 0x18};
    rs_move(3, 7);
    rs_drawmap(map.data(), 2, 3);
    if (depth() == 32) test::pixel_at(rs_vbhandle(), 4, 7, W, H, 32)[3] = 9;  // same colour, other fourth byte
    test::Guarded got(map.size(), 0xEE);
    rs_getmap(got.data(), 2, 3);
    EXPECT_EQ(got.contents(), (std::vector<uint8_t>{uint8_t(depth() == 32 ? 0xB0 : 0xF0), 0x0F, 0x81, 0x42, 0x24, 0x18}));
    const test::Snapshot before;
    rs_drawmap(got.data(), 2, 3);
    EXPECT_TRUE(before.changed().empty());
    rs_rect(0, 10, 0, 3);
    rs_move(-3, 1);  // bits of pixels outside the buffer are clear
    rs_getmap(got.data(), 2, 3);
    EXPECT_TRUE(got.guards_intact());
    EXPECT_EQ(got.contents(), (std::vector<uint8_t>{0x1F, 0xFC, 0x1F, 0xFC, 0, 0}));
    rs_setcolor(color() | 0x01000000);  // at 24 bits a top byte matches no pixel
    rs_move(3, 7);
    rs_getmap(got.data(), 2, 3);
    if (depth() == 24) {
        EXPECT_EQ(got.contents(), std::vector<uint8_t>(6, 0));
    }
}

RSW32_EACH_DEPTH(Bitmaps);

}  // namespace
