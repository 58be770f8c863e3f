// The 3D primitives: vertices through the view (or combined) matrix, optional clipping
// at the near plane, projection, and the rasterizer the render state chooses.
#pragma once

namespace three_d {

// Most vertices a primitive takes; longer polygons are refused (work storage grows with
// the count up to this).
constexpr int max_primitive_vertices = 1 << 16;

int line(double x1, double y1, double z1, double x2, double y2, double z2);
int polygon(const double* xyz, int n);
int polygon_object(const double* xyz, int n);
int shade(const double* xyz, const unsigned char* rgb, int n);
int shade_object(const double* xyz, const unsigned char* rgb, int n);
int texture_map(const double* xyz, const void* uv, int n);
int texture_map_object(const double* xyz, const void* uv, int n);

// Near-plane clipping of a view-space polygon into out (room for 2n vertices), carrying
// colours or texture coordinates (ints or floats by the texture units flag). Return the
// vertex count: 0 for n < 2, a polygon wholly beyond the far plane or none of it inside.
int clip_near(const double* in, double* out, int n);
int clip_near_rgb(const double* in, double* out, const unsigned char* rgb_in, unsigned char* rgb_out, int n);
int clip_near_tm(const double* in, double* out, const void* uv_in, void* uv_out, int n);

}  // namespace three_d
