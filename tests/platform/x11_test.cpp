// The window host in a real X server: an Xvfb of the test's own, a person's pointer and
// keys played by xdotool, and what the window shows read back with xwd. Nothing waits a
// fixed time: each check polls, pumping the window, until it holds or a deadline passes.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/input.h"
#include "support.h"

extern char** environ;

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
    // Starts Xvfb on a display number it chooses itself and reports once it accepts clients.
    static void SetUpTestSuite() {
        if (run("command -v xdotool && command -v xwd").find("xwd") == std::string::npos) {
            why_not = "xdotool or xwd is not installed";
            return;
        }
        int fds[2];
        if (pipe(fds) != 0) return;
        const std::string fd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp", "-noreset", nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const bool spawned = posix_spawnp(&server, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        char c = 0;
        while (spawned && poll(&p, 1, 30000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (number.empty()) {
            why_not = spawned ? "Xvfb did not start" : "Xvfb is not installed";
            return;
        }
        for (const char* name : {"DISPLAY", "SDL_VIDEODRIVER"}) saved.emplace_back(name, getenv(name) ? getenv(name) : "");
        setenv("DISPLAY", (":" + number).c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        why_not.clear();
    }
    static void TearDownTestSuite() {
        if (server > 0) {
            kill(server, SIGTERM);
            waitpid(server, nullptr, 0);
        }
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

    static inline pid_t server = 0;
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

// xwd's image of a window: a header of big-endian words, a colour map, then rows of pixels
// in the header's byte order, channels where its masks say. Returns 0x00RRGGBB words.
std::vector<uint32_t> xwd_pixels(const std::string& f, int width, int height) {
    auto word = [&](size_t i) {
        const auto* b = reinterpret_cast<const uint8_t*>(f.data()) + 4 * i;
        return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
    };
    if (f.size() < 100 || int(word(4)) != width || int(word(5)) != height || word(11) != 32) return {};
    const size_t data = word(0) + 12 * size_t(word(19)), pitch = word(12);
    if (f.size() < data + pitch * size_t(height)) return {};
    auto channel = [](uint32_t v, uint32_t mask) { return (v & mask) / (mask & ~(mask << 1)) & 0xFF; };
    std::vector<uint32_t> out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto* b = reinterpret_cast<const uint8_t*>(f.data()) + data + pitch * size_t(y) + 4 * size_t(x);
            const uint32_t v = word(7) == 0 ? uint32_t(b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24)
                                            : uint32_t(uint32_t(b[0]) << 24 | b[1] << 16 | b[2] << 8 | b[3]);
            out.push_back(channel(v, word(14)) << 16 | channel(v, word(15)) << 8 | channel(v, word(16)));
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
