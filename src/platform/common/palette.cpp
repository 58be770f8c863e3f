// Host palettes as the library sees them: a palette is an object holding its entries, a
// device remembers which palette is selected into it, and realizing or animating a
// palette changes what palette-index bitmaps look like on that device. The Linux hosts
// have nothing more (software_devices.cpp); the Windows host keeps the system's palette
// beside the entries.
//
// Every device starts out with the stock default palette (the twenty static colours),
// which is what the first select_palette on it hands back, as it does on a system with
// real palettes; so the palette a device held before an application's is never "none".
//
// A display of 8 bits or fewer that the host only stands for has a system palette whose
// static entries are the twenty static colours of the default colour table (first ten,
// last ten), and the entries between them are black.
#include <algorithm>

#include "platform/common/dib.h"
#include "platform/common/objects.h"

namespace host {
namespace {

const PaletteColor static_colors[20] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
    {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {164, 200, 240, 0},
    {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
    {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0}};

// One past the last entry of a table of `size` entries that a request for `count`
// entries from `start` reaches; worked out in 64 bits so that no request overflows.
int64_t range_end(int start, int count, int size) { return std::min<int64_t>(int64_t(start) + count, size); }

}  // namespace

Palette* default_palette() {
    static Palette* stock = [] {
        auto palette = std::make_unique<Palette>();
        palette->count = 20;
        for (int i = 0; i < 20; ++i) palette->entries[i] = static_colors[i];
        return adopt(std::move(palette));
    }();
    return stock;
}

const Palette& default_colors() {
    static const Palette palette = [] {
        Palette p;
        p.count = 256;
        for (int i = 0; i < 10; ++i) {
            p.entries[i] = static_colors[i];
            p.entries[246 + i] = static_colors[10 + i];
        }
        return p;
    }();
    return palette;
}

bool read_logical_palette(const uint8_t* record, Palette& palette) {
    if (!record) return false;
    const int count = read_u16(record + 2);
    if (read_u16(record) != 0x300 || count < 1 || count > 256) return false;
    palette.count = count;
    const uint8_t* e = record + 4;
    for (int i = 0; i < count; ++i, e += 4) palette.entries[i] = {e[0], e[1], e[2], e[3]};
    return true;
}

Palette* palette_from_handle(void* handle) { return find_as<Palette>(handle, Kind::palette); }

Palette* swap_palette(Device* device, Palette* palette) {
    // A device that never had a palette selected holds the default one; a previous
    // palette deleted since is handed back as the default too, never as a stale pointer.
    Palette* previous = palette_from_handle(device->palette);
    device->palette = palette;
    return previous ? previous : default_palette();
}

// As on systems with real palettes, only entries made with the reserved flag can be
// animated; the others keep their colours.
bool animate_entries(Palette& palette, int start, int count, const uint8_t* entries) {
    if (!entries || start < 0 || count <= 0) return false;
    const int64_t end = range_end(start, count, palette.count);
    bool changed = false;
    for (int64_t i = start; i < end; ++i, entries += 4) {
        PaletteColor& e = palette.entries[i];
        if (!(e.flags & 1)) continue;
        e = {entries[0], entries[1], entries[2], entries[3]};
        changed = true;
    }
    return changed;
}

int static_system_entries(int bits, int start, int count, uint8_t* entries) {
    if (bits < 1 || bits > 8 || !entries || start < 0 || count <= 0) return 0;
    const int size = 1 << bits;
    const int end = int(range_end(start, count, size));
    for (int i = start; i < end; ++i, entries += 4) {
        // The static colours sit at both ends: ten and ten on a 256-entry palette, half
        // the palette at each end on smaller ones.
        const int half = std::min(size / 2, 10);
        PaletteColor c{};
        if (i < half) c = static_colors[i];
        else if (i >= size - half) c = static_colors[20 - (size - i)];
        entries[0] = c.red;
        entries[1] = c.green;
        entries[2] = c.blue;
        entries[3] = 0;
    }
    return end > start ? end - start : 0;
}

}  // namespace host
