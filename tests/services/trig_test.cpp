// The double cosine table against the C library's long double cosine, and rs_trig over
// every angle of a turn, its signed zeros and whole turns.
#include "services/trig.h"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>

#include "rsw32.h"

namespace {

constexpr long double pi = 3.141592653589793238462643383279502884L;

long double radians(int tenths) { return tenths * pi / 1800.0L; }

// True when d is the double nearest v, give or take the error of v: long double's own
// rounding and, near a zero of the function, that of its argument (at most 4e-19).
bool nearest(double d, long double v, long double error = 4e-19L) {
    const long double ulp = std::nextafter(std::fabs(d), 2.0) - std::fabs(d);
    return std::fabs(d - v) <= 0.5L * ulp + 2e-19L * std::fabs(v) + error;
}

uint64_t bits(double v) { return std::bit_cast<uint64_t>(v); }

TEST(TrigTable, EveryEntryIsTheNearestDoubleToTheCosine) {
    for (int k = 0; k < 900; ++k) {  // the sine of the complement keeps the argument small
        const long double exact = k <= 450 ? std::cos(radians(k)) : std::sin(radians(900 - k));
        ASSERT_TRUE(nearest(services::cos_table[size_t(k)], exact, 0)) << "entry " << k;
    }
    EXPECT_EQ(bits(services::cos_table[0]), bits(1.0));
    EXPECT_EQ(bits(services::cos_table[900]), bits(0.0));  // +0, exactly
    EXPECT_EQ(services::cos_table[600], 0.5);
    // cos 45° to 16 digits is 0.7071067811865475; the nearest double is √½, one ulp above
    // the double that decimal reads as.
    EXPECT_EQ(services::cos_table[450], std::sqrt(0.5));
    EXPECT_EQ(services::cos_table[450], std::nextafter(0.7071067811865475, 1.0));
}

TEST(Trig, EveryAngleOfATurnIsTheNearestCosineAndSine) {
    for (int t = 0; t <= 3600; ++t) {
        double c = 2, s = 2;
        ASSERT_EQ(rs_trig(t, &c, &s), 0);
        ASSERT_TRUE(nearest(c, std::cos(radians(t))) || (t % 900 == 0 && c == 0)) << t;
        ASSERT_TRUE(nearest(s, std::sin(radians(t))) || (t % 900 == 0 && s == 0)) << t;
    }
}

TEST(Trig, QuadrantPointsAndSignedZeros) {
    struct Case {
        int t;
        double c, s;
    } cases[] = {{0, 1.0, 0.0},      {900, 0.0, 1.0},   {1800, -1.0, 0.0},  {2700, 0.0, -1.0},
                 {3600, 1.0, -0.0},  {-3600, 1.0, 0.0}, {7200, 1.0, -0.0},  {-900, 0.0, -1.0},
                 {INT_MIN + 848, 1.0, 0.0}};  // INT_MIN + 848 is a whole number of turns
    for (const Case& e : cases) {
        double c = 2, s = 2;
        rs_trig(e.t, &c, &s);
        EXPECT_EQ(bits(c), bits(e.c)) << e.t;
        EXPECT_EQ(bits(s), bits(e.s)) << e.t;
    }
    EXPECT_EQ(rs_trig(10, nullptr, nullptr), 0);
}

TEST(Trig, WholeTurnsGiveTheSameValues) {
    const int turns[] = {-596523, -10, -1, 1, 10, 596522};
    for (int t = 1; t <= 3600; t += 13) {
        double c0, s0;
        rs_trig(t, &c0, &s0);
        for (int k : turns) {
            double c, s;
            rs_trig(t + k * 3600, &c, &s);
            ASSERT_EQ(c, c0) << t << " + " << k << " turns";
            ASSERT_EQ(s, s0) << t << " + " << k << " turns";
        }
    }
    struct Pair {
        int t, same_as;
    } pairs[] = {{-1, 3599}, {36010, 10}, {3601, 1}, {-3599, 1}, {INT_MAX, INT_MAX % 3600}};
    for (const Pair& p : pairs) {
        double c, s, c1, s1;
        rs_trig(p.t, &c, &s);
        rs_trig(p.same_as, &c1, &s1);
        EXPECT_EQ(bits(c), bits(c1)) << p.t;
        EXPECT_EQ(bits(s), bits(s1)) << p.t;
    }
}

}  // namespace
