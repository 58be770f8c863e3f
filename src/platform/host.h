// The host layer: the few operating-system services the library needs, behind a narrow
// interface so that each host (the headless one, the SDL2 window host, the Windows API)
// implements the same calls.
//
// What the library asks of a host:
//  - zero-filled memory blocks that stay put until released;
//  - bitmaps: pixel memory laid out as a bitmap header describes it (rows bottom-up,
//    each row a multiple of 4 bytes), owned by the bitmap object;
//  - device contexts: the library's memory DC, which holds one selected bitmap, and the
//    devices pixels are presented to (surfaces, windows, printer pages), with the two
//    bitmap copies into them, their capabilities, and the device that has the focus;
//  - print jobs on named printers, and a clipboard of bitmaps and palettes;
//  - facts about the system: the display's bits per pixel and whether the short
//    (40-byte plus masks) bitmap header form is the native one.
//
// Host objects are handed to applications as opaque handles (RS_HDC, RS_HPALETTE). Every
// object the host creates is registered, and every handle that comes back from an
// application is looked up before it is used, so a stale or made-up handle is refused
// instead of being dereferenced.
#pragma once

#include <cstddef>
#include <cstdint>

namespace host {

struct Object;
struct Bitmap;
struct Device;
struct Palette;

// ---- memory blocks ------------------------------------------------------------------
// A zero-filled block of `bytes` bytes, or nullptr when it cannot be had.
void* block_alloc(size_t bytes);
// Every sizeable allocation of the library asks here first, those made with new or by a
// container as well as the blocks: true when this one is to fail, as rsp_fail_allocation
// arranged, so that each caller's way of handling a refusal can be exercised.
bool allocation_refused();
// The n-th allocation from now is refused (one only); 0 refuses none. Returns how many
// allocations were still to go before the refusal arranged earlier (0 once it happened),
// or -1 for n < 0.
int fail_allocation(int n);
// Blocks from block_alloc not yet released.
size_t live_blocks();
// Memory the system could still give, in kilobytes (what it reports as available).
size_t memory_available_kb();
void block_free(void* block);
// The size a block was allocated with (0 for nullptr).
size_t block_size(const void* block);

// ---- bitmaps --------------------------------------------------------------------------
// Creates a bitmap from a bitmap-information header (40- or 108-byte form, 8/16/24/32
// bits, positive height) and stores the address of its zero-filled pixel memory
// (pitch × height bytes, the bottom row first) in *pixels. `reference` is the device the
// bitmap is made compatible with and may be null. Returns nullptr, and stores nullptr,
// when the header describes nothing the host can hold.
Bitmap* create_dib_section(Device* reference, const uint8_t* header, int table_kind,
                           uint8_t** pixels);
void delete_bitmap(Bitmap* bitmap);

// ---- device contexts ------------------------------------------------------------------
// A memory device context. It starts out holding the host's 1×1 stock bitmap, which is
// what the first select_bitmap hands back.
Device* create_memory_dc();
// Selects `bitmap` into a memory DC and returns the bitmap it held before (nullptr when
// dc is not a memory DC or bitmap is not a live bitmap; the Windows host, whose bitmaps
// are the system's, also refuses one that another memory DC holds). A bitmap deleted while
// selected leaves its DC holding the stock bitmap, and selected_bitmap then nullptr.
Bitmap* select_bitmap(Device* dc, Bitmap* bitmap);
Bitmap* selected_bitmap(Device* dc);

// Turns an application's handle into a live device, or nullptr.
Device* device_from_handle(void* handle);
// Releases a device the library opened (memory DCs, printer DCs); surfaces and windows
// belong to the host side and are left alone.
void delete_dc(Device* dc);

// ---- copies of bottom-up bitmaps to devices ---------------------------------------------
// `header` is a bitmap-information header (40 bytes, 40 plus three bit-field masks, or
// the 108-byte version-4 form) followed by its colour table for 8 bits: RGB quads when
// usage is dib_rgb_colors, 16-bit indices into the device's selected palette when it is
// dib_pal_colors. `bits` holds the bitmap's rows, bottom row first. Source y coordinates
// count from the bottom row, as the lower-left corner of the source rectangle; device
// coordinates count from the top-left. Both copies draw only inside the device and read
// only inside the bitmap, and return the number of rows drawn. Devices the system draws on
// itself (the Windows host's memory DCs and system printers) take the system's copies,
// which return the rows the system reports; the results are the same pixels.
enum DibUsage : int { dib_rgb_colors = 0, dib_pal_colors = 1 };
constexpr uint32_t srccopy = 0x00CC0020;

// One-to-one copy of the source rectangle (x_src, y_src) .. + (width, height) to the
// device rectangle whose top-left corner is (x_dest, y_dest). The bitmap's rows
// start_scan .. start_scan + lines − 1 are the ones `bits` holds.
int set_dib_bits_to_device(Device* dc, int x_dest, int y_dest, int width, int height, int x_src,
                           int y_src, int start_scan, int lines, const void* bits, const uint8_t* header,
                           int usage);
// Scaled copy of a source rectangle to a device rectangle. A negative extent runs from its
// origin backwards (covering origin + extent .. origin − 1); an extent whose sign differs
// from its counterpart's mirrors the copy along that axis. Rows and columns are dropped or
// repeated, never blended. Only srccopy is drawn.
int stretch_dib_bits(Device* dc, int x_dest, int y_dest, int dest_width, int dest_height, int x_src,
                     int y_src, int src_width, int src_height, const void* bits, const uint8_t* header,
                     int usage, uint32_t rop);
// Stretch modes: 1 black-on-white, 2 white-on-black, 3 colour-on-colour, 4 halftone.
// Returns the previous mode, 0 for a device that is not live.
int set_stretch_blt_mode(Device* dc, int mode);

// ---- device facts -----------------------------------------------------------------------
enum DeviceCap : int {
    cap_horzsize = 4,    // millimetres across
    cap_vertsize = 6,    // millimetres down
    cap_horzres = 8,     // pixels across
    cap_vertres = 10,    // pixels down
    cap_bitspixel = 12,
    cap_planes = 14,
    cap_rastercaps = 38,
};
constexpr int rc_stretchdib = 0x2000;  // in cap_rastercaps: the device stretches bitmaps
int device_caps(Device* dc, int index);

// The device (window or surface) that has the keyboard focus, or nullptr, and its client
// rectangle as left, top, right, bottom; false when dc is not a live device with a client
// area.
Device* focus_device();
bool client_rect(Device* dc, int rect[4]);

// ---- printing ----------------------------------------------------------------------------
// Printers the host side names come first; without a default chosen there, the system's
// default printer is the default (the Windows host's; the Linux hosts have none).
// The default printer's name, at most capacity − 1 characters; false when there is none
// or it does not fit.
bool default_printer(char* name, size_t capacity);
// A device context for a printer, or nullptr when there is no such printer.
Device* create_printer_dc(const char* name);
// Starts a document; returns a positive job number, or 0 when it cannot be started. A
// document already open on the DC is carried on (its job number is returned).
int start_doc(Device* dc);
// Start and end a page of the open document; both return a positive value on success.
int start_page(Device* dc);
int end_page(Device* dc);
// Ends the document (and a page still open); positive on success.
int end_doc(Device* dc);

// ---- palettes --------------------------------------------------------------------------
// A palette from a logical-palette record: uint16 version, uint16 count, then count
// entries of red, green, blue, flags. nullptr when the record is unusable.
Palette* create_palette(const uint8_t* logical_palette);
void delete_palette(Palette* palette);
Palette* palette_from_handle(void* handle);
// The stock palette every device holds until another is selected: the twenty static
// colours. It is never deleted.
Palette* default_palette();
// Selects a palette into a device and returns the one it held (nullptr on failure).
Palette* select_palette(Device* dc, Palette* palette, bool background);
// Maps the device's selected palette onto the display; returns the entries mapped.
int realize_palette(Device* dc);
// Replaces entries start .. start + count - 1 of a palette (red, green, blue, flags each)
// that carry the reserved flag, and shows the change wherever that palette is realized;
// returns whether any entry changed.
bool animate_palette(Palette* palette, int start, int count, const uint8_t* entries);
// Reads entries of the display's system palette (red, green, blue, flags each); returns
// how many were read, 0 when the display has no palette.
int system_palette_entries(int start, int count, uint8_t* entries);

// ---- clipboard ---------------------------------------------------------------------------
// One clipboard per process. It must be opened before it is emptied, written or read, and
// only one opener at a time has it. set_clipboard_data hands the data over: a block from
// block_alloc for cf_dib, a palette for cf_palette; the clipboard releases it when it is
// emptied or the data is replaced. get_clipboard_data returns what is there (nullptr for
// nothing), still owned by the clipboard.
constexpr int cf_dib = 8;
constexpr int cf_palette = 9;
bool open_clipboard(Device* owner);
bool empty_clipboard();
bool set_clipboard_data(int format, void* data);
void* get_clipboard_data(int format);
bool close_clipboard();

// ---- system facts ---------------------------------------------------------------------
int display_bits_per_pixel();  // bits per pixel × planes of the screen
bool nt_family();              // the platform natively uses the short header form

}  // namespace host
