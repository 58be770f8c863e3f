// Flood fill: the 4-connected area of the seed pixel's colour, refilled with the current
// colour.
#pragma once

namespace draw {

int flood(int x, int y);
int flood_world(double x, double y);
int paint(int x, int y);
int paint_world(double x, double y);

}  // namespace draw
