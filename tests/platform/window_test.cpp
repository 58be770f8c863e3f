// The SDL2 window host, run on SDL's dummy video driver (or whatever driver the
// environment names), so no display is needed.
#include <cstdlib>

#include "support.h"

namespace {

#ifdef RSW32_WINDOW_HOST

class Window : public test::Library {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        test::Library::SetUp();
        window = rsp_window_open(64, 48, "rsw32 test");
        if (!window) GTEST_SKIP() << "SDL could not open a window with video driver " << getenv("SDL_VIDEODRIVER");
    }
    void TearDown() override {
        if (window) rsp_window_close(window);
        test::Library::TearDown();
    }
    RS_HDC window = nullptr;
};

TEST_F(Window, ShowsPastedAndScaledBuffersAndHasTheFocus) {
    rs_vbdepth(24);
    ASSERT_EQ(rs_vbopen(rs_vballoc(32, 24)), 0);
    rs_setcolorrgb(10, 20, 30);
    rs_point(0, 23);
    rs_setcolorrgb(200, 100, 50);
    rs_point(31, 0);
    rs_setdc(window);
    rs_vbpaste(0, 31, 0, 23, 0, 47);
    EXPECT_EQ(rsp_window_pump(window), 1);
    int w = 0, h = 0;
    const unsigned* p = rsp_surface_pixels(window, &w, &h);
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(w, 64);
    ASSERT_EQ(h, 48);
    EXPECT_EQ(p[47 * 64 + 0], 0x0A141Eu);
    EXPECT_EQ(p[24 * 64 + 31], 0xC86432u);
    rs_vbscale(0, 31, 0, 23, 0, 63, 0, 47);
    EXPECT_EQ(rsp_window_pump(window), 1);
    EXPECT_EQ(p[47 * 64 + 1], 0x0A141Eu);
    EXPECT_EQ(p[1 * 64 + 62], 0xC86432u);
    // The new window has the focus: the client mapping uses its client area.
    EXPECT_EQ(rs_xclient(16), 32);
    EXPECT_EQ(rs_yvb(47), 23);
    EXPECT_EQ(rs_printdc(window), 0);
    EXPECT_EQ(rs_printer(2), 0);  // windows are not released by the library
    EXPECT_EQ(rsp_window_pump(window), 1);
}

TEST_F(Window, PumpReportsAClosedWindow) {
    EXPECT_EQ(rsp_window_pump(window), 1);
    EXPECT_EQ(rsp_window_close(window), 0);
    window = nullptr;
    EXPECT_EQ(rsp_window_pump(window), 0);
    EXPECT_EQ(rs_xclient(10), -1);  // the focus went with it
}

#else

TEST(Window, NoWindowWithoutTheWindowHost) { EXPECT_EQ(rsp_window_open(64, 48, "rsw32 test"), nullptr); }

#endif

}  // namespace
