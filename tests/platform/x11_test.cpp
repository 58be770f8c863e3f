// The window host in a real X server: an Xvfb of the test's own, a person's pointer and
// keys played by xdotool, and what the window shows read back with xwd. Nothing waits a
// fixed time: each check polls, pumping the window, until it holds or a deadline passes.
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/input.h"
#include "support.h"

// SDL's input methods look for their service on the session bus, whose library keeps what
// it allocated to the end by design (and there is no session bus beside Xvfb).
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

namespace {

#ifdef RSW32_WINDOW_HOST

// Runs a command with the test's X server and returns what it printed.
std::string run(const std::string& command) {
    std::string out;
    if (FILE* p = popen((command + " 2>/dev/null").c_str(), "r")) {
        char buf[4096];
        for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
        pclose(p);
    }
    return out;
}

// A value from `xdotool ... --shell` output (NAME=value lines), or -1.
int shell_value(const std::string& out, const std::string& name) {
    const size_t at = out.find(name + "=");
    return at == std::string::npos ? -1 : std::atoi(out.c_str() + at + name.size() + 1);
}

class X11 : public test::Library {
protected:
    // Starts Xvfb, which chooses a free display and writes its number once it takes clients
    // (or ends, closing the pipe, when it cannot start).
    static void SetUpTestSuite() {
        if (run("command -v xdotool && command -v xwd").find("xwd") == std::string::npos) {
            why_not = "xdotool or xwd is not installed";
            return;
        }
        server = popen("Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>&1 >/dev/null 2>&1 & echo $!", "r");
        char pid[32] = "", number[32] = "";
        if (!server || !fgets(pid, sizeof pid, server) || !fgets(number, sizeof number, server)) {
            why_not = "Xvfb did not start";
            return;
        }
        server_pid = std::atoi(pid);
        for (const char* name : {"DISPLAY", "SDL_VIDEODRIVER"}) saved.emplace_back(name, getenv(name) ? getenv(name) : "");
        char display[40];
        std::snprintf(display, sizeof display, ":%d", std::atoi(number));
        setenv("DISPLAY", display, 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        why_not.clear();
    }
    static void TearDownTestSuite() {
        if (server_pid > 0) kill(server_pid, SIGTERM);
        if (server) pclose(server);
        for (const auto& [name, value] : saved) value.empty() ? unsetenv(name) : setenv(name, value.c_str(), 1);
    }

    // A 320 x 240 window showing a 160 x 120 buffer, found mapped by the X server.
    void SetUp() override {
        if (!why_not.empty()) GTEST_SKIP() << "no X server for the window tests: " << why_not;
        test::Library::SetUp();
        window = rsp_window_open(320, 240, "rsw32 x11 test");
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(eventually([&] { return (id = run("xdotool search --onlyvisible --name '^rsw32 x11 test$'")) != ""; }));
        id.pop_back();  // the newline
        const std::string geometry = run("xdotool getwindowgeometry --shell " + id);
        left = shell_value(geometry, "X");
        top = shell_value(geometry, "Y");
        rs_vbdepth(24);
        rs_vbopen(rs_vballoc(160, 120));
        rs_setdc(window);
        ASSERT_EQ(rs_mouseini(), 1);
    }
    void TearDown() override {
        if (!window) return;
        run("xdotool mouseup 1 mouseup 2 keyup Shift_R");
        rs_setdc(nullptr);
        rsp_window_close(window);
        test::Library::TearDown();
    }

    // Whether `holds` comes true within ten seconds, pumping the window meanwhile.
    bool eventually(const std::function<bool()>& holds) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (;;) {
            rsp_window_pump(window);
            if (holds()) return true;
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    void pointer_to(int x, int y) { run("xdotool mousemove " + std::to_string(left + x) + " " + std::to_string(top + y)); }

    static inline FILE* server = nullptr;
    static inline pid_t server_pid = 0;
    static inline std::string why_not = "not started";
    static inline std::vector<std::pair<const char*, std::string>> saved;
    RS_HDC window = nullptr;
    std::string id;
    int left = 0, top = 0;
};

TEST_F(X11, PointerIsReadWhereThePersonPutsItAndMovedWhereTheLibrarySays) {
    struct Case { int cx, cy, x, y; };
    for (const Case& c : {Case{1, 1, 0, 0}, Case{319, 239, 159, 119}, Case{101, 51, 50, 25}, Case{-1, 5, -1, -1},
                          Case{330, 5, -1, -1}, Case{5, 241, -1, -1}}) {
        pointer_to(c.cx, c.cy);
        int x = 0, y = 0;
        EXPECT_TRUE(eventually([&] { return rs_mousepos(&x, &y) == (c.x < 0 ? -1 : 0) && x == c.x && y == c.y; }))
            << c.cx << "," << c.cy << " read as " << x << "," << y;
    }
    rs_mousemov(30, 40);
    int x = 0, y = 0;
    EXPECT_TRUE(eventually([&] { return rs_mousepos(&x, &y) == 0 && x == 30 && y == 40; })) << x << "," << y;
    std::string at;
    EXPECT_TRUE(eventually([&] {
        at = run("xdotool getmouselocation --shell");
        return shell_value(at, "X") == left + 60 && shell_value(at, "Y") == top + 80;
    })) << at;
}

TEST_F(X11, KeysAreSeenBySideAndOnlyTheMiddleButtonCountsAsAKey) {
    pointer_to(10, 10);  // the focus follows the pointer
    run("xdotool keydown Shift_R keyup Shift_L");  // xdotool holds the left one too
    EXPECT_TRUE(eventually([] { return rs_kbtest(0x36) == 1 && rs_kbtest(0x2A) == 0; }));
    EXPECT_EQ(rs_kbtest(0), 1);
    run("xdotool keyup Shift_R");
    EXPECT_TRUE(eventually([] { return rs_kbtest(0) == 0; }));
    run("xdotool mousedown 1");
    uint8_t keys[256];
    EXPECT_TRUE(eventually([&] { return host::keyboard_state(keys), keys[1] != 0; }));
    EXPECT_EQ(rs_kbtest(0), 0);
    run("xdotool mouseup 1 mousedown 2");
    EXPECT_TRUE(eventually([] { return rs_kbtest(0) == 1; }));
}

// xwd's image of a window: a header of big-endian words, a colour map, then the rows. The
// server's pixels are read as 32-bit 0x00RRGGBB words, least significant byte first, and
// an image in any other layout reads as nothing.
std::vector<uint32_t> xwd_pixels(const std::string& f, int width, int height) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(f.data());
    auto word = [&](size_t i) { return uint32_t(bytes[4 * i] << 24 | bytes[4 * i + 1] << 16 | bytes[4 * i + 2] << 8 | bytes[4 * i + 3]); };
    if (f.size() < 100 || int(word(4)) != width || int(word(5)) != height || word(7) != 0 || word(11) != 32 ||
        word(14) != 0xFF0000 || word(15) != 0xFF00 || word(16) != 0xFF)
        return {};
    const size_t data = word(0) + 12 * size_t(word(19)), pitch = word(12);
    if (f.size() < data + pitch * size_t(height)) return {};
    std::vector<uint32_t> out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* b = bytes + data + pitch * size_t(y) + 4 * size_t(x);
            out.push_back(uint32_t(b[0] | b[1] << 8 | b[2] << 16));
        }
    return out;
}

TEST_F(X11, WindowShowsThePresentedBufferPixelForPixel) {
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x) {
            rs_setcolorrgb(x * 255 / 159, y * 2, (x ^ y) & 0xFF);
            rs_point(x, y);
        }
    rs_vbscale(0, 159, 0, 119, 0, 319, 0, 239);
    int w = 0, h = 0;
    const unsigned* shown = rsp_surface_pixels(window, &w, &h);
    ASSERT_EQ(shown[(2 * 7 + 1) * 320 + 2 * 9], (9u * 255 / 159) << 16 | 14u << 8 | (9 ^ 7));
    pointer_to(-50, -50);  // off the window
    std::vector<uint32_t> image;
    EXPECT_TRUE(eventually([&] {
        image = xwd_pixels(run("xwd -silent -id " + id), w, h);
        return image == std::vector<uint32_t>(shown, shown + w * h);
    })) << "xwd read " << image.size() << " pixels";
}

// Only the server's one screen mode is offered. (Switching to it is left out: without a
// window manager, which carries out full-screen requests, the window would not change.)
TEST_F(X11, DisplayModesAreTheServerScreens) {
    EXPECT_EQ(rs_modetest(640, 480, 32), 0);
    EXPECT_EQ(rs_modetest(640, 480, 8), -1);
    EXPECT_EQ(rs_modeset(640, 480, 16, 1), -2);
    EXPECT_EQ(rs_modeset(0, 0, 0, 0), 0);
}

#else

TEST(X11, SkippedWithoutTheWindowHost) { GTEST_SKIP() << "the library was built without SDL2: no window tests"; }

#endif

}  // namespace
