// The headless host has no display: its depth and operating-system family are whatever
// the host side says, 32 bits and the NT family (short header form) unless told otherwise.
#include "platform/common/objects.h"
#include "platform/headless/headless.h"

namespace host {

int set_display_depth(int bits) {
    settings().display_bits = bits;
    settings().display_bits_set = true;
    return 0;
}

int set_nt_family(int nt) {
    settings().nt_family = nt != 0;
    return 0;
}

}  // namespace host
