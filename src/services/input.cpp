// Mouse pointer and keyboard. Nothing here waits for events: each call asks the host for
// the state of the pointer or the keys now. Positions go through the client mapping of
// the window that has the focus, which shows the last opened buffer stretched over its
// client area.
#include "services/input.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/present.h"
#include "core/vbuf.h"
#include "platform/input.h"

namespace services {
namespace {

constexpr int pointer_area_bytes = host::max_cursor_side / 8 * host::max_cursor_side;

// Reads row `row` of a pointer mask of `size` (16 or 32) pixels a row: one integer in the
// machine's byte order, the leftmost pixel in its top bit.
uint32_t mask_row(const uint8_t* rows, int size, int row) {
    if (size == 16) {
        uint16_t v;
        std::memcpy(&v, rows + 2 * row, 2);
        return v;
    }
    uint32_t v;
    std::memcpy(&v, rows + 4 * row, 4);
    return v;
}

// Writes `bytes` bytes of a row whose leftmost pixel is the top bit of a size-bit value,
// most significant byte first.
void store_row(uint8_t* out, uint32_t v, int size, int bytes) {
    for (int i = 0; i < bytes; ++i) out[i] = uint8_t(v >> (size - 8 - 8 * i));
}

}  // namespace

MouseState& mouse() {
    static MouseState m;
    return m;
}

void init_input() { mouse() = MouseState(); }

int mouse_ini() {
    MouseState& m = mouse();
    if (!host::mouse_present()) {
        m.available = false;
        return -1;
    }
    host::cursor_size(&m.cursor_width, &m.cursor_height);
    m.available = m.visible = true;
    m.pointer_size = 16;
    return 1;
}

// The host counts shows and hides; asking only on a change keeps the count at 0 or -1.
int mouse_vis(int state) {
    MouseState& m = mouse();
    const bool visible = (state & 1) != 0;
    if (!m.available || visible == m.visible) return 0;
    m.visible = visible;
    host::show_pointer(visible);
    return 0;
}

int mouse_mov(int x, int y) {
    host::Device* focus = host::focus_device();
    if (!mouse().available || !focus) return 0;
    host::set_pointer_position(focus, core::x_client(x), core::y_client(y));
    return 0;
}

// A pointer left of or above the client area is outside the buffer even where the
// conversion, which truncates toward zero, would bring it to column or row 0.
int mouse_pos(int* x, int* y) {
    int cx = -1, cy = -1, vx = -1, vy = -1;
    if (mouse().available && host::pointer_position(host::focus_device(), &cx, &cy) && cx >= 0 && cy >= 0) {
        vx = core::x_vb(cx);
        vy = core::y_vb(cy);
        const core::ActiveBuffer& vb = core::active();
        if (vx < 0 || vx >= vb.width || vy < 0 || vy >= vb.height) vx = vy = -1;
    }
    if (x) *x = vx;
    if (y) *y = vy;
    return vx < 0 ? -1 : 0;
}

// The host's rectangle keeps the pointer off its right and bottom edges, so the pointer
// stops one client pixel short of the converted maxx and maxy.
int mouse_lim(int minx, int maxx, int miny, int maxy) {
    if (!mouse().available) return 0;
    host::Device* focus = host::focus_device();
    if (minx > maxx || miny > maxy) {
        host::clip_pointer(focus, nullptr);
        return 0;
    }
    if (!focus) return 0;
    const int rect[4] = {core::x_client(minx), core::y_client(miny), core::x_client(maxx), core::y_client(maxy)};
    host::clip_pointer(focus, rect);
    return 0;
}

int mouse_siz(int size) {
    if (size == 16 || size == 32) mouse().pointer_size = size;
    return 0;
}

// The caller's rows go into the top-left corner of a cursor of the host's size, the rest
// of which stays transparent; a pointer larger than the cursor loses its right and lower
// parts instead of writing past the cursor's masks.
void* mouse_ptr(const void* masks, int hot_x, int hot_y) {
    const MouseState& m = mouse();
    const int stride = m.cursor_width / 8;
    if (!m.available || !masks || stride * m.cursor_height > pointer_area_bytes) return nullptr;
    uint8_t and_mask[pointer_area_bytes], xor_mask[pointer_area_bytes];
    std::memset(and_mask, 0xFF, sizeof and_mask);
    std::memset(xor_mask, 0x00, sizeof xor_mask);
    const auto* and_rows = static_cast<const uint8_t*>(masks);
    const uint8_t* xor_rows = and_rows + m.pointer_size * m.pointer_size / 8;
    const int rows = std::min(m.pointer_size, m.cursor_height), bytes = std::min(m.pointer_size / 8, stride);
    for (int row = 0; row < rows; ++row) {
        store_row(and_mask + row * stride, mask_row(and_rows, m.pointer_size, row), m.pointer_size, bytes);
        store_row(xor_mask + row * stride, mask_row(xor_rows, m.pointer_size, row), m.pointer_size, bytes);
    }
    return host::create_cursor(hot_x, hot_y, m.cursor_width, m.cursor_height, and_mask, xor_mask);
}

// A handle that is not a cursor of the library's is refused; a null one brings the
// host's arrow back.
int mouse_cur(void* cursor) {
    host::Cursor* c = host::cursor_from_handle(cursor);
    if (mouse().available && (c || !cursor)) host::set_cursor(c);
    return 0;
}

// Key bytes 0 to 3 (left and right buttons among them) are not keys; from 4 on
// everything is, the middle and extra buttons included.
int kb_test(int scan_code) {
    uint8_t keys[256];
    if (scan_code == 0) {
        host::keyboard_state(keys);
        return std::any_of(keys + 4, keys + 256, [](uint8_t k) { return (k & 0x80) != 0; }) ? 1 : 0;
    }
    const int key = host::scan_code_key(scan_code);
    if (key == 0) return 0;
    host::keyboard_state(keys);
    return keys[key] >> 7;
}

}  // namespace services
