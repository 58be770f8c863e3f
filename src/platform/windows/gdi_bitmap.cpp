// Bitmaps and memory device contexts of the Windows host: DIB sections made with
// CreateDIBSection, memory DCs made with CreateCompatibleDC, and SelectObject between
// them. The header is checked by the library's own rules first (dib.h), so the system
// only ever sees headers the Linux hosts would accept too; a DIB section's memory comes
// zero-filled from the system.
#include <algorithm>

#include "platform/common/dib.h"
#include "platform/windows/gdi.h"

namespace host {
namespace {

// A memory DC: the system's, with the 1×1 stock bitmap it was made with kept to be put
// back before the DC is deleted.
struct GdiMemoryDc : MemoryDc, SystemDc {
    GdiMemoryDc(HDC dc, HGDIOBJ stock) : original(stock) { hdc = dc; system_devices().push_back(this); }
    ~GdiMemoryDc() override {
        std::erase(system_devices(), static_cast<Device*>(this));
        SelectObject(hdc, original);
        SelectPalette(hdc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
        DeleteDC(hdc);
    }
    int caps(int index) const override { return GetDeviceCaps(hdc, index); }
    HGDIOBJ original;
};

// The host object standing for the system's stock bitmap, which every new memory DC
// holds; it is registered once and never released.
SectionBitmap* stock_bitmap(HGDIOBJ stock) {
    static SectionBitmap* wrapper = [stock] {
        auto b = std::make_unique<SectionBitmap>(static_cast<HBITMAP>(stock), false);
        b->width = b->height = 1;
        b->bits = 1;
        b->pitch = 4;
        return adopt(std::move(b));
    }();
    return wrapper;
}

SectionBitmap* live_bitmap(Bitmap* bitmap) { return static_cast<SectionBitmap*>(find_as<Bitmap>(bitmap, Kind::bitmap)); }

}  // namespace

std::vector<Device*>& system_devices() {
    static std::vector<Device*> list;
    return list;
}

Bitmap* create_dib_section(Device* reference, const uint8_t* header, int table_kind, uint8_t** pixels) {
    if (pixels) *pixels = nullptr;
    DibInfo info;
    if (!pixels || !parse_dib_header(header, info)) return nullptr;
    if (allocation_refused()) return nullptr;
    // Palette indices need a device whose palette they index: the reference device's, or
    // the screen's when it has no system DC.
    HDC dc = system_dc(device_from_handle(reference));
    HDC screen = dc ? nullptr : GetDC(nullptr);
    void* bits = nullptr;
    HBITMAP handle = CreateDIBSection(dc ? dc : screen, reinterpret_cast<const BITMAPINFO*>(header),
                                      table_kind == dib_pal_colors ? DIB_PAL_COLORS : DIB_RGB_COLORS, &bits, nullptr, 0);
    if (screen) ReleaseDC(nullptr, screen);
    if (!handle || !bits) {
        if (handle) DeleteObject(handle);
        return nullptr;
    }
    auto bitmap = std::make_unique<SectionBitmap>(handle, true);
    bitmap->lay_out(info);
    *pixels = static_cast<uint8_t*>(bits);
    return adopt(std::move(bitmap));
}

// The system deletes no bitmap that a DC holds: the DCs holding it get the stock bitmap
// back first. Their own record still names the deleted bitmap, which selected_bitmap then
// no longer finds.
void delete_bitmap(Bitmap* bitmap) {
    SectionBitmap* b = live_bitmap(bitmap);
    if (!b || !b->owned) return;
    for (Device* device : system_devices()) {
        if (device->kind != Kind::memory_dc) continue;
        auto* mem = static_cast<GdiMemoryDc*>(device);
        if (mem->selected == b) SelectObject(mem->hdc, mem->original);
    }
    destroy(b);
}

Device* create_memory_dc() {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return nullptr;
    HGDIOBJ stock = GetCurrentObject(dc, OBJ_BITMAP);
    auto mem = std::make_unique<GdiMemoryDc>(dc, stock);
    mem->selected = stock_bitmap(stock);
    return adopt(std::move(mem));
}

// The system refuses a bitmap that another DC holds; so does this, with nullptr.
Bitmap* select_bitmap(Device* dc, Bitmap* bitmap) {
    auto* mem = static_cast<GdiMemoryDc*>(find_as<MemoryDc>(dc, Kind::memory_dc));
    SectionBitmap* b = live_bitmap(bitmap);
    if (!mem || !b) return nullptr;
    const HGDIOBJ previous_handle = SelectObject(mem->hdc, b->handle);
    if (!previous_handle || previous_handle == HGDI_ERROR) return nullptr;
    Bitmap* previous = mem->selected;
    mem->selected = b;
    return previous;
}

}  // namespace host
