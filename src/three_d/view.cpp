// The viewing state as a whole: placing the viewer by angles, reading and writing the
// matrices, the transformation of point arrays into view space and their perspective
// projection onto the active buffer. Also the steps the motions share with it: the
// repairs after a change and the two ways of building a rotation.
//
// Every product and sum is written in the order that fixes its rounding (see vec.h); the
// build compiles this family without fused multiply-adds.
#include "three_d/view.h"

#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "services/trig.h"
#include "three_d/internal.h"
#include "three_d/state.h"

namespace three_d {

void view_repair() {
    State& s = state();
    for (int i = 0; i < 3; ++i) s.view.m[i][3] = dot(s.view.row(i), s.viewer_offset);
}

void object_repair() {
    State& s = state();
    s.combined = compose(s.view, s.object);
}

void finish_move(Pose p) {
    if (p.viewer) {
        view_repair();
        return;
    }
    p.m.set_translation(p.position);
    object_repair();
}

void finish_turn(Pose p) {
    if (p.viewer)
        view_repair();
    else
        object_repair();
}

void move_to(Pose pose, Vec3 p) {
    pose.position = pose.viewer ? -p : p;
    finish_move(pose);
}

void set_rotation(Mat34& m, const Mat34& r) {
    for (int i = 0; i < 3; ++i) m.set_row(i, r.row(i));
}

Mat34 rotation_from_angles(int xangle, int yangle, int zangle) {
    const auto [ca, sa] = services::cos_sin(xangle);
    const auto [cb, sb] = services::cos_sin(yangle);
    const auto [cc, sc] = services::cos_sin(zangle);
    Mat34 r;
    r.set_row(0, {cb * cc, -(cb * sc), sb});
    r.set_row(1, {sa * sb * cc + ca * sc, ca * cc - sa * sb * sc, -(sa * cb)});
    r.set_row(2, {sa * sc - ca * sb * cc, ca * sb * sc + sa * cc, ca * cb});
    return r;
}

bool rotation_toward(Vec3 d, Vec3 u, Mat34& r) {
    const double d2 = dot(d, d);
    if (!usable_length2(d2)) return false;
    const Vec3 f = d / std::sqrt(d2);
    // The up vector less its part along f; then e_y and e_z less theirs, each written
    // out as the components it leaves (negated products, so zeros keep their signs).
    Vec3 w = u - dot(f, u) * f;
    if (!usable_length2(dot(w, w))) w = {-(f.y * f.x), 1.0 - f.y * f.y, -(f.y * f.z)};
    if (!usable_length2(dot(w, w))) w = {-(f.z * f.x), -(f.z * f.y), 1.0 - f.z * f.z};
    if (!usable_length2(dot(w, w))) return false;  // not reached: f is a unit vector
    const Vec3 up = w / std::sqrt(dot(w, w));
    r.set_row(0, cross(up, f));
    r.set_row(1, up);
    r.set_row(2, f);
    return true;
}

int pov(double x, double y, double z, int xangle, int yangle, int zangle) {
    const Pose viewer = viewer_pose();
    set_rotation(viewer.m, rotation_from_angles(xangle, yangle, zangle));
    move_to(viewer, {x, y, z});
    return 0;
}

int get_pov(double* x, double* y, double* z, double* fx, double* fy, double* fz) {
    const State& s = state();
    const Vec3 at = -s.viewer_offset, forward = s.view.row(2);
    if (x) *x = at.x;
    if (y) *y = at.y;
    if (z) *z = at.z;
    if (fx) *fx = forward.x;
    if (fy) *fy = forward.y;
    if (fz) *fz = forward.z;
    return 0;
}

int behind_viewer(double x, double y, double z, double distance) {
    const State& s = state();
    const double depth = dot(Vec3{x, y, z} + s.viewer_offset, s.view.row(2));
    return depth >= distance ? 0 : 1;  // a NaN compares false: behind
}

namespace {

Mat34 load(const double* m) {
    Mat34 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j) r.m[i][j] = m[4 * i + j];
    return r;
}

Mat34 with_translation(Mat34 r, Vec3 t) {
    r.set_translation(t);
    return r;
}

}  // namespace

int get_matrix(double* m, int which) {
    if (!m) return 0;
    const State& s = state();
    Mat34 r;
    switch (which) {
    case 0: r = with_translation(s.object, {}); break;
    case 1: r = with_translation(Mat34{}, s.object_position); break;
    case 2: r = s.object; break;
    case 3: r = with_translation(s.view, {}); break;
    case 4: r = with_translation(Mat34{}, s.viewer_offset); break;
    case 5: r = s.view; break;
    case 6: r = s.combined; break;
    default: return 0;
    }
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j) m[4 * i + j] = r.m[i][j];
    return 0;
}

int set_matrix(const double* m, int which, int update) {
    if (!m || which < 0 || which > 6) return 0;
    State& s = state();
    const Mat34 in = load(m);
    switch (which) {
    case 0: set_rotation(s.object, in); break;
    case 1: s.object_position = in.translation(); break;
    case 2: s.object = in; break;
    case 3: set_rotation(s.view, in); break;
    case 4: s.viewer_offset = in.translation(); break;
    case 5: s.view = in; break;
    default: s.combined = in; return 0;  // 6: nothing follows from it
    }
    if (!update) return 0;
    if (which == 0 || which == 1) s.object.set_translation(s.object_position);
    if (which == 3 || which == 4) view_repair();
    object_repair();
    return 0;
}

namespace {

// Each point is read whole before its image is written, so out may be in itself.
void transform_points(const Mat34& matrix, const double* in, double* out, int n) {
    if (n <= 0 || !in || !out) return;
    const Mat34 m = matrix;  // a copy the stores into out cannot alias
    const std::size_t count = std::size_t(n);
    for (std::size_t i = 0; i < count; ++i, in += 3, out += 3) {
        const Vec3 v = m.apply({in[0], in[1], in[2]});
        out[0] = v.x;
        out[1] = v.y;
        out[2] = v.z;
    }
}

// round(v) + center, rounded to the nearest integer with ties to even (std::rint in the
// default rounding mode). The double sum is exact wherever it can fit an int, so one
// range check before the conversion covers the rounding and the centre; a NaN fails it.
int screen(double v, int center, bool& fits) {
    const double s = std::rint(v) + double(center);
    if (s >= -2147483648.0 && s <= 2147483647.0) return int(s);
    fits = false;
    return INT_MIN;
}

}  // namespace

int transform(const double* in, double* out, int n) {
    transform_points(state().view, in, out, n);
    return 0;
}

int transform_object(const double* in, double* out, int n) {
    transform_points(state().combined, in, out, n);
    return 0;
}

int project(const double* in, int* out, int n) {
    if (n <= 0 || !in || !out) return 0;
    const State& s = state();
    const double scale_x = s.scale_x, scale_y = s.scale_y;
    const int center_x = s.center_x, center_y = s.center_y;
    bool fits = true;
    const std::size_t count = std::size_t(n);
    for (std::size_t i = 0; i < count; ++i, in += 3, out += 2) {
        const double r = 1.0 / in[2];
        out[0] = screen(in[0] * r * scale_x, center_x, fits);
        out[1] = screen(in[1] * r * scale_y, center_y, fits);
    }
    return fits ? 0 : -1;
}

int viewport(int minx, int maxx, int miny, int maxy, double ratio) {
    if (maxx < minx || maxy < miny) return -1;
    State& s = state();
    const int64_t w = int64_t(maxx) - minx + 1, h = int64_t(maxy) - miny + 1;  // 1 .. 2^32
    s.scale_x = ratio * double(w);
    s.scale_y = -(ratio * double(w));  // the width again: both axes share one scale
    s.center_x = int(minx + w / 2);    // between minx and maxx, so it fits
    s.center_y = int(miny + h / 2);
    return 0;
}

int set_zclip(double znear, double zfar) {
    State& s = state();
    s.znear = znear;
    s.zfar = zfar;
    return 0;
}

int render_state(uint32_t flags) {
    state().render = flags;
    return 0;
}

int up_vector(double x, double y, double z) {
    state().up = {x, y, z};
    return 0;
}

}  // namespace three_d
