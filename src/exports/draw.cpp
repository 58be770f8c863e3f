// Exports of the drawing families. Each one forwards its arguments unchanged to the
// routine that implements it; nothing else belongs here.
#include "rsw32.h"

#include "draw/ellipse.h"
#include "draw/flood.h"
#include "draw/line.h"
#include "draw/pattern.h"
#include "draw/polygon.h"
#include "draw/rect.h"

// ---- lines, cursor, dash patterns
extern "C" RS_API int rs_move(int x, int y) { return draw::move(x, y); }
extern "C" RS_API int rs_moverel(int dx, int dy) { return draw::move_rel(dx, dy); }
extern "C" RS_API int rs_movew(double x, double y) { return draw::move_world(x, y); }
extern "C" RS_API int rs_moverw(double dx, double dy) { return draw::move_rel_world(dx, dy); }
extern "C" RS_API int rs_draw(int x, int y) { return draw::line_to(x, y); }
extern "C" RS_API int rs_drawrel(int dx, int dy) { return draw::line_rel(dx, dy); }
extern "C" RS_API int rs_draww(double x, double y) { return draw::line_world(x, y); }
extern "C" RS_API int rs_drawrw(double dx, double dy) { return draw::line_rel_world(dx, dy); }
extern "C" RS_API int rs_drawx(int x, int y) { return draw::line_xor(x, y); }
extern "C" RS_API int rs_drawrelx(int dx, int dy) { return draw::line_rel_xor(dx, dy); }
extern "C" RS_API int rs_drawxw(double x, double y) { return draw::line_xor_world(x, y); }
extern "C" RS_API int rs_drawrxw(double dx, double dy) { return draw::line_rel_xor_world(dx, dy); }
extern "C" RS_API int rs_dash(int x, int y, int pattern) { return draw::dash(x, y, pattern); }
extern "C" RS_API int rs_dashrel(int dx, int dy, int pattern) { return draw::dash_rel(dx, dy, pattern); }
extern "C" RS_API int rs_dashw(double x, double y, int pattern) { return draw::dash_world(x, y, pattern); }
extern "C" RS_API int rs_dashrw(double dx, double dy, int pattern) { return draw::dash_rel_world(dx, dy, pattern); }
extern "C" RS_API int rs_polyline(const int* vertices, int n) { return draw::polyline(vertices, n); }

// ---- rectangles, boxes, page fills, scrolling
extern "C" RS_API int rs_rect(int minx, int maxx, int miny, int maxy) { return draw::rect(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_rectw(double minx, double maxx, double miny, double maxy) { return draw::rect_world(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_rectx(int minx, int maxx, int miny, int maxy) { return draw::rect_xor(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_clprect(int minx, int maxx, int miny, int maxy) { return draw::clip_rect(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_clprectw(double minx, double maxx, double miny, double maxy) { return draw::clip_rect_world(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_clprectx(int minx, int maxx, int miny, int maxy) { return draw::clip_rect_xor(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_box(int minx, int maxx, int miny, int maxy) { return draw::box(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_boxw(double minx, double maxx, double miny, double maxy) { return draw::box_world(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_boxx(int minx, int maxx, int miny, int maxy) { return draw::box_xor(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_boxxw(double minx, double maxx, double miny, double maxy) { return draw::box_xor_world(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_boxdepth(int xdepth, int ydepth) { return draw::box_depth(xdepth, ydepth); }
extern "C" RS_API int rs_drect(int minx, int maxx, int miny, int maxy, const unsigned char* matrix) { return draw::dither_rect(minx, maxx, miny, maxy, matrix); }
extern "C" RS_API int rs_drectw(double minx, double maxx, double miny, double maxy, const unsigned char* matrix) { return draw::dither_rect_world(minx, maxx, miny, maxy, matrix); }
extern "C" RS_API int rs_erase(void) { return draw::erase(); }
extern "C" RS_API int rs_fillpage(void) { return draw::fill_page(); }
extern "C" RS_API int rs_scroll(int minx, int maxx, int miny, int maxy, int jump, int type) { return draw::scroll(minx, maxx, miny, maxy, jump, type); }
extern "C" RS_API int rs_copypage(int source, int dest) { return draw::copy_page(source, dest); }
extern "C" RS_API int rs_invert(unsigned char* map, int width, int height) { return draw::invert(map, width, height); }
extern "C" RS_API int rs_gethpage(void) { return draw::get_hpage(); }

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
extern "C" RS_API int rs_polygon(const int* x, const int* y, int n) { return draw::polygon(x, y, n); }
extern "C" RS_API int rs_polygonw(const double* x, const double* y, int n) { return draw::polygon_world(x, y, n); }
extern "C" RS_API int rs_polyfill(const int* vertices, int* work, int n) { return draw::poly_fill(vertices, work, n); }
extern "C" RS_API int rs_polyedge(int flag) { return draw::poly_edge(flag); }
extern "C" RS_API int rs_polyoff(int dx, int dy) { return draw::poly_offset(dx, dy); }
extern "C" RS_API int rs_inside(const int* vertices, int n, int x, int y) { return draw::inside(vertices, n, x, y); }

// ---- flood fill
extern "C" RS_API int rs_flood(int x, int y) { return draw::flood(x, y); }
extern "C" RS_API int rs_floodw(double x, double y) { return draw::flood_world(x, y); }
extern "C" RS_API int rs_paint(int x, int y) { return draw::paint(x, y); }
extern "C" RS_API int rs_paintw(double x, double y) { return draw::paint_world(x, y); }

// ---- textured fills
extern "C" RS_API int rs_texture(int handle, int flags) { return draw::texture(handle, flags); }
