// Colours and single pixels: encodings per depth, the current colour, points under the
// clip rectangle, unclipped pixels, XOR, and the nearest palette index.
#include "core/color.h"

#include <climits>

#include "core/palette.h"
#include "core/vbuf.h"
#include "support.h"

namespace {

using test::EachDepth;
using test::Library;
using test::PointSet;
using test::Snapshot;

// The library palette outlives rs_vbinit; tests that set it put it back as they found it.
struct RestorePalette {
    core::PaletteState saved = core::palette();
    ~RestorePalette() { core::palette() = saved; }
};

// ---- encodings --------------------------------------------------------------------------

TEST_F(Library, ExpansionTablesRoundEachFieldToTheNearestByte) {
    for (int f = 0; f < 32; ++f) EXPECT_EQ(core::expand5[f], (f * 255 * 2 + 31) / 62) << f;
    for (int f = 0; f < 64; ++f) EXPECT_EQ(core::expand6[f], (f * 255 * 2 + 63) / 126) << f;
}

class Encoding : public EachDepth {
protected:
    RestorePalette restore;
};

TEST_P(Encoding, PointStoresTheColourInThePixelLayoutOfTheDepth) {
    open(8, 4);
    const std::vector<uint8_t> white(768, 255);
    rs_setdacs(0, 256, white.data());
    const uint8_t rgb[3] = {0x12, 0x34, 0x56};
    rs_setdacs(7, 1, rgb);  // at 8 bits, the nearest entry to (0x12, 0x34, 0x56)
    rs_setcolorrgb(0x12, 0x34, 0x56);
    const Snapshot before;
    rs_point(2, 1);
    const uint8_t* p = test::pixel_at(rs_vbhandle(), 2, 1, 8, 4, depth());
    switch (depth()) {
    case 8: EXPECT_EQ(p[0], 7); break;
    case 16: {
        const uint16_t w = uint16_t((0x12 >> 3) << 11 | (0x34 >> 2) << 5 | (0x56 >> 3));
        EXPECT_EQ(p[0], w & 0xFF);
        EXPECT_EQ(p[1], w >> 8);
        break;
    }
    case 24:
        EXPECT_EQ(p[0], 0x56);
        EXPECT_EQ(p[1], 0x34);
        EXPECT_EQ(p[2], 0x12);
        break;
    case 32:
        EXPECT_EQ(p[0], 0x56);
        EXPECT_EQ(p[1], 0x34);
        EXPECT_EQ(p[2], 0x12);
        EXPECT_EQ(p[3], 0);  // the alpha byte
        break;
    }
    EXPECT_EQ(uint32_t(rs_getpixel(2, 1)), test::raw_pixel(2, 1));
    EXPECT_EQ(rs_getpixel(2, 1), rs_maprgb(0x12, 0x34, 0x56));
    EXPECT_EQ(rs_getcolor(), rs_maprgb(0x12, 0x34, 0x56));
    EXPECT_EQ(before.changed(), PointSet({{2, 1}}));
}

TEST_P(Encoding, SetColorReplicatesThePixelAcrossThirtyTwoBits) {
    open(4, 1);
    rs_setcolor(0x12345678);
    const uint32_t value = core::color().color_value;
    switch (depth()) {
    case 8: EXPECT_EQ(value, 0x78787878u); break;
    case 16: EXPECT_EQ(value, 0x56785678u); break;
    default: EXPECT_EQ(value, 0x12345678u); break;  // 24 and 32 bits keep all 32 bits
    }
    EXPECT_EQ(rs_getcolor(), depth() == 8 ? 0x78 : depth() == 16 ? 0x5678 : 0x12345678);
    const Snapshot before;
    rs_point(1, 0);
    EXPECT_EQ(test::raw_pixel(1, 0), value & (depth() == 32 ? 0xFFFFFFFFu : (1u << depth()) - 1));
    EXPECT_EQ(before.changed(), PointSet({{1, 0}}));  // a 24-bit store writes three bytes
}

RSW32_EACH_DEPTH(Encoding);

class Depth16 : public Library {
protected:
    void SetUp() override {
        Library::SetUp();
        rs_vbdepth(16);
        rs_vbopen(rs_vballoc(4, 1));
    }
};

TEST_F(Depth16, WhiteFillsBothHalvesAndGetColorGivesOneHalf) {
    rs_setcolorrgb(255, 255, 255);
    EXPECT_EQ(core::color().color_value, 0xFFFFFFFFu);
    EXPECT_EQ(rs_getcolor(), 0xFFFF);
    EXPECT_EQ(rs_maprgb(255, 128, 0), 0xFC00);
    int r = -1, g = -1, b = -1;
    rs_unmaprgb(0xFC00, &r, &g, &b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 130);
    EXPECT_EQ(b, 0);
}

TEST_F(Depth16, EveryPixelValueSurvivesUnmapAndMap) {
    for (int v = 0; v < 0x10000; ++v) {
        int r, g, b;
        rs_unmaprgb(v, &r, &g, &b);
        ASSERT_EQ(rs_maprgb(r, g, b), v) << std::hex << v;
    }
}

TEST_F(Depth16, ComponentsKeepTheirTopBitsAndOnlyTheirLowByte) {
    for (int c = 0; c < 256; ++c) {
        ASSERT_EQ(rs_maprgb(c, 0, 0), (c >> 3) << 11);
        ASSERT_EQ(rs_maprgb(0, c, 0), (c >> 2) << 5);
        ASSERT_EQ(rs_maprgb(0, 0, c), c >> 3);
    }
    EXPECT_EQ(rs_maprgb(0x1FF, 0x100, -1), rs_maprgb(0xFF, 0, 0xFF));
    rs_setcolorrgb(0x1FF, 0x100, -1);
    EXPECT_EQ(rs_getcolor(), rs_maprgb(0xFF, 0, 0xFF));
}

class Direct : public EachDepth {};  // 24 and 32 bits

TEST_P(Direct, ComponentsRoundTripAndTheValueIsRedGreenBlueFromTheTop) {
    open(4, 1);
    EXPECT_EQ(rs_maprgb(1, 2, 3), 0x010203);
    for (int c = 0; c < 256; ++c) {
        int r, g, b;
        rs_unmaprgb(rs_maprgb(c, 255 - c, c ^ 0x5A), &r, &g, &b);
        ASSERT_EQ(r, c);
        ASSERT_EQ(g, 255 - c);
        ASSERT_EQ(b, c ^ 0x5A);
    }
    rs_setcolorrgb(0x101, 0x202, 0x303);  // low bytes only
    EXPECT_EQ(rs_getcolor(), 0x010203);
    rs_point(0, 0);
    const uint8_t* p = test::pixel_at(rs_vbhandle(), 0, 0, 4, 1, depth());
    EXPECT_EQ(p[0], 3);
    EXPECT_EQ(p[1], 2);
    EXPECT_EQ(p[2], 1);
    int r = -1, g = -1, b = -1;
    rs_unmaprgb(int(0xFF102030), &r, &g, &b);  // the top byte is not a component
    EXPECT_EQ(r, 0x10);
    EXPECT_EQ(g, 0x20);
    EXPECT_EQ(b, 0x30);
}

INSTANTIATE_TEST_SUITE_P(Depths, Direct, ::testing::Values(24, 32), test::depth_name);

TEST_F(Library, ThirtyTwoBitPointStoresTheWholeValueLowByteFirst) {
    rs_vbdepth(32);
    const int vb = rs_vballoc(4, 2);
    rs_vbopen(vb);
    rs_setcolor(0x12345678);
    rs_point(3, 1);
    const uint8_t* p = test::pixel_at(vb, 3, 1, 4, 2, 32);
    EXPECT_EQ(p[0], 0x78);
    EXPECT_EQ(p[1], 0x56);
    EXPECT_EQ(p[2], 0x34);
    EXPECT_EQ(p[3], 0x12);
    EXPECT_EQ(rs_getpixel(3, 1), 0x12345678);
}

TEST_F(Library, EightBitColourIsTheLowByteThroughTheIndexMap) {
    rs_vbdepth(8);
    rs_vbopen(rs_vballoc(4, 1));
    rs_setcolor(300);
    EXPECT_EQ(rs_getcolor(), 44);
    EXPECT_EQ(core::color().color_value, 44u * 0x01010101u);

    // The index map is the identity after start-up; what pixels get is the mapped index,
    // what rs_getcolor reports is the index given.
    core::color().index_map[5] = 9;
    rs_setcolor(5);
    EXPECT_EQ(rs_getcolor(), 5);
    EXPECT_EQ(core::color().color_value, 9u * 0x01010101u);
    rs_point(0, 0);
    EXPECT_EQ(rs_getpixel(0, 0), 9);
    rs_pointx(0, 0);
    EXPECT_EQ(rs_getpixel(0, 0), 0);
    rs_vbclose();
    rs_vbfree(-1);
    rs_vbinit();
    EXPECT_EQ(core::color().index_map[5], 5);
}

TEST_F(Library, UnmapWritesNothingAtEightBits) {
    rs_vbdepth(8);
    rs_vbopen(rs_vballoc(4, 1));
    int r = 1, g = 2, b = 3;
    rs_unmaprgb(0x123456, &r, &g, &b);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(g, 2);
    EXPECT_EQ(b, 3);
}

TEST_F(Library, ColourIsNotReencodedWhenABufferOfAnotherDepthIsOpened) {
    rs_vbdepth(32);
    const int deep = rs_vballoc(4, 1);
    rs_vbdepth(16);
    const int high = rs_vballoc(4, 1);
    rs_vbopen(deep);
    rs_setcolorrgb(255, 0, 0);
    rs_vbopen(high);
    EXPECT_EQ(core::color().color_value, 0x00FF0000u);
    rs_point(0, 0);
    EXPECT_EQ(rs_getpixel(0, 0), 0x0000);  // the low half of 0x00FF0000
}

// ---- without an active buffer -------------------------------------------------------------

TEST_F(Library, BeforeAnyBufferColoursFollowTheEightBitRules) {
    core::active().depth = 0;  // as after loading the library
    rs_setcolor(300);
    EXPECT_EQ(rs_getcolor(), 44);
    EXPECT_EQ(rs_getpixel(0, 0), 0);
    EXPECT_EQ(rs_point(0, 0), 0);
    EXPECT_EQ(rs_putpixel(0, 0), 0);
}

class NoBuffer : public EachDepth {};

TEST_P(NoBuffer, AfterCloseNothingIsDrawnOrReadButColoursUseTheLastDepth) {
    const int vb = open(8, 8);
    rs_setcolor(0x7F);
    rs_point(1, 1);
    rs_vbclose();
    const Snapshot before = [&] {
        rs_vbopen(vb);
        Snapshot s;
        rs_vbclose();
        return s;
    }();
    rs_setcolor(0x7F7F7F7F);
    rs_point(2, 2);
    rs_pointx(1, 1);
    rs_putpixel(3, 3);
    rs_pointw(0.0, 0.0);
    EXPECT_EQ(rs_getpixel(1, 1), 0);
    EXPECT_EQ(rs_getdepth(), depth());
    EXPECT_EQ(rs_getcolor(), depth() == 8 ? 0x7F : depth() == 16 ? 0x7F7F : 0x7F7F7F7F);
    if (depth() != 8) {
        EXPECT_EQ(rs_maprgb(0, 0, 255), depth() == 16 ? 0x1F : 0xFF);
    }
    rs_vbopen(vb);
    EXPECT_TRUE(before.changed().empty());
}

RSW32_EACH_DEPTH(NoBuffer);

// ---- points, the clip rectangle and the buffer edges ------------------------------------------

class Points : public EachDepth {};

TEST_P(Points, ClipBoundsAreInclusiveAtAllFourEdges) {
    open(12, 8);
    rs_setclip(2, 9, 1, 5);
    rs_setcolor(1);
    const Snapshot before;
    // Every pixel on and one outside the rectangle's border.
    for (int x = 1; x <= 10; ++x)
        for (int y = 0; y <= 6; ++y) rs_point(x, y);
    PointSet expected;
    for (int x = 2; x <= 9; ++x)
        for (int y = 1; y <= 5; ++y) expected.insert({x, y});
    EXPECT_EQ(before.changed(), expected);
}

TEST_P(Points, ClipBoundsCompareSigned) {
    open(8, 8);
    rs_setcolor(1);
    rs_setclip(-3, -1, 0, 7);  // wholly left of the buffer
    const Snapshot before;
    rs_point(0, 0);
    rs_point(-1, 0);
    rs_point(-3, 7);
    EXPECT_TRUE(before.changed().empty());
    rs_setclip(-100, 0, -100, 0);
    rs_point(0, 0);
    rs_point(-1, -1);
    EXPECT_EQ(before.changed(), PointSet({{0, 0}}));
}

TEST_P(Points, AClipRectangleOutsideTheBufferNeverLetsAPointOut) {
    open(8, 4);
    rs_setclip(INT_MIN, INT_MAX, INT_MIN, INT_MAX);
    rs_setcolor(0x55);
    const Snapshot before;
    const int outside[][2] = {{-1, 0},  {8, 0},       {0, -1},     {0, 4},      {-1, -1},  {8, 4},
                              {100, 2}, {2, -100000}, {INT_MIN, 0}, {INT_MAX, 0}, {0, INT_MIN}, {0, INT_MAX}};
    for (const auto& p : outside) {
        rs_point(p[0], p[1]);
        rs_pointx(p[0], p[1]);
        rs_putpixel(p[0], p[1]);
        EXPECT_EQ(rs_getpixel(p[0], p[1]), 0) << p[0] << ", " << p[1];
    }
    EXPECT_TRUE(before.changed().empty());
    rs_point(7, 3);
    rs_point(0, 0);
    EXPECT_EQ(before.changed(), PointSet({{7, 3}, {0, 0}}));
}

TEST_P(Points, PutPixelIgnoresTheClipRectangle) {
    open(8, 4);
    rs_setclip(0, 0, 0, 0);
    rs_setcolor(3);
    const Snapshot before;
    rs_putpixel(5, 3);
    rs_point(5, 2);
    EXPECT_EQ(before.changed(), PointSet({{5, 3}}));
    EXPECT_EQ(rs_getpixel(5, 3), rs_getcolor());
}

TEST_P(Points, XorTwiceRestoresEveryPixel) {
    open(16, 4);
    // A different value in every pixel.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 16; ++x) {
            rs_setcolor(int(0x9E3779B9u * uint32_t(y * 16 + x + 1)));
            rs_putpixel(x, y);
        }
    rs_setcolor(int(0xA5C3F00Fu));
    const Snapshot before;
    const uint32_t mask = depth() == 32 ? 0xFFFFFFFFu : (1u << depth()) - 1;
    const uint32_t pixel = core::color().color_value & mask;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 16; ++x) {
            rs_pointx(x, y);
            ASSERT_EQ(test::raw_pixel(x, y), before.value(x, y) ^ pixel);
        }
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 16; ++x) rs_pointx(x, y);
    EXPECT_TRUE(before.changed().empty());
}

TEST_P(Points, WorldPointIsThePointAtTheConvertedCoordinates) {
    open(64, 48);
    rs_setworld(-1.0, 1.0, -1.0, 1.0);
    rs_setcolor(2);
    const double xs[] = {-1.0, -0.51, 0.0, 0.33, 1.0, 1.2};
    const double ys[] = {-1.0, 0.0, 0.77, 1.0, -1.5};
    for (double x : xs)
        for (double y : ys) {
            const Snapshot before;
            rs_pointw(x, y);
            const PointSet world = before.changed();
            rs_pointxw(x, y);  // undo it, also through the world form
            ASSERT_TRUE(before.changed().empty());
            rs_point(rs_xscreen(x), rs_yscreen(y));
            EXPECT_EQ(before.changed(), world) << x << ", " << y;
            rs_pointx(rs_xscreen(x), rs_yscreen(y));
        }
}

RSW32_EACH_DEPTH(Points);

// ---- nearest palette index ---------------------------------------------------------------------

class Nearest : public Library {
protected:
    RestorePalette restore;
    void SetUp() override {
        Library::SetUp();
        rs_vbdepth(8);
        rs_vbopen(rs_vballoc(4, 1));
        const std::vector<uint8_t> black(768, 0);
        rs_setdacs(0, 256, black.data());
    }
    void set(int index, int r, int g, int b) { rs_setrgb(index, r, g, b); }
};

TEST_F(Nearest, AllBlackPaletteGivesIndexZero) {
    rs_setcolorrgb(0, 0, 0);
    EXPECT_EQ(rs_getcolor(), 0);
    EXPECT_EQ(rs_maprgb(255, 255, 255), 0);
}

TEST_F(Nearest, AmongEquallyCloseEntriesTheLowestIndexWins) {
    set(200, 10, 200, 30);
    set(90, 10, 200, 30);
    EXPECT_EQ(rs_maprgb(10, 200, 30), 90);
    // Equal distances from different colours: (20,0,0) is 10 from both.
    set(0, 255, 255, 255);  // move the black entries out of the way
    for (int i = 1; i < 256; ++i) set(i, 255, 255, 255);
    set(7, 30, 0, 0);
    set(4, 10, 0, 0);
    set(5, 20, 10, 0);  // also 100 away, but a higher index
    EXPECT_EQ(rs_maprgb(20, 0, 0), 4);
    set(3, 20, 0, 11);  // lower, but 121 away
    EXPECT_EQ(rs_maprgb(20, 0, 0), 4);
    set(6, 20, 0, 0);   // exact beats lower indices
    EXPECT_EQ(rs_maprgb(20, 0, 0), 6);
    set(1, 20, 0, 10);  // as close as 4 and lower
    set(6, 255, 255, 255);
    EXPECT_EQ(rs_maprgb(20, 0, 0), 1);
}

TEST_F(Nearest, DistanceIsTheSumOfSquaresNotOfDifferences) {
    for (int i = 0; i < 256; ++i) set(i, 255, 255, 255);
    // From (110, 110, 110): entry 10 differs by 25 in all, entry 11 by 30, but squared
    // that is 625 against 300.
    set(10, 110, 110, 85);
    set(11, 100, 100, 100);
    EXPECT_EQ(rs_maprgb(110, 110, 110), 11);
    set(13, 100, 110, 120);  // 200
    EXPECT_EQ(rs_maprgb(110, 110, 110), 13);
    rs_setcolorrgb(110, 110, 110);
    EXPECT_EQ(rs_getcolor(), 13);
    EXPECT_EQ(core::color().mapped_index, 13);
}

TEST_F(Library, NearestIndexUsesTheLastOpenedBufferDepthWithoutABuffer) {
    RestorePalette restore;
    rs_vbdepth(8);
    rs_vbopen(rs_vballoc(4, 1));
    const std::vector<uint8_t> white(768, 255);
    rs_setdacs(0, 256, white.data());
    rs_setrgb(77, 1, 2, 3);
    rs_vbclose();
    const uint8_t far[3] = {200, 200, 200};
    rs_setdacs(0, 1, far);  // ignored: no buffer active
    EXPECT_EQ(rs_maprgb(1, 2, 3), 77);
    rs_setcolorrgb(1, 2, 3);
    EXPECT_EQ(rs_getcolor(), 77);
}

}  // namespace
