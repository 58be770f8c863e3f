// The library's demonstration: creates a virtual buffer of each depth and reports its
// geometry.
#include <cstdio>

#include "rsw32.h"

int main() {
    int major = 0, minor = 0;
    rs_version(&major, &minor);
    std::printf("rsw32 %d.%d, display depth %d\n", major, minor, rs_colors());
    rs_vbinit();
    const int depths[] = {8, 16, 24, 32};
    for (int depth : depths) {
        rs_vbdepth(depth);
        const int vb = rs_vballoc(637, 480);
        if (vb < 0 || rs_vbopen(vb) != 0) {
            std::printf("%2d bits: cannot create a buffer (%d)\n", depth, vb);
            return 1;
        }
        std::printf("%2d bits: handle %d, %d x %d pixels, %d bytes with header, bottom row at %p\n",
                    rs_getdepth(), vb, rs_getmaxx() + 1, rs_getmaxy() + 1, rs_vbsize(637, 480),
                    rs_vbaddr(vb));
        rs_vbclose();
    }
    rs_vbfree(-1);
    rs_vbfin();
    return 0;
}
