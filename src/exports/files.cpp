// Exports of the file families. Each one forwards its arguments unchanged to the routine
// that implements it; nothing else belongs here.
#include "rsw32.h"

#include "files/flic.h"
#include "files/state.h"

// ---- the image buffer
extern "C" RS_API int rs_imagebuf(void* address, int size) { return files::image_buf(address, size); }
extern "C" RS_API int rs_imagesiz(int width, int height) { return files::image_size(width, height); }

// ---- FLI/FLC animation
extern "C" RS_API int rs_flichead(const char* filename, unsigned char* header) { return files::flic_head(filename, header); }
extern "C" RS_API int rs_flicopen(const char* filename, void* context) { return files::flic_open(filename, context); }
extern "C" RS_API int rs_flicdone(void* context) { return files::flic_done(context); }
extern "C" RS_API int rs_showflic(const char* filename, int loops, int flags) { return files::show_flic(filename, loops, flags); }
extern "C" RS_API int rs_flicsize(const unsigned char* header, int* width, int* height) { return files::flic_size(header, width, height); }
extern "C" RS_API int rs_flicskip(void* context, int frames) { return files::flic_skip(context, frames); }
extern "C" RS_API int rs_flicplay(void* context, int frames, int flags) { return files::flic_play(context, frames, flags); }
