// Direct-colour bitmaps beyond placement (picture_test.cpp): reading back, no work at 8
// bits, mirroring twice, turning over, cut and paste between widths, the translations
// between formats 15, 16 and 24, and the shuffling row conversion against its reference.
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "image/formats.h"
#include "support.h"

namespace {

class Dcbs : public test::EachDepth {
protected:
    void SetUp() override {
        EachDepth::SetUp();
        auto* p = static_cast<uint8_t*>(rs_vbaddr(open(20, 12)));
        for (int i = 0; i < 20 * 12 * depth() / 8; ++i) p[i] = uint8_t(i * 11 + 1);
    }
    size_t px() const { return depth() == 16 ? 2 : 3; }
};

// A picture mirrored into the buffer, read back and mirrored again is itself; at 8 bits
// neither the buffer nor the arrays are touched.
TEST_P(Dcbs, MirroringTwiceThroughTheBufferGivesThePictureBack) {
    const size_t bytes = depth() == 16 ? 30 : 45;
    std::vector<uint8_t> pic(bytes);
    for (size_t i = 0; i < bytes; ++i) pic[i] = uint8_t(i * 29 + 5);  // no pixel is all 0
    test::Guarded once(bytes, 0xEE), twice(bytes, 0xEE);
    const test::Snapshot before;
    rs_move(1, 4);
    rs_flipdcb(pic.data(), 5, 3);
    rs_getdcb(once.data(), 5, 3);
    rs_move(10, 8);
    rs_flipdcb(once.data(), 5, 3);
    rs_getdcb(twice.data(), 5, 3);
    EXPECT_TRUE(once.guards_intact() && twice.guards_intact());
    if (depth() == 8) {
        EXPECT_EQ(once.contents(), std::vector<uint8_t>(bytes, 0xEE));
        EXPECT_TRUE(before.changed().empty());
    } else {
        EXPECT_EQ(twice.contents(), pic);
        EXPECT_NE(once.contents(), pic);
    }
}

TEST_P(Dcbs, TurningOverExchangesRowsAndCutPasteMovesRectanglesBetweenWidths) {
    std::vector<uint8_t> pic(36);  // 4 × 3 pixels
    for (size_t i = 0; i < 36; ++i) pic[i] = uint8_t(i);
    std::vector<uint8_t> turned = pic;
    rs_invdcb(turned.data(), 4, 3);
    rs_invdcb(turned.data(), 4, 1);  // one row: nothing
    const size_t row = depth() == 8 ? 0 : 4 * px();
    EXPECT_EQ(turned == pic, depth() == 8);
    EXPECT_EQ(std::memcmp(turned.data(), pic.data() + 2 * row, row), 0);  // rows 0 and 2 exchanged, 1 stays
    EXPECT_EQ(std::memcmp(turned.data() + row, pic.data() + row, row), 0);
    EXPECT_EQ(std::memcmp(turned.data() + 2 * row, pic.data(), row), 0);

    std::vector<uint8_t> large(9 * 6 * 3), other(large.size(), 0);
    for (size_t i = 0; i < large.size(); ++i) large[i] = uint8_t(i * 7 + 3);
    test::Guarded small(4 * 3 * 3, 0xEE);
    rs_cutdcb(large.data(), small.data(), 2, 1, 9, 4, 3);
    rs_pastedcb(other.data(), small.data(), 5, 2, 9, 4, 3);
    EXPECT_TRUE(small.guards_intact());
    for (size_t r = 0; r < 3 && depth() != 8; ++r) {
        EXPECT_EQ(std::memcmp(small.data() + r * 4 * px(), large.data() + ((1 + r) * 9 + 2) * px(), 4 * px()), 0);
        EXPECT_EQ(std::memcmp(other.data() + ((2 + r) * 9 + 5) * px(), small.data() + r * 4 * px(), 4 * px()), 0);
    }
    EXPECT_EQ(small[depth() == 16 ? 24 : 35], depth() == 16 || depth() == 8 ? 0xEE : large[(3 * 9 + 6) * 3 - 1]);
}

RSW32_EACH_DEPTH(Dcbs);

// ---- translations, which need no buffer

TEST(DcbTranslation, WorkedExamplesAndArgumentsThatDoNothing) {
    std::vector<uint8_t> bgr(6), back(6, 0xEE);
    const uint8_t from16[] = {0xFF, 0xFF, 16, 0};  // 65535 and blue 16
    rs_transdcb(from16, bgr.data(), 16, 24, 2);
    EXPECT_EQ(bgr, (std::vector<uint8_t>{255, 255, 255, 131, 0, 0}));
    std::vector<uint8_t> pixels = {255, 255, 255, 7, 3, 7};
    rs_transdcb(pixels.data(), pixels.data(), 24, 16, 2);  // narrowed in place
    rs_transdcb(pixels.data(), back.data(), 16, 32, 2);
    rs_transdcb(pixels.data(), back.data(), 16, 24, 0);
    EXPECT_EQ(back, std::vector<uint8_t>(6, 0xEE));
    rs_transdcb(pixels.data(), back.data(), 16, 24, 2);
    EXPECT_EQ(back, (std::vector<uint8_t>{255, 255, 255, 0, 0, 0}));
}

// Every 16-bit word through each rule that reads one, against the channel arithmetic written
// out.
TEST(DcbTranslation, EveryWordFollowsTheChannelRules) {
    std::vector<uint8_t> wide(65536 * 3), to15(65536 * 2), to16(65536 * 2);
    for (uint32_t v = 0; v < 65536; ++v) std::memcpy(&wide[v * 2], &v, 2);
    rs_transdcb(wide.data(), to15.data(), 16, 15, 65536);
    rs_transdcb(to15.data(), to16.data(), 15, 16, 65536);
    rs_transdcb(wide.data(), wide.data(), 16, 24, 65536);  // in place
    for (uint32_t v = 0; v < 65536; ++v) {
        const uint32_t r = v >> 11, g = v >> 5 & 63, b = v & 31;
        const uint32_t w15 = uint32_t(to15[v * 2] | to15[v * 2 + 1] << 8), w16 = uint32_t(to16[v * 2] | to16[v * 2 + 1] << 8);
        ASSERT_EQ(std::vector<uint32_t>(wide.begin() + v * 3, wide.begin() + v * 3 + 3),
                  (std::vector<uint32_t>{b * 255 / 31, g * 255 / 63, r * 255 / 31})) << v;
        ASSERT_EQ(w15, r << 10 | (g >> 1) << 5 | b) << v;
        ASSERT_EQ(w16, r << 11 | (g & ~1u) << 5 | b) << v;
    }
}

TEST(DcbTranslation, TriplesToPixelsMatchThePlainLoopAtEveryLength) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::vector<uint8_t> bgr(3 * 64 + 3);
    for (uint8_t& b : bgr) b = uint8_t(rng());
    for (size_t n = 0; n <= 64; ++n) {
        test::Guarded fast(4 * n, 0xEE), plain(4 * n, 0xEE);
        image::bgr_to_pixels32(bgr.data() + n % 3, fast.data(), int(n));
        image::bgr_to_pixels32_plain(bgr.data() + n % 3, plain.data(), int(n));
        ASSERT_EQ(fast.contents(), plain.contents()) << n;
        ASSERT_TRUE(fast.guards_intact()) << n;
        test::Guarded into(4 * n, 0xEE);  // into pixels whose fourth byte is kept
        image::bgr_into_pixels32(bgr.data() + n % 3, into.data(), int(n));
        std::vector<uint8_t> want = plain.contents();
        for (size_t i = 3; i < want.size(); i += 4) want[i] = 0xEE;
        ASSERT_EQ(into.contents(), want) << n;
        ASSERT_TRUE(into.guards_intact()) << n;
    }
}

}  // namespace
