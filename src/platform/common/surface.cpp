// Devices the library presents to on the Linux hosts: off-screen surfaces (always there)
// and, through the same Raster base, the client areas of windows. Also the facts every
// device reports (capabilities, stretch mode) and the focus the client mapping reads.
#include <new>

#include "platform/common/host_side.h"
#include "platform/common/objects.h"

namespace host {
namespace {

// A notional 96 pixels per inch gives screens a size in millimetres.
int millimetres(int pixels) { return int((int64_t(pixels) * 254 + 480) / 960); }

}  // namespace

int Device::caps(int) const { return 0; }

int Raster::caps(int index) const {
    switch (index) {
    case cap_horzres: return width;
    case cap_vertres: return height;
    case cap_horzsize: return millimetres(width);
    case cap_vertsize: return millimetres(height);
    case cap_bitspixel: return 32;
    case cap_planes: return 1;
    // bit blocks, bitmaps to the device, stretched blocks and stretched bitmaps
    case cap_rastercaps: return 0x0001 | 0x0200 | 0x0800 | rc_stretchdib;
    default: return 0;
    }
}

std::unique_ptr<uint32_t[]> raster_store(int w, int h) {
    if (w < 1 || h < 1 || int64_t(w) * h > (int64_t(1) << 28)) return nullptr;
    return std::unique_ptr<uint32_t[]>(new (std::nothrow) uint32_t[size_t(w) * size_t(h)]());
}

void set_focus(Device* dc) { settings().focus = dc; }

Device* focus_device() { return device_from_handle(settings().focus); }

bool client_rect(Device* dc, int rect[4]) {
    Device* device = device_from_handle(dc);
    if (!device || (device->kind != Kind::surface && device->kind != Kind::window)) return false;
    const auto* raster = static_cast<const Raster*>(device);
    rect[0] = rect[1] = 0;
    rect[2] = raster->client_width;
    rect[3] = raster->client_height;
    return true;
}

int device_caps(Device* dc, int index) {
    Device* device = device_from_handle(dc);
    return device ? device->caps(index) : 0;
}

// Every mode draws as colour-on-colour here: the library asks for nothing else, and
// blending modes would need a second copy loop that nothing uses.
int set_stretch_blt_mode(Device* dc, int mode) {
    Device* device = device_from_handle(dc);
    if (!device || mode < 1 || mode > 4) return 0;
    const int previous = device->stretch_mode;
    device->stretch_mode = mode;
    return previous;
}

// ---- host side ------------------------------------------------------------------------

Device* surface_create(int width, int height) {
    auto store = raster_store(width, height);
    if (!store) return nullptr;
    return adopt(std::make_unique<Raster>(Kind::surface, width, height, std::move(store)));
}

int surface_destroy(void* handle) {
    Object* o = find(handle);
    if (!o || o->kind != Kind::surface) return -1;
    if (settings().focus == o) settings().focus = nullptr;
    destroy(o);
    return 0;
}

const uint32_t* raster_pixels(void* handle, int* width, int* height) {
    Object* o = find(handle);
    if (!o || (o->kind != Kind::surface && o->kind != Kind::window)) return nullptr;
    const auto* raster = static_cast<const Raster*>(o);
    if (width) *width = raster->width;
    if (height) *height = raster->height;
    return raster->pixels.get();
}

int focus(void* handle, int client_width, int client_height) {
    if (!handle) {
        set_focus(nullptr);
        return 0;
    }
    Device* device = device_from_handle(handle);
    if (!device || (device->kind != Kind::surface && device->kind != Kind::window)) return -1;
    // A window's client area is its own size; a surface may say it is shown larger or
    // smaller than it is.
    if (device->kind == Kind::surface) {
        auto* raster = static_cast<Raster*>(device);
        raster->client_width = client_width > 0 ? client_width : raster->width;
        raster->client_height = client_height > 0 ? client_height : raster->height;
    }
    set_focus(device);
    return 0;
}

}  // namespace host
