// The image buffer: the block through which every file reader and writer streams, either
// the built-in area or caller memory given with rs_imagebuf. Readers and writers use it
// through files/source.h; nothing stays in it from one call to the next, except that with
// the in-memory flag of a reader the caller has put a whole file there.
#pragma once

#include <cstdint>

namespace files {

constexpr int builtin_image_buffer_size = 4096;

struct ImageBuffer {
    uint8_t builtin[builtin_image_buffer_size]{};
    uint8_t* data = builtin;
    int size = builtin_image_buffer_size;  // bytes at data, always at least 1
};

inline ImageBuffer& image_buffer() {
    static ImageBuffer b;
    return b;
}

void init_state();

// rs_imagebuf: caller memory of `size` bytes becomes the image buffer; size 0 (also a
// negative size or a null address) puts the built-in area back. Returns 0.
int image_buf(void* address, int size);
// rs_imagesiz: bytes of a width × height direct-colour picture at the active depth (3 a
// pixel at 24 and 32 bits, 2 at 16, 1 otherwise); -1 for a negative side or a size past
// INT_MAX.
int image_size(int width, int height);

}  // namespace files
