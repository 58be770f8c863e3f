// 16.16 fixed point beside the angle lookup, for applications that keep coordinates and
// angles in integers: conversions, product, quotient, and the cosine and sine of the
// lookup's table. Results that do not fit 32 bits saturate to INT_MIN or INT_MAX.
#pragma once

namespace services {

int to_fixed(double value);       // nearest 16.16 value, halves away from zero; NaN gives 0
double from_fixed(int value);     // exact
int fixed_mul(int a, int b);      // a × b, rounded to nearest (halves upward)
int fixed_div(int a, int b);      // a / b, truncated toward zero; b = 0 saturates by a's sign (0 / 0 = 0)
// Cosine and sine of an angle in tenths of a degree, the 16.16 entries arcs and image
// rotation use; null pointers are skipped. Returns 0.
int fixed_trig(int tenths, int* cos_out, int* sin_out);

}  // namespace services
