// Colours and single pixels: encodings, mapping, points under the clip, nearest palette index.
#include "core/color.h"
#include "support.h"

using namespace test;

namespace {

class Colors : public EachDepth {
    const core::PaletteState saved = core::palette();  // the palette outlives rs_vbinit
    void TearDown() override { core::palette() = saved, EachDepth::TearDown(); }
};

// Pixels replicated over 32 bits (the low byte at 8 bits), stored in the depth's layout, not
// prepared again when a buffer of another depth opens.
TEST_P(Colors, EachDepthStoresItsOwnPixelLayout) {
    const uint32_t value = std::array{0x78787878u, 0x56785678u, 0x12345678u, 0x12345678u}[bpp() - 1];
    const std::vector<uint8_t> rgb_bytes[] = {{7}, {0xAA, 0x11}, {0x56, 0x34, 0x12}, {0x56, 0x34, 0x12, 0}};
    open(8, 4), rs_setcolor(300);
    EXPECT_EQ(rs_getcolor(), depth() == 8 ? 44 : 300);
    rs_setcolor(0x12345678);
    EXPECT_EQ(list(core::color().color_value, uint32_t(rs_getcolor())), list(value, value & (depth() <= 16 ? mask() : ~0u)));
    EXPECT_EQ(drawn([] { rs_point(1, 0); }), PointSet({{1, 0}}));  // a 24-bit store writes three bytes
    EXPECT_EQ(uint32_t(rs_getpixel(1, 0)), value & mask());
    rs_setdacs(0, 256, std::vector<uint8_t>(768, 255).data()), rs_setrgb(7, 0x12, 0x34, 0x56);  // the nearest entry at 8 bits
    rs_setcolorrgb(0x12, 0x34, 0x56), rs_point(2, 1);
    EXPECT_EQ(std::vector<uint8_t>(View().at(2, 1), View().at(2, 1) + bpp()), rgb_bytes[bpp() - 1]);
    EXPECT_EQ(list(rs_getpixel(2, 1), rs_getcolor()), list(rs_maprgb(0x12, 0x34, 0x56), rs_maprgb(0x12, 0x34, 0x56)));
    const uint32_t prepared = core::color().color_value;
    rs_vbdepth(depth() == 32 ? 16 : 32), rs_vbopen(rs_vballoc(4, 1)), rs_point(0, 0);
    EXPECT_EQ(uint32_t(rs_getpixel(0, 0)), prepared & (depth() == 32 ? 0xFFFF : ~0u));
}

// Components count by their low byte; every pixel value unmaps to rounded components and back.
TEST_P(Colors, MappingKeepsTopBitsAndUnmappingRoundsEveryValueBack) {
    int r = 1, g = 2, b = 3;
    open(4, 1), rs_unmaprgb(0xFC00, &r, &g, &b);
    const std::array<int, 3> worked[] = {{1, 2, 3}, {255, 130, 0}, {0, 0xFC, 0}, {0, 0xFC, 0}};
    EXPECT_EQ(list(r, g, b), worked[bpp() - 1]);  // 8 bits: nothing to unmap
    rs_setcolorrgb(255, 255, 255);
    EXPECT_EQ(core::color().color_value, depth() == 16 ? 0xFFFFFFFFu : depth() == 8 ? core::color().color_value : 0xFFFFFFu);
    const bool high = depth() == 16;
    for (int c = 0; c < 256 && depth() > 8; ++c) {
        const int want = high ? (c >> 3) << 11 | ((255 - c) >> 2) << 5 | (c ^ 0x5A) >> 3 : c << 16 | (255 - c) << 8 | (c ^ 0x5A);
        ASSERT_EQ(list(rs_maprgb(c, 255 - c, c ^ 0x5A), rs_maprgb(c + 256, -1 - c, (c ^ 0x5A) - 512)), list(want, want)) << c;
    }
    for (uint32_t i = 0; i < 0x10000 && depth() > 8; ++i) {
        const uint32_t v = high ? i : (i * 0x1003u) & 0xFFFFFF;
        rs_unmaprgb(int(v | (high ? 0 : 0xFF000000u)), &r, &g, &b);  // the top byte is not a component
        const auto want = high ? list(int((v >> 11) * 510 + 31) / 62, int((v >> 5 & 63) * 510 + 63) / 126, int((v & 31) * 510 + 31) / 62)
                               : list(int(v >> 16), int(v >> 8 & 0xFF), int(v & 0xFF));
        ASSERT_EQ(list(r, g, b, rs_maprgb(r, g, b)), list(want[0], want[1], want[2], int(v))) << std::hex << v;
    }
}

// Points inside the clip rectangle (bounds inclusive, signed) and the buffer; rs_putpixel only the buffer.
TEST_P(Colors, OnlyPointsInsideTheClipRectangleAndTheBufferAreDrawn) {
    std::vector<int> coords = {INT_MIN, -100000, INT_MAX};
    for (int v = -2; v <= 13; ++v) coords.push_back(v);
    const auto everywhere = [&](int (*plot)(int, int)) { return drawn([&] { for (int x : coords) for (int y : coords) plot(x, y); }); };
    start(12, 8);
    for (const auto& [c, points] : {std::pair{list(2, 9, 1, 5), area(2, 9, 1, 5)}, {list(-3, -1, 0, 7), {}},
                                    {list(-100, 0, -100, 0), {{0, 0}}}, {list(5, 2, 0, 7), {}},
                                    {list(INT_MIN, INT_MAX, INT_MIN, INT_MAX), area(0, 11, 0, 7)}}) {
        rs_setclip(c[0], c[1], c[2], c[3]);
        EXPECT_EQ(everywhere(rs_point), points) << c[0] << " " << c[1] << " " << c[2] << " " << c[3];
        EXPECT_EQ(everywhere(rs_pointx), points) << "XOR takes them off again";
    }
    View().scramble();
    const Snapshot before;
    for (auto [x, y] : area(0, 11, 0, 7)) ASSERT_EQ((rs_pointx(x, y), raw_pixel(x, y)), before.value(x, y) ^ ink_pixel());
    for (auto [x, y] : area(0, 11, 0, 7)) rs_pointx(x, y);
    EXPECT_TRUE(before.changed().empty());
    rs_setclip(0, 0, 0, 0);
    EXPECT_EQ(everywhere(rs_putpixel), area(0, 11, 0, 7));
    for (int v : {-1, 12, INT_MIN, INT_MAX}) EXPECT_EQ(rs_getpixel(v, 0) | rs_getpixel(0, v), 0);
}

RSW32_EACH_DEPTH(Colors);

// Least squared distance wins, the lowest index among equals; pixels go through the index map.
TEST_F(Library, NearestIndexIsTheLeastSquaredDistanceLowestFirst) {
    core::active().depth = 0, rs_setcolor(300);  // before any buffer, colours follow the 8-bit rules
    EXPECT_EQ(list(rs_getcolor(), rs_getpixel(0, 0), rs_point(0, 0), rs_putpixel(0, 0)), list(44, 0, 0, 0));
    const core::PaletteState saved = core::palette();
    rs_vbopen(rs_vballoc(4, 1));
    const std::vector<std::array<int, 4>> rows[] = {  // the colour and the index it must get, then the entries
        {{0, 255, 255, 255}},                         // all black
        {{90, 10, 200, 30}, {200, 10, 200, 30}, {90, 10, 200, 30}},
        {{4, 20, 0, 0}, {7, 30, 0, 0}, {4, 10, 0, 0}, {5, 20, 10, 0}, {3, 20, 0, 11}},  // 100, 100, 100, 121
        {{6, 20, 0, 0}, {4, 10, 0, 0}, {6, 20, 0, 0}},                                  // exact beats lower
        {{1, 20, 0, 0}, {4, 10, 0, 0}, {1, 20, 0, 10}},
        {{11, 110, 110, 110}, {10, 110, 110, 85}, {11, 100, 100, 100}},  // 625 against 300
        {{13, 110, 110, 110}, {11, 100, 100, 100}, {13, 100, 110, 120}}};
    for (const auto& row : rows) {
        rs_setdacs(0, 256, std::vector<uint8_t>(768, row.size() == 1 ? 0 : 255).data());
        for (size_t k = 1; k < row.size(); ++k) rs_setrgb(row[k][0], row[k][1], row[k][2], row[k][3]);
        const auto [want, r, g, b] = row[0];
        rs_setcolorrgb(r, g, b);
        EXPECT_EQ(list(rs_maprgb(r, g, b), rs_getcolor(), int(core::color().mapped_index)), list(want, want, want)) << want;
    }
    core::color().index_map[5] = 9;
    rs_setcolor(5), rs_point(0, 0);
    EXPECT_EQ(list(rs_getcolor(), rs_getpixel(0, 0)), list(5, 9));
    rs_setrgb(77, 1, 2, 3), rs_vbclose(), rs_setrgb(77, 200, 200, 200);  // no buffer: the palette cannot change
    EXPECT_EQ(rs_maprgb(1, 2, 3), 77);  // but the last depth still picks entries
    rs_vbinit();
    EXPECT_EQ(core::color().index_map[5], 5);
    core::palette() = saved;
}

// The index map steers 8-bit drawing and nothing else; the alpha byte rides on colours made from
// red, green and blue; rs_xalpha/rs_yalpha rewrite the fourth byte inside the clip rectangle only.
TEST_P(Colors, IndexMapAndAlphaByte) {
    open(8, 4), View().scramble(3);
    EXPECT_EQ(rs_defcolor(5, 0x109), 5);
    EXPECT_EQ(rs_defcolor(5, 7), 9);
    EXPECT_EQ(list(rs_getindex(5), rs_defcolor(256, 1), rs_getindex(-1)), list(7, -1, -1));
    rs_setcolor(5), rs_point(0, 0), rs_defcolor(5, 8), rs_point(1, 0);  // the current colour follows its entry
    EXPECT_EQ(list(raw_pixel(0, 0), raw_pixel(1, 0)), depth() == 8 ? list(7u, 8u) : list(5u, 5u));
    rs_setrgb(40, 1, 2, 3);
    EXPECT_EQ(rs_findrgb(1, 2, 4), 40);
    EXPECT_EQ(rs_setalpha(0x1C0), 0);
    EXPECT_EQ(rs_setalpha(0xC0), 0xC0);
    EXPECT_EQ(uint32_t(rs_maprgb(1, 2, 3)), depth() > 16 ? 0xC0010203u : uint32_t(rs_maprgb(1, 2, 3)));
    const Snapshot before;
    rs_setclip(1, 2, 1, 2);
    EXPECT_EQ(rs_xalpha(0x7F), depth() == 32 ? 0 : -1);
    View().put(2, 2, 0x00ABCDEF);
    EXPECT_EQ(rs_yalpha(0x11ABCDEF), depth() == 32 ? 0 : -1);
    if (depth() != 32) {
        EXPECT_EQ(before.changed(), PointSet({{2, 2}}));
        return;
    }
    for (auto [x, y] : area(0, 7, 0, 3)) {
        const uint32_t alpha = x < 1 || x > 2 || y < 1 || y > 2 ? before.value(x, y) >> 24 : x == 2 && y == 2 ? 0 : 255;
        ASSERT_EQ(raw_pixel(x, y) >> 24, alpha) << x << "," << y;
    }
    rs_xalpha(0x7F);
    EXPECT_EQ(raw_pixel(2, 2), 0x7FABCDEFu);
}
}  // namespace
