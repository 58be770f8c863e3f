// Exports of the shaded, depth-tested and textured rasterizers, the z-buffer and the
// texture manager. Each one forwards its arguments unchanged to the routine that
// implements it; nothing else belongs here.
#include "rsw32.h"

#include "raster/fill.h"
#include "raster/texture.h"
#include "raster/zbuffer.h"

// ---- Gouraud shading and z-buffer
extern "C" RS_API void* rs_zballoc(int width, int height) { return raster::zb_alloc(width, height); }
extern "C" RS_API int rs_zbfree(void* zb) { return raster::zb_free(zb); }
extern "C" RS_API int rs_zbopen(void* zb) { return raster::zb_open(zb); }
extern "C" RS_API int rs_zbframe(void) { return raster::zb_frame(); }
extern "C" RS_API int rs_polyfilz(const int* xy, const double* xyz, int n) { return raster::polyfill_z(xy, xyz, n); }
extern "C" RS_API int rs_gouraud(const int* xy, const unsigned char* rgb, int n) { return raster::gouraud(xy, rgb, n); }
extern "C" RS_API int rs_gouraudz(const int* xy, const unsigned char* rgb, const double* xyz, int n) { return raster::gouraud_z(xy, rgb, xyz, n); }
extern "C" RS_API int rs_drawz(int x, int y, double zstart, double zend) { return raster::draw_z(x, y, zstart, zend); }

// ---- texture mapping
extern "C" RS_API int rs_tminit(int count) { return raster::tm_init(count); }
extern "C" RS_API int rs_tmdefine(void* texels, int width, int height) { return raster::tm_define(texels, width, height); }
extern "C" RS_API int rs_tmselect(int index) { return raster::tm_select(index); }
extern "C" RS_API int rs_tmfree(int index) { return raster::tm_free(index); }
extern "C" RS_API int rs_tmevict(void) { return raster::tm_evict(); }
extern "C" RS_API int rs_tmspan(int n) { return raster::tm_span(n); }
extern "C" RS_API int rs_tmtransparency(int flag) { return raster::tm_transparency(flag); }
extern "C" RS_API int rs_tmunits(int flag) { return raster::tm_units(flag); }
extern "C" RS_API int rs_texmap(const int* xy, const void* uv, int n) { return raster::texmap(xy, uv, n); }
extern "C" RS_API int rs_texmapp(const int* xy, const void* uv, const double* xyz, int n) { return raster::texmap_p(xy, uv, xyz, n); }
extern "C" RS_API int rs_texmapz(const int* xy, const void* uv, const double* xyz, int n) { return raster::texmap_z(xy, uv, xyz, n); }
extern "C" RS_API int rs_texmappz(const int* xy, const void* uv, const double* xyz, int n) { return raster::texmap_pz(xy, uv, xyz, n); }
