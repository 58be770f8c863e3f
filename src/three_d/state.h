// State of the 3D pipeline: one viewer, one object pose, the projection onto the active
// buffer, the z-clip distances and the render flags.
#pragma once

#include <cstdint>

#include "three_d/vec.h"

namespace three_d {

// Render state bits, read by the 3D primitives.
constexpr uint32_t perspective_texture = 1;  // perspective-correct texture mappers
constexpr uint32_t wireframe = 2;            // polygons drawn as closed outlines
constexpr uint32_t zbuffer = 4;              // depth-buffered rasterizers
constexpr uint32_t zclip = 8;                // clip at the near plane, reject beyond the far one

// View space is left-handed: x right, y up, z forward away from the viewer.
struct State {
    Mat34 view;                     // world to view; rows: the viewer's right, up, forward
    Vec3 viewer_offset;             // the negated viewer position
    Vec3 up{0.0, 1.0, 0.0};         // world up, for aiming along a direction
    Mat34 object;                   // object to world
    Vec3 object_position;           // column 3 of the object matrix after object operations
    Mat34 combined;                 // view · object, recomputed only by object operations
    double scale_x = 0.0;           // projection scale in pixels per unit of x/z;
    double scale_y = 0.0;           // scale_y = −scale_x, so view +y goes up the screen
    int center_x = 0, center_y = 0;  // screen point of the view axis
    double znear = 1.0;             // view z of the near clip plane
    double zfar = 1000.0;           // primitives wholly beyond this z are rejected
    uint32_t render = 0;            // render state bits above; others stored and ignored
};

inline State& state() {
    static State s;
    return s;
}

// rs_vbinit: the values above (which the state also holds before it).
void init_state();

}  // namespace three_d
