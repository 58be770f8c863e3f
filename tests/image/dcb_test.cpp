// Direct-colour bitmaps beyond placement (picture_test.cpp): the 32-bit fourth byte, no
// work at 8 bits, mirroring twice, turning over, cut and paste between widths, and the
// translations between formats 15, 16 and 24.
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "image/formats.h"
#include "support.h"

namespace {

constexpr int W = 20, H = 12;

class Dcbs : public test::EachDepth {
protected:
    int vb = -1;
    void SetUp() override {
        EachDepth::SetUp();
        vb = open(W, H);
        auto* p = static_cast<uint8_t*>(rs_vbaddr(vb));
        for (int i = 0; i < W * H * depth() / 8; ++i) p[i] = uint8_t(i * 11 + 1);
    }
    size_t px() const { return depth() == 16 ? 2 : depth() == 8 ? 0 : 3; }
};

TEST_P(Dcbs, ReadingAndWritingBackKeepsColoursAndClearsTheFourthByte) {
    test::Guarded dcb(size_t(6 * 4) * 3, 0xEE);
    rs_move(2, 9);
    const test::Snapshot before;
    rs_getdcb(dcb.data(), 6, 4);
    rs_putdcb(dcb.data(), 6, 4);
    EXPECT_TRUE(dcb.guards_intact());
    if (depth() == 8) {  // no dcbs: neither the buffer nor the array is touched
        EXPECT_EQ(dcb.contents(), std::vector<uint8_t>(dcb.size(), 0xEE));
        EXPECT_TRUE(before.changed().empty());
        return;
    }
    const uint32_t keep = depth() == 32 ? 0xFFFFFF : ~0u;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const bool in = x >= 2 && x < 8 && y > 5 && y <= 9;
            ASSERT_EQ(test::raw_pixel(x, y), in ? before.value(x, y) & keep : before.value(x, y));
        }
    if (depth() == 16) {
        EXPECT_EQ(dcb[6 * 4 * 2], 0xEE);  // nothing past a 16-bit dcb's end
    }
}

TEST_P(Dcbs, MirroringTwiceGivesThePictureBack) {
    if (depth() == 8) return;
    std::vector<uint8_t> pic(5 * 3 * px());
    for (size_t i = 0; i < pic.size(); ++i) pic[i] = uint8_t(i * 29 + 5);
    std::vector<uint8_t> once(pic.size()), twice(pic.size());
    rs_move(1, 4);
    rs_flipdcb(pic.data(), 5, 3);
    rs_getdcb(once.data(), 5, 3);
    rs_move(10, 8);
    rs_flipdcb(once.data(), 5, 3);
    rs_getdcb(twice.data(), 5, 3);
    EXPECT_EQ(twice, pic);
    EXPECT_NE(once, pic);
}

TEST_P(Dcbs, TurningOverExchangesRowsAndTwiceRestores) {
    std::vector<uint8_t> pic(4 * 3 * 3);
    for (size_t i = 0; i < pic.size(); ++i) pic[i] = uint8_t(i);
    std::vector<uint8_t> turned = pic;
    rs_invdcb(turned.data(), 4, 3);
    if (depth() == 8) {
        EXPECT_EQ(turned, pic);
        return;
    }
    const size_t row = 4 * px();
    EXPECT_EQ(std::memcmp(turned.data(), pic.data() + 2 * row, row), 0);
    EXPECT_EQ(std::memcmp(turned.data() + row, pic.data() + row, row), 0);
    EXPECT_EQ(std::memcmp(turned.data() + 2 * row, pic.data(), row), 0);
    rs_invdcb(turned.data(), 4, 3);
    EXPECT_EQ(turned, pic);
    rs_invdcb(turned.data(), 4, 1);
    EXPECT_EQ(turned, pic);
}

TEST_P(Dcbs, CutThenPasteMovesRectanglesBetweenWidths) {
    if (depth() == 8) return;
    const int lw = 9, lh = 6;
    std::vector<uint8_t> large(size_t(lw * lh) * px());
    for (size_t i = 0; i < large.size(); ++i) large[i] = uint8_t(i * 7 + 3);
    test::Guarded small(size_t(4 * 3) * px());
    rs_cutdcb(large.data(), small.data(), 2, 1, lw, 4, 3);
    EXPECT_TRUE(small.guards_intact());
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(std::memcmp(small.data() + size_t(r * 4) * px(), large.data() + size_t((1 + r) * lw + 2) * px(), 4 * px()), 0);
    std::vector<uint8_t> other(large.size(), 0);
    rs_pastedcb(other.data(), small.data(), 5, 2, lw, 4, 3);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(std::memcmp(other.data() + size_t((2 + r) * lw + 5) * px(), small.data() + size_t(r * 4) * px(), 4 * px()), 0);
    EXPECT_EQ(other[0], 0);
}

RSW32_EACH_DEPTH(Dcbs);

// ---- translations, which need no buffer

std::vector<uint8_t> words(std::initializer_list<uint16_t> w) {
    std::vector<uint8_t> out;
    for (uint16_t v : w) {
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
    }
    return out;
}

TEST(DcbTranslation, WorkedExamples) {
    std::vector<uint8_t> bgr(6);
    const std::vector<uint8_t> from16 = words({0xFFFF, 16});
    rs_transdcb(from16.data(), bgr.data(), 16, 24, 2);
    EXPECT_EQ(bgr, (std::vector<uint8_t>{255, 255, 255, 131, 0, 0}));
    std::vector<uint8_t> pixels = {255, 255, 255, 7, 3, 7};
    std::vector<uint8_t> back(6, 0xEE);
    rs_transdcb(pixels.data(), pixels.data(), 24, 16, 2);  // narrowed in place
    EXPECT_EQ(std::vector<uint8_t>(pixels.begin(), pixels.begin() + 4), words({0xFFFF, 0}));
    rs_transdcb(pixels.data(), back.data(), 16, 24, 2);
    EXPECT_EQ(back, (std::vector<uint8_t>{255, 255, 255, 0, 0, 0}));
    back.assign(6, 0xEE);
    rs_transdcb(pixels.data(), back.data(), 16, 24, 0);
    rs_transdcb(pixels.data(), back.data(), 16, 32, 2);
    EXPECT_EQ(back, std::vector<uint8_t>(6, 0xEE));
}

// Every 16-bit word, through each rule, against the channel arithmetic written out; the
// widening ones also done in place.
TEST(DcbTranslation, EveryWordFollowsTheChannelRules) {
    std::vector<uint8_t> all(65536 * 3);
    for (uint32_t v = 0; v < 65536; ++v) std::memcpy(&all[v * 2], &v, 2);
    const std::vector<uint8_t> src(all.begin(), all.begin() + 65536 * 2);
    std::vector<uint8_t> to16(65536 * 2), to15(65536 * 2);
    rs_transdcb(all.data(), all.data(), 16, 24, 65536);  // in place, widening
    rs_transdcb(src.data(), to15.data(), 16, 15, 65536);
    rs_transdcb(to15.data(), to16.data(), 15, 16, 65536);
    for (uint32_t v = 0; v < 65536; ++v) {
        const uint32_t r = v >> 11, g = v >> 5 & 63, b = v & 31;
        ASSERT_EQ(all[v * 3], b * 255 / 31) << v;
        ASSERT_EQ(all[v * 3 + 1], g * 255 / 63) << v;
        ASSERT_EQ(all[v * 3 + 2], r * 255 / 31) << v;
        const uint32_t w15 = uint32_t(to15[v * 2] | to15[v * 2 + 1] << 8), w16 = uint32_t(to16[v * 2] | to16[v * 2 + 1] << 8);
        ASSERT_EQ(w15, r << 10 | (g >> 1) << 5 | b) << v;
        ASSERT_EQ(w16, r << 11 | (g & ~1u) << 5 | b) << v;
    }
    std::vector<uint8_t> wide(32768 * 3);
    for (uint32_t v = 0; v < 32768; ++v) std::memcpy(&wide[v * 2], &v, 2);
    rs_transdcb(wide.data(), wide.data(), 15, 24, 32768);
    for (uint32_t v = 0; v < 32768; ++v) {
        ASSERT_EQ(wide[v * 3], (v & 31) * 255 / 31) << v;
        ASSERT_EQ(wide[v * 3 + 1], (v >> 5 & 31) * 255 / 31) << v;
        ASSERT_EQ(wide[v * 3 + 2], (v >> 10) * 255 / 31) << v;
    }
    std::vector<uint8_t> bgr(256 * 3), n16(256 * 2), n15(256 * 2);
    for (uint32_t i = 0; i < 256; ++i) bgr[i * 3] = uint8_t(i), bgr[i * 3 + 1] = uint8_t(i ^ 0x5A), bgr[i * 3 + 2] = uint8_t(255 - i);
    rs_transdcb(bgr.data(), n16.data(), 24, 16, 256);
    rs_transdcb(bgr.data(), n15.data(), 24, 15, 256);
    for (uint32_t i = 0; i < 256; ++i) {
        const uint32_t b = i, g = i ^ 0x5A, r = 255 - i;
        ASSERT_EQ(uint32_t(n16[i * 2] | n16[i * 2 + 1] << 8), (r >> 3) << 11 | (g >> 2) << 5 | b >> 3) << i;
        ASSERT_EQ(uint32_t(n15[i * 2] | n15[i * 2 + 1] << 8), (r >> 3) << 10 | (g >> 3) << 5 | b >> 3) << i;
    }
}

// The shuffling row conversion gives the plain loop's bytes for every length and start,
// and writes nothing past its row.
TEST(DcbRows, TriplesToPixelsMatchThePlainLoop) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::vector<uint8_t> bgr(3 * 64 + 3);
    for (uint8_t& b : bgr) b = uint8_t(rng());
    for (int n = 0; n <= 64; ++n)
        for (int start = 0; start < 2; ++start) {
            test::Guarded fast(size_t(4 * n), 0xEE), plain(size_t(4 * n), 0xEE);
            image::bgr_to_pixels32(bgr.data() + start, fast.data(), n);
            image::bgr_to_pixels32_plain(bgr.data() + start, plain.data(), n);
            ASSERT_EQ(fast.contents(), plain.contents()) << n;
            ASSERT_TRUE(fast.guards_intact()) << n;
        }
}

}  // namespace
