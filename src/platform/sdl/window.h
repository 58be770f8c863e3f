// Windows of the SDL2 window host, shared by its files.
#pragma once

#include <SDL.h>

#include <vector>

#include "platform/common/objects.h"

namespace host {

struct Window : Raster {
    Window(int w, int h, std::unique_ptr<uint32_t[]> store, SDL_Window* win)
        : Raster(Kind::window, w, h, std::move(store)), window(win) {}
    ~Window() override;
    SDL_Window* window;
    bool open = true;
    bool exposed = true;  // the window needs its pixels shown again

    void show();
    void resize(int w, int h);
};

// The open windows, and how often the video system has started: each window holds it, so
// it stops when the last window closes, and what was made under it (cursors) dies then.
std::vector<Window*>& windows();
unsigned video_generation();

}  // namespace host
