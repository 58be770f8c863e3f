// What the host side (the rsp_ functions) does with the Linux hosts' devices, printers and
// clipboard. The library itself never calls these: it sees devices only through host.h.
#pragma once

#include <cstdint>

#include "platform/host.h"

namespace host {

// Off-screen surfaces: w × h pixels, black at first. nullptr for a size of 0 or below or
// more than 2^28 pixels.
Device* surface_create(int width, int height);
int surface_destroy(void* handle);  // 0, or -1 when handle is not a live surface
// The pixels of a surface or window: 0x00RRGGBB words, top row first, width × height of
// them; nullptr for anything else. Valid until the device is destroyed or resized.
const uint32_t* raster_pixels(void* handle, int* width, int* height);
// Gives a surface or window the focus. A surface's client area is client_width ×
// client_height (its own size where those are 0 or below); a window's is its own size.
// A null handle leaves no device with the focus. 0, or -1 for another kind of handle.
int focus(void* handle, int client_width, int client_height);

// Windows (when the window host is built; otherwise open returns nullptr). Opening
// gives the window the focus. pump handles pending events and shows what was drawn
// since; it returns 1 while the window is open, 0 once it was closed (or for a handle
// that is not a window). close releases the window.
Device* window_open(int width, int height, const char* title);
int window_pump(void* handle);
int window_close(void* handle);

// Printers: name, output file of its documents (PDF), resolution in pixels, size in
// millimetres, whether it stretches bitmaps. Adding a name again replaces that printer.
int printer_add(const char* name, const char* output_file, int horzres, int vertres, int width_mm,
                int height_mm, int can_stretch);
int printer_default(const char* name);

// Clipboard, as the host side sees it.
int clipboard_put_dib(const uint8_t* dib, int bytes);
int clipboard_get(int format, uint8_t* out, int capacity);
int clipboard_hold(int held);

}  // namespace host
