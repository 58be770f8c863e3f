// Polygon outlines, convex polygon fills and the point-in-polygon test.
#pragma once

namespace draw {

int polygon(const int* x, const int* y, int n);
int polygon_world(const double* x, const double* y, int n);
int poly_fill(const int* vertices, int* work, int n);
int poly_edge(int flag);
int poly_offset(int dx, int dy);
int inside(const int* vertices, int n, int x, int y);

}  // namespace draw
