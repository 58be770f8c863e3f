// Exports of the image families. Each one forwards its arguments unchanged to the
// routine that implements it; nothing else belongs here.
#include "rsw32.h"

#include "image/blocks.h"
#include "image/dcb.h"
#include "image/formats.h"
#include "image/mono.h"
#include "image/packed.h"
#include "image/picture.h"
#include "image/reduce.h"
#include "image/adjust.h"
#include "image/blend.h"
#include "image/transfer.h"
#include "image/transform.h"

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
extern "C" RS_API int rs_rotate(const unsigned char* source, unsigned char* dest, int width, int height, int angle) { return image::rotate(source, dest, width, height, angle); }
extern "C" RS_API int rs_rotsize(int width, int height, int angle, int* new_width, int* new_height) { return image::rot_size(width, height, angle, new_width, new_height); }
extern "C" RS_API int rs_scale(const unsigned char* source, unsigned char* dest, int width, int height, int new_width, int new_height) { return image::scale(source, dest, width, height, new_width, new_height); }
extern "C" RS_API int rs_shear(const unsigned char* source, unsigned char* dest, int width, int height, int new_size, int type) { return image::shear(source, dest, width, height, new_size, type); }
extern "C" RS_API int rs_rotdcb(const unsigned char* source, unsigned char* dest, int width, int height, int angle) { return image::rotate_dcb(source, dest, width, height, angle); }
extern "C" RS_API int rs_scaledcb(const unsigned char* source, unsigned char* dest, int width, int height, int new_width, int new_height) { return image::scale_dcb(source, dest, width, height, new_width, new_height); }
extern "C" RS_API int rs_sheardcb(const unsigned char* source, unsigned char* dest, int width, int height, int new_size, int type) { return image::shear_dcb(source, dest, width, height, new_size, type); }

// ---- blending and photo adjustments
extern "C" RS_API int rs_opacity(int value) { return image::set_opacity(value); }
extern "C" RS_API int rs_blend(int color1, int color2) { return image::blend(color1, color2); }
extern "C" RS_API int rs_blend50(int color1, int color2) { return image::blend50(color1, color2); }
extern "C" RS_API int rs_blenddcb(const unsigned char* first, const unsigned char* second, unsigned char* dest, int count) { return image::blend_dcb(first, second, dest, count); }
extern "C" RS_API int rs_blendvar(const unsigned char* first, const unsigned char* second, const unsigned char* opacity, unsigned char* dest, int count) { return image::blend_var(first, second, opacity, dest, count); }
extern "C" RS_API int rs_blendvb(const unsigned char* first, const unsigned char* second, int width, int height) { return image::blend_vb(first, second, width, height); }
extern "C" RS_API int rs_blendvbv(const unsigned char* first, const unsigned char* second, const unsigned char* opacity, int width, int height) { return image::blend_vbv(first, second, opacity, width, height); }
extern "C" RS_API int rs_contrgb(unsigned char* array, int low, int high, int count) { return image::cont_rgb(array, low, high, count); }
extern "C" RS_API int rs_contdcb(const unsigned char* source, unsigned char* dest, int low, int high, int count) { return image::cont_dcb(source, dest, low, high, count); }
extern "C" RS_API int rs_contvb(int low, int high, int width, int height) { return image::cont_vb(low, high, width, height); }
extern "C" RS_API int rs_gammargb(unsigned char* array, double gamma, int count) { return image::gamma_rgb(array, gamma, count); }
extern "C" RS_API int rs_gammadcb(const unsigned char* source, unsigned char* dest, double gamma, int count) { return image::gamma_dcb(source, dest, gamma, count); }
extern "C" RS_API int rs_gammavb(double gamma, int width, int height) { return image::gamma_vb(gamma, width, height); }
extern "C" RS_API int rs_grayrgb(unsigned char* array, int count) { return image::gray_rgb(array, count); }
extern "C" RS_API int rs_graydcb(const unsigned char* source, unsigned char* dest, int count) { return image::gray_dcb(source, dest, count); }
extern "C" RS_API int rs_grayvb(int width, int height) { return image::gray_vb(width, height); }
extern "C" RS_API int rs_photorgb(unsigned char* array, int count) { return image::photo_rgb(array, count); }
extern "C" RS_API int rs_photodcb(const unsigned char* source, unsigned char* dest, int count) { return image::photo_dcb(source, dest, count); }
extern "C" RS_API int rs_photovb(int width, int height) { return image::photo_vb(width, height); }

// ---- colour reduction
extern "C" RS_API int rs_reduce(int start, int count, unsigned char* palette) { return image::reduce(start, count, palette); }

// ---- blocks and saved backgrounds
extern "C" RS_API int rs_getblock(int minx, int maxx, int miny, int maxy, unsigned char* block) { return image::get_block(minx, maxx, miny, maxy, block); }
extern "C" RS_API int rs_putblock(int minx, int maxx, int miny, int maxy, const unsigned char* block) { return image::put_block(minx, maxx, miny, maxy, block); }
extern "C" RS_API int rs_save(int minx, int maxx, int miny, int maxy) { return image::save(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_restore(int minx, int maxx, int miny, int maxy) { return image::restore(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_savew(double minx, double maxx, double miny, double maxy) { return image::save_world(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_restorew(double minx, double maxx, double miny, double maxy) { return image::restore_world(minx, maxx, miny, maxy); }

// ---- masks
extern "C" RS_API int rs_drawmask(const unsigned char* mask, int width, int height) { return image::draw_mask(mask, width, height); }
extern "C" RS_API int rs_revmask(const unsigned char* mask, int width, int height) { return image::reverse_mask(mask, width, height); }
extern "C" RS_API int rs_clipmask(const unsigned char* mask, int width, int height) { return image::clip_mask(mask, width, height); }
extern "C" RS_API int rs_flipmask(const unsigned char* mask, int width, int height) { return image::flip_mask(mask, width, height); }

// ---- transfers between depths
extern "C" RS_API int rs_transfer(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest) { return image::transfer(minx, maxx, miny, maxy, newx, newy, source, dest, false); }
extern "C" RS_API int rs_tcxfer(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest) { return image::transfer(minx, maxx, miny, maxy, newx, newy, source, dest, true); }
extern "C" RS_API int rs_tcmask(int key) { return image::tc_mask(key); }

// ---- packed pictures and sprites
extern "C" RS_API int rs_pack(const unsigned char* array, int width, int height, unsigned char* packed) { return image::pack(array, width, height, packed); }
extern "C" RS_API int rs_unpack(const unsigned char* packed, int bytes, unsigned char* array) { return image::unpack(packed, bytes, array); }
extern "C" RS_API int rs_makeppr(int minx, int maxx, int miny, int maxy, unsigned char* packed) { return image::make_packed(minx, maxx, miny, maxy, packed); }
extern "C" RS_API int rs_showppr(const unsigned char* packed, int bytes) { return image::show_packed(packed, bytes); }
extern "C" RS_API int rs_makespr(int minx, int maxx, int miny, int maxy, unsigned char* sprite) { return image::make_sprite(minx, maxx, miny, maxy, sprite); }
extern "C" RS_API int rs_showspr(const unsigned char* sprite, int bytes) { return image::show_sprite(sprite, bytes); }
