// The tick counter of the Linux hosts: milliseconds of the monotonic clock, which does not
// jump when the date is set, cut to 32 bits as a tick counter wraps. The host side can put
// an injected clock in its place, which moves only when the library waits.
#include <chrono>
#include <thread>

#include "platform/common/input_host.h"

namespace host {

uint32_t tick_count() {
    if (clock_state().injected) return clock_state().now;
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void sleep_ms(uint32_t ms) {
    ClockState& c = clock_state();
    if (c.injected) {
        c.now += ms ? ms : 1;
        return;
    }
    if (ms == 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace host
