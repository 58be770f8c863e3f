// Display modes on the headless host, which reads back each change the library asks for.
// The clock is injected, so the pauses before and after changes show as its movement.
#include "support.h"

namespace {

class DisplayModes : public test::HeadlessInput {
protected:
    void SetUp() override {
        test::HeadlessInput::SetUp();
        rsp_clock_inject(1, 0);
    }
    // The mode in force, the flags of the last change and the number of changes.
    std::vector<int> display() {
        int w = 0, h = 0, bits = 0, flags = 0;
        const int changes = rsp_display_mode(&w, &h, &bits, &flags);
        return {w, h, bits, flags, changes};
    }
};

TEST_F(DisplayModes, TestAndSetFindTheModeAndBitsZeroGoesBack) {
    EXPECT_EQ(rs_modetest(640, 480, 32), -1);    // without modes
    EXPECT_EQ(rs_modeset(640, 480, 32, 1), -2);  // asked twice, the second time to keep it
    EXPECT_EQ(display(), (std::vector<int>{0, 0, 0, 4 | 1, 2}));
    const int modes[] = {800, 600, 32, 640, 480, 8, 640, 480, 32};
    rsp_display_modes(modes, 3);
    rsp_clock_inject(1, 0);
    struct Step { int width, height, bits, full_screen, result; std::vector<int> after; unsigned clock; };
    const Step steps[] = {
        {640, 480, 16, -1, -1, {800, 600, 32, 0, 0}, 200},  // a depth never offered: no change asked
        {640, 480, 8, -1, 0, {800, 600, 32, 2, 1}, 400},    // only tested
        {640, 480, 8, 1, 0, {640, 480, 8, 4, 2}, 600},
        {640, 480, 32, 0, 0, {640, 480, 32, 0, 3}, 800},
        {1, 2, 0, 1, 0, {800, 600, 32, 0, 4}, 1000},
    };
    for (const Step& s : steps) {
        const int result = s.full_screen < 0 ? rs_modetest(s.width, s.height, s.bits)
                                             : rs_modeset(s.width, s.height, s.bits, s.full_screen);
        EXPECT_EQ(result, s.result) << s.width << "x" << s.height << "x" << s.bits;
        EXPECT_EQ(display(), s.after) << s.width << "x" << s.height << "x" << s.bits;
        EXPECT_EQ(rsp_clock(), s.clock);
    }
}

}  // namespace
