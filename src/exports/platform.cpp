// Host-side functions (rsp_): what a program on a system without the Windows API uses to
// set up the host the library presents to.
#include "rsw32_platform.h"

#include "platform/headless/headless.h"

extern "C" RS_API int rsp_set_display_depth(int bits) { return host::set_display_depth(bits); }
extern "C" RS_API int rsp_set_nt_family(int nt) { return host::set_nt_family(nt); }
