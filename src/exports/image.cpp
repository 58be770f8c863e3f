// Exports of the image families. Each one forwards its arguments unchanged to the
// routine that implements it; nothing else belongs here.
#include "rsw32.h"

#include "image/dcb.h"
#include "image/formats.h"
#include "image/mono.h"
#include "image/picture.h"
#include "image/reduce.h"
#include "image/transfer.h"

// ---- mode-specific images
extern "C" RS_API int rs_drwimage(const unsigned char* array, int width, int height) { return image::draw_image(array, width, height); }
extern "C" RS_API int rs_putimage(const unsigned char* array, int width, int height) { return image::put_image(array, width, height); }
extern "C" RS_API int rs_clpimage(const unsigned char* array, int width, int height) { return image::clip_image(array, width, height); }
extern "C" RS_API int rs_revimage(const unsigned char* array, int width, int height) { return image::mirror_image(array, width, height); }
extern "C" RS_API int rs_flpimage(const unsigned char* array, int width, int height) { return image::flip_image(array, width, height); }
extern "C" RS_API int rs_getimage(unsigned char* array, int width, int height) { return image::get_image(array, width, height); }
extern "C" RS_API void* rs_getline(int y) { return image::get_line(y); }

// ---- block transfers between virtual buffers
extern "C" RS_API int rs_vbcopy(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest) { return image::vb_copy(minx, maxx, miny, maxy, newx, newy, source, dest); }
extern "C" RS_API int rs_vbtcopy(int minx, int maxx, int miny, int maxy, int newx, int newy, int tcolor, int source, int dest) { return image::vb_copy_keyed(minx, maxx, miny, maxy, newx, newy, tcolor, source, dest); }
extern "C" RS_API int rs_vbtccopy(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest) { return image::vb_copy_table(minx, maxx, miny, maxy, newx, newy, source, dest); }
extern "C" RS_API int rs_vbtzcopy(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest) { return image::vb_copy_nonzero(minx, maxx, miny, maxy, newx, newy, source, dest); }
extern "C" RS_API int rs_tcdefine(int index, int attribute) { return image::tc_define(index, attribute); }
extern "C" RS_API int rs_cut(const unsigned char* large, unsigned char* small, int x, int y, int large_width, int width, int height) { return image::cut(large, small, x, y, large_width, width, height); }
extern "C" RS_API int rs_paste(unsigned char* large, const unsigned char* small, int x, int y, int large_width, int width, int height) { return image::paste(large, small, x, y, large_width, width, height); }

// ---- monochrome bitmaps
extern "C" RS_API int rs_drawmap(const unsigned char* map, int width, int height) { return image::draw_map(map, width, height); }
extern "C" RS_API int rs_clipmap(const unsigned char* map, int width, int height) { return image::clip_map(map, width, height); }
extern "C" RS_API int rs_getmap(unsigned char* map, int width, int height) { return image::get_map(map, width, height); }

// ---- direct-colour bitmaps
extern "C" RS_API int rs_getdcb(unsigned char* array, int width, int height) { return image::get_dcb(array, width, height); }
extern "C" RS_API int rs_putdcb(const unsigned char* array, int width, int height) { return image::put_dcb(array, width, height); }
extern "C" RS_API int rs_drawdcb(const unsigned char* array, int width, int height) { return image::draw_dcb(array, width, height); }
extern "C" RS_API int rs_clipdcb(const unsigned char* array, int width, int height) { return image::clip_dcb(array, width, height); }
extern "C" RS_API int rs_flipdcb(const unsigned char* array, int width, int height) { return image::flip_dcb(array, width, height); }
extern "C" RS_API int rs_revdcb(const unsigned char* array, int width, int height) { return image::mirror_dcb(array, width, height); }
extern "C" RS_API int rs_invdcb(unsigned char* array, int width, int height) { return image::invert_dcb(array, width, height); }
extern "C" RS_API int rs_cutdcb(const unsigned char* large, unsigned char* small, int x, int y, int large_width, int width, int height) { return image::cut_dcb(large, small, x, y, large_width, width, height); }
extern "C" RS_API int rs_pastedcb(unsigned char* large, const unsigned char* small, int x, int y, int large_width, int width, int height) { return image::paste_dcb(large, small, x, y, large_width, width, height); }
extern "C" RS_API int rs_transdcb(const unsigned char* source, unsigned char* dest, int source_format, int dest_format, int count) { return image::translate_dcb(source, dest, source_format, dest_format, count); }

// ---- image transforms

// ---- blending and photo adjustments

// ---- colour reduction
extern "C" RS_API int rs_reduce(int start, int count, unsigned char* palette) { return image::reduce(start, count, palette); }
