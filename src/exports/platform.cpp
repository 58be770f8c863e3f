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

// ---- failing allocations
extern "C" RS_API int rsp_fail_allocation(int n) { return host::fail_allocation(n); }

// ---- input, clock and display modes of the headless host
extern "C" RS_API int rsp_input_reset(void) { return host::input_reset(); }
extern "C" RS_API int rsp_mouse_present(int present) { return host::mouse_present_set(present); }
extern "C" RS_API int rsp_cursor_size(int width, int height) { return host::cursor_size_set(width, height); }
extern "C" RS_API int rsp_pointer_move(int x, int y) { return host::pointer_move(x, y); }
extern "C" RS_API int rsp_pointer(int* x, int* y, int* limits) { return host::pointer_read(x, y, limits); }
extern "C" RS_API int rsp_pointer_shown(int* calls) { return host::pointer_shown(calls); }
extern "C" RS_API RS_HCURSOR rsp_cursor(void) { return host::cursor_current(); }
extern "C" RS_API int rsp_cursor_masks(RS_HCURSOR cursor, unsigned char* and_mask, unsigned char* xor_mask, int* width, int* height, int* hot_x, int* hot_y) { return host::cursor_masks(cursor, and_mask, xor_mask, width, height, hot_x, hot_y); }
extern "C" RS_API int rsp_key(int key, int down) { return host::key_set(key, down); }
extern "C" RS_API int rsp_clock_inject(int injected, unsigned int ms) { return host::clock_inject(injected, ms); }
extern "C" RS_API unsigned int rsp_clock(void) { return host::clock_read(); }
extern "C" RS_API int rsp_display_modes(const int* modes, int count) { return host::display_modes_set(modes, count); }
extern "C" RS_API int rsp_display_mode(int* width, int* height, int* bits, int* last_flags) { return host::display_mode_read(width, height, bits, last_flags); }

// ---- fonts
extern "C" RS_API RS_HFONT rsp_font_create(const char* face, int pixel_height, int weight, int italic, int antialias) { return host::font_create(face, pixel_height, weight, italic, antialias); }
extern "C" RS_API int rsp_font_destroy(RS_HFONT font) { return host::font_destroy(font); }
extern "C" RS_API int rsp_set_system_fonts(int available) { return host::set_system_fonts(available); }
