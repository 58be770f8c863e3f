// The viewer and object matrices as a whole, view-space transformation and projection
// onto the active buffer.
#pragma once

#include <cstdint>

namespace three_d {

// rs_3Dpov: viewer at (x, y, z), turned by Rx·Ry·Rz (tenths of a degree). Returns 0.
int pov(double x, double y, double z, int xangle, int yangle, int zangle);
// rs_3Dgetpov: viewer position and forward axis; null pointers are skipped. Returns 0.
int get_pov(double* x, double* y, double* z, double* fx, double* fy, double* fz);
// rs_3Dbehindviewer: 1 when the point's depth along the forward axis is below distance
// or not comparable (a NaN), else 0.
int behind_viewer(double x, double y, double z, double distance);
// rs_3Dgetmatrix / rs_3Dsetmatrix: 12 doubles by selector 0..6; others do nothing, as does
// a null m. Return 0.
int get_matrix(double* m, int which);
int set_matrix(const double* m, int which, int update);
// rs_3Dtransform / rs_3Dtransformobject: n packed (x, y, z) points through the view or the
// combined matrix. out may be in itself. Nothing for n <= 0 or a null array. Return 0.
int transform(const double* in, double* out, int n);
int transform_object(const double* in, double* out, int n);
// rs_3Dproject: n view-space points to screen pairs. A coordinate that is not a number or
// does not fit an int is stored as INT_MIN and the call returns -1; otherwise 0.
int project(const double* in, int* out, int n);
// rs_3Dviewport: projection scale ratio × width and centre from an inclusive rectangle.
// -1, with nothing changed, for an inverted rectangle; else 0.
int viewport(int minx, int maxx, int miny, int maxy, double ratio);
// rs_3Dsetzclip, rs_3Drenderstate, rs_3Dupvector: stored as given. Return 0.
int set_zclip(double znear, double zfar);
int render_state(uint32_t flags);
int up_vector(double x, double y, double z);

}  // namespace three_d
