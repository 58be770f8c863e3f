// The 16.16 angle lookup against the C library's cosine, over every angle of a turn and beyond.
#include "services/angle.h"

#include <cmath>

#include "support.h"

namespace {

// round(65536 × v), checked to be far from a half so that the rounding is not in doubt.
int32_t fx16_rounded(long double tenths, double (*f)(double) = std::cos) {
    const long double scaled = 65536.0L * f(double(tenths * 3.141592653589793238462643383279502884L / 1800));
    EXPECT_GT(std::fabs(scaled - std::floor(scaled) - 0.5L), 1e-6L) << double(tenths) << " lies next to a half";
    return int32_t(std::lround(scaled));
}

// The table and every angle of a turn; mirroring the first quadrant's rounded values gives
// every angle's, rounding being odd away from halves. Whole turns change nothing.
TEST(AngleLookup, EveryAngleIsTheRoundedCosineAndSine) {
    for (int k = 0; k <= 900; ++k) ASSERT_EQ(services::cos_table_fx16[size_t(k)], fx16_rounded(k)) << "entry " << k;
    for (int t = 0; t <= 3600; ++t)
        ASSERT_EQ(test::list(services::angle_fx16(t).cos, services::angle_fx16(t).sin), test::list(fx16_rounded(t), fx16_rounded(t, std::sin))) << t;
    for (int t = 1; t <= 3600; t += 7)
        for (int k : {-596523, -100, -2, -1, 1, 2, 100, 596522})
            ASSERT_EQ(test::list(services::angle_fx16(t + k * 3600).cos, services::angle_fx16(t + k * 3600).sin),
                      test::list(services::angle_fx16(t).cos, services::angle_fx16(t).sin)) << t << " + " << k << " turns";
    for (auto [t, n] : {test::list(INT_MIN, INT_MIN % 3600 + 3600), test::list(INT_MAX, (INT_MAX - 1) % 3600 + 1), test::list(-1, 3599), test::list(3601, 1)})
        EXPECT_EQ(services::normalise_tenths(t), n) << t;
}

TEST(AngleLookup, QuadrantBoundaries) {
    for (auto [t, c, s] : {test::list(0, 65536, 0), test::list(900, 0, 65536), test::list(1800, -65536, 0), test::list(2700, 0, -65536),
                           test::list(3600, 65536, 0), test::list(-900, 0, -65536), test::list(-3600, 65536, 0), test::list(7200, 65536, 0),
                           test::list(901, -114, 65536), test::list(899, 114, 65536), test::list(1799, -65536, 114), test::list(2699, -114, -65536)})
        EXPECT_EQ(test::list(services::angle_fx16(t).cos, services::angle_fx16(t).sin), test::list(c, s)) << "angle " << t;
}

}  // namespace
