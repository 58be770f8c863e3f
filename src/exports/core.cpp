// Exports of the library core. Each one forwards its arguments unchanged to the routine
// that implements it; nothing else belongs here.
#include "rsw32.h"

#include "core/palette.h"
#include "core/vbuf.h"
#include "draw/state.h"
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
extern "C" RS_API int rs_vbinit(void) { return core::vb_init(); }
extern "C" RS_API int rs_vbfin(void) { return core::vb_fin(); }
extern "C" RS_API int rs_vbdepth(int bits) { return core::vb_depth(bits); }
extern "C" RS_API int rs_vballoc(int width, int height) { return core::vb_alloc(width, height); }
extern "C" RS_API int rs_vbopen(int handle) { return core::vb_open(handle); }
extern "C" RS_API int rs_vbclose(void) { return core::vb_close(); }
extern "C" RS_API int rs_vbfree(int handle) { return core::vb_free(handle); }
extern "C" RS_API int rs_vbsize(int width, int height) { return core::vb_size(width, height); }
extern "C" RS_API void* rs_vbaddr(int handle) { return core::vb_addr(handle); }
extern "C" RS_API int rs_vbhandle(void) { return core::vb_handle(); }
extern "C" RS_API int rs_vbcolors(void) { return core::vb_colors(); }

// ---- palettes
extern "C" RS_API int rs_colors(void) { return core::display_colors(); }
