// Presenting the active buffer: the device contexts the library presents to, the copies
// to the window (one to one and scaled), printing, and the clipboard. Also the client
// mapping between the active buffer and the window that has the focus.
#pragma once

#include <cstdint>

namespace core {

struct Devices {
    void* window_dc = nullptr;   // RS_HDC given to rs_setdc
    void* printer_dc = nullptr;  // set by rs_printdc or opened by rs_printer(10)
    int hidden_page = 0;         // vb handle for circular scrolling; -1 after rs_vbinit
    int visible_page = -1;       // vb handle last shown whole by rs_setpage
};

inline Devices& devices() {
    static Devices d;
    return d;
}

int set_dc(void* dc);
void* get_dc();
int set_hpage(int handle);
// Page flipping: shows buffer `handle` whole at the window's top-left corner without
// opening it, and remembers it as the visible page. -1 for a handle not in use.
int set_page(int handle);
int get_page();
int page_size(int* width, int* height);
int vb_paste(int minx, int maxx, int miny, int maxy, int x, int y);
int vb_scale(int minx, int maxx, int miny, int maxy, int dminx, int dmaxx, int dminy, int dmaxy);
int vb_print(int minx, int maxx, int miny, int maxy, int pminx, int pmaxx, int pminy, int pmaxy, int units);
int print_dc(void* dc);
int printer(int request);
int vb_to_clip(int minx, int maxx, int miny, int maxy);
int clip_to_vb(int minx, int maxx, int miny, int maxy, int flags);

// A printer coordinate in the given units as device pixels, for a resolution of res
// pixels over size millimetres (unsigned 32-bit arithmetic; size must not be 0 for units
// 2 to 6).
uint32_t print_units(uint32_t v, int units, uint32_t res, uint32_t size);

// Client mapping: buffer coordinates to the focused window's client area and back.
int x_client(int x);
int y_client(int y);
int x_vb(int x);
int y_vb(int y);

}  // namespace core
