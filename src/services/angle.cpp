// The 16.16 cosine table of the angle lookup, computed while the library is compiled.
//
// Each entry is round(65536 × cos(k × 0.1°)). The cosines come from Taylor series in long
// double, kept to arguments of at most 45° (beyond it the sine of the complement is
// summed instead), where the series converge far below the rounding step: no product
// 65536 × cos lies within 1e-6 of a half, so rounding the computed value gives the
// rounding of the exact one. The tests check every entry against the C library's cosine.
#include "services/angle.h"

#include <cstddef>

namespace services {
namespace {

constexpr long double pi = 3.141592653589793238462643383279502884L;

constexpr long double cos_series(long double x) {
    const long double x2 = x * x;
    long double term = 1.0L, sum = 1.0L;
    for (int n = 1; n <= 16; ++n) {
        term *= -x2 / ((2 * n - 1) * (2 * n));
        sum += term;
    }
    return sum;
}

constexpr long double sin_series(long double x) {
    const long double x2 = x * x;
    long double term = x, sum = x;
    for (int n = 1; n <= 16; ++n) {
        term *= -x2 / ((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

// cos(k × 0.1°) for 0 ≤ k ≤ 900.
constexpr long double cos_tenths(int k) {
    return k <= 450 ? cos_series(k * pi / 1800) : sin_series((900 - k) * pi / 1800);
}

constexpr std::array<int32_t, quarter_turn + 1> make_cos_table_fx16() {
    std::array<int32_t, quarter_turn + 1> t{};
    for (int k = 0; k <= quarter_turn; ++k) t[std::size_t(k)] = int32_t(65536.0L * cos_tenths(k) + 0.5L);
    return t;
}

}  // namespace

constexpr std::array<int32_t, quarter_turn + 1> cos_table_fx16 = make_cos_table_fx16();

static_assert(cos_table_fx16[0] == 65536 && cos_table_fx16[600] == 32768 && cos_table_fx16[900] == 0);

}  // namespace services
