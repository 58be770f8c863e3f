// The Windows host on the system itself (run under Wine on a virtual X server): presenting
// into a real window and reading the window back, the clipboard round trip through the
// system clipboard, the pointer and keys through the window system, and the display
// settings.
#include <windows.h>

#include "platform/windows/window.h"
#include "support.h"

using namespace test;

namespace {

// A window with the focus, 320 × 240 (wide enough for any caption), and a 160 × 120
// buffer whose corners are marked.
class Win32Host : public Library {
protected:
    void SetUp() override {
        Library::SetUp();
        window = rsp_window_open(320, 240, "rsw32 test");
        ASSERT_NE(window, nullptr) << "no window: is there a display?";
        hwnd = static_cast<host::Window*>(window)->hwnd;
        rs_vbdepth(24);
        ASSERT_EQ(rs_vbopen(rs_vballoc(160, 120)), 0);
        rs_setcolorrgb(10, 20, 30), rs_point(0, 119), rs_setcolorrgb(200, 100, 50), rs_point(159, 0);
        rs_setdc(window);
    }
    void TearDown() override {
        rsp_window_close(window);
        Library::TearDown();
    }
    // What the window shows at (x, y) of its client area, read back from its device context.
    uint32_t shown(int x, int y) {
        HDC dc = GetDC(hwnd);
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(hwnd, dc);
        return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    }
    RS_HDC window = nullptr;
    HWND hwnd = nullptr;
};

TEST_F(Win32Host, PastedAndScaledBuffersReachTheWindowOnTheScreen) {
    RECT client;
    ASSERT_TRUE(GetClientRect(hwnd, &client));
    EXPECT_EQ(list(int(client.right), int(client.bottom)), list(320, 240));
    rs_vbpaste(0, 159, 0, 119, 0, 239);
    EXPECT_EQ(rsp_window_pump(window), 1);
    EXPECT_EQ(list(shown(0, 239), shown(159, 120), shown(160, 120), shown(0, 119)), list(0x0A141Eu, 0xC86432u, 0u, 0u));
    rs_vbscale(0, 159, 0, 119, 0, 319, 0, 239);
    EXPECT_EQ(rsp_window_pump(window), 1);
    EXPECT_EQ(list(shown(0, 239), shown(1, 238), shown(319, 0), shown(318, 1)), list(0x0A141Eu, 0x0A141Eu, 0xC86432u, 0xC86432u));
    // Painting again after the window was covered shows the same pixels.
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
    EXPECT_EQ(list(shown(0, 239), shown(319, 0)), list(0x0A141Eu, 0xC86432u));
    // Closing hides the window; its device lives on until released.
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(rsp_window_pump(window), 0);
    EXPECT_FALSE(IsWindowVisible(hwnd));
}

TEST_F(Win32Host, ResizingKeepsWhatWasDrawnAndFollowsTheClientArea) {
    rs_vbpaste(0, 159, 0, 119, 0, 119);
    RECT frame{0, 0, 400, 300};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(rsp_window_pump(window), 1);
    int w = 0, h = 0;
    const unsigned* p = rsp_surface_pixels(window, &w, &h);
    ASSERT_TRUE(p);
    EXPECT_EQ(list(w, h), list(400, 300));
    EXPECT_EQ(list(p[119 * 400], p[159]), list(0x0A141Eu, 0xC86432u));
    EXPECT_EQ(list(shown(0, 119), shown(159, 0)), list(0x0A141Eu, 0xC86432u));
}

// The bitmap the library cuts is on the system clipboard for any program; a bitmap another
// program puts there is what the library pastes.
TEST_F(Win32Host, BitmapsTravelThroughTheSystemClipboard) {
    ASSERT_EQ(rs_vb2clip(0, 159, 0, 119), 0);
    ASSERT_TRUE(OpenClipboard(hwnd));
    HANDLE data = GetClipboardData(CF_DIB);
    ASSERT_NE(data, nullptr);
    const auto* dib = static_cast<const uint8_t*>(GlobalLock(data));
    ASSERT_NE(dib, nullptr);
    const uint32_t header = host::read_u32(dib);
    EXPECT_EQ(list(int(host::read_u32(dib + 4)), int(host::read_u32(dib + 8)), int(host::read_u16(dib + 14))), list(160, 120, 24));
    const uint8_t* bottom_left = dib + header;  // rows bottom first, blue, green, red
    const uint8_t* top_right = dib + header + 119 * 480 + 159 * 3;
    EXPECT_EQ(list(bottom_left[0], bottom_left[1], bottom_left[2], top_right[2]), list<uint8_t>(30, 20, 10, 200));
    GlobalUnlock(data);
    CloseClipboard();

    // Another program's bitmap: 2 × 1 pixels, 24 bits.
    uint8_t other[40 + 8] = {};
    host::write_u32(other, 40), host::write_u32(other + 4, 2), host::write_u32(other + 8, 1);
    host::write_u16(other + 12, 1), host::write_u16(other + 14, 24);
    other[40] = 1, other[41] = 2, other[42] = 3, other[43] = 4, other[44] = 5, other[45] = 6;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof other);
    std::memcpy(GlobalLock(memory), other, sizeof other);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(hwnd));
    EmptyClipboard();
    ASSERT_NE(SetClipboardData(CF_DIB, memory), nullptr);
    CloseClipboard();
    ASSERT_EQ(rs_clip2vb(4, 5, 7, 7, 0), 0);
    EXPECT_EQ(list(rs_getpixel(4, 7), rs_getpixel(5, 7)), list(0x030201, 0x060504));
    // Without flag 2 the bitmap is taken off, from the system clipboard too.
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
}

// The pointer moves through the window system and is read back from it; keys pressed
// through the system's input are seen by the key test.
TEST_F(Win32Host, PointerAndKeysGoThroughTheWindowSystem) {
    ASSERT_EQ(rs_mouseini(), 1);
    rs_vbpaste(0, 159, 0, 119, 0, 119);
    rsp_window_pump(window);
    ASSERT_EQ(rs_mousemov(10, 12), 0);
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(hwnd, &p);
    int x = -1, y = -1;
    EXPECT_EQ(rs_mousepos(&x, &y), 0);
    EXPECT_EQ(list(x, y), list(int(p.x) / 2, int(p.y) / 2));
    if (p.x != 20 || p.y != 24) GTEST_SKIP() << "this display does not move the pointer (it is at " << p.x << ", " << p.y << ")";
    EXPECT_EQ(list(x, y), list(10, 12));

    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_KEYBOARD;
    press[0].ki.wVk = press[1].ki.wVk = VK_LSHIFT;
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    // The window system brings the key states in line with the display when the window
    // takes the focus: that has to have happened before a key goes down.
    for (int i = 0; i < 5; ++i) rsp_window_pump(window), Sleep(20);
    ASSERT_EQ(SendInput(1, &press[0], sizeof(INPUT)), 1u);
    rsp_window_pump(window);
    const int left_shift = rs_kbtest(0x2A), right_shift = rs_kbtest(0x36);
    SendInput(1, &press[1], sizeof(INPUT));
    rsp_window_pump(window);
    if (!left_shift) GTEST_SKIP() << "this display does not deliver synthesized keys";
    EXPECT_EQ(list(left_shift, right_shift, rs_kbtest(0x2A)), list(1, 0, 0));
}

// Display modes come from the display settings: the current mode can be set (as a test),
// a mode the display lacks cannot.
TEST_F(Win32Host, DisplayModesComeFromTheDisplaySettings) {
    DEVMODEA current{};
    current.dmSize = sizeof current;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current));
    const int w = int(current.dmPelsWidth), h = int(current.dmPelsHeight), bits = int(current.dmBitsPerPel);
    EXPECT_EQ(rs_modetest(w, h, bits), 0) << w << " x " << h << " x " << bits;
    EXPECT_EQ(rs_modetest(12345, 17, bits), -1);
    EXPECT_EQ(rs_modeset(0, 0, 0, 0), 0);  // back to the mode the session started in
}

}  // namespace
