// The Windows host's bitmaps, device contexts and palettes over the system's graphics
// interface. Each host object keeps the system object it stands for; the registry still
// owns the host objects, so a handle an application hands back is checked before the
// system object behind it is touched, and releasing the host object releases that.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/common/objects.h"

namespace host {

// A bitmap whose pixels are a DIB section's: the library writes them directly, and the
// system draws from them once the bitmap is selected into a memory DC.
struct SectionBitmap : Bitmap {
    SectionBitmap(HBITMAP h, bool own) : handle(h), owned(own) {}
    ~SectionBitmap() override {
        if (owned) DeleteObject(handle);
    }
    HBITMAP handle;
    bool owned;  // the stock bitmap belongs to the system
};

// A device the system draws on itself: copies into it go to the system's calls.
struct SystemDc {
    HDC hdc = nullptr;
};

// The system DC of a device, or nullptr for a device whose pixels the host keeps
// (surfaces, windows' client areas, the library's PDF printers).
inline HDC system_dc(Device* device) {
    auto* system = dynamic_cast<SystemDc*>(device);
    return system ? system->hdc : nullptr;
}

// Every live device with a system DC, so that a bitmap or palette being released can be
// taken out of the DCs that hold it first (the system refuses to delete a selected one).
std::vector<Device*>& system_devices();

// The system palette object behind a host palette; the stock default palette for the
// host's default one.
HPALETTE system_palette(Palette* palette);

}  // namespace host
