#include "files/state.h"

#include "files/jpeg.h"

namespace files {

void init_state() {
    ImageBuffer& b = image_buffer();
    b.data = b.builtin;
    b.size = builtin_image_buffer_size;
    jpeg::reset_tables();
}

}  // namespace files
