// Host-side functions (rsp_): what a program on a system without the Windows API uses to
// set up the host the library presents to.
#include "rsw32_platform.h"

#include "platform/common/fonts.h"
#include "platform/common/host_side.h"
#include "platform/headless/headless.h"

extern "C" RS_API int rsp_set_display_depth(int bits) { return host::set_display_depth(bits); }
extern "C" RS_API int rsp_set_nt_family(int nt) { return host::set_nt_family(nt); }

// ---- devices to present to
extern "C" RS_API RS_HDC rsp_surface_create(int width, int height) { return host::surface_create(width, height); }
extern "C" RS_API int rsp_surface_destroy(RS_HDC surface) { return host::surface_destroy(surface); }
extern "C" RS_API const unsigned int* rsp_surface_pixels(RS_HDC device, int* width, int* height) { return host::raster_pixels(device, width, height); }
extern "C" RS_API int rsp_focus(RS_HDC device, int client_width, int client_height) { return host::focus(device, client_width, client_height); }
extern "C" RS_API RS_HDC rsp_window_open(int width, int height, const char* title) { return host::window_open(width, height, title); }
extern "C" RS_API int rsp_window_pump(RS_HDC window) { return host::window_pump(window); }
extern "C" RS_API int rsp_window_close(RS_HDC window) { return host::window_close(window); }

// ---- printers
extern "C" RS_API int rsp_printer_add(const char* name, const char* output_file, int horzres, int vertres, int width_mm, int height_mm, int can_stretch) { return host::printer_add(name, output_file, horzres, vertres, width_mm, height_mm, can_stretch); }
extern "C" RS_API int rsp_printer_default(const char* name) { return host::printer_default(name); }

// ---- clipboard
extern "C" RS_API int rsp_clipboard_put_dib(const unsigned char* dib, int bytes) { return host::clipboard_put_dib(dib, bytes); }
extern "C" RS_API int rsp_clipboard_get(int format, unsigned char* out, int capacity) { return host::clipboard_get(format, out, capacity); }
extern "C" RS_API int rsp_clipboard_hold(int held) { return host::clipboard_hold(held); }

// ---- fonts
extern "C" RS_API RS_HFONT rsp_font_create(const char* face, int pixel_height, int weight, int italic, int antialias) { return host::font_create(face, pixel_height, weight, italic, antialias); }
extern "C" RS_API int rsp_font_destroy(RS_HFONT font) { return host::font_destroy(font); }
extern "C" RS_API int rsp_set_system_fonts(int available) { return host::set_system_fonts(available); }
