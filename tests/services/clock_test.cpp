// Clock units, waits and the delay loop, on an injected tick counter where the real one
// would make the test slow or depend on the machine.
#include "support.h"

namespace {

using Clock = test::HeadlessInput;

TEST_F(Clock, WaitsLastTheirUnitsAcrossTheTickCounterWrap) {
    struct Case { unsigned start; int units; unsigned end; };
    const Case cases[] = {{0, 1, 55},
                          {0xFFFFFF00u, 10, 0xFFFFFF00u + 550},  // wraps to 294
                          {0xFFFFFFFFu, 2, 109},
                          {1000, 0, 1000},
                          {1000, -3, 1000}};
    for (const Case& c : cases) {
        rsp_clock_inject(1, c.start);
        EXPECT_EQ(rs_waitfor(c.units), 0);
        EXPECT_EQ(rsp_clock(), c.end) << c.start << " + " << c.units;
        EXPECT_EQ(rs_getclock(), int(c.end / 55));
    }
}

TEST_F(Clock, MeasureWithoutElapsedTimeIsMinusOneAndStallsNotBelowZero) {
    rsp_clock_inject(1, 5000);
    EXPECT_EQ(rs_measure(), -1);  // the injected clock does not move while the loop runs
    EXPECT_EQ(rsp_clock(), 5001u);  // but it waited for the next tick first
    EXPECT_EQ(rs_stall(-1000000000), 0);
    rsp_clock_inject(0, 0);
    const int count = rs_measure();
    EXPECT_GT(count, 0);
}

}  // namespace
