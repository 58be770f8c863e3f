// The 16.16 angle lookup: its table against the C library's cosine, and the lookup over
// every angle of a turn and beyond.
#include "services/angle.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

constexpr long double pi = 3.141592653589793238462643383279502884L;

// round(65536 × v), checked to be far from a half so that the rounding is not in doubt.
int32_t fx16_rounded(long double v) {
    const long double scaled = 65536.0L * v;
    EXPECT_GT(std::fabs(scaled - std::floor(scaled) - 0.5L), 1e-6L) << "65536 x " << double(v) << " lies next to a half";
    return int32_t(std::lround(scaled));
}

// Rounding is odd-symmetric away from halves, so mirroring the first quadrant's rounded
// values gives the rounded cosine and sine of every angle.
TEST(AngleLookup, EveryAngleOfATurnIsTheRoundedCosineAndSine) {
    for (int k = 0; k <= 900; ++k)
        ASSERT_EQ(services::cos_table_fx16[size_t(k)], fx16_rounded(std::cos(k * pi / 1800))) << "entry " << k;
    for (int t = 0; t <= 3600; ++t) {
        const auto v = services::angle_fx16(t);
        ASSERT_EQ(v.cos, fx16_rounded(std::cos(t * pi / 1800))) << "angle " << t;
        ASSERT_EQ(v.sin, fx16_rounded(std::sin(t * pi / 1800))) << "angle " << t;
    }
}

TEST(AngleLookup, QuadrantBoundaries) {
    const int cases[][3] = {{0, 65536, 0},    {900, 0, 65536},    {1800, -65536, 0},   {2700, 0, -65536},
                            {3600, 65536, 0}, {-900, 0, -65536},  {-3600, 65536, 0},   {7200, 65536, 0},
                            {901, -114, 65536}, {899, 114, 65536}, {1799, -65536, 114}, {2699, -114, -65536}};
    for (const auto& c : cases) {
        const auto v = services::angle_fx16(c[0]);
        EXPECT_EQ(std::pair(v.cos, v.sin), std::pair(c[1], c[2])) << "angle " << c[0];
    }
}

TEST(AngleLookup, WholeTurnsDoNotChangeTheResult) {
    for (int t = 1; t <= 3600; t += 7)
        for (int k : {-596523, -100, -2, -1, 1, 2, 100, 596522}) {
            const auto v = services::angle_fx16(t), w = services::angle_fx16(t + k * 3600);
            ASSERT_EQ(std::pair(w.cos, w.sin), std::pair(v.cos, v.sin)) << t << " + " << k << " turns";
        }
    const int cases[][2] = {{INT_MIN, INT_MIN % 3600 + 3600}, {INT_MAX, (INT_MAX - 1) % 3600 + 1}, {-1, 3599}, {3601, 1}};
    for (const auto& c : cases) EXPECT_EQ(services::normalise_tenths(c[0]), c[1]) << c[0];
}

}  // namespace
