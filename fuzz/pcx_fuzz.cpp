// PCX readers on any bytes: header, range, size and palette readers through a file,
// rs_showpcx through a file (small image buffer) and from the image buffer, into buffers
// of two depths, and rs_loadpcx into an array of the size the header gives.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/file.h"
#include "rsw32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 20) return 0;
    static const bool started = (rs_vbinit(), true);
    (void)started;
    host::memory_file_set("fuzz.pcx", data, size);
    unsigned char header[128], rgb[768];
    int a, b, c, d, w = -1, h = -1;
    if (rs_pcxhead("fuzz.pcx", header) == 0) rs_pcxrange(header, &a, &b, &c, &d), rs_pcxsize(header, &w, &h);
    rs_pcxpal("fuzz.pcx", rgb);
    std::vector<uint8_t> copy(data, data + size);
    for (int depth : {8, 16}) {
        rs_vbdepth(depth);
        const int vb = rs_vballoc(37, 23);
        rs_vbopen(vb);
        rs_move(int(size % 7) - 3, int(size % 5) - 2);
        uint8_t small[61];
        rs_imagebuf(small, int(sizeof small));
        rs_showpcx("fuzz.pcx", int(size & 11));
        if (!copy.empty()) {
            rs_imagebuf(copy.data(), int(copy.size()));
            rs_showpcx(nullptr, 4 | int(size & 11));
        }
        rs_imagebuf(nullptr, 0);
        rs_vbclose();
        rs_vbfree(vb);
    }
    if (w > 0 && h > 0 && int64_t(w) * h <= 1 << 20) {
        std::vector<uint8_t> array(size_t(w) * size_t(h));
        rs_loadpcx("fuzz.pcx", array.data());
    }
    host::memory_file_clear();
    return 0;
}
