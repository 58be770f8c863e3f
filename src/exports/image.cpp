// Exports of the image families. Each one forwards its arguments unchanged to the
// routine that implements it; nothing else belongs here.
#include "rsw32.h"

#include "image/transfer.h"

// ---- mode-specific images

// ---- block transfers between virtual buffers
extern "C" RS_API int rs_vbcopy(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest) { return image::vb_copy(minx, maxx, miny, maxy, newx, newy, source, dest); }
extern "C" RS_API int rs_vbtcopy(int minx, int maxx, int miny, int maxy, int newx, int newy, int tcolor, int source, int dest) { return image::vb_copy_keyed(minx, maxx, miny, maxy, newx, newy, tcolor, source, dest); }
extern "C" RS_API int rs_vbtccopy(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest) { return image::vb_copy_table(minx, maxx, miny, maxy, newx, newy, source, dest); }
extern "C" RS_API int rs_vbtzcopy(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest) { return image::vb_copy_nonzero(minx, maxx, miny, maxy, newx, newy, source, dest); }
extern "C" RS_API int rs_tcdefine(int index, int attribute) { return image::tc_define(index, attribute); }
extern "C" RS_API int rs_cut(const unsigned char* large, unsigned char* small, int x, int y, int large_width, int width, int height) { return image::cut(large, small, x, y, large_width, width, height); }
extern "C" RS_API int rs_paste(unsigned char* large, const unsigned char* small, int x, int y, int large_width, int width, int height) { return image::paste(large, small, x, y, large_width, width, height); }

// ---- monochrome bitmaps

// ---- direct-colour bitmaps

// ---- image transforms

// ---- blending and photo adjustments

// ---- colour reduction
