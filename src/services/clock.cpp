// Clock units, waits and the delay loop.
//
// Waits sleep instead of spinning: they end once the tick counter has moved on by the
// time asked, which sleeping the remaining time (a second at most at once) reaches give
// or take the scheduler, and a spin would reach no sooner on a millisecond counter. Elapsed time is
// summed from differences of successive readings in unsigned 32 bits, so a wait across the
// counter's wrap lasts as long as any other, and so does one longer than the 49 days after
// which the counter comes round.
#include "services/clock.h"

#include <algorithm>

#include "platform/input.h"

namespace services {
namespace {

// The delay loop's unit of work: a call of an empty routine that the compiler can neither
// see through nor drop, as it goes through a volatile pointer.
void empty_routine() {}
void (*volatile empty_call)() = empty_routine;

constexpr int calls_per_pass = 50;
constexpr int measure_passes = 65535;

void run_passes(int count) {
    for (int i = 0; i < count; ++i)
        for (int j = 0; j < calls_per_pass; ++j) empty_call();
}

}  // namespace

void wait_ms(int64_t ms) {
    uint32_t last = host::tick_count();
    for (int64_t elapsed = 0; elapsed < ms;) {
        host::sleep_ms(uint32_t(std::min<int64_t>(ms - elapsed, 1000)));
        const uint32_t now = host::tick_count();
        elapsed += uint32_t(now - last);
        last = now;
    }
}

int get_clock() { return int(host::tick_count() / unit_ms); }

int wait_for(int units) {
    if (units > 0) wait_ms(int64_t(units) * unit_ms);
    return 0;
}

int stall(int count) {
    run_passes(count);
    return 0;
}

// Starts on a tick of the counter, so the loop's time is not cut short by a part of a
// tick already gone. Less than a clock unit (a fast processor runs the loop in a few
// milliseconds) is scaled from the milliseconds instead of dividing by zero units.
int measure() {
    const uint32_t before = host::tick_count();
    uint32_t start = before;
    while (start == before) {
        host::sleep_ms(0);
        start = host::tick_count();
    }
    run_passes(measure_passes);
    const uint32_t elapsed = host::tick_count() - start;
    if (elapsed == 0) return -1;
    if (elapsed < unit_ms) return int(int64_t(measure_passes) * unit_ms / elapsed);
    return measure_passes / int(elapsed / unit_ms);
}

}  // namespace services
