// Exports of the numeric and platform services. Each one forwards its arguments unchanged
// to the routine that implements it; nothing else belongs here.
#include "rsw32.h"

#include "services/stroke.h"
#include "services/text.h"
#include "services/trig.h"

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
