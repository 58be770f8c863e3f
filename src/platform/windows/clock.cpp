// The tick counter of the Windows host: the system's millisecond tick count, which wraps at
// 2^32 as the library's does. The host side can put an injected clock in its place, which
// moves only when the library waits.
#include <windows.h>

#include "platform/common/input_host.h"

namespace host {

uint32_t tick_count() {
    if (clock_state().injected) return clock_state().now;
    return uint32_t(GetTickCount());
}

void sleep_ms(uint32_t ms) {
    ClockState& c = clock_state();
    if (c.injected) {
        c.now += ms ? ms : 1;
        return;
    }
    // Sleep(0) gives the rest of the time slice to any thread that is ready.
    Sleep(ms);
}

}  // namespace host
