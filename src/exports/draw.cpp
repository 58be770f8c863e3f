// Exports of the drawing families. Each one forwards its arguments unchanged to the
// routine that implements it; nothing else belongs here.
#include "rsw32.h"

#include "draw/ellipse.h"

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
