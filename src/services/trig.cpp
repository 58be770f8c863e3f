// The double cosine table, computed while the library is compiled.
//
// Long double has too few spare bits to round 901 cosines to double with certainty, so
// the series are summed in double-double arithmetic (an unevaluated sum hi + lo of two
// doubles, about 106 bits; Dekker's exact product and Knuth's exact sum). The last
// rounding, hi + lo to one double, then gives the double nearest the exact cosine unless
// that lies within about 1e-30 of a rounding boundary; the nearest entry is 5e-4 of an
// ulp from one. Each argument is kept to at most 45°: beyond it the sine of the
// complement is summed instead.
//
// Everything runs in the constant evaluator, so the build's floating-point options
// (contraction into fused multiply-adds above all) cannot reach the exact-product steps.
// Horner's rule over precomputed coefficients keeps the whole table to about half a
// million evaluation steps, within the default limits of the compilers' evaluators.
#include "services/trig.h"

#include <cstddef>

namespace services {
namespace {

struct DoubleDouble {
    double hi, lo;  // |lo| is at most half an ulp of hi
};

consteval DoubleDouble two_sum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

consteval DoubleDouble quick_two_sum(double a, double b) {  // |a| >= |b|
    const double s = a + b;
    return {s, b - (s - a)};
}

consteval DoubleDouble split(double a) {  // a = hi + lo, each with 26 significant bits
    const double t = 134217729.0 * a;     // 2^27 + 1
    const double hi = t - (t - a);
    return {hi, a - hi};
}

consteval DoubleDouble two_prod(double a, double b) {
    const double p = a * b;
    const DoubleDouble x = split(a), y = split(b);
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

consteval DoubleDouble add(DoubleDouble a, DoubleDouble b) {
    DoubleDouble s = two_sum(a.hi, b.hi);
    const DoubleDouble t = two_sum(a.lo, b.lo);
    s = quick_two_sum(s.hi, s.lo + t.hi);
    return quick_two_sum(s.hi, s.lo + t.lo);
}

consteval DoubleDouble mul(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble p = two_prod(a.hi, b.hi);
    return quick_two_sum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

consteval DoubleDouble div(DoubleDouble a, double b) {
    const double q1 = a.hi / b;
    const DoubleDouble p = two_prod(q1, b);
    const DoubleDouble r = add(a, {-p.hi, -p.lo});
    return quick_two_sum(q1, r.hi / b);
}

// π to about 107 bits.
constexpr DoubleDouble pi = {3.141592653589793116, 1.2246467991473532e-16};

// 1/n! for n = 0..29, the Taylor coefficients of both series.
consteval std::array<DoubleDouble, 30> inverse_factorials() {
    std::array<DoubleDouble, 30> f{};
    f[0] = {1.0, 0.0};
    for (std::size_t n = 1; n < f.size(); ++n) f[n] = div(f[n - 1], double(n));
    return f;
}

constexpr std::array<DoubleDouble, 30> inverse_factorial = inverse_factorials();

// Σ (−1)^i x^(2i + odd) / (2i + odd)! for i = 0..13 by Horner's rule in x², odd = 0 for
// the cosine and 1 for the sine. For x ≤ π/4 the first term left out is below 4e-33.
consteval DoubleDouble series(DoubleDouble x, std::size_t odd) {
    const std::array<DoubleDouble, 30>& f = inverse_factorial;
    const DoubleDouble x2 = mul(x, x), minus_x2 = {-x2.hi, -x2.lo};
    DoubleDouble sum = f[26 + odd];
    for (std::size_t i = 13; i-- > 0;) sum = add(mul(sum, minus_x2), f[2 * i + odd]);
    return odd ? mul(sum, x) : sum;
}

consteval double cos_tenths(int k) {
    const int m = k <= 450 ? k : 900 - k;
    const DoubleDouble x = div(mul(pi, {double(m), 0.0}), 1800.0);
    return series(x, k <= 450 ? 0 : 1).hi;  // the last step rounded hi + lo to the nearest double
}

consteval std::array<double, quarter_turn + 1> make_cos_table() {
    std::array<double, quarter_turn + 1> t{};
    for (int k = 0; k <= quarter_turn; ++k) t[std::size_t(k)] = cos_tenths(k);
    return t;
}

}  // namespace

constexpr std::array<double, quarter_turn + 1> cos_table = make_cos_table();

static_assert(cos_table[0] == 1.0 && cos_table[900] == 0.0 && cos_table[600] == 0.5);

int trig(int tenths, double* cos_out, double* sin_out) {
    const CosSin<double> v = cos_sin(tenths);
    if (cos_out) *cos_out = v.cos;
    if (sin_out) *sin_out = v.sin;
    return 0;
}

}  // namespace services
