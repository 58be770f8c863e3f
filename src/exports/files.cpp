// Exports of the file families. Each one forwards its arguments unchanged to the routine
// that implements it; nothing else belongs here.
#include "rsw32.h"

#include "files/state.h"

// ---- the image buffer
extern "C" RS_API int rs_imagebuf(void* address, int size) { return files::image_buf(address, size); }
extern "C" RS_API int rs_imagesiz(int width, int height) { return files::image_size(width, height); }
