// Exports of the numeric and platform services. Each one forwards its arguments unchanged
// to the routine that implements it; nothing else belongs here.
#include "rsw32.h"

#include "services/clock.h"
#include "services/display_mode.h"
#include "services/fixed.h"
#include "services/input.h"
#include "services/stroke.h"
#include "services/text.h"
#include "services/trig.h"

// ---- mouse, keyboard, timing
extern "C" RS_API int rs_mouseini(void) { return services::mouse_ini(); }
extern "C" RS_API int rs_mousevis(int state) { return services::mouse_vis(state); }
extern "C" RS_API int rs_mousemov(int x, int y) { return services::mouse_mov(x, y); }
extern "C" RS_API int rs_mousepos(int* x, int* y) { return services::mouse_pos(x, y); }
extern "C" RS_API int rs_mouselim(int minx, int maxx, int miny, int maxy) { return services::mouse_lim(minx, maxx, miny, maxy); }
extern "C" RS_API int rs_mousesiz(int size) { return services::mouse_siz(size); }
extern "C" RS_API RS_HCURSOR rs_mouseptr(const void* masks, int hot_x, int hot_y) { return services::mouse_ptr(masks, hot_x, hot_y); }
extern "C" RS_API int rs_mousecur(RS_HCURSOR cursor) { return services::mouse_cur(cursor); }
extern "C" RS_API int rs_kbtest(int scan_code) { return services::kb_test(scan_code); }
extern "C" RS_API int rs_getclock(void) { return services::get_clock(); }
extern "C" RS_API int rs_waitfor(int units) { return services::wait_for(units); }
extern "C" RS_API int rs_stall(int count) { return services::stall(count); }
extern "C" RS_API int rs_measure(void) { return services::measure(); }

// ---- display modes
extern "C" RS_API int rs_modeset(int width, int height, int bits, int full_screen) { return services::mode_set(width, height, bits, full_screen); }
extern "C" RS_API int rs_modetest(int width, int height, int bits) { return services::mode_test(width, height, bits); }

// ---- trigonometric lookup
extern "C" RS_API int rs_trig(int angle, double* cos_out, double* sin_out) { return services::trig(angle, cos_out, sin_out); }

// ---- text: system-font text
extern "C" RS_API int rs_fontdc(RS_HDC dc) { return services::font_dc(dc); }
extern "C" RS_API int rs_fontload(int index) { return services::font_load(index); }
extern "C" RS_API int rs_logfont(RS_HFONT font) { return services::log_font(font); }
extern "C" RS_API int rs_justify(int horizontal, int vertical) { return services::justify(horizontal, vertical); }
extern "C" RS_API int rs_print(const char* string, int count) { return services::print(string, count); }

// ---- text: stroke text (its settings, kept beside the world window, are core exports)
extern "C" RS_API double rs_swlength(const char* string, int count) { return services::sw_length(string, count); }
extern "C" RS_API int rs_swchar(const char* string, int count, int justify) { return services::sw_char(string, count, justify); }
extern "C" RS_API int rs_swtext(char* string, int count, int justify) { return services::sw_text(string, count, justify); }

// ---- 16.16 fixed point
extern "C" RS_API int rs_fixed(double value) { return services::to_fixed(value); }
extern "C" RS_API double rs_float(int value) { return services::from_fixed(value); }
extern "C" RS_API int rs_fixmul(int a, int b) { return services::fixed_mul(a, b); }
extern "C" RS_API int rs_fixdiv(int a, int b) { return services::fixed_div(a, b); }
extern "C" RS_API int rs_fixtrig(int tenths, int* cosine, int* sine) { return services::fixed_trig(tenths, cosine, sine); }

// ---- text in character cells
extern "C" RS_API int rs_locate(int row, int column) { return services::locate(row, column); }
extern "C" RS_API int rs_where(int* row, int* column) { return services::where(row, column); }
extern "C" RS_API int rs_text(const char* string, int count) { return services::text_cells(string, count); }
extern "C" RS_API int rs_getlines(void) { return services::get_lines(); }
