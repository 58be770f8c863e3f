// BMP readers on any bytes: the header, size and palette readers through a file, and
// rs_showbmp both through a file (with a small image buffer, so that reads refill often)
// and from the image buffer itself, into buffers of two depths. The sanitizers report any
// access outside the file's bytes, the image buffer and the active buffer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/file.h"
#include "rsw32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 20) return 0;
    static const bool started = (rs_vbinit(), true);
    (void)started;
    host::memory_file_set("fuzz.bmp", data, size);
    unsigned char header[54], rgb[768];
    int w, h;
    if (rs_bmphead("fuzz.bmp", header) == 0) rs_bmpsize(header, &w, &h);
    rs_bmppal("fuzz.bmp", rgb);
    std::vector<uint8_t> copy(data, data + size);
    for (int depth : {8, 32}) {
        rs_vbdepth(depth);
        const int vb = rs_vballoc(37, 23);
        rs_vbopen(vb);
        rs_move(int(size % 7) - 3, int(size % 5) - 2);
        uint8_t small[61];
        rs_imagebuf(small, int(sizeof small));
        rs_showbmp("fuzz.bmp", int(size & 11));
        if (!copy.empty()) {
            rs_imagebuf(copy.data(), int(copy.size()));
            rs_showbmp(nullptr, 4 | int(size & 11));
        }
        rs_imagebuf(nullptr, 0);
        rs_vbclose();
        rs_vbfree(vb);
    }
    host::memory_file_clear();
    return 0;
}
