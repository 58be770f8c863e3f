// Windows on SDL2. A window is a Raster: the library's copies draw into its pixel store,
// and each pump shows the store in the window (through the window surface, so any video
// driver works, the offscreen and dummy drivers included). Closing a window hides it;
// its device stays valid until the host side releases it.
#include "platform/sdl/window.h"

#include <algorithm>
#include <cstring>

#include "platform/common/host_side.h"

namespace host {

std::vector<Window*>& windows() {
    static std::vector<Window*> list;
    return list;
}

static unsigned& video_starts() {
    static unsigned n = 0;
    return n;
}

unsigned video_generation() { return video_starts(); }

Window::~Window() {
    std::erase(windows(), this);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void Window::show() {
    SDL_Surface* target = SDL_GetWindowSurface(window);
    if (!target) return;
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(pixels.get(), width, height, 32, width * 4,
                                                             SDL_PIXELFORMAT_RGB888);
    if (!source) return;
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurface(window);
    dirty = exposed = false;
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
    exposed = true;
}

namespace {

Window* window_by_id(uint32_t id) {
    for (Window* w : windows())
        if (SDL_GetWindowID(w->window) == id) return w;
    return nullptr;
}

void handle(const SDL_Event& e) {
    if (e.type == SDL_QUIT) {
        for (Window* w : windows()) w->open = false;
        return;
    }
    if (e.type != SDL_WINDOWEVENT) return;  // input is not handled by this host yet
    Window* w = window_by_id(e.window.windowID);
    if (!w) return;
    switch (e.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
        w->open = false;
        SDL_HideWindow(w->window);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: w->resize(e.window.data1, e.window.data2); break;
    case SDL_WINDOWEVENT_EXPOSED: w->exposed = true; break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: set_focus(w); break;
    default: break;
    }
}

}  // namespace

Device* window_open(int width, int height, const char* title) {
    auto store = raster_store(width, height);
    if (!store) return nullptr;
    // Signals and the screen saver are the application's: SDL would otherwise turn SIGINT
    // and SIGTERM into quit events that nobody reads, and hold the screen saver off through
    // the session bus. Pixels are shown through the window system's own images, not through
    // a texture of a 3D renderer started for nothing else.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
    if (windows().empty()) ++video_starts();  // the video system starts afresh
    SDL_Window* sdl = SDL_CreateWindow(title ? title : "", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                                       height, SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
    if (!sdl) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    Window* w = adopt(std::make_unique<Window>(width, height, std::move(store), sdl));
    windows().push_back(w);
    set_focus(w);
    return w;
}

int window_pump(void* handle_) {
    Window* w = find_as<Window>(handle_, Kind::window);
    if (!w) return 0;
    SDL_Event e;
    while (SDL_PollEvent(&e)) handle(e);
    if (w->open && (w->dirty || w->exposed)) w->show();
    return w->open ? 1 : 0;
}

int window_close(void* handle_) {
    Window* w = find_as<Window>(handle_, Kind::window);
    if (!w) return -1;
    if (settings().focus == w) set_focus(nullptr);
    destroy(w);
    return 0;
}

}  // namespace host
