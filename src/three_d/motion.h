// Moving and turning the viewer and the object: absolute places, moves along the pose's
// own axes, turns about them, aiming along a direction, and axis-angle orientations.
// Viewer operations end with the view repair and leave the combined matrix as it was;
// object operations end by recomputing it.
#pragma once

namespace three_d {

// rs_3Dsetobject: object at (x, y, z), turned by Rx·Ry·Rz. Returns 0.
int set_object(double x, double y, double z, int xangle, int yangle, int zangle);
// rs_3Dlookat: viewer at (x, y, z) looking at (tx, ty, tz). -1, nothing changed, when the
// points are closer than 1e-3 or their difference is not finite; else 0.
int look_at(double x, double y, double z, double tx, double ty, double tz);

// rs_3Dmove / rs_3Dmoveobject: to the world point. Return 0.
int move(double x, double y, double z);
int move_object(double x, double y, double z);
// Moves by d along the pose's forward (row 2), right (row 0) and up (row 1) axes. Return 0.
int move_forward(double d);
int move_forward_object(double d);
int move_right(double d);
int move_right_object(double d);
int move_up(double d);
int move_up_object(double d);
// Turns by angle (tenths of a degree) in the plane of rows 0 and 1 (roll), 0 and 2
// (rotate right), 1 and 2 (rotate up). Return 0.
int roll(int angle);
int roll_object(int angle);
int rotate_right(int angle);
int rotate_right_object(int angle);
int rotate_up(int angle);
int rotate_up_object(int angle);
// Aims the pose along (dx, dy, dz), upright toward the up vector. -1, nothing changed, for
// a direction shorter than 1e-3 or not finite; else 0.
int rotate(double dx, double dy, double dz);
int rotate_object(double dx, double dy, double dz);
// Replaces the rotation by angle about the axis. -1, nothing changed, for an axis shorter
// than 1e-3 or not finite; else 0.
int axis_angle(double ax, double ay, double az, int angle);
int axis_angle_object(double ax, double ay, double az, int angle);

}  // namespace three_d
