// Lines, the graphics cursor and dash patterns.
#pragma once

namespace draw {

int move(int x, int y);
int move_rel(int dx, int dy);
int move_world(double x, double y);
int move_rel_world(double dx, double dy);
int line_to(int x, int y);
int line_rel(int dx, int dy);
int line_world(double x, double y);
int line_rel_world(double dx, double dy);
int line_xor(int x, int y);
int line_rel_xor(int dx, int dy);
int line_xor_world(double x, double y);
int line_rel_xor_world(double dx, double dy);
int dash(int x, int y, int pattern);
int dash_rel(int dx, int dy, int pattern);
int dash_world(double x, double y, int pattern);
int dash_rel_world(double dx, double dy, int pattern);
int polyline(const int* vertices, int n);

}  // namespace draw
