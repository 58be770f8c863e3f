// Photo adjustments: the channel tables against their formulas and worked values, the
// three forms agreeing with one another, and what each keeps of a 32-bit pixel.
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "image/adjust.h"
#include "support.h"

namespace {

using Bytes = std::vector<uint8_t>;

// For low < high within -1..256, entry low + k is 255 k / (high - low) rounded to nearest;
// at an exact half it may go either way, as the ramp is summed in binary fractions.
TEST(ChannelTables, ContrastIsTheRoundedRampForEveryRange) {
    image::ChannelTable t;
    for (int low = -1; low < 256; ++low)
        for (int high = low + 1; high <= 256; ++high) {
            ASSERT_TRUE(image::contrast_table(low, high, t));
            for (int i = 0; i < 256; ++i) {
                const int k = i - low, d = high - low;
                const int nearest = i <= low ? 0 : i >= high ? 255 : (510 * k + d) / (2 * d);
                const bool half = i > low && i < high && 510 * k % (2 * d) == d;
                ASSERT_TRUE(t.entry[i] == nearest || (half && t.entry[i] == nearest - 1)) << low << ".." << high << " at " << i;
            }
        }
    EXPECT_FALSE(image::contrast_table(5, 5, t));
    EXPECT_TRUE(image::contrast_table(INT32_MIN, INT32_MAX, t));  // a ramp far wider than the table
    EXPECT_EQ(t.entry[255], 128);
}

TEST(ChannelTables, GammaIsThePowerCurve) {
    image::ChannelTable t;
    for (double gamma : {0.0, 0.45, 0.5, 1.0, 2.0, 2.2, 3.0}) {
        ASSERT_TRUE(image::gamma_table(gamma, t));
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(t.entry[i], i == 0 ? 0 : int(std::nearbyint(255 * std::pow(i / 255.0, gamma)))) << gamma << " at " << i;
    }
    for (double refused : {-0.5, double(NAN), double(INFINITY)}) EXPECT_FALSE(image::gamma_table(refused, t));
    ASSERT_TRUE(image::gamma_table(1e300, t));
    EXPECT_EQ(t.entry[254], 0);
}

class Adjustments : public test::EachDepth {
protected:
    static constexpr int w = 16, h = 16;
    int vb = -1;
    void SetUp() override {
        EachDepth::SetUp();
        vb = open(w, h);
        rs_move(0, h - 1);
    }
    size_t dcb() const { return depth() == 16 ? 2 : 3; }
    size_t bpp() const { return size_t(depth() / 8); }
    uint8_t* pixels() { return test::pixel_at(vb, 0, h - 1, w, h, depth()); }
    // The buffer's colour bytes as a dcb (both bottom row first); the fourth bytes apart.
    Bytes as_dcb() {
        if (depth() == 8) return Bytes(size_t(w * h) * 3, 0x42);  // a dcb no form may touch
        Bytes d;
        for (int i = 0; i < w * h; ++i) d.insert(d.end(), pixels() + size_t(i) * bpp(), pixels() + size_t(i) * bpp() + dcb());
        return d;
    }
    void ramp() {  // every byte value in every position
        for (size_t i = 0; i < size_t(w * h) * bpp(); ++i) pixels()[i] = uint8_t(i * 5 + i / 256);
    }
};

struct Adjustment {
    int (*dcb)(const uint8_t* source, uint8_t* dest, int count);
    int (*vb)(int width, int height);
    int (*rgb)(uint8_t* array, int count);
    bool complements_fourth_byte;
};
const Adjustment adjustments[] = {
    {[](const uint8_t* s, uint8_t* d, int n) { return rs_contdcb(s, d, 40, 200, n); },
     [](int x, int y) { return rs_contvb(40, 200, x, y); }, [](uint8_t* a, int n) { return rs_contrgb(a, 40, 200, n); }, false},
    {[](const uint8_t* s, uint8_t* d, int n) { return rs_gammadcb(s, d, 2.2, n); },
     [](int x, int y) { return rs_gammavb(2.2, x, y); }, [](uint8_t* a, int n) { return rs_gammargb(a, 2.2, n); }, false},
    {rs_graydcb, rs_grayvb, rs_grayrgb, false},
    {rs_photodcb, rs_photovb, rs_photorgb, true},
};

// Each adjustment in its dcb form equals its buffer form (which keeps the fourth byte of
// 32-bit pixels, except the negative), and at 24 and 32 bits its rgb form on the bytes
// turned round; at 8 bits the dcb and buffer forms change nothing.
TEST_P(Adjustments, TheThreeFormsAgree) {
    for (const Adjustment& a : adjustments) {
        ramp();
        const Bytes before(pixels(), pixels() + size_t(w * h) * bpp()), src = as_dcb();
        Bytes dst(src.size(), 0xCD), rgb = src;
        a.dcb(src.data(), dst.data(), w * h);
        a.vb(w, h);
        if (depth() == 8) {
            EXPECT_EQ(Bytes(pixels(), pixels() + before.size()), before);
            EXPECT_EQ(dst, Bytes(src.size(), 0xCD));
            continue;
        }
        EXPECT_EQ(as_dcb(), dst);
        for (size_t i = 3; depth() == 32 && i < before.size(); i += 4)
            ASSERT_EQ(pixels()[i], a.complements_fourth_byte ? uint8_t(~before[i]) : before[i]);
        if (depth() == 16) continue;
        for (size_t i = 0; i < rgb.size(); i += 3) std::swap(rgb[i], rgb[i + 2]);
        a.rgb(rgb.data(), w * h);
        for (size_t i = 0; i < rgb.size(); i += 3) std::swap(rgb[i], rgb[i + 2]);
        EXPECT_EQ(rgb, dst);
    }
}

TEST_P(Adjustments, WhiteStaysWhite) {
    std::memset(pixels(), 0xFF, size_t(w * h) * bpp());
    rs_contvb(0, 255, w, h);
    rs_gammavb(1.0, w, h);
    rs_grayvb(w, h);
    EXPECT_EQ(Bytes(pixels(), pixels() + size_t(w * h) * bpp()), Bytes(size_t(w * h) * bpp(), 0xFF));
}

TEST(RgbForms, WorkedValuesOnARampOfEveryValue) {
    Bytes ramp(768);
    for (int i = 0; i < 256; ++i) ramp[3 * size_t(i)] = ramp[3 * size_t(i) + 2] = uint8_t(i), ramp[3 * size_t(i) + 1] = uint8_t(255 - i);
    auto run = [&](auto fn) {
        Bytes r = ramp;
        fn(r.data());
        return r;
    };
    const Bytes c = run([](uint8_t* p) { rs_contrgb(p, 100, 102, 256); });
    EXPECT_EQ(Bytes(c.begin() + 300, c.begin() + 309), Bytes({0, 255, 0, 128, 255, 128, 255, 255, 255}));
    EXPECT_EQ(run([](uint8_t* p) { rs_contrgb(p, 0, 255, 256); }), ramp);
    EXPECT_EQ(run([](uint8_t* p) { rs_contrgb(p, 7, 7, 256); }), ramp);
    EXPECT_EQ(run([](uint8_t* p) { rs_gammargb(p, 1.0, 256); }), ramp);
    EXPECT_EQ(run([](uint8_t* p) { rs_gammargb(p, NAN, 256); }), ramp);
    const Bytes g0 = run([](uint8_t* p) { rs_gammargb(p, 0.0, 256); });
    for (size_t i = 0; i < g0.size(); ++i) ASSERT_EQ(g0[i], ramp[i] ? 255 : 0);
    Bytes grey = {255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255};
    rs_grayrgb(grey.data(), 4);
    EXPECT_EQ(grey, Bytes({255, 255, 255, 76, 76, 76, 150, 150, 150, 29, 29, 29}));
    const Bytes negative = run([](uint8_t* p) { rs_photorgb(p, 256); });
    EXPECT_EQ(negative[1], 0);
    EXPECT_EQ(negative[3], 254);
    EXPECT_EQ(run([](uint8_t* p) { rs_photorgb(p, 256), rs_photorgb(p, 256); }), ramp);
    EXPECT_EQ(run([](uint8_t* p) { rs_photorgb(p, 0), rs_grayrgb(p, -1), rs_photorgb(nullptr, 5); }), ramp);
}

// The vector passes (where the processor has them) give the plain loop's bytes for every
// format and every run length up to 100, in place and not.
TEST(AdjustKernels, VectorPassesMatchThePlainLoop) {
    const image::AdjustKernels* fast = image::vbmi_adjust_kernels();
    if (!fast) GTEST_SKIP() << "the processor has no vector passes";
    const image::AdjustKernels& plain = image::plain_adjust_kernels();
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    image::ChannelTable t;
    for (size_t n = 0; n <= 100; ++n) {
        ASSERT_TRUE(n % 2 ? image::gamma_table(double(rng() % 400) / 100, t) : image::contrast_table(int(rng() % 200) - 20, 255, t));
        Bytes s(4 * n), d(4 * n);
        for (auto& v : s) v = uint8_t(rng());
        for (auto& v : d) v = uint8_t(rng());
        for (int l = 0; l < image::layout_count; ++l)
            for (bool in_place : {false, true}) {
                Bytes want = in_place ? s : d, got = want;
                plain.table[l](in_place ? want.data() : s.data(), want.data(), n, t);
                fast->table[l](in_place ? got.data() : s.data(), got.data(), n, t);
                ASSERT_EQ(got, want) << "table, layout " << l << ", " << n << " pixels";
                want = in_place ? s : d, got = want;
                plain.grey[l](in_place ? want.data() : s.data(), want.data(), n);
                fast->grey[l](in_place ? got.data() : s.data(), got.data(), n);
                ASSERT_EQ(got, want) << "grey, layout " << l << ", " << n << " pixels";
            }
    }
}

RSW32_EACH_DEPTH(Adjustments);

}  // namespace
