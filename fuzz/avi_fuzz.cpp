// The AVI reader on any bytes: the input is an AVI file, its header and palette read, and
// its video played (forward, rewound, skipped) into a small buffer of each depth, with the
// corner moved by the input's first bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/avi.h"
#include "platform/file.h"
#include "rsw32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1 << 20)) return 0;
    static bool started = (rs_vbinit(), host::avi_frame_limit(1 << 22), true);
    (void)started;
    host::memory_file_set("fuzz.avi", data, size);
    unsigned char header[56], rgb[768];
    rs_avihead("fuzz.avi", header);
    rs_avipal("fuzz.avi", rgb);
    for (int depth : {8, 16, 24, 32}) {
        rs_vbdepth(depth);
        const int vb = rs_vballoc(37, 23);
        rs_vbopen(vb);
        rs_move(size ? int(data[0] % 48) - 24 : 0, size > 1 ? int(data[1] % 32) - 16 : 0);
        unsigned char ctx[48] = {};
        if (rs_aviopen("fuzz.avi", ctx) == 0) {
            rs_aviplay(ctx, 8, 1 | 2);
            rs_aviskip(ctx, -1);
            rs_aviskip(ctx, 2);
            rs_aviplay(ctx, 8, 1 | 16);
            rs_avidone(ctx);
        }
        rs_vbclose();
        rs_vbfree(vb);
    }
    host::memory_file_clear();
    return 0;
}
