// Host-side settings of the headless host, reached through the rsp_ functions.
#pragma once

namespace host {

int set_display_depth(int bits);
int set_nt_family(int nt);

// Input, clock and display modes: what a person or the system would do, injected, and
// what the library asked for, read back (see rsw32_platform.h).
int input_reset();
int mouse_present_set(int present);
int cursor_size_set(int width, int height);
int pointer_move(int x, int y);
int pointer_read(int* x, int* y, int* limits);
int pointer_shown(int* calls);
void* cursor_current();
int cursor_masks(const void* cursor, unsigned char* and_mask, unsigned char* xor_mask, int* width, int* height,
                 int* hot_x, int* hot_y);
int key_set(int key, int down);
int clock_inject(int injected, unsigned ms);
unsigned clock_read();
int display_modes_set(const int* modes, int count);
int display_mode_read(int* width, int* height, int* bits, int* last_flags);

}  // namespace host
