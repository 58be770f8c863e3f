// Steps shared by the viewing and motion families: the two poses, the repairs that keep
// the translation column and the combined matrix in step, and the two ways of building
// a rotation.
#pragma once

#include <limits>

#include "three_d/state.h"
#include "three_d/vec.h"

namespace three_d {

// What a motion acts on. The viewer keeps its position negated (the offset added to a
// world point before the rotation); the object keeps it as it is.
struct Pose {
    Mat34& m;
    Vec3& position;  // viewer: the offset o = −position; object: the position q
    bool viewer;
};

inline Pose viewer_pose() { return {state().view, state().viewer_offset, true}; }
inline Pose object_pose() { return {state().object, state().object_position, false}; }

// View repair: V[i][3] := row i of V · o.
void view_repair();
// Object repair: combined := V·O.
void object_repair();

// Puts the pose at world point p (the viewer's offset becomes −p), then finish_move.
void move_to(Pose pose, Vec3 p);

// Closing step after the position changed: the viewer's translation follows from its
// offset; the object's translation becomes its position, then the combined matrix.
void finish_move(Pose p);
// Closing step after the rotation changed: the object keeps its translation column.
void finish_turn(Pose p);

// Rx·Ry·Rz from three angles in tenths of a degree; translation column zero.
Mat34 rotation_from_angles(int xangle, int yangle, int zangle);

// Directions and axes shorter than this (squared) are refused.
constexpr double min_length2 = 1e-6;

// True for a squared length that can be divided by: not below min_length2, and finite.
// A not-a-number or overflowing length would fill a matrix with non-numbers, so it is
// refused with the short ones.
inline bool usable_length2(double len2) {
    return len2 >= min_length2 && len2 <= std::numeric_limits<double>::max();
}

// Rotation rows (right, up, forward) for the forward direction d, upright toward the up
// vector u, falling back to the world y axis and then the world z axis when u is (nearly)
// parallel to d. False, with r untouched, when d is refused by usable_length2.
bool rotation_toward(Vec3 d, Vec3 u, Mat34& r);

// Copies the rotation (columns 0..2) of r into m; m's translation column stays.
void set_rotation(Mat34& m, const Mat34& r);

}  // namespace three_d
