// Integer models: the same rotations and matrices as the double pipeline, each result
// rounded to the nearest int (ties to even, as projection rounds) and held to the int
// range, so a model can be turned and moved without a double copy of it.
#include "three_d/integer.h"

#include <climits>
#include <cmath>
#include <cstddef>

#include "three_d/internal.h"
#include "three_d/view.h"

namespace three_d {
namespace {

// v rounded and held to the int range; fits turns false when it had to be held.
int held(double v, bool& fits) {
    const double r = std::rint(v);
    if (r >= -2147483648.0 && r <= 2147483647.0) return int(r);
    fits = false;
    return r > 0 ? INT_MAX : INT_MIN;
}

}  // namespace

int view3d(int x, int y, int z, int xangle, int yangle) { return pov(x, y, z, xangle, yangle, 0); }

int move3d(int* points, int n, int dx, int dy, int dz) {
    if (!points || n <= 0) return 0;
    bool fits = true;
    const double d[3] = {double(dx), double(dy), double(dz)};
    for (size_t i = 0; i < size_t(n) * 3; ++i) points[i] = held(double(points[i]) + d[i % 3], fits);
    return fits ? 0 : -1;
}

int rotate3d(int* points, int n, int xangle, int yangle, int zangle) {
    if (!points || n <= 0) return 0;
    const Mat34 r = rotation_from_angles(xangle, yangle, zangle);
    bool fits = true;
    for (size_t i = 0; i < size_t(n); ++i, points += 3) {
        const Vec3 v = r.apply({double(points[0]), double(points[1]), double(points[2])});
        points[0] = held(v.x, fits), points[1] = held(v.y, fits), points[2] = held(v.z, fits);
    }
    return fits ? 0 : -1;
}

int project_points(const int* points, int* out, int n, int object) {
    if (!points || !out || n <= 0) return 0;
    const double znear = state().znear;
    int result = 0;
    double world[3], view[3];
    for (size_t i = 0; i < size_t(n); ++i, points += 3, out += 2) {
        for (int k = 0; k < 3; ++k) world[k] = double(points[k]);
        object ? transform_object(world, view, 1) : transform(world, view, 1);
        if (!(view[2] > znear)) {
            out[0] = out[1] = INT_MIN;
            result = -1;
        } else if (project(view, out, 1) != 0) {
            result = -1;
        }
    }
    return result;
}

}  // namespace three_d
