// Cosine and sine of angles in tenths of a degree in double precision, read from a
// quarter-turn table of cosines. Every angle of the 3D pipeline turns into a cosine and a
// sine here and nowhere else, so angles a whole number of turns apart give the same values.
#pragma once

#include <array>

#include "services/angle.h"

namespace services {

// cos(k × 0.1°) for k = 0..900, each the double nearest the exact cosine: 1.0 at 0,
// exactly 0.0 at 900. Sines are read backwards: sin(k × 0.1°) = cos_table[900 − k].
extern const std::array<double, quarter_turn + 1> cos_table;

// The quadrant steps of the 16.16 lookup over the double table. Its wrapping (negative
// angles up to 0..3599, larger ones down to 1..3600, so 3600 stays) and its mirroring are
// the ones wanted here, and it negates entries with unary minus, so where a step negates a
// zero entry the result is a negative zero: 3600 gives the sine −0.0 where 0 gives +0.0.
inline CosSin<double> cos_sin(int tenths) { return angle_lookup(cos_table, tenths); }

// rs_trig: stores the cosine and the sine of any angle (tenths of a degree); a null
// pointer is skipped. Returns 0.
int trig(int tenths, double* cos_out, double* sin_out);

}  // namespace services
