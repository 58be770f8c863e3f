// Exports of the file families. Each one forwards its arguments unchanged to the routine
// that implements it; nothing else belongs here.
#include "rsw32.h"

#include "files/jpeg_family.h"

// ---- JPEG decoding
extern "C" RS_API int rs_jpegsize(const unsigned char* header, int* width, int* height) { return files::jpeg_size(header, width, height); }
extern "C" RS_API int rs_showjpeg(const char* filename, int flags) { return files::show_jpeg(filename, flags); }
extern "C" RS_API int rs_jpegbuf(const void* data, int size) { return files::jpeg_buf(data, size); }
extern "C" RS_API int rs_jpegmem(const unsigned char* header) { return files::jpeg_mem(header); }
