// The SDL2 window host, on SDL's dummy video driver (or the one the environment names).
#include "support.h"

using namespace test;

namespace {

#ifdef RSW32_WINDOW_HOST

// A new window has the focus and shows its drawing at the next pump; the library never releases it.
TEST_F(Library, WindowShowsPastedAndScaledBuffersAndHasTheFocus) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    RS_HDC window = rsp_window_open(64, 48, "rsw32 test");
    if (!window) GTEST_SKIP() << "SDL could not open a window with video driver " << getenv("SDL_VIDEODRIVER");
    rs_vbdepth(24);
    ASSERT_EQ(rs_vbopen(rs_vballoc(32, 24)), 0);
    rs_setcolorrgb(10, 20, 30), rs_point(0, 23), rs_setcolorrgb(200, 100, 50), rs_point(31, 0), rs_setdc(window);
    rs_vbpaste(0, 31, 0, 23, 0, 47);
    EXPECT_EQ(rsp_window_pump(window), 1);
    int w = 0, h = 0;
    const unsigned* p = rsp_surface_pixels(window, &w, &h);
    ASSERT_TRUE(p && w == 64 && h == 48);
    EXPECT_EQ(list(p[47 * 64], p[24 * 64 + 31]), list(0x0A141Eu, 0xC86432u));
    rs_vbscale(0, 31, 0, 23, 0, 63, 0, 47);
    EXPECT_EQ(rsp_window_pump(window), 1);
    EXPECT_EQ(list(p[47 * 64 + 1], p[1 * 64 + 62]), list(0x0A141Eu, 0xC86432u));
    EXPECT_EQ(list(rs_xclient(16), rs_yvb(47)), list(32, 23));
    EXPECT_EQ(rs_printdc(window), 0);
    EXPECT_EQ(rs_printer(2), 0);
    EXPECT_EQ(rsp_window_pump(window), 1);
    EXPECT_EQ(rsp_window_close(window), 0);
    EXPECT_EQ(list(rsp_window_pump(nullptr), rs_xclient(10)), list(0, -1));
}

#else

TEST(Window, NoWindowWithoutTheWindowHost) { EXPECT_EQ(rsp_window_open(64, 48, "rsw32 test"), nullptr); }

#endif

}  // namespace
