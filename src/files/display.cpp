// Pictures shown by what their bytes are, not by what they are called: the first bytes pick
// the reader (BMP, PCX, JPEG, or the first frame of an FLI/FLC animation), which then does
// all the work with its own checks. A picture in caller memory is read through the image
// buffer, pointed at the caller's bytes for the one call and put back afterwards; the
// readers only read it.
#include "files/display.h"

#include <cstring>

#include "draw/state.h"
#include "files/bmp.h"
#include "files/flic.h"
#include "files/jpeg_family.h"
#include "files/pcx.h"
#include "files/state.h"
#include "platform/file.h"

namespace files {
namespace {

enum Kind { unknown, bmp, pcx, jpeg, flic };

// The kind of picture that starts with these bytes (n of them, at least 12 for a verdict).
Kind sniff(const uint8_t* b, size_t n) {
    if (n >= 2 && b[0] == 'B' && b[1] == 'M') return bmp;
    if (n >= 2 && b[0] == 0xFF && b[1] == 0xD8) return jpeg;
    // PCX: manufacturer 10, a known version, run-length encoding, 1, 2, 4 or 8 bits a plane.
    if (n >= 4 && b[0] == 10 && (b[1] <= 5 && b[1] != 1) && b[2] == 1 &&
        (b[3] == 1 || b[3] == 2 || b[3] == 4 || b[3] == 8))
        return pcx;
    if (n >= 6) {
        const unsigned type = b[4] | b[5] << 8;
        if (type == flic_type_fli || type == flic_type_flc) return flic;
    }
    return unknown;
}

// Reader flags: 1 keep the palette, 2 at the graphics cursor, 8 keep colours 10..245.
constexpr int keep_palette = 1, at_cursor = 2, in_memory = 4, keep_colors = 8;

// The first frame of an animation; the context is opened by the caller (file or memory).
int first_frame(uint8_t* ctx, int flags) {
    int f = 1 | (flags & at_cursor) | (flags & keep_colors) | (flags & keep_palette ? 16 : 0) | (flags & in_memory);
    return flic_play(ctx, 1, f) == 1 ? 0 : 3;
}

int show_kind(Kind kind, const char* filename, int flags) {
    switch (kind) {
    case bmp: return show_bmp(filename, flags);
    case pcx: return show_pcx(filename, flags);
    case jpeg: return show_jpeg(filename, flags);
    default: return 2;
    }
}

}  // namespace

int display_file(const char* filename, int x, int y, bool keep) {
    uint8_t head[flic_header_size]{};
    const int file = filename ? host::file_open(filename) : 0;
    if (!file) return 1;
    const size_t n = host::file_read(file, head, sizeof head);
    host::file_close(file);
    const Kind kind = sniff(head, n);
    if (kind == unknown) return 2;
    draw::DrawState& d = draw::state();
    const int cx = d.cursor_x, cy = d.cursor_y;
    d.cursor_x = x, d.cursor_y = y;
    const int flags = at_cursor | (keep ? keep_palette : 0);
    int result;
    if (kind == flic) {
        uint8_t ctx[flic_ctx::size]{};
        result = flic_open(filename, ctx) == 0 ? first_frame(ctx, flags) : 2;
        flic_done(ctx);
    } else {
        result = show_kind(kind, filename, flags);
    }
    d.cursor_x = cx, d.cursor_y = cy;
    return result;
}

int display_memory(const void* data, int size, int flags) {
    if (!data || size <= 0) return 2;
    const auto* bytes = static_cast<const uint8_t*>(data);
    const Kind kind = sniff(bytes, size_t(size));
    if (kind == unknown) return 2;
    flags = (flags & (keep_palette | at_cursor | keep_colors)) | in_memory;
    ImageBuffer& b = image_buffer();
    uint8_t* const data_was = b.data;
    const int size_was = b.size;
    b.data = const_cast<uint8_t*>(bytes), b.size = size;  // read, never written
    int result;
    if (kind == flic) {
        uint8_t ctx[flic_ctx::size]{};
        if (size < flic_header_size || flic_size(bytes, nullptr, nullptr) != 0) {
            result = 2;
        } else {
            ctx[flic_ctx::position] = flic_header_size;
            std::memcpy(ctx + flic_ctx::frames, bytes + 6, 6);  // frames, width, height
            result = first_frame(ctx, flags);
        }
    } else {
        result = show_kind(kind, nullptr, flags);
    }
    b.data = data_was, b.size = size_was;
    return result;
}

}  // namespace files
