// Screen-space polygon fills with depth test, shading and textures. All take n screen
// vertices (pairs of ints, the polygon offsets added) and return 0.
#pragma once

namespace raster {

int polyfill_z(const int* xy, const double* xyz, int n);
int gouraud(const int* xy, const unsigned char* rgb, int n);
int gouraud_z(const int* xy, const unsigned char* rgb, const double* xyz, int n);
int texmap(const int* xy, const void* uv, int n);
int texmap_p(const int* xy, const void* uv, const double* xyz, int n);
int texmap_z(const int* xy, const void* uv, const double* xyz, int n);
int texmap_pz(const int* xy, const void* uv, const double* xyz, int n);

// rs_drawz: a depth-tested line from the graphics cursor (at depth zstart) to (x, y) (at
// depth zend); the cursor then moves to (x, y). Returns 0.
int draw_z(int x, int y, double zstart, double zend);

}  // namespace raster
