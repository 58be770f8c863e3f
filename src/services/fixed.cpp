#include "services/fixed.h"

#include <climits>
#include <cmath>
#include <cstdint>

#include "services/angle.h"

namespace services {
namespace {

int saturate(int64_t v) { return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : int(v); }

}  // namespace

int to_fixed(double value) {
    if (std::isnan(value)) return 0;
    const double v = std::round(value * 65536.0);
    if (v >= 2147483647.0) return INT_MAX;
    if (v <= -2147483648.0) return INT_MIN;
    return int(v);
}

double from_fixed(int value) { return value / 65536.0; }

int fixed_mul(int a, int b) {
    // The product of two 32-bit values fits 63 bits; the rounding bias cannot overflow it.
    return saturate((int64_t(a) * b + 0x8000) >> 16);
}

int fixed_div(int a, int b) {
    if (b == 0) return a > 0 ? INT_MAX : a < 0 ? INT_MIN : 0;
    return saturate(int64_t(a) * 65536 / b);
}

int fixed_trig(int tenths, int* cos_out, int* sin_out) {
    const CosSin<int32_t> cs = angle_fx16(tenths);
    if (cos_out) *cos_out = cs.cos;
    if (sin_out) *sin_out = cs.sin;
    return 0;
}

}  // namespace services
