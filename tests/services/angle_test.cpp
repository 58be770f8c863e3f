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
    const long double frac = scaled - std::floor(scaled);
    EXPECT_GT(std::fabs(frac - 0.5L), 1e-6L) << "65536 x " << double(v) << " lies next to a half";
    return int32_t(std::lround(scaled));
}

long double radians(int tenths) { return tenths * pi / 1800.0L; }

TEST(AngleTable, EveryEntryIsTheRoundedCosine) {
    for (int k = 0; k <= 900; ++k)
        ASSERT_EQ(services::cos_table_fx16[size_t(k)], fx16_rounded(std::cos(radians(k)))) << "entry " << k;
    EXPECT_EQ(services::cos_table_fx16[0], 65536);
    EXPECT_EQ(services::cos_table_fx16[450], 46341);
    EXPECT_EQ(services::cos_table_fx16[900], 0);
}

TEST(AngleLookup, QuadrantBoundaries) {
    struct Case {
        int t, cos, sin;
    } cases[] = {{0, 65536, 0},    {900, 0, 65536},  {1800, -65536, 0}, {2700, 0, -65536},
                 {3600, 65536, 0}, {-900, 0, -65536}, {-3600, 65536, 0}, {7200, 65536, 0},
                 {901, -114, 65536}, {899, 114, 65536}, {1799, -65536, 114}, {2699, -114, -65536}};
    for (const Case& c : cases) {
        const auto v = services::angle_fx16(c.t);
        EXPECT_EQ(v.cos, c.cos) << "angle " << c.t;
        EXPECT_EQ(v.sin, c.sin) << "angle " << c.t;
    }
}

// Rounding is odd-symmetric away from halves, so mirroring the first quadrant's rounded
// values gives the rounded cosine and sine of every angle.
TEST(AngleLookup, EveryAngleOfATurnIsTheRoundedCosineAndSine) {
    for (int t = 0; t <= 3600; ++t) {
        const auto v = services::angle_fx16(t);
        ASSERT_EQ(v.cos, fx16_rounded(std::cos(radians(t)))) << "angle " << t;
        ASSERT_EQ(v.sin, fx16_rounded(std::sin(radians(t)))) << "angle " << t;
    }
}

TEST(AngleLookup, WholeTurnsDoNotChangeTheResult) {
    const int turns[] = {-596523, -100, -2, -1, 1, 2, 100, 596522};
    for (int t = 1; t <= 3600; t += 7) {
        const auto v = services::angle_fx16(t);
        for (int k : turns) {
            const auto w = services::angle_fx16(t + k * 3600);
            ASSERT_EQ(w.cos, v.cos) << t << " + " << k << " turns";
            ASSERT_EQ(w.sin, v.sin) << t << " + " << k << " turns";
        }
    }
    EXPECT_EQ(services::normalise_tenths(INT_MIN), INT_MIN % 3600 + 3600);
    EXPECT_EQ(services::normalise_tenths(INT_MAX), (INT_MAX - 1) % 3600 + 1);
    EXPECT_EQ(services::normalise_tenths(-1), 3599);
    EXPECT_EQ(services::normalise_tenths(3601), 1);
}

}  // namespace
