// Angle lookup by tenths of a degree: cosine and sine read from a quarter-turn table of
// cosines instead of computed. Arcs and image rotation use the 16.16 fixed-point table
// here; the double-precision lookup takes the same steps over a table of doubles, so the
// steps are a template over the table's element type.
//
// Angles run counterclockwise from the positive x axis; a full turn is 3600.
#pragma once

#include <array>
#include <cstdint>

namespace services {

constexpr int quarter_turn = 900;  // tenths of a degree
constexpr int full_turn = 3600;

// cos(k × 0.1°) as 16.16 fixed point, rounded to nearest: 65536 for k = 0, 0 for k = 900.
// Sines are read backwards: sin(k × 0.1°) = cos_table_fx16[900 − k].
extern const std::array<int32_t, quarter_turn + 1> cos_table_fx16;

template <class V>
struct CosSin {
    V cos, sin;
};

// Brings any angle into 0..3600 as repeated turns would: negative angles gain whole
// turns until they are not negative, larger ones lose them until they are at most 3600,
// so 3600 itself stays 3600 while -3600 becomes 0. Done by remainder, so huge angles cost
// no more than small ones.
constexpr int normalise_tenths(int t) {
    if (t < 0) {
        t %= full_turn;
        if (t < 0) t += full_turn;
    } else if (t > full_turn) {
        t = (t - 1) % full_turn + 1;
    }
    return t;
}

// Cosine and sine of t (any angle, tenths of a degree) from a table T of the first
// quarter turn, entry k = cos(k × 0.1°), mirrored into the other quadrants.
template <class V>
CosSin<V> angle_lookup(const std::array<V, quarter_turn + 1>& T, int t) {
    t = normalise_tenths(t);
    if (t <= 900) return {T[t], T[900 - t]};
    if (t <= 1800) return {V(-T[1800 - t]), T[t - 900]};
    const int u = 3600 - t;
    if (u <= 900) return {T[u], V(-T[900 - u])};
    return {V(-T[t - 1800]), V(-T[2700 - t])};
}

// The 16.16 lookup of arcs and image rotation.
inline CosSin<int32_t> angle_fx16(int tenths) { return angle_lookup(cos_table_fx16, tenths); }

}  // namespace services
