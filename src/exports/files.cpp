// Exports of the file families. Each one forwards its arguments unchanged to the routine
// that implements it; nothing else belongs here.
#include "rsw32.h"

#include "files/bmp.h"
#include "files/display.h"
#include "files/flic.h"
#include "files/jpeg_family.h"
#include "files/pcx.h"
#include "files/state.h"

// ---- the image buffer
extern "C" RS_API int rs_imagebuf(void* address, int size) { return files::image_buf(address, size); }
extern "C" RS_API int rs_imagesiz(int width, int height) { return files::image_size(width, height); }

// ---- BMP files
extern "C" RS_API int rs_bmphead(const char* filename, unsigned char* header) { return files::bmp_head(filename, header); }
extern "C" RS_API int rs_bmpsize(const unsigned char* header, int* width, int* height) { return files::bmp_size(header, width, height); }
extern "C" RS_API int rs_bmppal(const char* filename, unsigned char* rgb) { return files::bmp_pal(filename, rgb); }
extern "C" RS_API int rs_showbmp(const char* filename, int flags) { return files::show_bmp(filename, flags); }
extern "C" RS_API int rs_makebmp(int minx, int maxx, int miny, int maxy, int bits, const char* filename) { return files::make_bmp(minx, maxx, miny, maxy, bits, filename); }

// ---- JPEG decoding
extern "C" RS_API int rs_jpeghead(const char* filename, unsigned char* header) { return files::jpeg_head(filename, header); }
extern "C" RS_API int rs_jpegsize(const unsigned char* header, int* width, int* height) { return files::jpeg_size(header, width, height); }
extern "C" RS_API int rs_showjpeg(const char* filename, int flags) { return files::show_jpeg(filename, flags); }
extern "C" RS_API int rs_jpegbuf(const void* data, int size) { return files::jpeg_buf(data, size); }
extern "C" RS_API int rs_jpegmem(const unsigned char* header) { return files::jpeg_mem(header); }

// ---- PCX files
extern "C" RS_API int rs_pcxhead(const char* filename, unsigned char* header) { return files::pcx_head(filename, header); }
extern "C" RS_API int rs_pcxrange(const unsigned char* header, int* minx, int* maxx, int* miny, int* maxy) { return files::pcx_range(header, minx, maxx, miny, maxy); }
extern "C" RS_API int rs_pcxsize(const unsigned char* header, int* width, int* height) { return files::pcx_size(header, width, height); }
extern "C" RS_API int rs_pcxpal(const char* filename, unsigned char* rgb) { return files::pcx_pal(filename, rgb); }
extern "C" RS_API int rs_showpcx(const char* filename, int flags) { return files::show_pcx(filename, flags); }
extern "C" RS_API int rs_loadpcx(const char* filename, unsigned char* array) { return files::load_pcx(filename, array); }
extern "C" RS_API int rs_makepcx(int minx, int maxx, int miny, int maxy, const char* filename) { return files::make_pcx(minx, maxx, miny, maxy, filename); }

// ---- FLI/FLC animation
extern "C" RS_API int rs_flichead(const char* filename, unsigned char* header) { return files::flic_head(filename, header); }
extern "C" RS_API int rs_flicopen(const char* filename, void* context) { return files::flic_open(filename, context); }
extern "C" RS_API int rs_flicdone(void* context) { return files::flic_done(context); }
extern "C" RS_API int rs_showflic(const char* filename, int loops, int flags) { return files::show_flic(filename, loops, flags); }
extern "C" RS_API int rs_flicsize(const unsigned char* header, int* width, int* height) { return files::flic_size(header, width, height); }
extern "C" RS_API int rs_flicskip(void* context, int frames) { return files::flic_skip(context, frames); }
extern "C" RS_API int rs_flicplay(void* context, int frames, int flags) { return files::flic_play(context, frames, flags); }

// ---- pictures by their contents
extern "C" RS_API int rs_display(const void* data, int size, int flags) { return files::display_memory(data, size, flags); }
extern "C" RS_API int rs_dispfile(const char* filename, int x, int y) { return files::display_file(filename, x, y, false); }
extern "C" RS_API int rs_displayp(const char* filename, int x, int y) { return files::display_file(filename, x, y, true); }
