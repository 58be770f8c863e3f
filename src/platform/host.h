// The host layer: the few operating-system services the library needs, behind a narrow
// interface so that each host (the headless one here, the SDL2 window host, later the
// real Windows API) implements the same calls.
//
// What the library asks of a host:
//  - zero-filled memory blocks that stay put until released;
//  - bitmaps: pixel memory laid out as a bitmap header describes it (rows bottom-up,
//    each row a multiple of 4 bytes), owned by the bitmap object;
//  - device contexts: the library's memory DC, which holds one selected bitmap;
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
void block_free(void* block);

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
void delete_dc(Device* dc);
// Selects `bitmap` into a memory DC and returns the bitmap it held before (nullptr when
// dc is not a memory DC or bitmap is not a live bitmap).
Bitmap* select_bitmap(Device* dc, Bitmap* bitmap);
Bitmap* selected_bitmap(Device* dc);

// Turns an application's handle into a live device, or nullptr.
Device* device_from_handle(void* handle);

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

// ---- system facts ---------------------------------------------------------------------
int display_bits_per_pixel();  // bits per pixel × planes of the screen
bool nt_family();              // the platform natively uses the short header form

}  // namespace host
