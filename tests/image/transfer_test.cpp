// Block transfers: landing and cutting, keyed comparisons per depth, the transparency table, arrays.
#include "support.h"

using namespace test;

namespace {

class Transfers : public EachDepth {
protected:
    int src = -1, dst = -1;
    View s{-1, 32, 24, 8}, d{-1, 32, 24, 8};
    void SetUp() override {
        EachDepth::SetUp(), rs_vbdepth(depth()), src = rs_vballoc(32, 24), dst = rs_vballoc(32, 24);
        s = {src, 32, 24, depth()}, d = {dst, 32, 24, depth()}, s.scramble(1), d.scramble(2);
    }
};

// Only pixels with source and destination inside their buffers move, the bottom row landing on newy.
TEST_P(Transfers, BlocksLandWithTheirBottomRowAtNewyCutToBothBuffers) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> c(-40, 70);
    std::vector<std::array<int, 6>> blocks = {{4, 9, 3, 7, 20, 15}, {0, 31, 0, 23, 0, 23}, {5, 0, 0, 5, 0, 5}};
    for (int i = 0; i < 300; ++i) blocks.push_back({c(rng), c(rng), c(rng), c(rng), c(rng), c(rng)});
    for (size_t i = 0; i < blocks.size(); ++i) {
        const auto [minx, maxx, miny, maxy, nx, ny] = blocks[i];
        d.scramble(unsigned(i));
        const Snapshot before(d);
        const int which = int(i % 4), t = int(s.get(5, 5));
        EXPECT_EQ(which == 0   ? rs_vbcopy(minx, maxx, miny, maxy, nx, ny, src, dst)
                  : which == 1 ? rs_vbtcopy(minx, maxx, miny, maxy, nx, ny, t, src, dst)
                  : which == 2 ? rs_vbtzcopy(minx, maxx, miny, maxy, nx, ny, src, dst) : rs_vbtccopy(minx, maxx, miny, maxy, nx, ny, src, dst), 0);
        const uint32_t keep = depth() == 32 && which != 0 ? 0xFFFFFFu : 0xFFFFFFFFu;
        for (auto [x, y] : area(0, 31, 0, 23)) {
            const int sx = x - nx + minx, sy = y - ny + maxy;
            const uint32_t v = s.get(std::clamp(sx, 0, 31), std::clamp(sy, 0, 23)) & keep;
            const bool copied = sx >= std::max(minx, 0) && sx <= std::min(maxx, 31) && sy >= std::max(miny, 0) && sy <= std::min(maxy, 23) &&
                                !(which == 1 && v == (uint32_t(t) & keep)) && !(which == 2 && v == 0);
            ASSERT_EQ(d.get(x, y), copied ? v : before.value(x, y)) << "call " << which << " block " << i << " at " << x << "," << y;
        }
    }
    const Snapshot before(s);
    rs_vbcopy(3, 20, 5, 12, 3, 13, src, src);
    for (auto [x, y] : area(0, 31, 0, 23)) ASSERT_EQ(s.get(x, y), before.value(x, y >= 6 && y <= 13 && x >= 3 && x <= 20 ? y - 1 : y));
    const std::vector<uint8_t> kept = d.bytes();
    rs_vbdepth(depth() == 8 ? 16 : 8);
    const int other = rs_vballoc(32, 24);
    for (int bad : {-1, 256, INT_MIN, 200, other})
        rs_vbcopy(0, 5, 0, 5, 0, 5, bad, dst), rs_vbtzcopy(0, 5, 0, 5, 0, 5, bad, dst), rs_vbcopy(0, 5, 0, 5, 0, 5, src, bad);
    EXPECT_EQ(d.bytes(), kept);
}

// Between depths each pixel goes through its colour; the same depth copies bytes; the keyed form
// skips the rs_tcmask key in the source's terms.
TEST_P(Transfers, TransfersConvertBetweenEveryPairOfDepths) {
    rs_vbopen(src), rs_setdacs(0, 256, View(src, 32, 24, depth()).bytes().data());  // some palette
    auto colour = [](uint32_t v, int bits) -> uint32_t {
        if (bits == 8) {
            int r, g, b;
            return rs_getrgb(int(v), &r, &g, &b), uint32_t(r << 16 | g << 8 | b);
        }
        if (bits == 16) return uint32_t(core::expand5[v >> 11]) << 16 | core::expand6[v >> 5 & 63] << 8 | core::expand5[v & 31];
        return v & 0xFFFFFF;
    };
    for (int to : {8, 16, 24, 32}) {
        rs_vbdepth(to);
        const int h = rs_vballoc(32, 24);
        const View t(h, 32, 24, to);
        t.scramble(5);
        const Snapshot before(t);
        rs_tcmask(int(s.get(5, 5) | (depth() == 32 ? 0xFF000000u : 0u)));
        EXPECT_EQ(rs_transfer(2, 9, 3, 7, 20, 15, src, h), 0);
        EXPECT_EQ(rs_tcxfer(2, 9, 3, 7, 20, 5, src, h), 0);
        for (auto [x, y] : area(0, 31, 0, 23)) {
            const bool plain = x >= 20 && x <= 27 && y >= 11 && y <= 15, keyed = x >= 20 && x <= 27 && y >= 1 && y <= 5;
            const uint32_t v = plain || keyed ? s.get(x - 18, plain ? y - 8 : y + 2) : 0;
            if (!plain && !(keyed && (v & 0xFFFFFF) != (s.get(5, 5) & 0xFFFFFF))) {
                ASSERT_EQ(t.get(x, y), before.value(x, y)) << to << " " << x << "," << y;
                continue;
            }
            const uint32_t c = colour(v, depth());
            const uint32_t want = to == depth() ? (plain || to != 32 ? v : v & 0xFFFFFF)  // keyed 32-bit copies drop the fourth byte as rs_vbtcopy does
                                  : to == 8          ? uint32_t(rs_findrgb(int(c >> 16), int(c >> 8 & 255), int(c & 255)))
                                  : to == 16         ? core::pack565(c >> 16, c >> 8 & 255, c & 255)
                                                     : c;
            ASSERT_EQ(t.get(x, y), want) << to << " " << x << "," << y;
        }
    }
}

// Keys: the low byte at 8 bits, all 32 bits at 16 and 24, three bytes at 32; tz skips pure black.
TEST_P(Transfers, KeyedCopiesCompareByDepth) {
    const uint32_t a = depth() == 8 ? 0x42 : depth() == 16 ? 0x1234 : 0x00123456;
    const uint32_t pixels[] = {a, depth() == 32 ? (a | 0x77000000u) : a, 0, depth() == 8 ? 1u : depth() == 16 ? 0x0800u : 0x010000u};
    for (int x = 0; x < 4; ++x) s.put(x, 0, pixels[x]);
    const Snapshot before(d);
    rs_vbtcopy(0, 3, 0, 0, 0, 0, int(a | (depth() == 8 ? 0x100u : 0u)), src, dst);
    EXPECT_EQ(list(d.get(0, 0), d.get(1, 0), d.get(2, 0)), list(before.value(0, 0), before.value(1, 0), 0u));
    rs_vbtcopy(0, 0, 0, 0, 0, 0, int(0x1000000u | a), src, dst);
    EXPECT_EQ(d.get(0, 0), depth() == 16 || depth() == 24 ? a : before.value(0, 0));
    d.scramble(2);
    rs_vbtzcopy(0, 3, 0, 0, 0, 0, src, dst);
    EXPECT_EQ(list(d.get(0, 0), d.get(2, 0), d.get(3, 0)), list(a, before.value(2, 0), pixels[3]));
    s.put(0, 0, 0xAB102030u);  // at 32 bits only the opaque copy keeps the fourth byte
    rs_vbcopy(0, 0, 0, 0, 0, 0, src, dst), rs_vbtzcopy(0, 0, 0, 0, 1, 0, src, dst);
    rs_vbtcopy(0, 0, 0, 0, 2, 0, 0x55, src, dst), rs_vbtccopy(0, 0, 0, 0, 3, 0, src, dst);
    const uint32_t v = 0xAB102030u & mask(), k = depth() == 32 ? 0x102030u : v;
    EXPECT_EQ(list(d.get(0, 0), d.get(1, 0), d.get(2, 0), d.get(3, 0)), list(v, k, k, k));
}

// Bits 0..15 of the attribute mark an index; the lowest index of a colour decides.
TEST_P(Transfers, TableCopiesSkipMarkedPaletteColours) {
    std::vector<unsigned char> rgb(256 * 3, 0);
    for (int i = 0; i < 256; ++i) rgb[size_t(i) * 3] = uint8_t(i), rgb[size_t(i) * 3 + 1] = 200;
    rgb[9 * 3] = 5, rgb[7 * 3 + 2] = 80;  // entries 5 and 9 share a colour; entry 7 has its own
    rs_vbopen(src), rs_setdacs(0, 256, rgb.data());
    const uint32_t colours[] = {depth() == 8 ? 5 : uint32_t(rs_maprgb(5, 200, 0)), depth() == 8 ? 7 : uint32_t(rs_maprgb(7, 200, 80)),
                                depth() == 8 ? 250 : uint32_t(rs_maprgb(1, 2, 3))};
    for (int x = 0; x < 3; ++x) s.put(x, 0, colours[x]);
    auto copied = [&] {
        d.scramble(4);
        rs_vbtccopy(0, 2, 0, 0, 0, 0, src, dst);
        return list(d.get(0, 0) == colours[0], d.get(1, 0) == colours[1], d.get(2, 0) == colours[2]);
    };
    EXPECT_EQ(copied(), list(true, true, true));
    rs_tcdefine(7, 256), rs_tcdefine(9, 1);  // entry 5 has the same colour as 9 and decides
    EXPECT_EQ(copied(), list(true, false, true));
    for (int i = 0; i < 256; ++i) rs_tcdefine(i + 512, 1);
    EXPECT_EQ(copied(), list(false, false, depth() != 8));
    rs_tcdefine(7, 65536);  // only bits 0..15 count: opaque again
    EXPECT_EQ(copied(), list(false, true, depth() != 8));
}

// Blocks in the buffer's own bytes: outside reads as 0, putting back is cut to the clip, and saves
// of one rectangle come back last first while a depth change leaves them kept.
TEST_P(Transfers, BlocksRoundTripAndSavesUnwindLastFirst) {
    rs_vbopen(src);
    std::vector<uint8_t> block(size_t(6 * 3 * bpp()), 0xEE);
    EXPECT_EQ(rs_getblock(28, 33, -1, 1, block.data()), int(block.size()));
    for (int y = -1; y <= 1; ++y)
        for (int x = 28; x <= 33; ++x) {
            uint32_t v = 0;
            std::memcpy(&v, &block[size_t(((y + 1) * 6 + x - 28) * bpp())], size_t(bpp()));
            ASSERT_EQ(v, x < 32 && y >= 0 ? s.get(x, y) : 0u) << x << "," << y;
        }
    rs_setclip(29, 31, 1, 23);
    const Snapshot moved(s);
    EXPECT_EQ(rs_putblock(26, 31, 0, 2, block.data()), 0);  // the same bytes two columns left, one row down
    for (auto [x, y] : area(0, 31, 0, 23)) {
        const bool inside = x >= 29 && x <= 31 && y >= 1 && y <= 2;
        ASSERT_EQ(s.get(x, y), inside ? (x + 2 < 32 && y - 1 >= 0 ? moved.value(x + 2, y - 1) : 0u) : moved.value(x, y)) << x << "," << y;
    }
    EXPECT_EQ(list(rs_getblock(5, 4, 0, 0, block.data()), rs_putblock(0, 0, 0, 0, nullptr), rs_getblock(0, 0, 0, 0, nullptr)), list(-1, -1, -1));

    const Snapshot first(s);
    EXPECT_EQ(rs_save(2, 9, 3, 7), 0);
    s.scramble(7);
    const Snapshot second(s);
    EXPECT_EQ(rs_save(2, 9, 3, 7), 0);
    EXPECT_EQ(rs_save(0, 3, 0, 3), 0);
    s.scramble(8);
    const Snapshot drawn(s);
    EXPECT_EQ(rs_restore(2, 9, 3, 7), 0);
    for (auto [x, y] : area(0, 31, 0, 23)) ASSERT_EQ(s.get(x, y), (x >= 2 && x <= 9 && y >= 3 && y <= 7 ? second : drawn).value(x, y));
    EXPECT_EQ(rs_restore(2, 9, 3, 7), 0);
    for (auto [x, y] : area(2, 9, 3, 7)) ASSERT_EQ(s.get(x, y), first.value(x, y));
    EXPECT_EQ(rs_restore(2, 9, 3, 7), -1);
    rs_vbdepth(depth() == 8 ? 32 : 8), rs_vbopen(rs_vballoc(32, 24));
    EXPECT_EQ(rs_restore(0, 3, 0, 3), -1);  // kept for a buffer of its own depth
    rs_vbopen(dst);
    EXPECT_EQ(rs_restore(0, 3, 0, 3), 0);
    for (auto [x, y] : area(0, 3, 0, 3)) ASSERT_EQ(d.get(x, y), second.value(x, y));
    EXPECT_EQ(rs_save(3, 2, 0, 0), -1);
}

RSW32_EACH_DEPTH(Transfers);

// A rectangle of a byte-per-pixel array, cut and pasted back; bad sizes do nothing.
TEST(ArrayBlocks, CutThenPasteRestoresTheRectangle) {
    std::vector<uint8_t> original(20 * 10);
    for (size_t i = 0; i < original.size(); ++i) original[i] = uint8_t(i);
    Guarded large(original), small(6 * 4);
    rs_cut(large.data(), small.data(), 3, 2, 20, 6, 4);
    EXPECT_EQ(list(small.contents()[0], small.contents()[6 * 3 + 5]), list(original[2 * 20 + 3], original[5 * 20 + 8]));
    std::fill(large.data() + 43, large.data() + 49, 0);  // row 2, columns 3..8
    rs_paste(large.data(), small.data(), 3, 2, 20, 6, 4);
    const std::vector<uint8_t> kept = small.contents();
    for (const auto& a : {list(-1, 0, 20, 6, 4), list(0, -1, 20, 6, 4), list(0, 0, -20, 6, 4), list(0, 0, 20, -6, 4), list(0, 0, 20, 6, -4)})
        rs_cut(large.data(), small.data(), a[0], a[1], a[2], a[3], a[4]), rs_paste(large.data(), small.data(), a[0], a[1], a[2], a[3], a[4]);
    rs_cut(nullptr, small.data(), 0, 0, 20, 6, 4);
    EXPECT_EQ(list(large.contents(), small.contents()), list(original, kept));
    EXPECT_TRUE(large.guards_intact() && small.guards_intact());
}

}  // namespace
