// Windows over the Windows API. Each window has a pixel store the size of its client area,
// shown top row first as a 32-bit bitmap, and handles its messages when the host side pumps
// it (or when the system sends them, while a call such as a move or a resize runs).
#include "platform/windows/window.h"

#include <algorithm>
#include <cstring>

#include "platform/common/host_side.h"

namespace host {

std::vector<Window*>& windows() {
    static std::vector<Window*> list;
    return list;
}

namespace {

constexpr const char* window_class = "rsw32 window";

Window* window_of(HWND hwnd) { return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    Window* w = window_of(hwnd);
    if (!w) return DefWindowProcA(hwnd, message, wparam, lparam);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        w->show(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: return 1;  // the store covers the whole client area
    case WM_CLOSE:
        w->open = false;
        ShowWindow(hwnd, SW_HIDE);
        return 0;
    case WM_SIZE:
        if (wparam != SIZE_MINIMIZED) w->resize(LOWORD(lparam), HIWORD(lparam));
        return 0;
    case WM_SETFOCUS: set_focus(w); return 0;
    default: return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

bool register_class() {
    static const bool registered = [] {
        WNDCLASSEXA c{};
        c.cbSize = sizeof c;
        c.style = CS_HREDRAW | CS_VREDRAW;
        c.lpfnWndProc = window_proc;
        c.hInstance = GetModuleHandleA(nullptr);
        c.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // the arrow
        c.lpszClassName = window_class;
        return RegisterClassExA(&c) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

}  // namespace

Window::~Window() {
    std::erase(windows(), this);
    if (hwnd) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(hwnd);
    }
}

void Window::show(HDC dc) {
    HDC own = dc ? nullptr : GetDC(hwnd);
    if (!dc && !own) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first, as the store holds them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc ? dc : own, 0, 0, DWORD(width), DWORD(height), 0, 0, 0, UINT(height), pixels.get(), &info,
                      DIB_RGB_COLORS);
    if (own) ReleaseDC(hwnd, own);
    dirty = false;
}

// The store follows the client area; what was drawn keeps its place.
void Window::resize(int w, int h) {
    if (w == width && h == height) return;
    auto store = raster_store(w, h);
    if (!store) return;
    const int cw = std::min(w, width), ch = std::min(h, height);
    for (int y = 0; y < ch; ++y)
        std::memcpy(store.get() + size_t(y) * size_t(w), pixels.get() + size_t(y) * size_t(width), size_t(cw) * 4);
    pixels = std::move(store);
    width = client_width = w;
    height = client_height = h;
    InvalidateRect(hwnd, nullptr, FALSE);
}

Device* window_open(int width, int height, const char* title) {
    auto store = raster_store(width, height);
    if (!store || !register_class()) return nullptr;
    const DWORD style = WS_OVERLAPPEDWINDOW;
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, style, FALSE);
    Window* w = adopt(std::make_unique<Window>(width, height, std::move(store)));
    w->hwnd = CreateWindowExA(0, window_class, title ? title : "", style, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (!w->hwnd) {
        destroy(w);
        return nullptr;
    }
    windows().push_back(w);
    SetWindowLongPtrA(w->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
    // Opening gives the window the focus: it comes to the front, where the keys go.
    ShowWindow(w->hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(w->hwnd);
    set_focus(w);
    // The client area may differ from the size asked for (a screen too small for it).
    RECT client;
    if (GetClientRect(w->hwnd, &client)) w->resize(client.right, client.bottom);
    return w;
}

int window_pump(void* handle) {
    Window* w = find_as<Window>(handle, Kind::window);
    if (!w) return 0;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            for (Window* each : windows()) each->open = false;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (w->open && w->dirty) w->show();
    return w->open ? 1 : 0;
}

int window_close(void* handle) {
    Window* w = find_as<Window>(handle, Kind::window);
    if (!w) return -1;
    if (settings().focus == w) set_focus(nullptr);
    destroy(w);
    return 0;
}

}  // namespace host
