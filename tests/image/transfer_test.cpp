// Block transfers: where blocks land, cutting to both buffers, overlap, the transparent
// comparison rules per depth, the transparency table and array cut and paste.
#include <climits>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "support.h"

namespace {

using test::EachDepth;

class Transfers : public EachDepth {
protected:
    static constexpr int w = 32, h = 24;
    int src = -1, dst = -1;
    void SetUp() override {
        EachDepth::SetUp();
        rs_vbdepth(depth());
        src = rs_vballoc(w, h);
        dst = rs_vballoc(w, h);
        fill(src, 1);
        fill(dst, 2);
    }
    int bpp() const { return depth() / 8; }
    uint8_t* at(int handle, int x, int y) { return test::pixel_at(handle, x, y, w, h, depth()); }
    uint32_t get(int handle, int x, int y) {
        uint32_t v = 0;
        std::memcpy(&v, at(handle, x, y), size_t(bpp()));
        return v;
    }
    void put(int handle, int x, int y, uint32_t v) { std::memcpy(at(handle, x, y), &v, size_t(bpp())); }
    void fill(int handle, int salt) {
        auto* p = static_cast<uint8_t*>(rs_vbaddr(handle));
        for (size_t i = 0; i < size_t(w) * h * size_t(bpp()); ++i) p[i] = uint8_t(i * 13 + salt * 101 + i / 61);
    }
    std::vector<uint8_t> bytes(int handle) {
        const auto* p = static_cast<const uint8_t*>(rs_vbaddr(handle));
        return {p, p + size_t(w) * h * size_t(bpp())};
    }
};

TEST_P(Transfers, BlocksLandWithTheirBottomRowAtNewy) {
    const std::vector<uint8_t> before = bytes(dst);
    rs_vbcopy(4, 9, 3, 7, 20, 15, src, dst);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool in = x >= 20 && x <= 25 && y >= 11 && y <= 15;
            const uint32_t want = in ? get(src, x - 16, y - 8) : 0;
            if (in) { ASSERT_EQ(get(dst, x, y), want) << x << "," << y; }
        }
    EXPECT_EQ(get(dst, 20, 15), get(src, 4, 7));
    EXPECT_EQ(std::memcmp(at(dst, 0, 0), before.data() + (at(dst, 0, 0) - static_cast<uint8_t*>(rs_vbaddr(dst))), 4), 0);
}

// Every block, however it lies, copies exactly the pixels whose source and destination
// are both inside their buffers, and nothing else.
TEST_P(Transfers, RandomBlocksAreCutToBothBuffers) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> c(-40, 70);
    for (int i = 0; i < 300; ++i) {
        const int minx = c(rng), maxx = c(rng), miny = c(rng), maxy = c(rng), nx = c(rng), ny = c(rng);
        fill(dst, i);
        const std::vector<uint8_t> before = bytes(dst);
        const int which = i % 4;
        const int t = int(get(src, 5, 5));
        if (which == 0) rs_vbcopy(minx, maxx, miny, maxy, nx, ny, src, dst);
        if (which == 1) rs_vbtcopy(minx, maxx, miny, maxy, nx, ny, t, src, dst);
        if (which == 2) rs_vbtzcopy(minx, maxx, miny, maxy, nx, ny, src, dst);
        if (which == 3) rs_vbtccopy(minx, maxx, miny, maxy, nx, ny, src, dst);
        const uint32_t keep = depth() == 32 && which != 0 ? 0xFFFFFFu : 0xFFFFFFFFu;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int sx = x - nx + minx, sy = y - ny + maxy;
                const bool in = sx >= minx && sx <= maxx && sy >= miny && sy <= maxy && sx >= 0 && sx < w && sy >= 0 && sy < h;
                uint32_t old = 0;
                std::memcpy(&old, before.data() + (at(dst, x, y) - static_cast<uint8_t*>(rs_vbaddr(dst))), size_t(bpp()));
                uint32_t want = old;
                if (in) {
                    const uint32_t s = get(src, sx, sy) & keep;
                    const bool skip = (which == 1 && s == (uint32_t(t) & keep)) || (which == 2 && s == 0);
                    if (!skip) want = s;
                }
                ASSERT_EQ(get(dst, x, y), want) << "call " << which << " at " << x << "," << y;
            }
    }
}

TEST_P(Transfers, OverlappingCopyOneRowDownIsExact) {
    const std::vector<uint8_t> before = bytes(src);
    rs_vbcopy(3, 20, 5, 12, 3, 13, src, src);
    for (int y = 6; y <= 13; ++y)
        for (int x = 3; x <= 20; ++x) {
            uint32_t was = 0;
            std::memcpy(&was, before.data() + (at(src, x, y - 1) - static_cast<uint8_t*>(rs_vbaddr(src))), size_t(bpp()));
            ASSERT_EQ(get(src, x, y), was) << x << "," << y;
        }
}

TEST_P(Transfers, BadHandlesAndMixedDepthsCopyNothing) {
    const std::vector<uint8_t> before = bytes(dst);
    rs_vbdepth(depth() == 8 ? 16 : 8);
    const int other = rs_vballoc(w, h);
    for (int bad : {-1, 256, INT_MIN, 200, other}) {
        EXPECT_EQ(rs_vbcopy(0, 5, 0, 5, 0, 5, bad, dst), 0);
        rs_vbtzcopy(0, 5, 0, 5, 0, 5, bad, dst);
        rs_vbcopy(0, 5, 0, 5, 0, 5, src, bad);
    }
    rs_vbcopy(5, 0, 0, 5, 0, 5, src, dst);  // inverted
    EXPECT_EQ(bytes(dst), before);
}

TEST_P(Transfers, KeyedCopiesCompareByDepth) {
    // Source: colour A at (0,0), colour A with another fourth byte at (1,0), zero at (2,0),
    // and a colour only red 1 at (3,0).
    const uint32_t a = depth() == 8 ? 0x42 : depth() == 16 ? 0x1234 : 0x00123456;
    put(src, 0, 0, a);
    put(src, 1, 0, depth() == 32 ? (a | 0x77000000u) : a);
    put(src, 2, 0, 0);
    put(src, 3, 0, depth() == 8 ? 1 : depth() == 16 ? 0x0800 : 0x010000);
    fill(dst, 9);
    const uint32_t d0 = get(dst, 0, 0), d1 = get(dst, 1, 0), d2 = get(dst, 2, 0);
    rs_vbtcopy(0, 3, 0, 0, 0, 0, int(a | (depth() == 8 ? 0x100u : 0u)), src, dst);
    EXPECT_EQ(get(dst, 0, 0), d0);
    EXPECT_EQ(get(dst, 1, 0), d1);
    EXPECT_EQ(get(dst, 2, 0), 0u);

    fill(dst, 9);
    rs_vbtzcopy(0, 3, 0, 0, 0, 0, src, dst);
    EXPECT_EQ(get(dst, 0, 0), a);
    EXPECT_EQ(get(dst, 2, 0), d2);
    EXPECT_EQ(get(dst, 3, 0), get(src, 3, 0));  // red 1 is not black
}

TEST_P(Transfers, HigherBitsOfTheKeyColourCountAtSixteenAndTwentyFourBits) {
    if (depth() == 8) return;
    const uint32_t c = depth() == 16 ? 0x1234u : 0x123456u;
    put(src, 0, 0, c);
    fill(dst, 3);
    const uint32_t d0 = get(dst, 0, 0);
    rs_vbtcopy(0, 0, 0, 0, 0, 0, int(0x1000000u | c), src, dst);
    if (depth() == 32) {
        EXPECT_EQ(get(dst, 0, 0), d0);  // the fourth byte is ignored: skipped
    } else {
        EXPECT_EQ(get(dst, 0, 0), c);  // no pixel equals a value above its width
    }
}

TEST_P(Transfers, ThirtyTwoBitCopiesWriteAFourthByteOfZeroExceptTheOpaqueOne) {
    if (depth() != 32) return;
    put(src, 0, 0, 0xAB102030u);
    rs_vbcopy(0, 0, 0, 0, 0, 0, src, dst);
    EXPECT_EQ(get(dst, 0, 0), 0xAB102030u);
    rs_vbtzcopy(0, 0, 0, 0, 1, 0, src, dst);
    rs_vbtcopy(0, 0, 0, 0, 2, 0, 0x55, src, dst);
    rs_vbtccopy(0, 0, 0, 0, 3, 0, src, dst);
    for (int x = 1; x <= 3; ++x) EXPECT_EQ(get(dst, x, 0), 0x00102030u) << x;
}

TEST_P(Transfers, TableCopiesSkipMarkedPaletteColours) {
    // Entries 5 and 9 share a colour; entry 7 has its own.
    std::vector<unsigned char> rgb(256 * 3, 0);
    for (int i = 0; i < 256; ++i) rgb[size_t(i) * 3] = uint8_t(i), rgb[size_t(i) * 3 + 1] = 200;
    rgb[9 * 3] = 5;
    rgb[7 * 3 + 2] = 80;
    rs_vbopen(src);
    rs_setdacs(0, 256, rgb.data());
    const uint32_t c5 = depth() == 8 ? 5 : uint32_t(rs_maprgb(5, 200, 0));
    const uint32_t c7 = depth() == 8 ? 7 : uint32_t(rs_maprgb(7, 200, 80));
    const uint32_t stray = depth() == 8 ? 250 : uint32_t(rs_maprgb(1, 2, 3));  // in no entry
    put(src, 0, 0, c5);
    put(src, 1, 0, c7);
    put(src, 2, 0, stray);

    auto copy = [&] {
        fill(dst, 4);
        rs_vbtccopy(0, 2, 0, 0, 0, 0, src, dst);
    };
    copy();
    EXPECT_EQ(get(dst, 0, 0), c5);
    EXPECT_EQ(get(dst, 1, 0), c7);
    rs_tcdefine(7, 256);  // bits 8..15 count
    rs_tcdefine(9, 1);    // a higher index sharing entry 5's colour does not decide
    copy();
    EXPECT_NE(get(dst, 1, 0), c7);
    EXPECT_EQ(get(dst, 0, 0), c5);
    for (int i = 0; i < 256; ++i) rs_tcdefine(i + 512, 1);  // every index, taken modulo 256
    copy();
    EXPECT_NE(get(dst, 0, 0), c5);
    if (depth() != 8) { EXPECT_EQ(get(dst, 2, 0), stray); }  // a colour in no entry is always copied
    rs_tcdefine(7, 65536);  // only bits 0..15 count: opaque again
    copy();
    EXPECT_EQ(get(dst, 1, 0), c7);
}

RSW32_EACH_DEPTH(Transfers);

TEST(ArrayBlocks, CutThenPasteRestoresTheRectangle) {
    std::vector<uint8_t> large(20 * 10), small(6 * 4, 0);
    for (size_t i = 0; i < large.size(); ++i) large[i] = uint8_t(i);
    const std::vector<uint8_t> original = large;
    rs_cut(large.data(), small.data(), 3, 2, 20, 6, 4);
    EXPECT_EQ(small[0], large[2 * 20 + 3]);
    EXPECT_EQ(small[6 * 3 + 5], large[5 * 20 + 8]);
    for (size_t i = 43; i < 49; ++i) large[i] = 0;  // row 2, columns 3..8
    rs_paste(large.data(), small.data(), 3, 2, 20, 6, 4);
    EXPECT_EQ(large, original);
    const std::vector<uint8_t> kept = small;
    for (const auto& args : {std::vector<int>{-1, 0, 20, 6, 4}, {0, -1, 20, 6, 4}, {0, 0, -20, 6, 4}, {0, 0, 20, -6, 4}, {0, 0, 20, 6, -4}}) {
        rs_cut(large.data(), small.data(), args[0], args[1], args[2], args[3], args[4]);
        rs_paste(large.data(), small.data(), args[0], args[1], args[2], args[3], args[4]);
    }
    rs_cut(nullptr, small.data(), 0, 0, 20, 6, 4);
    EXPECT_EQ(small, kept);
    EXPECT_EQ(large, original);
}

}  // namespace
