// The coarse clock and delays: time in clock units of 55 milliseconds, read from the host's
// millisecond tick counter, and a calibrated delay loop.
#pragma once

#include <cstdint>

namespace services {

constexpr int unit_ms = 55;  // one clock unit

int get_clock();
int wait_for(int units);
int stall(int count);
int measure();

// Returns once `ms` milliseconds have passed on the tick counter.
void wait_ms(int64_t ms);

}  // namespace services
