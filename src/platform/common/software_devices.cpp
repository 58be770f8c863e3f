// What the Linux hosts answer for the devices and palettes that a system with a graphics
// interface of its own would handle (the Windows host does, in windows/): every copy is
// the library's own, palettes are records without palette hardware behind them, the
// display is as deep as the host side says, and there are no system printers.
#include "platform/common/dibcopy.h"
#include "platform/common/objects.h"

namespace host {

int display_bits_per_pixel() { return settings().display_bits; }

int set_dib_bits_to_device(Device* dc, int x_dest, int y_dest, int width, int height, int x_src, int y_src,
                           int start_scan, int lines, const void* bits, const uint8_t* header, int usage) {
    return copy_dib_bits(device_from_handle(dc), x_dest, y_dest, width, height, x_src, y_src, start_scan, lines,
                         bits, header, usage);
}

int stretch_dib_bits(Device* dc, int x_dest, int y_dest, int dest_width, int dest_height, int x_src, int y_src,
                     int src_width, int src_height, const void* bits, const uint8_t* header, int usage,
                     uint32_t rop) {
    return stretch_dib(device_from_handle(dc), x_dest, y_dest, dest_width, dest_height, x_src, y_src, src_width,
                       src_height, bits, header, usage, rop);
}

bool system_default_printer(char*, size_t) { return false; }
Device* create_system_printer_dc(const char*) { return nullptr; }

// ---- palettes ----------------------------------------------------------------------------

Palette* create_palette(const uint8_t* record) {
    auto palette = std::make_unique<Palette>();
    return read_logical_palette(record, *palette) ? adopt(std::move(palette)) : nullptr;
}

void delete_palette(Palette* palette) {
    if (palette != default_palette() && palette_from_handle(palette)) destroy(palette);
}

Palette* select_palette(Device* dc, Palette* palette, bool) {
    Device* device = device_from_handle(dc);
    return device && palette_from_handle(palette) ? swap_palette(device, palette) : nullptr;
}

int realize_palette(Device* dc) {
    Device* device = device_from_handle(dc);
    if (!device) return 0;
    Palette* palette = palette_from_handle(device->palette);
    return (palette ? palette : default_palette())->count;
}

bool animate_palette(Palette* palette, int start, int count, const uint8_t* entries) {
    return palette_from_handle(palette) && animate_entries(*palette, start, count, entries);
}

int system_palette_entries(int start, int count, uint8_t* entries) {
    return static_system_entries(display_bits_per_pixel(), start, count, entries);
}

}  // namespace host
