// The image buffer through which file readers and writers stream: a built-in area, or
// caller memory.
#pragma once

#include <cstdint>

namespace files {

constexpr int builtin_image_buffer_size = 4096;

struct ImageBuffer {
    uint8_t builtin[builtin_image_buffer_size]{};
    uint8_t* data = builtin;
    int size = builtin_image_buffer_size;
};

inline ImageBuffer& image_buffer() {
    static ImageBuffer b;
    return b;
}

void init_state();

}  // namespace files
