// Input and display modes of the SDL2 window host. The pointer and the keys are read after
// pumping the events that arrived, so polling sees what a person does without waiting for
// the window's own pump.
// The window system knows nothing of cursor sizes; 32 × 32 is what most cursors are.
//
// SDL changes the display mode only for a window in full screen: a mode change puts the
// focus window in full screen in that mode, and going back takes it out again.
#include <algorithm>

#include "platform/common/input_host.h"
#include "platform/sdl/window.h"

namespace host {
namespace {

static_assert(SDL_SCANCODE_A == 0x04 && SDL_SCANCODE_LCTRL == 0xE0, "scan codes are USB keyboard usages");

Window* window_of(Device* dc) { return static_cast<Window*>(dc); }

// Bits per pixel as the display reports them: formats of four bytes a pixel are 32-bit,
// even where a byte is unused.
int bits_of(uint32_t format) { return SDL_BYTESPERPIXEL(format) == 4 ? 32 : int(SDL_BITSPERPIXEL(format)); }

// SDL's masks say "data, mask": 0 1 white, 1 1 black, 0 0 transparent, 1 0 inverted.
// From AND and XOR bits: the mask is set where the screen is not kept, and the data where
// the two bits agree (black, or inverted).
SDL_Cursor* make_cursor(const Cursor& c) {
    std::vector<uint8_t> data(c.and_mask.size()), mask(c.and_mask.size());
    for (size_t i = 0; i < data.size(); ++i) {
        data[i] = uint8_t(~(c.and_mask[i] ^ c.xor_mask[i]));
        mask[i] = uint8_t(~c.and_mask[i]);
    }
    return SDL_CreateCursor(data.data(), mask.data(), c.width, c.height, c.hot_x, c.hot_y);
}

struct Sdl final : InputHost {
    bool mouse_present() override { return true; }
    void cursor_size(int& w, int& h) override { w = h = 32; }

    // Where the pointer is over the window, its motion events say where; elsewhere it
    // reads as left of and above the client area. (The system's own position is cached
    // until the next motion of a device, so it misses moves made by warping.)
    void pointer(Device* dc, int& x, int& y) override {
        SDL_PumpEvents();
        x = y = -1;
        if (SDL_GetMouseFocus() == window_of(dc)->window) SDL_GetMouseState(&x, &y);
    }
    void warp(Device* dc, int x, int y) override { SDL_WarpMouseInWindow(window_of(dc)->window, x, y); }
    void clip(Device* dc, const int* rect) override {
        if (!rect) {
            for (Window* w : windows()) SDL_SetWindowMouseRect(w->window, nullptr);
            return;
        }
        const SDL_Rect r{rect[0], rect[1], rect[2] - rect[0], rect[3] - rect[1]};
        SDL_SetWindowMouseRect(window_of(dc)->window, &r);
    }
    void pointer_visible(bool visible) override { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }
    void set_cursor(Cursor* c) override {
        if (!c) {
            SDL_SetCursor(SDL_GetDefaultCursor());
            return;
        }
        if (!c->native || c->native_generation != video_generation()) {
            c->native = make_cursor(*c);
            c->native_generation = video_generation();
        }
        if (c->native) SDL_SetCursor(static_cast<SDL_Cursor*>(c->native));
    }

    void keys(uint8_t state[256]) override {
        SDL_PumpEvents();
        int n = 0;
        const uint8_t* down = SDL_GetKeyboardState(&n);
        for (int usage = 0; usage < n && usage < 256; ++usage)
            if (down[usage])
                if (const int key = usage_key(usage)) state[key] |= 0x80;
        const uint32_t buttons = SDL_GetGlobalMouseState(nullptr, nullptr);
        const int button_keys[5] = {1, 4, 2, 5, 6};  // SDL's left, middle, right, X1, X2
        for (int b = 0; b < 5; ++b)
            if (buttons & SDL_BUTTON(b + 1)) state[button_keys[b]] |= 0x80;
    }

    // The display of the focus window, which is one of ours whenever this host is asked.
    int display() { return std::max(0, SDL_GetWindowDisplayIndex(window_of(focus_device())->window)); }

    bool display_mode(int index, DisplayMode& mode) override {
        SDL_DisplayMode m;
        if (index >= SDL_GetNumDisplayModes(display()) || SDL_GetDisplayMode(display(), index, &m) != 0) return false;
        mode = {m.w, m.h, bits_of(m.format)};
        return true;
    }

    int change_display_mode(const DisplayMode* mode, int flags) override {
        SDL_Window* w = window_of(focus_device())->window;
        if (!mode) {
            if (!(SDL_GetWindowFlags(w) & SDL_WINDOW_FULLSCREEN)) return disp_change_successful;
            return SDL_SetWindowFullscreen(w, 0) == 0 ? disp_change_successful : disp_change_failed;
        }
        SDL_DisplayMode m;
        for (int i = 0; SDL_GetDisplayMode(display(), i, &m) == 0; ++i) {
            if (m.w != mode->width || m.h != mode->height || bits_of(m.format) != mode->bits) continue;
            if (flags & cds_test) return disp_change_successful;
            if (SDL_SetWindowDisplayMode(w, &m) != 0 || SDL_SetWindowFullscreen(w, SDL_WINDOW_FULLSCREEN) != 0)
                return disp_change_failed;
            return disp_change_successful;
        }
        return disp_change_badmode;
    }
};

}  // namespace

InputHost* window_input() {
    static Sdl sdl;
    return &sdl;
}

}  // namespace host
