// Bitmaps and memory device contexts of the Linux hosts (the Windows host has the
// system's, in windows/gdi_bitmap.cpp). A bitmap owns its pixel memory,
// laid out exactly as the header it was made from describes; a memory DC holds one
// selected bitmap, starting with a 1×1 stock bitmap that is never released.
#include <new>

#include "platform/common/dib.h"
#include "platform/common/objects.h"

namespace host {
namespace {

Bitmap* stock_bitmap() {
    static Bitmap* stock = [] {
        auto b = std::make_unique<Bitmap>();
        b->width = b->height = 1;
        b->bits = 1;
        b->pitch = 4;
        b->pixels.reset(new uint8_t[4]());
        return adopt(std::move(b));
    }();
    return stock;
}

}  // namespace

Bitmap* create_dib_section(Device*, const uint8_t* header, int, uint8_t** pixels) {
    if (pixels) *pixels = nullptr;
    DibInfo info;
    if (!pixels || !parse_dib_header(header, info)) return nullptr;
    if (allocation_refused()) return nullptr;
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->pixels.reset(new (std::nothrow) uint8_t[size_t(info.pitch * info.height)]());
    if (!bitmap->pixels) return nullptr;
    bitmap->lay_out(info);
    *pixels = bitmap->pixels.get();
    return adopt(std::move(bitmap));
}

void delete_bitmap(Bitmap* bitmap) {
    if (bitmap && bitmap != stock_bitmap() && find_as<Bitmap>(bitmap, Kind::bitmap)) destroy(bitmap);
}

Device* create_memory_dc() {
    auto dc = std::make_unique<MemoryDc>();
    dc->selected = stock_bitmap();
    return adopt(std::move(dc));
}


Bitmap* select_bitmap(Device* dc, Bitmap* bitmap) {
    auto* mem = find_as<MemoryDc>(dc, Kind::memory_dc);
    if (!mem || !find_as<Bitmap>(bitmap, Kind::bitmap)) return nullptr;
    Bitmap* previous = mem->selected;
    mem->selected = bitmap;
    return previous;
}

}  // namespace host
