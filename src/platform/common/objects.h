// Host objects and their registry, shared by every host. The Windows host derives its
// bitmaps, memory DCs, palettes and system printers from these, each holding the system's
// own object as well.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/common/dib.h"
#include "platform/host.h"

namespace host {

enum class Kind { bitmap, memory_dc, surface, window, printer, palette, cursor, font };

struct Object {
    explicit Object(Kind k) : kind(k) {}
    virtual ~Object() = default;
    const Kind kind;
};

struct Bitmap : Object {
    Bitmap() : Object(Kind::bitmap) {}
    // The layout a parsed bitmap header gives.
    void lay_out(const DibInfo& info) {
        width = info.width, height = info.height, bits = info.bits, pitch = int(info.pitch);
    }
    int width = 0, height = 0, bits = 0, pitch = 0;
    std::unique_ptr<uint8_t[]> pixels;
};

struct PaletteColor {
    uint8_t red = 0, green = 0, blue = 0, flags = 0;
};

struct Palette : Object {
    Palette() : Object(Kind::palette) {}
    int count = 0;
    PaletteColor entries[256]{};
};

// The host's default palette: what a device without a selected palette resolves
// palette-index bitmaps through. It holds the twenty static colours, ten at each end, and
// black between them.
const Palette& default_colors();

// Palette bookkeeping every host shares (palette.cpp). Reads a logical-palette record
// (see host.h) into `palette`; false when it is unusable.
bool read_logical_palette(const uint8_t* record, Palette& palette);
// Selects `palette` into a device's record and returns the palette it held (the default
// one when it held none or a palette deleted since).
Palette* swap_palette(Device* device, Palette* palette);
// Entries with the reserved flag from start .. start + count − 1 take the new colours;
// whether any did.
bool animate_entries(Palette& palette, int start, int count, const uint8_t* entries);
// The system palette of a display of `bits` (1..8) the host stands for: the static colours
// at both ends; returns entries written (see host.h).
int static_system_entries(int bits, int start, int count, uint8_t* entries);

struct DibSource;
struct Mapping;

// Every device can hold a selected palette; palette-index bitmaps drawn to it take their
// colours from that palette (the host's default palette when none was selected).
struct Device : Object {
    using Object::Object;
    Palette* palette = nullptr;
    int stretch_mode = 1;  // black-on-white until set
    // GetDeviceCaps for this device; 0 for what it does not report.
    virtual int caps(int index) const;
    // Draws a source bitmap mapped onto the device (see dibcopy.h); returns rows drawn.
    // Devices that cannot be drawn on draw nothing.
    virtual int draw_dib(const DibSource&, const Mapping&, const Mapping&) { return 0; }
    // Print jobs (see host.h); devices that do not print refuse them with 0.
    virtual int start_doc() { return 0; }
    virtual int start_page() { return 0; }
    virtual int end_page() { return 0; }
    virtual int end_doc() { return 0; }
};

// A device whose pixels the host keeps: 0x00RRGGBB words, top row first, no padding. An
// off-screen surface, or the client area of a window.
struct Raster : Device {
    Raster(Kind k, int w, int h, std::unique_ptr<uint32_t[]> store)
        : Device(k), width(w), height(h), pixels(std::move(store)), client_width(w), client_height(h) {}
    int width, height;
    std::unique_ptr<uint32_t[]> pixels;
    int client_width, client_height;  // the client area the client mapping uses
    bool dirty = false;               // drawn on since the host side last showed it
    int caps(int index) const override;
    int draw_dib(const DibSource& src, const Mapping& x, const Mapping& y) override;
};

// Pixel memory of a raster of w × h, black, or nullptr when the size is unusable (either
// side below 1, or more than 2^28 pixels).
std::unique_ptr<uint32_t[]> raster_store(int w, int h);

// The device that has the focus; any device kind, checked when used.
void set_focus(Device* dc);

struct MemoryDc : Device {
    MemoryDc() : Device(Kind::memory_dc) {}
    Bitmap* selected = nullptr;
};

// The registry owns every host object. Objects an application never releases (buffers
// forgotten by a second library start, for instance) are freed when the process ends.
template <class T>
T* adopt(std::unique_ptr<T> object);
void destroy(Object* object);
// How many objects are registered (bitmaps, devices, palettes, fonts, cursors, ...).
size_t live_objects();
// The live object of that kind behind a handle, or nullptr.
Object* find(const void* handle);

template <class T>
T* find_as(const void* handle, Kind kind) {
    Object* o = find(handle);
    return o && o->kind == kind ? static_cast<T*>(o) : nullptr;
}

void adopt_object(Object* raw);

template <class T>
T* adopt(std::unique_ptr<T> object) {
    T* raw = object.release();
    adopt_object(raw);
    return raw;
}

// The printers the system itself offers, beside those the host side names (printer.cpp):
// the system's default printer's name (false when it has none or it does not fit), and a
// device for a system printer (nullptr when there is no such printer). Hosts without
// system printers offer none.
bool system_default_printer(char* name, size_t capacity);
Device* create_system_printer_dc(const char* name);

// Settings the host side makes through the rsp_ functions.
struct HostSettings {
    // The display depth the host side set. The Windows host reports the screen's own
    // until one is set, and again after 0 is set.
    int display_bits = 32;
    bool display_bits_set = false;
    bool nt_family = true;
    Device* focus = nullptr;
};
HostSettings& settings();

}  // namespace host
