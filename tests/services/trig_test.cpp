// The double cosine table against the C library's long double cosine, and rs_trig over
// every angle of a turn, its signed zeros and whole turns.
#include "services/trig.h"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>

#include "rsw32.h"

namespace {

constexpr long double pi = 3.141592653589793238462643383279502884L;
long double radians(int tenths) { return tenths * pi / 1800.0L; }

// True when d is the double nearest v, give or take the error of v: long double's own
// rounding and, near a zero of the function, that of its argument (at most 4e-19).
bool nearest(double d, long double v, long double error) {
    const long double ulp = std::nextafter(std::fabs(d), 2.0) - std::fabs(d);
    return std::fabs(d - v) <= 0.5L * ulp + 2e-19L * std::fabs(v) + error;
}

TEST(Trig, TableEntriesAreTheNearestDoublesToTheCosine) {
    for (int k = 0; k < 900; ++k) {  // the sine of the complement keeps the argument small
        const long double exact = k <= 450 ? std::cos(radians(k)) : std::sin(radians(900 - k));
        ASSERT_TRUE(nearest(services::cos_table[size_t(k)], exact, 0)) << "entry " << k;
    }
    // cos 45° to 16 digits is 0.7071067811865475; the nearest double, √½, is one ulp above
    // the double that decimal reads as.
    EXPECT_EQ(services::cos_table[450], std::sqrt(0.5));
    EXPECT_EQ(services::cos_table[450], std::nextafter(0.7071067811865475, 1.0));
    EXPECT_EQ(services::cos_table[600], 0.5);
}

TEST(Trig, EveryAngleOfATurnIsTheNearestCosineAndSine) {
    for (int t = 0; t <= 3600; ++t) {
        double c = 2, s = 2;
        ASSERT_EQ(rs_trig(t, &c, &s), 0);
        ASSERT_TRUE(nearest(c, std::cos(radians(t)), 4e-19L) || (t % 900 == 0 && c == 0)) << t;
        ASSERT_TRUE(nearest(s, std::sin(radians(t)), 4e-19L) || (t % 900 == 0 && s == 0)) << t;
        double c2, s2;  // whole turns give the same values
        for (int turns : {-596523, -1, 1, 10, 596522}) {
            rs_trig(t + turns * 3600, &c2, &s2);
            ASSERT_TRUE(c2 == c && s2 == s) << t << " + " << turns << " turns";
        }
    }
}

TEST(Trig, ExactPointsSignedZerosAndWrapping) {
    struct Case {
        int t;
        double c, s;
    } cases[] = {{0, 1.0, 0.0},   {900, 0.0, 1.0},  {1800, -1.0, 0.0}, {2700, 0.0, -1.0}, {3600, 1.0, -0.0},
                 {-3600, 1.0, 0.0}, {7200, 1.0, -0.0}, {-900, 0.0, -1.0}, {INT_MIN + 848, 1.0, 0.0}};
    for (const Case& e : cases) {
        double c = 2, s = 2;
        rs_trig(e.t, &c, &s);
        EXPECT_EQ(std::bit_cast<uint64_t>(c), std::bit_cast<uint64_t>(e.c)) << e.t;
        EXPECT_EQ(std::bit_cast<uint64_t>(s), std::bit_cast<uint64_t>(e.s)) << e.t;
    }
    EXPECT_EQ(rs_trig(10, nullptr, nullptr), 0);
}

}  // namespace
