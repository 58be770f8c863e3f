// Blending: the mixing rule against its formula, colour values, the buffer rectangle, and
// the vector row kernels against the plain per-pixel loop on seeded random input.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "image/channels.h"
#include "image/mix_rows.h"
#include "support.h"

namespace {

using Bytes = std::vector<uint8_t>;

// x / 255 rounded to nearest (255 is odd, so there are no ties).
uint32_t mixed(uint32_t a, uint32_t b, uint32_t o) { return (2 * (a * o + b * (255 - o)) + 255) / 510; }

class Blending : public test::EachDepth {
protected:
    static constexpr int w = 12, h = 6;
    int vb = -1;
    void SetUp() override {
        EachDepth::SetUp();
        vb = open(w, h);
    }
    size_t dcb() const { return depth() == 16 ? 2 : 3; }
    size_t bpp() const { return size_t(depth() / 8); }
    uint8_t* at(int x, int y) { return test::pixel_at(vb, x, y, w, h, depth()); }
    Bytes random(size_t n, std::mt19937& rng) {
        Bytes b(n);
        for (auto& v : b) v = uint8_t(rng());
        return b;
    }
    Bytes buffer() { return {at(0, h - 1), at(0, h - 1) + size_t(w * h) * bpp()}; }
};

TEST_P(Blending, MixingFollowsTheRoundedFormulaForEveryOpacity) {
    if (depth() == 8) return;
    const uint32_t values[] = {0, 1, 2, 17, 64, 127, 128, 129, 200, 254, 255};
    for (uint32_t o = 0; o < 256; ++o) {
        rs_opacity(int(o) | 0x7700);  // only the low byte counts
        for (uint32_t a : values)
            for (uint32_t b : values) {
                if (depth() == 16) {  // red and blue fields of a / 8, green of a / 4, widened
                    const uint32_t a5 = a >> 3, b5 = b >> 3, a6 = a >> 2, b6 = b >> 2;
                    const uint32_t rb = mixed((a5 * 510 + 31) / 62, (b5 * 510 + 31) / 62, o) >> 3;
                    const uint32_t g = mixed((a6 * 510 + 63) / 126, (b6 * 510 + 63) / 126, o) >> 2;
                    ASSERT_EQ(rs_blend(int(a5 << 11 | a6 << 5 | a5), int(b5 << 11 | b6 << 5 | b5)), int(rb << 11 | g << 5 | rb));
                } else {
                    const uint32_t ab = mixed(a, b, o), ba = mixed(b, a, o);
                    ASSERT_EQ(rs_blend(int(0xFF000000u | a << 16 | b << 8 | a), int(b << 16 | a << 8 | b)), int(ab << 16 | ba << 8 | ab));
                }
            }
    }
    rs_opacity(128);
    EXPECT_EQ(rs_blend(rs_maprgb(255, 255, 255), 0), rs_maprgb(128, 128, 128));
    EXPECT_EQ(rs_blend50(rs_maprgb(255, 0, 255), rs_maprgb(0, 0, 254)), depth() == 16 ? 0x781F : 0x7F00FE);
}

TEST_P(Blending, WidenedSixteenBitFieldsAreRoundedScales) {
    if (depth() != 16) return;
    rs_opacity(255);  // 31 widens to 255 and 16 to 132: mixing with 0 at half opacity shows them
    EXPECT_EQ(rs_blend(31 << 11, 0), 31 << 11);
    rs_opacity(128);
    EXPECT_EQ(rs_blend(31 << 11, 0), int(mixed(255, 0, 128) >> 3 << 11));
    EXPECT_EQ(rs_blend(16, 0), int(mixed(132, 0, 128) >> 3));
}

// dcb order (bottom row first) against the rectangle's screen rows; at 32 bits the fourth
// byte stays; outside the buffer or without one nothing is written.
TEST_P(Blending, BufferRectangleIsWalkedFromTheCursorUp) {
    std::mt19937 rng(7);
    const Bytes first = random(4 * 3 * dcb(), rng), second = random(first.size(), rng);
    const Bytes before = buffer();
    rs_opacity(255);
    rs_move(5, 4);
    rs_blendvb(first.data(), second.data(), 4, 3);
    if (depth() == 8) {
        EXPECT_EQ(buffer(), before);
        return;
    }
    for (int r = 0; r < 3; ++r)
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(std::memcmp(at(5 + i, 4 - r), &first[(size_t(r) * 4 + size_t(i)) * dcb()], dcb()), 0);
            if (depth() == 32) {
                EXPECT_EQ(at(5 + i, 4 - r)[3], before[size_t(at(5 + i, 4 - r) - at(0, h - 1)) + 3]);
            }
        }
    const Bytes done = buffer();
    for (const auto& [x, y] : {std::pair{9, 4}, {5, 1}, {-1, 4}, {5, 6}}) {
        rs_move(x, y);
        rs_blendvb(first.data(), nullptr, 4, 3);
        rs_photovb(4, 3);
    }
    rs_vbclose();
    rs_blendvb(first.data(), nullptr, 1, 1);
    EXPECT_EQ(buffer(), done);
}

// The fast paths (one opacity) give the bytes of the plain loop (an opacity a pixel).
TEST_P(Blending, OneOpacityMatchesThePerPixelLoop) {
    if (depth() == 8) return;
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    for (int round = 0; round < 40; ++round) {
        const int o = int(rng() % 256), n = int(rng() % 200 + w * h), rw = int(rng() % w + 1), rh = int(rng() % h + 1);
        const Bytes a = random(size_t(n) * dcb(), rng), b = random(a.size(), rng), ops = Bytes(size_t(n), uint8_t(o));
        Bytes fast(a.size()), plain(a.size());
        rs_opacity(o);
        rs_blenddcb(a.data(), b.data(), fast.data(), n);
        rs_blendvar(a.data(), b.data(), ops.data(), plain.data(), n);
        ASSERT_EQ(fast, plain);
        const Bytes start = random(size_t(w * h) * bpp(), rng);
        for (const uint8_t* second : {b.data(), static_cast<const uint8_t*>(nullptr)}) {
            std::memcpy(at(0, h - 1), start.data(), start.size());
            rs_move(0, h - 1);
            rs_blendvb(a.data(), second, rw, rh);
            const Bytes fast_vb = buffer();
            std::memcpy(at(0, h - 1), start.data(), start.size());
            rs_blendvbv(a.data(), second, ops.data(), rw, rh);
            ASSERT_EQ(fast_vb, buffer()) << rw << "x" << rh << (second ? " over a dcb" : " over the buffer");
        }
    }
}

// Each kernel set the processor runs, on rows of every length up to 80 (all the tails).
TEST(BlendKernels, EveryKernelSetMatchesThePlainRule) {
    std::vector<const image::MixKernels*> sets = {&image::baseline_mix_kernels()};
    if (image::avx2_mix_kernels()) sets.push_back(image::avx2_mix_kernels());
    std::mt19937 rng(2024);
    for (const image::MixKernels* k : sets)
        for (size_t n = 0; n <= 80; ++n) {
            const uint32_t o = rng() % 256;
            Bytes a(4 * n + 4), b(a.size()), d(a.size());
            for (auto* v : {&a, &b, &d})
                for (auto& x : *v) x = uint8_t(rng());
            // The plain rule: pixel i of a (format A) and second (B) into a copy of d (D).
            auto plain = [&](auto format_a, auto format_b, auto format_d, const Bytes& second) {
                using A = decltype(format_a);
                using B = decltype(format_b);
                using D = decltype(format_d);
                Bytes want = d;
                for (size_t i = 0; i < n; ++i) {
                    const image::Rgb x = A::load(&a[i * A::bytes]), y = B::load(&second[i * B::bytes]);
                    D::store(&want[i * D::bytes], {image::mix(x.r, y.r, o), image::mix(x.g, y.g, o), image::mix(x.b, y.b, o)});
                }
                return want;
            };
            Bytes bytes = d, words = d, into = d, over = d;
            k->bytes(a.data(), b.data(), bytes.data(), 3 * n, o);
            k->rgb565(a.data(), b.data(), words.data(), n, o);
            k->bgr_into_bgrx(a.data(), b.data(), into.data(), n, o);
            k->bgr_over_bgrx(a.data(), over.data(), n, o);
            using image::Bgr;
            ASSERT_EQ(bytes, plain(Bgr<3>{}, Bgr<3>{}, Bgr<3>{}, b)) << "bytes, length " << n;
            ASSERT_EQ(words, plain(image::Wide565{}, image::Wide565{}, image::Wide565{}, b)) << "RGB565, length " << n;
            ASSERT_EQ(into, plain(Bgr<3>{}, Bgr<3>{}, Bgr<4>{}, b)) << "3 into 4 bytes, length " << n;
            ASSERT_EQ(over, plain(Bgr<3>{}, Bgr<4>{}, Bgr<4>{}, d)) << "3 over 4 bytes, length " << n;
        }
}

RSW32_EACH_DEPTH(Blending);

}  // namespace
