// Pictures from caller memory on any bytes: packed pictures and sprites drawn and unpacked
// (into an array of the size the stream asks for), and rs_display sniffing and dispatching
// them as a file, into buffers of two depths with the picture partly outside.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "rsw32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 20) return 0;
    static const bool started = (rs_vbinit(), true);
    (void)started;
    // The caller's bytes exactly, so that a read past them is caught.
    std::vector<uint8_t> bytes(data, data + size);
    const int n = int(size);
    for (int depth : {8, 32}) {
        rs_vbdepth(depth);
        const int vb = rs_vballoc(37, 23);
        rs_vbopen(vb);
        rs_move(int(size % 7) - 3, int(size % 5) + 20);
        rs_showppr(bytes.data(), n);
        rs_showspr(bytes.data(), n);
        rs_display(bytes.data(), n, int(size & 11));
        rs_vbclose();
        rs_vbfree(vb);
    }
    const int cells = rs_unpack(bytes.data(), n, nullptr);
    if (cells > 0 && cells <= 1 << 22) {
        std::vector<uint8_t> array(static_cast<size_t>(cells));
        rs_unpack(bytes.data(), n, array.data());
    }
    return 0;
}
