// Exports of the library core. Each one forwards its arguments unchanged to the routine
// that implements it; nothing else belongs here.
#include "rsw32.h"

#include "core/clip.h"
#include "core/color.h"
#include "core/palette.h"
#include "core/present.h"
#include "core/vbuf.h"
#include "core/world.h"
#include "draw/state.h"
#include "library.h"
#include "services/state.h"

// ---- library state queries and version
extern "C" RS_API int rs_getmaxx(void) { return core::get_maxx(); }
extern "C" RS_API int rs_getmaxy(void) { return core::get_maxy(); }
extern "C" RS_API int rs_getxpos(void) { return draw::get_xpos(); }
extern "C" RS_API int rs_getypos(void) { return draw::get_ypos(); }
extern "C" RS_API int rs_getxbox(void) { return draw::get_xbox(); }
extern "C" RS_API int rs_getybox(void) { return draw::get_ybox(); }
extern "C" RS_API int rs_getxjust(void) { return services::get_xjust(); }
extern "C" RS_API int rs_getyjust(void) { return services::get_yjust(); }
extern "C" RS_API int rs_getdepth(void) { return core::get_depth(); }
extern "C" RS_API int rs_gethcbpp(void) { return core::get_hcbpp(); }
extern "C" RS_API int rs_version(int* major, int* minor) { return core::version(major, minor); }

// ---- virtual buffers
extern "C" RS_API int rs_vbinit(void) { return library::start(); }
extern "C" RS_API int rs_vbfin(void) { return library::end(); }
extern "C" RS_API int rs_vbdepth(int bits) { return core::vb_depth(bits); }
extern "C" RS_API int rs_vballoc(int width, int height) { return core::vb_alloc(width, height); }
extern "C" RS_API int rs_vbdefine(void* memory, int width, int height) { return core::vb_define(memory, width, height); }
extern "C" RS_API int rs_vbundef(int handle) { return core::vb_undefine(handle); }
extern "C" RS_API int rs_vbopen(int handle) { return core::vb_open(handle); }
extern "C" RS_API int rs_vbclose(void) { return core::vb_close(); }
extern "C" RS_API int rs_vbfree(int handle) { return core::vb_free(handle); }
extern "C" RS_API int rs_vbsize(int width, int height) { return core::vb_size(width, height); }
extern "C" RS_API void* rs_vbaddr(int handle) { return core::vb_addr(handle); }
extern "C" RS_API int rs_vbhandle(void) { return core::vb_handle(); }
extern "C" RS_API int rs_vbcolors(void) { return core::vb_colors(); }

// ---- colours and single pixels
extern "C" RS_API int rs_setcolor(int color) { return core::set_color(color); }
extern "C" RS_API int rs_setcolorrgb(int red, int green, int blue) { return core::set_color_rgb(red, green, blue); }
extern "C" RS_API int rs_getcolor(void) { return core::get_color(); }
extern "C" RS_API int rs_maprgb(int red, int green, int blue) { return core::map_rgb(red, green, blue); }
extern "C" RS_API int rs_unmaprgb(int value, int* red, int* green, int* blue) { return core::unmap_rgb(value, red, green, blue); }
extern "C" RS_API int rs_point(int x, int y) { return core::point(x, y); }
extern "C" RS_API int rs_pointw(double x, double y) { return core::point_world(x, y); }
extern "C" RS_API int rs_pointx(int x, int y) { return core::point_xor(x, y); }
extern "C" RS_API int rs_pointxw(double x, double y) { return core::point_xor_world(x, y); }
extern "C" RS_API int rs_getpixel(int x, int y) { return core::get_pixel(x, y); }
extern "C" RS_API int rs_putpixel(int x, int y) { return core::put_pixel(x, y); }

// ---- clipping, viewports, world coordinates
extern "C" RS_API int rs_setclip(int minx, int maxx, int miny, int maxy) { return core::set_clip(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_setclipw(double minx, double maxx, double miny, double maxy) { return core::set_clip_world(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_getclip(int* minx, int* maxx, int* miny, int* maxy) { return core::get_clip(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_setview(int vminx, int vmaxx, int vminy, int vmaxy, int pminx, int pmaxx, int pminy, int pmaxy) { return core::set_view(vminx, vmaxx, vminy, vmaxy, pminx, pmaxx, pminy, pmaxy); }
extern "C" RS_API int rs_getview(int* vminx, int* vmaxx, int* vminy, int* vmaxy, int* pminx, int* pmaxx, int* pminy, int* pmaxy) { return core::get_view(vminx, vmaxx, vminy, vmaxy, pminx, pmaxx, pminy, pmaxy); }
extern "C" RS_API int rs_xview(int x) { return core::x_view(x); }
extern "C" RS_API int rs_yview(int y) { return core::y_view(y); }
extern "C" RS_API int rs_xclient(int x) { return core::x_client(x); }
extern "C" RS_API int rs_yclient(int y) { return core::y_client(y); }
extern "C" RS_API int rs_xvb(int x) { return core::x_vb(x); }
extern "C" RS_API int rs_yvb(int y) { return core::y_vb(y); }
extern "C" RS_API int rs_initw(void) { return core::init_world(); }
extern "C" RS_API int rs_setworld(double minx, double maxx, double miny, double maxy) { return core::set_world(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_getworld(double* minx, double* maxx, double* miny, double* maxy) { return core::get_world(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_xscreen(double x) { return core::x_screen(x); }
extern "C" RS_API int rs_yscreen(double y) { return core::y_screen(y); }
extern "C" RS_API double rs_xworld(int x) { return core::x_world(x); }
extern "C" RS_API double rs_yworld(int y) { return core::y_world(y); }

// ---- stroke-text settings
extern "C" RS_API int rs_setangle(double degrees) { return core::set_angle(degrees); }
extern "C" RS_API int rs_setratio(double ratio) { return core::set_ratio(ratio); }
extern "C" RS_API int rs_setsizew(double size) { return core::set_size_world(size); }
extern "C" RS_API int rs_setsize(int pixels) { return core::set_size(pixels); }

// ---- palettes
extern "C" RS_API int rs_setdacs(int start, int count, const unsigned char* rgb) { return core::set_dacs(start, count, rgb); }
extern "C" RS_API int rs_getdacs(int start, int count, unsigned char* rgb) { return core::get_dacs(start, count, rgb); }
extern "C" RS_API int rs_setrgb(int index, int red, int green, int blue) { return core::set_rgb(index, red, green, blue); }
extern "C" RS_API int rs_getrgb(int index, int* red, int* green, int* blue) { return core::get_rgb(index, red, green, blue); }
extern "C" RS_API RS_HPALETTE rs_defpal(void) { return core::default_palette(); }
extern "C" RS_API RS_HPALETTE rs_logpal(int start, int count, const unsigned char* rgb) { return core::logical_palette(start, count, rgb); }
extern "C" RS_API int rs_realize(RS_HPALETTE palette) { return core::realize(palette); }
extern "C" RS_API int rs_mapdacs(const unsigned char* src, unsigned char* dst, int count) { return core::map_dacs(src, dst, count); }
extern "C" RS_API int rs_colors(void) { return core::display_colors(); }

// ---- index map and alpha byte
extern "C" RS_API int rs_defcolor(int index, int value) { return core::define_color(index, value); }
extern "C" RS_API int rs_getindex(int index) { return core::get_index(index); }
extern "C" RS_API int rs_findrgb(int red, int green, int blue) { return core::nearest_index(red, green, blue); }
extern "C" RS_API int rs_setalpha(int alpha) { return core::set_alpha(alpha); }
extern "C" RS_API int rs_xalpha(int alpha) { return core::fill_alpha(alpha); }
extern "C" RS_API int rs_yalpha(int key) { return core::key_alpha(key); }

// ---- screen distances in world units, memory
extern "C" RS_API double rs_xconvert(int pixels) { return core::x_convert(pixels); }
extern "C" RS_API double rs_yconvert(int pixels) { return core::y_convert(pixels); }
extern "C" RS_API int rs_memavail(void) { return core::memory_available(); }

// ---- pages
extern "C" RS_API int rs_setpage(int handle) { return core::set_page(handle); }
extern "C" RS_API int rs_getpage(void) { return core::get_page(); }
extern "C" RS_API int rs_pagesize(int* width, int* height) { return core::page_size(width, height); }

// ---- presenting, printing, clipboard
extern "C" RS_API int rs_setdc(RS_HDC dc) { return core::set_dc(dc); }
extern "C" RS_API RS_HDC rs_getdc(void) { return core::get_dc(); }
extern "C" RS_API int rs_sethpage(int handle) { return core::set_hpage(handle); }
extern "C" RS_API int rs_vbpaste(int minx, int maxx, int miny, int maxy, int x, int y) { return core::vb_paste(minx, maxx, miny, maxy, x, y); }
extern "C" RS_API int rs_vbscale(int minx, int maxx, int miny, int maxy, int dminx, int dmaxx, int dminy, int dmaxy) { return core::vb_scale(minx, maxx, miny, maxy, dminx, dmaxx, dminy, dmaxy); }
extern "C" RS_API int rs_vbprint(int minx, int maxx, int miny, int maxy, int pminx, int pmaxx, int pminy, int pmaxy, int units) { return core::vb_print(minx, maxx, miny, maxy, pminx, pmaxx, pminy, pmaxy, units); }
extern "C" RS_API int rs_printer(int request) { return core::printer(request); }
extern "C" RS_API int rs_printdc(RS_HDC dc) { return core::print_dc(dc); }
extern "C" RS_API int rs_vb2clip(int minx, int maxx, int miny, int maxy) { return core::vb_to_clip(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_clip2vb(int minx, int maxx, int miny, int maxy, int flags) { return core::clip_to_vb(minx, maxx, miny, maxy, flags); }
