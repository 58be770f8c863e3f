// Host objects and their registry, shared by the host implementations on Linux.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/host.h"

namespace host {

enum class Kind { bitmap, memory_dc, surface, window, printer, palette };

struct Object {
    explicit Object(Kind k) : kind(k) {}
    virtual ~Object() = default;
    const Kind kind;
};

struct Bitmap : Object {
    Bitmap() : Object(Kind::bitmap) {}
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

// Every device can hold a selected palette; palette-index bitmaps drawn to it take their
// colours from that palette (the host's default palette when none was selected).
struct Device : Object {
    using Object::Object;
    Palette* palette = nullptr;
};

struct MemoryDc : Device {
    MemoryDc() : Device(Kind::memory_dc) {}
    Bitmap* selected = nullptr;
};

// The registry owns every host object. Objects an application never releases (buffers
// forgotten by a second library start, for instance) are freed when the process ends.
template <class T>
T* adopt(std::unique_ptr<T> object);
void destroy(Object* object);
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

// Settings the host side makes through the rsp_ functions.
struct HostSettings {
    int display_bits = 32;
    bool nt_family = true;
};
HostSettings& settings();

}  // namespace host
