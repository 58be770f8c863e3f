// Display modes. The host is handed the mode (width, height, bits per pixel) and its own
// result codes come back unchanged: 0 done, -1 refused, -2 no such mode. The pauses of
// 200 milliseconds let the display settle before a change and after going back.
#include "services/display_mode.h"

#include "platform/input.h"
#include "services/clock.h"

namespace services {
namespace {

constexpr int settle_ms = 200;

}  // namespace

// A change the host does not take as temporary is tried again to be kept for later
// sessions, which some displays require.
int mode_set(int width, int height, int bits, int full_screen) {
    if (bits == 0) {
        const int result = host::change_display_mode(nullptr, 0);
        wait_ms(settle_ms);
        return result;
    }
    const host::DisplayMode mode{width, height, bits};
    const int flags = full_screen ? host::cds_fullscreen : 0;
    wait_ms(settle_ms);
    const int result = host::change_display_mode(&mode, flags);
    return result == host::disp_change_successful ? result
                                                  : host::change_display_mode(&mode, flags | host::cds_updateregistry);
}

int mode_test(int width, int height, int bits) {
    wait_ms(settle_ms);
    host::DisplayMode mode;
    for (int i = 0; host::display_mode(i, &mode); ++i)
        if (mode.width == width && mode.height == height && mode.bits == bits)
            return host::change_display_mode(&mode, host::cds_test);
    return -1;
}

}  // namespace services
