// The input services of platform/input.h as every host shares them: which host
// answers, the show counter, cursor objects, and the keys that stand for either side.
#include <algorithm>

#include "platform/common/input_host.h"

namespace host {
namespace {

bool is_raster(const Device* dc) { return dc && (dc->kind == Kind::surface || dc->kind == Kind::window); }

// The host a device belongs to: windows to the window host, surfaces to the headless one.
InputHost& host_of(const Device* dc) {
    InputHost* window = window_input();
    return window && dc && dc->kind == Kind::window ? *window : headless_input();
}

InputHost& focus_host() { return host_of(focus_device()); }

}  // namespace

ClockState& clock_state() {
    static ClockState c;
    return c;
}

PointerRecord& pointer_record() {
    static PointerRecord r;
    return r;
}

bool mouse_present() { return focus_host().mouse_present(); }

void cursor_size(int* width, int* height) {
    int w = 0, h = 0;
    focus_host().cursor_size(w, h);
    *width = w;
    *height = h;
}

bool pointer_position(Device* dc, int* x, int* y) {
    Device* device = device_from_handle(dc);
    if (!is_raster(device)) return false;
    host_of(device).pointer(device, *x, *y);
    return true;
}

void set_pointer_position(Device* dc, int x, int y) {
    Device* device = device_from_handle(dc);
    if (is_raster(device)) host_of(device).warp(device, x, y);
}

int show_pointer(bool show) {
    PointerRecord& r = pointer_record();
    r.show_count += show ? 1 : -1;
    ++r.show_calls;
    focus_host().pointer_visible(r.show_count >= 0);
    return r.show_count;
}

// Releasing is for every device of every host, as the limit is the pointer's, not a
// window's. An empty rectangle still holds the pointer, at its left or top edge.
void clip_pointer(Device* dc, const int* rect) {
    if (!rect) {
        headless_input().clip(nullptr, nullptr);
        if (InputHost* window = window_input()) window->clip(nullptr, nullptr);
        return;
    }
    Device* device = device_from_handle(dc);
    if (!is_raster(device)) return;
    const int r[4] = {rect[0], rect[1], std::max(rect[2], rect[0] + 1), std::max(rect[3], rect[1] + 1)};
    host_of(device).clip(device, r);
}

Cursor* create_cursor(int hot_x, int hot_y, int width, int height, const uint8_t* and_mask,
                      const uint8_t* xor_mask) {
    if (!and_mask || !xor_mask || width < 8 || height < 1 || width > max_cursor_side || height > max_cursor_side ||
        width % 8 != 0 || hot_x < 0 || hot_y < 0 || hot_x >= width || hot_y >= height)
        return nullptr;
    auto cursor = std::make_unique<Cursor>();
    const size_t bytes = size_t(width / 8) * size_t(height);
    cursor->width = width;
    cursor->height = height;
    cursor->hot_x = hot_x;
    cursor->hot_y = hot_y;
    cursor->and_mask.assign(and_mask, and_mask + bytes);
    cursor->xor_mask.assign(xor_mask, xor_mask + bytes);
    return adopt(std::move(cursor));
}

Cursor* cursor_from_handle(const void* handle) { return find_as<Cursor>(handle, Kind::cursor); }

void set_cursor(Cursor* cursor) {
    pointer_record().cursor = cursor;
    focus_host().set_cursor(cursor);
}

void keyboard_state(uint8_t keys[256]) {
    std::fill(keys, keys + 256, uint8_t(0));
    focus_host().keys(keys);
    // shift, control and alt: down while the left (0xA0, 0xA2, 0xA4) or right one is
    for (int k = 0; k < 3; ++k) keys[0x10 + k] |= uint8_t((keys[0xA0 + 2 * k] | keys[0xA1 + 2 * k]) & 0x80);
}

bool display_mode(int index, DisplayMode* mode) { return index >= 0 && focus_host().display_mode(index, *mode); }

int change_display_mode(const DisplayMode* mode, int flags) { return focus_host().change_display_mode(mode, flags); }

}  // namespace host
