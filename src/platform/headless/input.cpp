// Input, clock and display modes of the headless host. Nobody sits at it: the pointer,
// the keys, the clock and the display's modes are what the host side injected, and what
// the library asked for (pointer moves and limits, visibility, cursors, mode changes) is
// kept for the host side to read back.
//
// The headless screen puts every surface's client area at its origin, so a pointer
// position is the same in screen and client coordinates whichever surface has the focus.
#include <algorithm>
#include <cstring>

#include "platform/common/input_host.h"
#include "platform/headless/headless.h"

namespace host {
namespace {

struct Headless final : InputHost {
    bool present = true;
    int cursor_width = 32, cursor_height = 32;
    int x = 0, y = 0;
    bool clipped = false;
    int limits[4] = {};  // left, top, right, bottom (right and bottom outside)
    uint8_t down[256] = {};
    std::vector<DisplayMode> modes;  // the first is the mode the session started in
    size_t current = 0;
    int changes = 0, last_flags = 0;

    // The pointer goes where it is sent, as far as the limits let it.
    void place(int px, int py) {
        x = clipped ? std::clamp(px, limits[0], limits[2] - 1) : px;
        y = clipped ? std::clamp(py, limits[1], limits[3] - 1) : py;
    }

    bool mouse_present() override { return present; }
    void cursor_size(int& w, int& h) override {
        w = cursor_width;
        h = cursor_height;
    }
    void pointer(Device*, int& px, int& py) override {
        px = x;
        py = y;
    }
    void warp(Device*, int px, int py) override { place(px, py); }
    void clip(Device*, const int* rect) override {
        clipped = rect != nullptr;
        if (rect) std::memcpy(limits, rect, sizeof limits);
        place(x, y);
    }
    void pointer_visible(bool) override {}
    void set_cursor(Cursor*) override {}
    void keys(uint8_t state[256]) override { std::copy(down, down + 256, state); }

    bool display_mode(int index, DisplayMode& mode) override {
        if (size_t(index) >= modes.size()) return false;
        mode = modes[size_t(index)];
        return true;
    }
    int change_display_mode(const DisplayMode* mode, int flags) override {
        ++changes;
        last_flags = flags;
        if (!mode) {
            current = 0;
            return disp_change_successful;
        }
        auto it = std::find_if(modes.begin(), modes.end(), [&](const DisplayMode& m) {
            return m.width == mode->width && m.height == mode->height && m.bits == mode->bits;
        });
        if (it == modes.end()) return disp_change_badmode;
        if (!(flags & cds_test)) current = size_t(it - modes.begin());
        return disp_change_successful;
    }
};

Headless& headless() {
    static Headless h;
    return h;
}

}  // namespace

InputHost& headless_input() { return headless(); }

// ---- host side ------------------------------------------------------------------------

int input_reset() {
    headless() = Headless();
    pointer_record() = PointerRecord();
    clock_state() = ClockState();
    return 0;
}

int mouse_present_set(int present) {
    headless().present = present != 0;
    return 0;
}

int cursor_size_set(int width, int height) {
    if (width < 8 || height < 8 || width > max_cursor_side || height > max_cursor_side || width % 8 || height % 8)
        return -1;
    headless().cursor_width = width;
    headless().cursor_height = height;
    return 0;
}

int pointer_move(int x, int y) {
    headless().place(x, y);
    return 0;
}

int pointer_read(int* x, int* y, int* limits) {
    const Headless& h = headless();
    if (x) *x = h.x;
    if (y) *y = h.y;
    if (limits && h.clipped) std::memcpy(limits, h.limits, sizeof h.limits);
    return h.clipped ? 1 : 0;
}

int pointer_shown(int* calls) {
    if (calls) *calls = pointer_record().show_calls;
    return pointer_record().show_count;
}

void* cursor_current() { return pointer_record().cursor; }

int cursor_masks(const void* handle, unsigned char* and_mask, unsigned char* xor_mask, int* width, int* height,
                 int* hot_x, int* hot_y) {
    const Cursor* c = cursor_from_handle(handle);
    if (!c) return -1;
    if (width) *width = c->width;
    if (height) *height = c->height;
    if (hot_x) *hot_x = c->hot_x;
    if (hot_y) *hot_y = c->hot_y;
    if (and_mask) std::copy(c->and_mask.begin(), c->and_mask.end(), and_mask);
    if (xor_mask) std::copy(c->xor_mask.begin(), c->xor_mask.end(), xor_mask);
    return 0;
}

int key_set(int key, int down) {
    if (key < 1 || key > 255) return -1;
    headless().down[key] = down ? 0x80 : 0;
    return 0;
}

int clock_inject(int injected, unsigned ms) {
    clock_state().injected = injected != 0;
    clock_state().now = ms;
    return 0;
}

unsigned clock_read() { return tick_count(); }

int display_modes_set(const int* modes, int count) {
    if (count < 0 || (count > 0 && !modes)) return -1;
    Headless& h = headless();
    h.modes.clear();
    for (int i = 0; i < count; ++i) h.modes.push_back({modes[3 * i], modes[3 * i + 1], modes[3 * i + 2]});
    h.current = 0;
    h.changes = h.last_flags = 0;
    return 0;
}

int display_mode_read(int* width, int* height, int* bits, int* last_flags) {
    const Headless& h = headless();
    const DisplayMode m = h.current < h.modes.size() ? h.modes[h.current] : DisplayMode{};
    if (width) *width = m.width;
    if (height) *height = m.height;
    if (bits) *bits = m.bits;
    if (last_flags) *last_flags = h.last_flags;
    return h.changes;
}

}  // namespace host
