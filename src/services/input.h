// Mouse pointer and keyboard, polled from the host: the pointer in the active buffer's
// coordinates through the client mapping of the focus window, pointer shapes from masks,
// and keys by scan code.
#pragma once

namespace services {

struct MouseState {
    bool available = false;  // rs_mouseini found a mouse; the other calls need it
    bool visible = false;    // what was last asked of the host's show counter
    int pointer_size = 0;    // 16 or 32: rows and row width of rs_mouseptr's masks
    int cursor_width = 0, cursor_height = 0;  // the host's cursor size
};

MouseState& mouse();
void init_input();  // back to the state before rs_mouseini

int mouse_ini();
int mouse_vis(int state);
int mouse_mov(int x, int y);
int mouse_pos(int* x, int* y);
int mouse_lim(int minx, int maxx, int miny, int maxy);
int mouse_siz(int size);
void* mouse_ptr(const void* masks, int hot_x, int hot_y);
int mouse_cur(void* cursor);
int kb_test(int scan_code);

}  // namespace services
