// 16.16 fixed point: rounding, saturation and the angle lookup's values.
#include <climits>
#include <cmath>

#include "support.h"

using test::list;

TEST(Fixed, ConversionsRoundAndSaturate) {
    for (auto [v, f] : {std::pair{1.0, 65536}, {-1.5, -98304}, {0.5 / 65536, 1}, {-0.5 / 65536, -1}, {0.49 / 65536, 0},
                        {32767.99999, INT_MAX}, {-32768.0, INT_MIN}, {1e300, INT_MAX}, {-1e300, INT_MIN}, {NAN, 0}})
        EXPECT_EQ(rs_fixed(v), f) << v;
    for (int f : {0, 1, -1, 65536, INT_MAX, INT_MIN}) EXPECT_EQ(rs_fixed(rs_float(f)), f);
    EXPECT_EQ(rs_float(98304), 1.5);
}

TEST(Fixed, ProductsAndQuotients) {
    const struct {
        int a, b, mul, div;
    } cases[] = {{65536 * 3, 65536 / 2, 98304, 393216},  // 3 × 0.5, 3 / 0.5
                 {-65536, 3, -3, -1431655765},           // -1 / (3 / 65536)
                 {1, 32768, 1, 2},                       // 1 × 0.5 ulp rounds up; 1 / 0.5
                 {-1, 32768, 0, -2},                     // -0.5 ulp rounds up to 0
                 {INT_MAX, INT_MAX, INT_MAX, 65536},     // saturated product
                 {INT_MIN, -1, 32768, INT_MAX},          // -32768 × -1/65536 ulp; saturated quotient
                 {5, 0, 0, INT_MAX},
                 {-5, 0, 0, INT_MIN},
                 {0, 0, 0, 0}};
    for (const auto& c : cases) EXPECT_EQ(list(rs_fixmul(c.a, c.b), rs_fixdiv(c.a, c.b)), list(c.mul, c.div)) << c.a << " " << c.b;
}

TEST(Fixed, TrigGivesTheLookupsSixteenSixteenValues) {
    int c = 0, s = 0;
    for (auto [t, wc, ws] : {std::tuple{0, 65536, 0}, {900, 0, 65536}, {1800, -65536, 0}, {-900, 0, -65536}, {4500, 0, 65536}, {600, 32768, 56756}}) {
        EXPECT_EQ(rs_fixtrig(t, &c, &s), 0);
        EXPECT_EQ(list(c, s), list(wc, ws)) << t;
    }
    EXPECT_EQ(rs_fixtrig(450, nullptr, nullptr), 0);
}
