// Motions of the viewer and the object. Each is written once over the pose it acts on
// (three_d/internal.h); the viewer and object twins differ only in that pose.
//
// Turns rotate two rows in their own plane and never re-orthonormalise, so rounding drift
// builds up over many of them; the absolute, aiming and axis-angle operations rebuild an
// orthonormal rotation.
#include "three_d/motion.h"

#include <cmath>

#include "services/trig.h"
#include "three_d/internal.h"
#include "three_d/state.h"

namespace three_d {
namespace {

constexpr int right = 0, up = 1, forward = 2;  // rows of a pose's rotation

// The viewer's position is kept negated, so subtracting d·R moves it d along +R; the
// object moves the other way for the same d and axis.
int move_along(Pose p, int axis, double d) {
    p.position = p.position - d * p.m.row(axis);
    finish_move(p);
    return 0;
}

// Ra := c·Ra + s·Rb and Rb := c·Rb − s·Ra, both from the old rows. With `negate` the sine
// enters negated, which gives c·Ra − s·Rb and c·Rb + s·Ra with the same roundings.
int turn(Pose p, int a, int b, int angle, bool negate) {
    const services::CosSin<double> v = services::cos_sin(angle);
    const double c = v.cos, s = negate ? -v.sin : v.sin;
    const Vec3 ra = p.m.row(a), rb = p.m.row(b);
    p.m.set_row(a, c * ra + s * rb);
    p.m.set_row(b, c * rb - s * ra);
    finish_turn(p);
    return 0;
}

int aim(Pose p, Vec3 d) {
    Mat34 r;
    if (!rotation_toward(d, state().up, r)) return -1;
    set_rotation(p.m, r);
    finish_turn(p);
    return 0;
}

// t·a·aᵀ + c·I with the skew terms of the transposed right-handed rotation, which turns
// the pose the same way as the incremental turns: about +y it matches rotate right.
int orient_by_axis(Pose p, Vec3 axis, int angle) {
    const double len2 = dot(axis, axis);
    if (!usable_length2(len2)) return -1;
    const Vec3 a = axis / std::sqrt(len2);
    const services::CosSin<double> v = services::cos_sin(angle);
    const double c = v.cos, s = v.sin, t = 1.0 - c;
    Mat34 r;
    r.set_row(0, {t * (a.x * a.x) + c, t * a.x * a.y + s * a.z, t * a.x * a.z - s * a.y});
    r.set_row(1, {t * a.x * a.y - s * a.z, t * (a.y * a.y) + c, t * a.y * a.z + s * a.x});
    r.set_row(2, {t * a.x * a.z + s * a.y, t * a.y * a.z - s * a.x, t * (a.z * a.z) + c});
    set_rotation(p.m, r);
    finish_turn(p);
    return 0;
}

}  // namespace

int set_object(double x, double y, double z, int xangle, int yangle, int zangle) {
    const Pose object = object_pose();
    set_rotation(object.m, rotation_from_angles(xangle, yangle, zangle));
    move_to(object, {x, y, z});
    return 0;
}

int look_at(double x, double y, double z, double tx, double ty, double tz) {
    const Vec3 eye{x, y, z};
    Mat34 r;
    if (!rotation_toward(Vec3{tx, ty, tz} - eye, state().up, r)) return -1;
    const Pose viewer = viewer_pose();
    set_rotation(viewer.m, r);
    move_to(viewer, eye);
    return 0;
}

int move(double x, double y, double z) {
    move_to(viewer_pose(), {x, y, z});
    return 0;
}
int move_object(double x, double y, double z) {
    move_to(object_pose(), {x, y, z});
    return 0;
}

int move_forward(double d) { return move_along(viewer_pose(), forward, d); }
int move_forward_object(double d) { return move_along(object_pose(), forward, d); }
int move_right(double d) { return move_along(viewer_pose(), right, d); }
int move_right_object(double d) { return move_along(object_pose(), right, d); }
int move_up(double d) { return move_along(viewer_pose(), up, d); }
int move_up_object(double d) { return move_along(object_pose(), up, d); }

int roll(int angle) { return turn(viewer_pose(), right, up, angle, false); }
int roll_object(int angle) { return turn(object_pose(), right, up, angle, false); }
int rotate_right(int angle) { return turn(viewer_pose(), right, forward, angle, true); }
int rotate_right_object(int angle) { return turn(object_pose(), right, forward, angle, true); }
int rotate_up(int angle) { return turn(viewer_pose(), up, forward, angle, true); }
int rotate_up_object(int angle) { return turn(object_pose(), up, forward, angle, true); }

int rotate(double dx, double dy, double dz) { return aim(viewer_pose(), {dx, dy, dz}); }
int rotate_object(double dx, double dy, double dz) { return aim(object_pose(), {dx, dy, dz}); }

int axis_angle(double ax, double ay, double az, int angle) {
    return orient_by_axis(viewer_pose(), {ax, ay, az}, angle);
}
int axis_angle_object(double ax, double ay, double az, int angle) {
    return orient_by_axis(object_pose(), {ax, ay, az}, angle);
}

}  // namespace three_d
