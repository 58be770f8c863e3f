// Host services for input, time and display modes: what the mouse, keyboard, clock and
// display-mode families poll. Every call asks the host of the device that has the focus
// (a window of the window host, otherwise the headless host), so a program without a
// display, and every test, runs on what the host side injected.
//
// Keys are numbered as virtual keys: 1 left button, 2 right button, 4 middle button, 5
// and 6 the extra buttons, 0x10..0x12 shift, control and alt of either side, 0xA0..0xA5
// the left and right ones, '0'..'9' and 'A'..'Z' themselves, and so on. Scan codes are
// the keyboard's set-1 codes, those after an 0xE0 prefix written 0xE0nn.
#pragma once

#include <cstdint>

#include "platform/host.h"

namespace host {

struct Cursor;

// ---- pointer -------------------------------------------------------------------------------
bool mouse_present();
// Width and height in pixels of the cursors the host shows (multiples of 8).
void cursor_size(int* width, int* height);
// The pointer's position in the client area of dc (it may lie outside the area); false
// when dc is not a live surface or window.
bool pointer_position(Device* dc, int* x, int* y);
// Moves the pointer to a position in the client area of dc.
void set_pointer_position(Device* dc, int x, int y);
// Show-count semantics: showing adds one to a counter, hiding takes one away, and the
// pointer is visible while the counter is 0 or more. Returns the new counter.
int show_pointer(bool show);
// Keeps the pointer inside rect (left, top, right, bottom in the client area of dc; right
// and bottom are outside it), or lets it go anywhere for a null rect.
void clip_pointer(Device* dc, const int* rect);
// A cursor of width × height pixels (multiples of 8, at most max_cursor_side) from two
// masks of width / 8 bytes per row, the leftmost pixel in a byte's top bit: AND bits keep
// the screen, XOR bits invert it. nullptr when the size is unusable or the hot spot lies
// outside the cursor. Cursors live until the process ends.
constexpr int max_cursor_side = 128;
Cursor* create_cursor(int hot_x, int hot_y, int width, int height, const uint8_t* and_mask,
                      const uint8_t* xor_mask);
// The live cursor behind an application's handle, or nullptr.
Cursor* cursor_from_handle(const void* handle);
// Shows `cursor` as the pointer (nullptr: the host's arrow).
void set_cursor(Cursor* cursor);

// ---- keyboard -------------------------------------------------------------------------------
// The state of every key: keys[k] has its top bit set while key k is down. Shift, control
// and alt are also down at 0x10..0x12 while either side is.
void keyboard_state(uint8_t keys[256]);
// The key a scan code stands for, left and right keys told apart (0x2A is 0xA0, 0x36 is
// 0xA1); 0 for a code no key has.
int scan_code_key(int scan_code);

// ---- clock ---------------------------------------------------------------------------------
// Milliseconds, wrapping at 2^32.
uint32_t tick_count();
// Gives the processor away for ms milliseconds; 0 only lets whatever is ready run. An
// injected clock stands still until then and moves on by ms instead (by 1 for 0, so a
// program waiting for it to move sees it move).
void sleep_ms(uint32_t ms);

// ---- display modes -----------------------------------------------------------------------
struct DisplayMode {
    int width = 0, height = 0, bits = 0;
};
// Results of mode changes, as the system reports them.
enum DisplayChange : int {
    disp_change_successful = 0,
    disp_change_failed = -1,   // the display refused the mode
    disp_change_badmode = -2,  // the display has no such mode
};
// Flags of a mode change: the mode is kept for later sessions, only tested, or temporary.
enum DisplayChangeFlags : int { cds_updateregistry = 1, cds_test = 2, cds_fullscreen = 4 };
// Mode `index` of the display (0, 1, 2, ...); false past the last.
bool display_mode(int index, DisplayMode* mode);
// Switches to `mode`, or back to the mode the session started in for nullptr.
int change_display_mode(const DisplayMode* mode, int flags);

}  // namespace host
