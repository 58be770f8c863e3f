#include "files/state.h"

#include "files/flic.h"

namespace files {

void init_state() {
    ImageBuffer& b = image_buffer();
    b.data = b.builtin;
    b.size = builtin_image_buffer_size;
    flic_init();
}

}  // namespace files
