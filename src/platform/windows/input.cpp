// Input and display modes of the Windows host, asked while one of its windows has the
// focus: the pointer, cursors and keys through the window system, the display modes
// through the display settings. The system's cursor show counter is kept in step with the
// library's, which the common input layer keeps.
#include <windows.h>

#include <vector>

#include "platform/common/input_host.h"
#include "platform/windows/window.h"

namespace host {
namespace {

HWND hwnd_of(Device* dc) { return static_cast<Window*>(dc)->hwnd; }

// Rows of a cursor mask are whole 16-bit words for the window system; the library's are
// width / 8 bytes. The padding keeps the screen: AND bits set, XOR bits clear.
std::vector<uint8_t> word_rows(const std::vector<uint8_t>& mask, int width, int height, uint8_t padding) {
    const size_t row = size_t(width / 8), padded = (row + 1) & ~size_t(1);
    std::vector<uint8_t> out(padded * size_t(height), padding);
    for (int y = 0; y < height; ++y)
        for (size_t i = 0; i < row; ++i) out[size_t(y) * padded + i] = mask[size_t(y) * row + i];
    return out;
}

// From DEVMODE's results: restarts and the like count as done, everything else the
// display refused.
int change_result(LONG r) {
    if (r == DISP_CHANGE_SUCCESSFUL || r == DISP_CHANGE_RESTART) return disp_change_successful;
    return r == DISP_CHANGE_BADMODE ? disp_change_badmode : disp_change_failed;
}

struct Win32 final : InputHost {
    bool mouse_present() override { return GetSystemMetrics(SM_MOUSEPRESENT) != 0; }
    void cursor_size(int& w, int& h) override {
        w = GetSystemMetrics(SM_CXCURSOR);
        h = GetSystemMetrics(SM_CYCURSOR);
    }

    void pointer(Device* dc, int& x, int& y) override {
        POINT p{};
        GetCursorPos(&p);
        ScreenToClient(hwnd_of(dc), &p);
        x = p.x, y = p.y;
    }
    void warp(Device* dc, int x, int y) override {
        POINT p{x, y};
        ClientToScreen(hwnd_of(dc), &p);
        SetCursorPos(p.x, p.y);
    }
    void clip(Device* dc, const int* rect) override {
        if (!rect) {
            ClipCursor(nullptr);
            return;
        }
        POINT corners[2] = {{rect[0], rect[1]}, {rect[2], rect[3]}};
        MapWindowPoints(hwnd_of(dc), nullptr, corners, 2);
        const RECT r{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
        ClipCursor(&r);
    }
    // ShowCursor keeps a counter of its own: it is moved until it agrees.
    void pointer_visible(bool visible) override {
        if (visible)
            while (ShowCursor(TRUE) < 0) {}
        else
            while (ShowCursor(FALSE) >= 0) {}
    }
    void set_cursor(Cursor* c) override {
        HCURSOR cursor = nullptr;
        if (c) {
            if (!c->native) {
                const auto and_rows = word_rows(c->and_mask, c->width, c->height, 0xFF);
                const auto xor_rows = word_rows(c->xor_mask, c->width, c->height, 0x00);
                c->native = CreateCursor(GetModuleHandleA(nullptr), c->hot_x, c->hot_y, c->width, c->height,
                                         and_rows.data(), xor_rows.data());
            }
            cursor = static_cast<HCURSOR>(c->native);
        }
        SetCursor(cursor ? cursor : LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    }

    void keys(uint8_t state[256]) override {
        for (int key = 1; key < 256; ++key)
            if (GetAsyncKeyState(key) & 0x8000) state[key] |= 0x80;
    }

    bool display_mode(int index, DisplayMode& mode) override {
        DEVMODEA m{};
        m.dmSize = sizeof m;
        if (index < 0 || !EnumDisplaySettingsA(nullptr, DWORD(index), &m)) return false;
        mode = {int(m.dmPelsWidth), int(m.dmPelsHeight), int(m.dmBitsPerPel)};
        return true;
    }

    int change_display_mode(const DisplayMode* mode, int flags) override {
        if (!mode) return change_result(ChangeDisplaySettingsA(nullptr, 0));
        DEVMODEA m{};
        m.dmSize = sizeof m;
        m.dmPelsWidth = DWORD(mode->width);
        m.dmPelsHeight = DWORD(mode->height);
        m.dmBitsPerPel = DWORD(mode->bits);
        m.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
        // The library's flags are the system's own values.
        return change_result(ChangeDisplaySettingsA(&m, DWORD(flags & (cds_updateregistry | cds_test | cds_fullscreen))));
    }
};

}  // namespace

InputHost* window_input() {
    static Win32 win32;
    return &win32;
}

}  // namespace host
