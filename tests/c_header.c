/* The public headers compile as C99 and the shared library links from C. */
#include "rsw32.h"
#include "rsw32_platform.h"

int main(void) {
    int major = 0, minor = 0, vb, ok;
    rs_version(&major, &minor);
    rs_vbinit();
    rs_vbdepth(24);
    vb = rs_vballoc(5, 2);
    ok = major == 6 && minor == 3 && vb == 0 && rs_vbopen(vb) == 0 && rs_getmaxx() == 7;
    rs_vbclose();
    rs_vbfree(-1);
    rs_vbfin();
    return ok ? 0 : 1;
}
