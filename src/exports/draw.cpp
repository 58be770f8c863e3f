// Exports of the drawing families. Each one forwards its arguments unchanged to the
// routine that implements it; nothing else belongs here.
#include "rsw32.h"

#include "draw/ellipse.h"
#include "draw/flood.h"

// ---- lines, cursor, dash patterns

// ---- rectangles, boxes, page fills, scrolling

// ---- circles, ellipses, arcs
extern "C" RS_API int rs_arc(int r, int start, int end) { return draw::arc(r, start, end); }
extern "C" RS_API int rs_arcw(double r, int start, int end) { return draw::arc_world(r, start, end); }
extern "C" RS_API int rs_circle(int r) { return draw::circle(r); }
extern "C" RS_API int rs_circlew(double r) { return draw::circle_world(r); }
extern "C" RS_API int rs_circlef(int r) { return draw::circle_filled(r); }
extern "C" RS_API int rs_circlefw(double r) { return draw::circle_filled_world(r); }
extern "C" RS_API int rs_ellipse(int a, int b) { return draw::ellipse(a, b); }
extern "C" RS_API int rs_ellipsew(double a, double b) { return draw::ellipse_world(a, b); }
extern "C" RS_API int rs_ellipsef(int a, int b) { return draw::ellipse_filled(a, b); }
extern "C" RS_API int rs_ellipsfw(double a, double b) { return draw::ellipse_filled_world(a, b); }

// ---- polygons

// ---- flood fill
extern "C" RS_API int rs_flood(int x, int y) { return draw::flood(x, y); }
extern "C" RS_API int rs_floodw(double x, double y) { return draw::flood_world(x, y); }
extern "C" RS_API int rs_paint(int x, int y) { return draw::paint(x, y); }
extern "C" RS_API int rs_paintw(double x, double y) { return draw::paint_world(x, y); }
