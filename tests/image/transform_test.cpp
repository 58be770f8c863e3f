// Image transforms: scaling, shearing and rotation against their closed forms, worked
// cases, and refused sizes. Run at 8 bits with the image-array forms and at 16, 24 and
// 32 bits with the dcb forms.
#include <climits>
#include <cstdint>
#include <vector>

#include "support.h"

namespace {

using Picture = std::vector<uint8_t>;

class Transforms : public test::EachDepth {
protected:
    void SetUp() override {
        EachDepth::SetUp();
        open(8, 8);
    }
    size_t px() const { return depth() == 8 ? 1 : depth() == 16 ? 2 : 3; }
    // Every pixel different and none 0 (for the 1-byte form while w × h < 256).
    Picture picture(int w, int h) const {
        Picture p(size_t(w * h) * px());
        for (size_t i = 0; i < p.size(); ++i) p[i] = uint8_t(1 + (i % px() == 0 ? i / px() % 255 : i * 7 % 251));
        return p;
    }
    Picture pixel(const Picture& p, int w, int x, int y) const {
        const auto at = p.begin() + ptrdiff_t((size_t(y) * size_t(w) + size_t(x)) * px());
        return {at, at + ptrdiff_t(px())};
    }
    int scale(const Picture& s, Picture& d, int w, int h, int nw, int nh) {
        return (depth() == 8 ? rs_scale : rs_scaledcb)(s.data(), d.data(), w, h, nw, nh);
    }
    int shear(const Picture& s, Picture& d, int w, int h, int size, int type) {
        return (depth() == 8 ? rs_shear : rs_sheardcb)(s.data(), d.data(), w, h, size, type);
    }
    int rotate(const Picture& s, Picture& d, int w, int h, int angle) {
        return (depth() == 8 ? rs_rotate : rs_rotdcb)(s.data(), d.data(), w, h, angle);
    }
};

// Enlarging takes source pixel ceil((k + 1) old / new) - 1, reducing floor(k old / new).
int scaled_from(int k, int old_size, int new_size) {
    return old_size <= new_size ? ((k + 1) * old_size + new_size - 1) / new_size - 1 : k * old_size / new_size;
}

TEST_P(Transforms, ScalingPicksTheDistributedSourcePixels) {
    const int cases[][4] = {{2, 1, 5, 1}, {5, 1, 2, 1}, {3, 2, 6, 4}, {7, 5, 7, 5}, {9, 4, 4, 9},
                            {13, 11, 5, 17}, {1, 1, 4, 3}, {6, 6, 1, 1}, {15, 8, 16, 7}};
    for (const auto& c : cases) {
        const Picture src = picture(c[0], c[1]);
        Picture dst(size_t(c[2] * c[3]) * px());
        ASSERT_EQ(scale(src, dst, c[0], c[1], c[2], c[3]), 0);
        for (int y = 0; y < c[3]; ++y)
            for (int x = 0; x < c[2]; ++x)
                ASSERT_EQ(pixel(dst, c[2], x, y), pixel(src, c[0], scaled_from(x, c[0], c[2]), scaled_from(y, c[1], c[3])))
                    << c[0] << "x" << c[1] << " to " << c[2] << "x" << c[3] << " at " << x << "," << y;
    }
    const Picture row = picture(5, 1);
    Picture up(5 * px()), down(2 * px());
    scale(row, up, 2, 1, 5, 1);
    scale(row, down, 5, 1, 2, 1);
    for (int k : {0, 1}) EXPECT_EQ(pixel(up, 5, k, 0), pixel(row, 5, 0, 0));
    for (int k : {2, 3, 4}) EXPECT_EQ(pixel(up, 5, k, 0), pixel(row, 5, 1, 0));
    EXPECT_EQ(pixel(down, 2, 1, 0), pixel(row, 5, 2, 0));
}

// Horizontal rows / vertical columns offset by (k + 1) q + ceil((k + 1)(r + 1) / n) - 1.
TEST_P(Transforms, ShearingOffsetsRowsAndColumnsAndClearsTheRest) {
    const int cases[][3] = {{4, 5, 7}, {4, 3, 12}, {5, 4, 7}, {3, 3, 3}, {6, 2, 1}, {1, 6, 9}, {7, 7, 30}};
    for (const auto& c : cases)
        for (int type = 0; type < 4; ++type) {
            const bool vertical = type & 2;
            const int w = c[0], h = c[1], n = vertical ? w : h;
            const int extra = std::max(0, c[2] - (vertical ? h : w)), q = extra / n, r = extra % n;
            const int W = vertical ? w : w + extra, H = vertical ? h + extra : h;
            const Picture src = picture(w, h);
            Picture dst(size_t(W * H) * px(), 0xEE), want(dst.size(), 0);
            ASSERT_EQ(shear(src, dst, w, h, c[2], type), 0);
            for (int k = 0; k < n; ++k) {
                const int offset = (k + 1) * q + ((k + 1) * (r + 1) + n - 1) / n - 1;
                for (int j = 0; j < (vertical ? h : w); ++j) {
                    const int col = !vertical ? ((type & 1) ? offset : extra - offset) + j : (type & 1) ? w - 1 - k : k;
                    const int row = !vertical ? k : extra - offset + j;
                    const Picture p = vertical ? pixel(src, w, col, j) : pixel(src, w, j, k);
                    std::copy(p.begin(), p.end(), want.begin() + ptrdiff_t((size_t(row) * size_t(W) + size_t(col)) * px()));
                }
            }
            ASSERT_EQ(dst, want) << w << "x" << h << " to " << c[2] << " type " << type;
        }
}

// Quarter turns re-index exactly (counterclockwise with rows counted upwards), and the
// rotated size is the one rs_rotate fills.
TEST_P(Transforms, QuarterTurnsReindexExactly) {
    for (const auto& size : {std::pair{1, 1}, {2, 1}, {3, 2}, {4, 4}, {5, 3}, {6, 7}})
        for (int angle : {0, 900, 1800, 2700, 3600, -3600, 4500, -900}) {
            const auto [w, h] = size;
            const int turn = ((angle / 900) % 4 + 4) % 4;
            int nw = 0, nh = 0;
            ASSERT_EQ(rs_rotsize(w, h, angle, &nw, &nh), 0);
            ASSERT_EQ(nw, turn % 2 ? h : w);
            ASSERT_EQ(nh, turn % 2 ? w : h);
            const Picture src = picture(w, h);
            Picture dst(size_t(nw * nh) * px());
            ASSERT_EQ(rotate(src, dst, w, h, angle), 0);
            for (int j = 0; j < nh; ++j)
                for (int i = 0; i < nw; ++i) {
                    const int x[] = {i, j, w - 1 - i, w - 1 - j}, y[] = {j, h - 1 - i, h - 1 - j, i};
                    ASSERT_EQ(pixel(dst, nw, i, j), pixel(src, w, x[turn], y[turn])) << w << "x" << h << " by " << angle;
                }
        }
}

TEST_P(Transforms, RotationLeavesUncoveredCornersZero) {
    const Picture src(size_t(20 * 10) * px(), 0xAB);
    int nw = 0, nh = 0;
    rs_rotsize(20, 10, 450, &nw, &nh);
    EXPECT_EQ(std::pair(nw, nh), std::pair(22, 22));  // corners at ±(20 + 10) cos 45° / 2 = ±10.6 round out to ±11
    Picture dst(size_t(nw * nh) * px(), 0x11);
    rotate(src, dst, 20, 10, 450);
    EXPECT_EQ(pixel(dst, nw, 0, 0), Picture(px(), 0));
    EXPECT_EQ(pixel(dst, nw, nw / 2, nh / 2), Picture(px(), 0xAB));
}

// Refused requests return -1 and write nothing; empty ones return 0 and write nothing.
TEST_P(Transforms, BadSizesWriteNothing) {
    Picture src(81920 * px(), 1), dst(src.size(), 7);
    const Picture untouched = dst;
    EXPECT_EQ(scale(src, dst, 1, 1, 32800, 1), -1);
    EXPECT_EQ(scale(src, dst, 1, 49120, 1, 1), -1);
    EXPECT_EQ(shear(src, dst, 1, 81920, 2, 0), -1);
    EXPECT_EQ(shear(src, dst, 1, 2, INT_MAX, 0), -1);  // INT_MAX x 2 pixels
    EXPECT_EQ(rotate(src, dst, 46341, 46341, 0), -1);
    EXPECT_EQ(scale(src, dst, 0, 1, 1, 1), 0);
    EXPECT_EQ(shear(src, dst, 1, -3, 1, 0), 0);
    EXPECT_EQ(rotate(src, dst, 1, 0, 0), 0);
    EXPECT_EQ(dst, untouched);
    int nw = -5, nh = -5;
    EXPECT_EQ(rs_rotsize(INT_MAX, INT_MAX, 450, &nw, &nh), -1);
    EXPECT_EQ(rs_rotsize(0, 1, 0, &nw, &nh), -1);
    EXPECT_EQ(nw + nh, -10);
    int rw = 0, rh = 0;
    EXPECT_EQ(rs_rotsize(3, 2, INT_MIN, &nw, &nh), 0);  // any angle: INT_MIN is 2752 in whole turns
    rs_rotsize(3, 2, 2752, &rw, &rh);
    EXPECT_EQ(std::pair(nw, nh), std::pair(rw, rh));
    EXPECT_EQ(scale(src, dst, 1, 49119, 1, 1), 0);  // the largest mask that fits
}

RSW32_EACH_DEPTH(Transforms);

}  // namespace
