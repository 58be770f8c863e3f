// Exports of the file families. Each one forwards its arguments unchanged to the routine
// that implements it; nothing else belongs here.
#include "rsw32.h"

#include "files/flic.h"

// ---- FLI/FLC animation
extern "C" RS_API int rs_flicsize(const unsigned char* header, int* width, int* height) { return files::flic_size(header, width, height); }
extern "C" RS_API int rs_flicskip(void* context, int frames) { return files::flic_skip(context, frames); }
extern "C" RS_API int rs_flicplay(void* context, int frames, int flags) { return files::flic_play(context, frames, flags); }
