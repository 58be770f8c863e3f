// Integer companions of the 3D pipeline: models kept as packed (x, y, z) ints, moved and
// turned in place, and carried through the view to the screen in one call.
#pragma once

namespace three_d {

// rs_view3d: the viewer at (x, y, z) turned by Rx(xangle)·Ry(yangle), no roll.
int view3d(int x, int y, int z, int xangle, int yangle);
// rs_move3d / rs_rotate3d: n points in place, saturating to int; -1 when any saturated.
int move3d(int* points, int n, int dx, int dy, int dz);
int rotate3d(int* points, int n, int xangle, int yangle, int zangle);
// rs_project: n world (object: through the combined matrix) points to screen pairs;
// points not beyond the near distance give INT_MIN pairs and the result -1.
int project_points(const int* points, int* out, int n, int object);

}  // namespace three_d
