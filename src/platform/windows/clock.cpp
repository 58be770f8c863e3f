// The tick counter of the Windows host: milliseconds of the performance counter, cut to
// 32 bits as a tick counter wraps. The system's own tick count moves in steps of 10 to 16
// ms, too coarse for timing a short loop; the performance counter is steady and fine. The
// host side can put an injected clock in its place, which moves only when the library
// waits.
#include <windows.h>

#include "platform/common/input_host.h"

namespace host {

uint32_t tick_count() {
    if (clock_state().injected) return clock_state().now;
    static const int64_t frequency = [] {
        LARGE_INTEGER f;
        return QueryPerformanceFrequency(&f) && f.QuadPart > 0 ? int64_t(f.QuadPart) : 0;
    }();
    LARGE_INTEGER now;
    if (!frequency || !QueryPerformanceCounter(&now)) return uint32_t(GetTickCount());
    // Whole seconds and the rest apart, so the product cannot overflow.
    const int64_t seconds = now.QuadPart / frequency, rest = now.QuadPart % frequency;
    return uint32_t(seconds * 1000 + rest * 1000 / frequency);
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
