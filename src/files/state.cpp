#include "files/state.h"

#include <climits>

#include "core/vbuf.h"
#include "files/flic.h"
#include "files/jpeg.h"
#include "platform/avi.h"

namespace files {

void init_state() {
    image_buf(nullptr, 0);
    jpeg::reset_tables();
    flic_init();
    host::avi_load();  // the system's AVI library, where the host has one
}

int image_buf(void* address, int size) {
    ImageBuffer& b = image_buffer();
    if (address && size > 0) {
        b.data = static_cast<uint8_t*>(address);
        b.size = size;
    } else {
        b.data = b.builtin;
        b.size = builtin_image_buffer_size;
    }
    return 0;
}

int image_size(int width, int height) {
    if (width < 0 || height < 0) return -1;
    const int depth = core::active().depth;
    const int64_t per_pixel = depth >= 24 ? 3 : depth == 16 ? 2 : 1;
    const int64_t pixels = int64_t(width) * height;  // below 2^62: no overflow
    return pixels > INT_MAX / per_pixel ? -1 : int(pixels * per_pixel);
}

}  // namespace files
