// What each host implements of the input services of platform/input.h. The calls there
// keep what is the same on every host (the show counter, the cursor objects, the clock,
// the key table) and ask one host for the rest: the window host for its windows and while
// one of them has the focus, the headless host otherwise.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/common/objects.h"
#include "platform/input.h"

namespace host {

struct Cursor : Object {
    Cursor() : Object(Kind::cursor) {}
    int width = 0, height = 0, hot_x = 0, hot_y = 0;
    std::vector<uint8_t> and_mask, xor_mask;  // width / 8 bytes a row, top row first
    // The window host's own cursor made from the masks, and the start of its video
    // system it was made under (cursors die with the video system).
    void* native = nullptr;
    unsigned native_generation = 0;
};

struct InputHost {
    virtual ~InputHost() = default;
    virtual bool mouse_present() = 0;
    virtual void cursor_size(int& width, int& height) = 0;
    // dc is a live device of this host.
    virtual void pointer(Device* dc, int& x, int& y) = 0;
    virtual void warp(Device* dc, int x, int y) = 0;
    virtual void clip(Device* dc, const int* rect) = 0;
    virtual void pointer_visible(bool visible) = 0;
    virtual void set_cursor(Cursor* cursor) = 0;
    // Sets the top bit of keys[k] for each key down, buttons included; the library adds
    // the keys that stand for either side.
    virtual void keys(uint8_t state[256]) = 0;
    virtual bool display_mode(int index, DisplayMode& mode) = 0;
    virtual int change_display_mode(const DisplayMode* mode, int flags) = 0;
};

InputHost& headless_input();
// The window host's, or nullptr when the library was built without it.
InputHost* window_input();

// The key for a USB keyboard usage (page 7), or 0: how the window host names keys.
int usage_key(int usage);

// What the library last asked of the pointer, on any host: read back by the host side.
struct PointerRecord {
    int show_count = 0;  // the show counter (visible at 0 and above)
    int show_calls = 0;  // calls of show_pointer
    Cursor* cursor = nullptr;
};
PointerRecord& pointer_record();

// The injected clock: while `injected`, tick_count() is `now`, which moves only when the
// library sleeps or the host side sets it.
struct ClockState {
    bool injected = false;
    uint32_t now = 0;
};
ClockState& clock_state();

}  // namespace host
