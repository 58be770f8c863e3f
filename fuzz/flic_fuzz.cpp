// The FLIC player on any bytes: the input is an animation file, played from the image
// buffer and from a file into a small buffer of each depth, with the corner moved by the
// input's first byte.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/file.h"
#include "rsw32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1 << 20)) return 0;
    static bool started = (rs_vbinit(), true);
    (void)started;
    std::vector<uint8_t> bytes(data, data + size);
    host::memory_file_set("fuzz.flc", bytes.data(), bytes.size());
    for (int depth : {8, 16, 24, 32}) {
        rs_vbdepth(depth);
        const int vb = rs_vballoc(37, 23);
        rs_vbopen(vb);
        rs_move(size ? int(data[0] % 48) - 24 : 0, size > 1 ? int(data[1] % 32) - 16 : 0);
        unsigned char ctx[16] = {};
        if (rs_flicopen("fuzz.flc", ctx) == 0) {
            rs_flicplay(ctx, 50, 1 | 2 | (depth == 16 ? 8 : 0));
            rs_flicskip(ctx, -1);
            rs_flicskip(ctx, 3);
            rs_flicplay(ctx, 50, 1 | 16);
            rs_flicdone(ctx);
        }
        rs_imagebuf(bytes.data(), int(bytes.size()));
        for (int i = 6; i < 12; ++i) ctx[i] = i < int(size) ? data[i] : 0;
        ctx[14] = 1, ctx[2] = uint8_t(size > 2 ? data[2] : 128), ctx[3] = 0, ctx[4] = 0, ctx[5] = 0;
        rs_flicplay(ctx, 50, 1 | 4);
        rs_flicskip(ctx, 50);
        rs_imagebuf(nullptr, 0);
        rs_vbclose();
        rs_vbfree(vb);
    }
    host::memory_file_clear();
    return 0;
}
