// The JPEG family: frame headers (rs_jpeghead, rs_jpegsize), decoding into the active
// buffer from the image buffer or from caller memory (rs_showjpeg, rs_jpegbuf), and the
// working memory a decode needs (rs_jpegmem). The decoder's stages are in jpeg_*.cpp.
#include "files/jpeg_family.h"

#include <climits>
#include <cstring>

#include "core/vbuf.h"
#include "draw/state.h"
#include "files/jpeg.h"
#include "files/source.h"
#include "files/state.h"

namespace files {

namespace {

using namespace jpeg;

// The active buffer as the decoder's target, with the picture's top-left pixel at (x, y);
// false when nothing can be drawn (no buffer, or 8 bits).
bool active_target(int x, int y, Target& t) {
    const core::ActiveBuffer& vb = core::active();
    if (!core::has_active() || !vb.pixels || vb.depth <= 8) return false;
    t.top = core::row_address(vb, 0);
    t.row_step = -ptrdiff_t(vb.pitch);
    t.width = vb.width, t.height = vb.height, t.depth = vb.depth;
    t.x = x, t.y = y;
    return true;
}

int decode_memory(const uint8_t* data, size_t size, int x, int y) {
    Target t;
    if (!active_target(x, y, t)) return ok;
    ByteSource src;
    src.cur = data, src.end = data + size;
    return decode(src, t, best_kernels());
}

// A file's bytes as the decoder's source: read through the image buffer in chunks.
struct FileBytes {
    Source file;
    uint8_t chunk[4096];
    ByteSource bytes;

    explicit FileBytes(const char* name) : file(name, false) {
        bytes.context = this;
        bytes.refill = [](ByteSource& b) {
            FileBytes& f = *static_cast<FileBytes*>(b.context);
            b.cur = f.chunk;
            b.end = f.chunk + f.file.read(f.chunk, sizeof f.chunk);
            return b.cur != b.end;
        };
    }
};

}  // namespace

int jpeg_head(const char* filename, unsigned char* header) {
    if (!filename || !header) return -1;
    FileBytes f(filename);
    if (!f.file.opened()) return -1;
    return read_header(f.bytes, header);
}

int jpeg_size(const unsigned char* header, int* width, int* height) {
    const bool valid = header && header[0] == 0xD8 && header[1] == 0xFF;
    const int w = valid ? header[2] | header[3] << 8 : -1, h = valid ? header[4] | header[5] << 8 : -1;
    if (width) *width = w;
    if (height) *height = h;
    return 0;
}

int jpeg_mem(const unsigned char* header) {
    int width, height;
    jpeg_size(header, &width, &height);
    if (width < 0) return -1;
    const int n = header[6];
    if (n != 1 && n != 3) return -1;
    int h[3], v[3];
    for (int c = 0; c < 3; ++c) {
        h[c] = header[7 + c] >> 4, v[c] = header[7 + c] & 15;
        if (n == 3 && (h[c] < 1 || h[c] > 4 || v[c] < 1 || v[c] > 4 || h[0] % h[c] || v[0] % v[c])) return -1;
    }
    const int mcu_w = n == 3 ? 8 * h[0] : 8, mcu_h = n == 3 ? 8 * v[0] : 8;
    const size_t bytes = scan_memory(width, mcu_w, mcu_h, h, v, n);
    return bytes > size_t(INT_MAX) ? -1 : int(bytes);
}

int jpeg_buf(const void* data, int size) {
    if (!data || size <= 0) return not_jpeg;
    const draw::DrawState& d = draw::state();
    return decode_memory(static_cast<const uint8_t*>(data), size_t(size), d.cursor_x, d.cursor_y);
}

int show_jpeg(const char* filename, int flags) {
    const draw::DrawState& d = draw::state();
    const int x = flags & 2 ? d.cursor_x : 0, y = flags & 2 ? d.cursor_y : 0;
    if (flags & 4) {
        const ImageBuffer& b = image_buffer();
        return decode_memory(b.data, size_t(b.size > 0 ? b.size : 0), x, y);
    }
    Target t;
    if (!active_target(x, y, t)) return ok;
    if (!filename) return cannot_open;
    FileBytes f(filename);
    if (!f.file.opened()) return cannot_open;
    return decode(f.bytes, t, best_kernels());
}

}  // namespace files
