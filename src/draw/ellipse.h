// Circles, ellipses and arcs centred on the graphics cursor, and the boundary generator
// they share.
#pragma once

#include <cstdint>

namespace draw {

// Largest semi-axis accepted: its square still fits in 31 bits.
constexpr int max_semi_axis = 46340;

// Midpoint ellipse: walks the first quadrant of the ellipse with semi-axes a and b
// (1 ≤ a, b ≤ max_semi_axis) from (0, b) to (x, 0), calling emit(x, y) for every boundary
// point relative to the centre. x never decreases and y never increases, so the last
// point emitted on a row has that row's largest x; a row may be emitted several times
// while the slope is shallow (region 1), once per step where it is steep (region 2).
//
// The squares are 32-bit, the decision terms 64-bit; px and py are the gradient terms
// 2·b²·x and 2·a²·y, and d the decision variable scaled by 4. Ties: d = 0 steps y in
// region 1 and does not step x in region 2.
template <class Emit>
void midpoint_boundary(int a, int b, Emit&& emit) {
    const int32_t a2 = a * a, b2 = b * b;
    int x = 0, y = b;
    int64_t px = 0;
    int64_t py = 2 * int64_t(a2) * b;
    int64_t d = a2 / 4 + int64_t(b2) - int64_t(a2) * b;
    while (px < py) {
        emit(x, y);
        if (d >= 0) {
            --y;
            py -= 2 * int64_t(a2);
            d -= py;
        }
        ++x;
        px += 2 * int64_t(b2);
        d += px + b2;
    }
    // Moving the decision point from (x + 1, y − ½) to (x + ½, y − 1). floor(3t / 2) is
    // t + (t >> 1), formed in 64 bits: with both squares near 2³¹ the 32-bit sum would wrap.
    const int32_t t = a2 - b2;
    d += (int64_t(t) + (t >> 1) - px - py) >> 1;
    do {
        emit(x, y);
        if (d < 0) {
            ++x;
            px += 2 * int64_t(b2);
            d += px;
        }
        --y;
        py -= 2 * int64_t(a2);
        d -= py - a2;
    } while (y >= 0);
}

int ellipse(int a, int b);
int ellipse_filled(int a, int b);
int circle(int r);
int circle_filled(int r);
int arc(int r, int start, int end);
int ellipse_world(double a, double b);
int ellipse_filled_world(double a, double b);
int circle_world(double r);
int circle_filled_world(double r);
int arc_world(double r, int start, int end);

}  // namespace draw
