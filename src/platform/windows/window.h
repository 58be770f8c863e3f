// Windows of the Windows host, shared by its files.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/common/objects.h"

namespace host {

// A top-level window whose client area is a Raster: the library's copies draw into the
// pixel store, and the window shows the store with SetDIBitsToDevice when it is painted or
// pumped. Closing a window hides it; its device stays valid until the host side releases it.
struct Window : Raster {
    Window(int w, int h, std::unique_ptr<uint32_t[]> store) : Raster(Kind::window, w, h, std::move(store)) {}
    ~Window() override;
    HWND hwnd = nullptr;
    bool open = true;

    // Shows the store on `dc` (the window's own DC when null).
    void show(HDC dc = nullptr);
    void resize(int w, int h);
};

std::vector<Window*>& windows();

}  // namespace host
