// Exports of the 3D pipeline. Each one forwards its arguments unchanged to the routine
// that implements it; nothing else belongs here.
#include "rsw32.h"

#include "three_d/integer.h"
#include "three_d/motion.h"
#include "three_d/primitives.h"
#include "three_d/view.h"

// ---- 3D viewing state and projection
extern "C" RS_API int rs_3Dpov(double x, double y, double z, int xangle, int yangle, int zangle) { return three_d::pov(x, y, z, xangle, yangle, zangle); }
extern "C" RS_API int rs_3Dgetpov(double* x, double* y, double* z, double* fx, double* fy, double* fz) { return three_d::get_pov(x, y, z, fx, fy, fz); }
extern "C" RS_API int rs_3Dbehindviewer(double x, double y, double z, double distance) { return three_d::behind_viewer(x, y, z, distance); }
extern "C" RS_API int rs_3Dgetmatrix(double* m, int which) { return three_d::get_matrix(m, which); }
extern "C" RS_API int rs_3Dsetmatrix(const double* m, int which, int update) { return three_d::set_matrix(m, which, update); }
extern "C" RS_API int rs_3Dproject(const double* in, int* out, int n) { return three_d::project(in, out, n); }
extern "C" RS_API int rs_3Drenderstate(unsigned int flags) { return three_d::render_state(flags); }
extern "C" RS_API int rs_3Dsetzclip(double znear, double zfar) { return three_d::set_zclip(znear, zfar); }
extern "C" RS_API int rs_3Dupvector(double x, double y, double z) { return three_d::up_vector(x, y, z); }
extern "C" RS_API int rs_3Dviewport(int minx, int maxx, int miny, int maxy, double ratio) { return three_d::viewport(minx, maxx, miny, maxy, ratio); }

// ---- 3D motion of viewer and object
extern "C" RS_API int rs_3Daxisangle(double ax, double ay, double az, int angle) { return three_d::axis_angle(ax, ay, az, angle); }
extern "C" RS_API int rs_3Daxisangleobject(double ax, double ay, double az, int angle) { return three_d::axis_angle_object(ax, ay, az, angle); }
extern "C" RS_API int rs_3Dlookat(double x, double y, double z, double tx, double ty, double tz) { return three_d::look_at(x, y, z, tx, ty, tz); }
extern "C" RS_API int rs_3Dmove(double x, double y, double z) { return three_d::move(x, y, z); }
extern "C" RS_API int rs_3Dmoveforward(double d) { return three_d::move_forward(d); }
extern "C" RS_API int rs_3Dmoveforwardobject(double d) { return three_d::move_forward_object(d); }
extern "C" RS_API int rs_3Dmoveobject(double x, double y, double z) { return three_d::move_object(x, y, z); }
extern "C" RS_API int rs_3Dmoveright(double d) { return three_d::move_right(d); }
extern "C" RS_API int rs_3Dmoverightobject(double d) { return three_d::move_right_object(d); }
extern "C" RS_API int rs_3Dmoveup(double d) { return three_d::move_up(d); }
extern "C" RS_API int rs_3Dmoveupobject(double d) { return three_d::move_up_object(d); }
extern "C" RS_API int rs_3Droll(int angle) { return three_d::roll(angle); }
extern "C" RS_API int rs_3Drollobject(int angle) { return three_d::roll_object(angle); }
extern "C" RS_API int rs_3Drotate(double dx, double dy, double dz) { return three_d::rotate(dx, dy, dz); }
extern "C" RS_API int rs_3Drotateobject(double dx, double dy, double dz) { return three_d::rotate_object(dx, dy, dz); }
extern "C" RS_API int rs_3Drotateright(int angle) { return three_d::rotate_right(angle); }
extern "C" RS_API int rs_3Drotaterightobject(int angle) { return three_d::rotate_right_object(angle); }
extern "C" RS_API int rs_3Drotateup(int angle) { return three_d::rotate_up(angle); }
extern "C" RS_API int rs_3Drotateupobject(int angle) { return three_d::rotate_up_object(angle); }
extern "C" RS_API int rs_3Dsetobject(double x, double y, double z, int xangle, int yangle, int zangle) { return three_d::set_object(x, y, z, xangle, yangle, zangle); }
extern "C" RS_API int rs_3Dtransform(const double* in, double* out, int n) { return three_d::transform(in, out, n); }
extern "C" RS_API int rs_3Dtransformobject(const double* in, double* out, int n) { return three_d::transform_object(in, out, n); }

// ---- 3D primitives
extern "C" RS_API int rs_3Dline(double x1, double y1, double z1, double x2, double y2, double z2) { return three_d::line(x1, y1, z1, x2, y2, z2); }
extern "C" RS_API int rs_3Dpolygon(const double* xyz, int n) { return three_d::polygon(xyz, n); }
extern "C" RS_API int rs_3Dpolygonobject(const double* xyz, int n) { return three_d::polygon_object(xyz, n); }
extern "C" RS_API int rs_3Dshade(const double* xyz, const unsigned char* rgb, int n) { return three_d::shade(xyz, rgb, n); }
extern "C" RS_API int rs_3Dshadeobject(const double* xyz, const unsigned char* rgb, int n) { return three_d::shade_object(xyz, rgb, n); }
extern "C" RS_API int rs_3Dtexturemap(const double* xyz, const void* uv, int n) { return three_d::texture_map(xyz, uv, n); }
extern "C" RS_API int rs_3Dtexturemapobject(const double* xyz, const void* uv, int n) { return three_d::texture_map_object(xyz, uv, n); }
extern "C" RS_API int rs_3Dzclip(const double* in, double* out, int n) { return three_d::clip_near(in, out, n); }
extern "C" RS_API int rs_3Dzcliprgb(const double* in, double* out, const unsigned char* rgb_in, unsigned char* rgb_out, int n) { return three_d::clip_near_rgb(in, out, rgb_in, rgb_out, n); }
extern "C" RS_API int rs_3Dzcliptm(const double* in, double* out, const void* uv_in, void* uv_out, int n) { return three_d::clip_near_tm(in, out, uv_in, uv_out, n); }

// ---- integer models
extern "C" RS_API int rs_view3d(int x, int y, int z, int xangle, int yangle) { return three_d::view3d(x, y, z, xangle, yangle); }
extern "C" RS_API int rs_move3d(int* points, int n, int dx, int dy, int dz) { return three_d::move3d(points, n, dx, dy, dz); }
extern "C" RS_API int rs_rotate3d(int* points, int n, int xangle, int yangle, int zangle) { return three_d::rotate3d(points, n, xangle, yangle, zangle); }
extern "C" RS_API int rs_project(const int* points, int* out, int n, int object) { return three_d::project_points(points, out, n, object); }
