// Palettes: the 256 colours of the library kept in three forms that always agree.
//  - entries: the logical-palette record (red, green, blue, flags), what host palettes
//    are made from;
//  - quads: the same colours as a bitmap colour table (blue, green, red, reserved);
//  - pixels: each colour as a pixel of the depth of the last opened 16/24/32-bit buffer
//    (RGB565, or the alpha byte over 0xRRGGBB), what index data is drawn with.
#pragma once

#include <array>
#include <cstdint>

namespace core {

struct PaletteEntry {
    uint8_t red = 0, green = 0, blue = 0, flags = 0;
};
struct RgbQuad {
    uint8_t blue = 0, green = 0, red = 0, reserved = 0;
};

// The host's reserved flag: set on every colour the library writes, so that a realized
// palette can be animated.
constexpr uint8_t palette_reserved = 1;

struct PaletteState {
    uint16_t version = 0x300;
    uint16_t count = 256;
    PaletteEntry entries[256]{};
    RgbQuad quads[256]{};
    uint32_t pixels[256]{};
    void* realized = nullptr;   // host palette last given to rs_realize
    void* displaced = nullptr;  // the window DC's palette before the first rs_realize
};

inline PaletteState& palette() {
    static PaletteState p;
    return p;
}

// Brings the palette-dependent data of the buffer just opened up to date: the colour
// table of an 8-bit buffer with RGB quads, or the pixel table for 16/24/32 bits.
void palette_refresh_for_open();
// Writes the active 8-bit buffer's colour table from the palette (RGB quads, or the
// indices 0..255, whichever kind the buffer was made with).
void write_color_table();
// The display's bits per pixel, 15 reported as 16 (rs_colors).
int display_colors();

// The pixel of a palette colour at 16 bits (RGB565) or 24/32 bits (0xRRGGBB).
uint32_t palette_pixel(int depth, const PaletteEntry& e);

// The default colour table of rs_defpal (red, green, blue, flags 1).
extern const std::array<PaletteEntry, 256> default_colors;

// Palette ranges name entries start .. start + count − 1. Entries outside 0..255 do not
// exist: the part of a range beyond them is skipped, and the caller's triple for entry i
// is always the (i − start)th.
int set_dacs(int start, int count, const uint8_t* rgb);
int get_dacs(int start, int count, uint8_t* rgb);
int set_rgb(int index, int red, int green, int blue);
int get_rgb(int index, int* red, int* green, int* blue);
void* default_palette();
void* logical_palette(int start, int count, const uint8_t* rgb);
int realize(void* palette);
int map_dacs(const uint8_t* src, uint8_t* dst, int count);
// Puts the palette the window DC held before the first rs_realize back (rs_vbfin).
void restore_displaced_palette();

}  // namespace core
