// The 128-bit integer of the exact line and polygon arithmetic: the two-word form that
// 32-bit targets use, against quotients worked out beforehand and against the compiler's
// own 128-bit type where there is one.
#include "core/int128.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using core::Wide128;

// (a × b + c) / d, truncated toward zero, with every intermediate beyond 64 bits.
TEST(Wide128, ProductsSumsAndQuotientsMatchExactValues) {
    struct Case {
        int64_t a, b, c, d, quotient;
    };
    const Case cases[] = {
        {INT64_C(4611686018427387903), INT64_C(4611686018427387903), INT64_C(0), INT64_C(4611686018427387904), INT64_C(4611686018427387902)},
        {-INT64_MAX, INT64_C(9223372036854775807), INT64_C(-1), -INT64_MAX, INT64_C(9223372036854775807)},
        {INT64_C(3037000499), INT64_C(-3037000499), INT64_C(12345), INT64_C(7), INT64_C(-1317624575846605236)},
        {INT64_C(-4294967296), INT64_C(4294967296), INT64_C(-1), INT64_C(4294967296), INT64_C(-4294967296)},
        {INT64_C(1234567890123), INT64_C(-987654321098), INT64_C(5), INT64_C(-3000000000000), INT64_C(406442103789)},
        {INT64_C(-7), INT64_C(3), INT64_C(0), INT64_C(2), INT64_C(-10)},
        {INT64_C(7), INT64_C(-3), INT64_C(1), INT64_C(-2), INT64_C(10)},
        {INT64_C(0), INT64_C(99), INT64_C(-5), INT64_C(3), INT64_C(-1)},
    };
    for (const Case& k : cases) {
        const Wide128 n = Wide128(k.a) * k.b + k.c;
        EXPECT_EQ(int64_t(n / k.d), k.quotient) << k.a << " * " << k.b << " + " << k.c << " / " << k.d;
        EXPECT_EQ(n - Wide128(k.c), Wide128(k.a) * k.b);
        EXPECT_EQ(-(-n), n);
    }
}

// Random operands up to 62 bits: the remainder of every quotient is smaller than the
// divisor and has the numerator's sign; products order as their exact values do.
TEST(Wide128, DivisionLeavesATruncatedRemainderAndComparisonsOrderProducts) {
    std::mt19937_64 random(128);
    std::uniform_int_distribution<int64_t> value(-(INT64_C(1) << 62), INT64_C(1) << 62);
    for (int i = 0; i < 2000; ++i) {
        const int64_t a = value(random), b = value(random) >> (i % 40), c = value(random);
        int64_t d = value(random) >> (i % 61);
        if (d == 0) d = 1;
        const Wide128 n = Wide128(a) * b + c;
        const Wide128 q = n / d, r = n - q * d;
        ASSERT_TRUE((r >= 0 ? r : -r) < (d >= 0 ? Wide128(d) : -Wide128(d))) << a << " " << b << " " << c << " " << d;
        ASSERT_TRUE(r == 0 || (r < 0) == (n < 0));
        if (b != 0) {
            ASSERT_EQ(int64_t(Wide128(a) * b / b), a);
        }
#if defined(__SIZEOF_INT128__)
        __extension__ const __int128 exact = __int128(a) * b + c;
        ASSERT_EQ(int64_t(q), int64_t(exact / d));
        ASSERT_EQ(int64_t(n), int64_t(exact));
        ASSERT_EQ(int64_t(n / (INT64_C(1) << 62)), int64_t(exact / (__int128(1) << 62)));
        ASSERT_EQ(n < Wide128(c), exact < c);
#endif
    }
}

}  // namespace
