// Copies, palettes and the display of the Windows host. A device the system draws on
// itself (a memory DC, a system printer) takes the copies through SetDIBitsToDevice and
// StretchDIBits, and its palettes through SelectPalette and RealizePalette. Devices whose
// pixels the host keeps (surfaces, windows' client areas, the library's PDF printers) take
// the library's own copies; a window shows its pixels with SetDIBitsToDevice when pumped.
//
// Which source pixel a copy shows, and its colour, follow the library's rules (dibcopy.h):
// pixel k takes source pixel k × |source extent| / |destination extent|, and narrow
// channels widen with rounding. Where the system's copy could differ (see
// system_copy_exact), the library maps the copy band by band and each band goes onto the
// device with SetDIBitsToDevice: the same pixels on every device, drawn by the system.
// Headers the library refuses are refused here too (open_dib), before the system sees them.
#include <algorithm>
#include <climits>
#include <memory>
#include <new>

#include "platform/common/dib.h"
#include "platform/common/dibcopy.h"
#include "platform/windows/gdi.h"
#include "platform/windows/window.h"

namespace host {
namespace {

struct GdiPalette : Palette {
    ~GdiPalette() override { DeleteObject(handle); }
    HPALETTE handle = nullptr;
};

// Pixels mapped by the library at a time: whole rows, at least one.
constexpr int band_pixels = 1 << 18;

// Whether the system's copy gives the library's pixels: sources whose colours every rule
// reads alike (colour tables, 24 bits, 32 bits in the standard masks; the system widens
// 5- and 6-bit channels by repeating their top bits where the library rounds), neither
// axis mirrored (Wine places mirrored copies other than the library does), and each
// destination extent a whole multiple of its source extent (Wine keeps the last pixel of
// each group a shrink drops, where the library keeps the first, and spreads other
// enlargements differently).
bool system_copy_exact(const DibSource& src, int64_t dest_width, int64_t dest_height, int64_t src_width,
                       int64_t src_height) {
    if (src.form == DibSource::Form::lut16 || src.form == DibSource::Form::masked32) return false;
    if (dest_width <= 0 || dest_height <= 0 || src_width <= 0 || src_height <= 0) return false;
    return dest_width % src_width == 0 && dest_height % src_height == 0;
}

// The library's mapping of a copy onto a system DC, inside the DC's clip box, drawn by the
// system band by band.
int mapped_copy(HDC system, const DibSource& src, const Mapping& mx, const Mapping& my) {
    RECT clip;
    if (GetClipBox(system, &clip) == ERROR) return 0;
    CopyPlan plan;
    plan_copy(src, mx, my, int(clip.left), int(clip.top), int(clip.right), int(clip.bottom), plan);
    if (!plan.height) return 0;
    const int band_rows = std::max(1, band_pixels / plan.width);
    std::unique_ptr<uint32_t[]> band(
        allocation_refused() ? nullptr : new (std::nothrow) uint32_t[size_t(plan.width) * size_t(band_rows)]);
    if (!band) return 0;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = plan.width;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    for (int row = 0; row < plan.height; row += band_rows) {
        const int end = std::min(row + band_rows, plan.height);
        run_copy(src, plan, band.get(), plan.width, row, end);
        info.bmiHeader.biHeight = -(end - row);  // top row first, as the band holds them
        SetDIBitsToDevice(system, plan.x0, plan.y0 + row, DWORD(plan.width), DWORD(end - row), 0, 0, 0,
                          UINT(end - row), band.get(), &info, DIB_RGB_COLORS);
    }
    return plan.height;
}

const BITMAPINFO* as_info(const uint8_t* header) { return reinterpret_cast<const BITMAPINFO*>(header); }

// The screen's device context for the length of a call.
struct ScreenDc {
    ScreenDc() : dc(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc) ReleaseDC(nullptr, dc);
    }
    HDC dc;
};

bool screen_has_palette() {
    ScreenDc screen;
    return screen.dc && (GetDeviceCaps(screen.dc, RASTERCAPS) & RC_PALETTE);
}

}  // namespace

int display_bits_per_pixel() {
    const HostSettings& s = settings();
    if (s.display_bits_set && s.display_bits != 0) return s.display_bits;
    ScreenDc screen;
    return screen.dc ? GetDeviceCaps(screen.dc, BITSPIXEL) * GetDeviceCaps(screen.dc, PLANES) : 0;
}

int set_dib_bits_to_device(Device* dc, int x_dest, int y_dest, int width, int height, int x_src, int y_src,
                           int start_scan, int lines, const void* bits, const uint8_t* header, int usage) {
    Device* device = device_from_handle(dc);
    HDC system = system_dc(device);
    if (!system)
        return copy_dib_bits(device, x_dest, y_dest, width, height, x_src, y_src, start_scan, lines, bits, header,
                             usage);
    DibSource src;
    if (width <= 0 || height <= 0 || !open_dib(src, header, bits, usage, device, start_scan, lines)) return 0;
    // Rows the caller holds beyond the bitmap's, or before its first, are the library's to
    // skip: the system would read them.
    const bool rows_inside = start_scan >= 0 && int64_t(start_scan) + lines <= src.height;
    if (!rows_inside || !system_copy_exact(src, width, height, width, height)) {
        const Mapping mx{x_dest, width, x_src, width};
        const Mapping my{y_dest, height, int64_t(src.height) - y_src - height, height};
        return mapped_copy(system, src, mx, my);
    }
    const int rows = SetDIBitsToDevice(system, x_dest, y_dest, DWORD(width), DWORD(height), x_src, y_src,
                                       UINT(start_scan), UINT(lines), bits, as_info(header),
                                       usage == dib_pal_colors ? DIB_PAL_COLORS : DIB_RGB_COLORS);
    return std::max(rows, 0);
}

int stretch_dib_bits(Device* dc, int x_dest, int y_dest, int dest_width, int dest_height, int x_src, int y_src,
                     int src_width, int src_height, const void* bits, const uint8_t* header, int usage,
                     uint32_t rop) {
    Device* device = device_from_handle(dc);
    HDC system = system_dc(device);
    if (!system)
        return stretch_dib(device, x_dest, y_dest, dest_width, dest_height, x_src, y_src, src_width, src_height,
                           bits, header, usage, rop);
    DibSource src;
    if (rop != srccopy || !open_dib(src, header, bits, usage, device, 0, INT32_MAX)) return 0;
    if (!system_copy_exact(src, dest_width, dest_height, src_width, src_height)) {
        const Mapping mx{x_dest, dest_width, x_src, src_width};
        const Mapping my{y_dest, dest_height, int64_t(src.height) - y_src - src_height, src_height};
        return mapped_copy(system, src, mx, my);
    }
    SetStretchBltMode(system, device->stretch_mode);
    const int rows = StretchDIBits(system, x_dest, y_dest, dest_width, dest_height, x_src, y_src, src_width,
                                   src_height, bits, as_info(header),
                                   usage == dib_pal_colors ? DIB_PAL_COLORS : DIB_RGB_COLORS, SRCCOPY);
    return rows == int(GDI_ERROR) ? 0 : std::max(rows, 0);
}

// ---- palettes ----------------------------------------------------------------------------

HPALETTE system_palette(Palette* palette) {
    auto* gdi = dynamic_cast<GdiPalette*>(palette_from_handle(palette));
    return gdi ? gdi->handle : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
}

Palette* create_palette(const uint8_t* record) {
    auto palette = std::make_unique<GdiPalette>();
    if (!read_logical_palette(record, *palette)) return nullptr;
    struct {
        WORD version = 0x300, count = 0;
        PALETTEENTRY entries[256];
    } logical;
    logical.count = WORD(palette->count);
    for (int i = 0; i < palette->count; ++i) {
        const PaletteColor& c = palette->entries[i];
        logical.entries[i] = {c.red, c.green, c.blue, c.flags};
    }
    palette->handle = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical));
    return palette->handle ? adopt(std::move(palette)) : nullptr;
}

// The DCs that hold the palette take the stock one back first; their own record still
// names the deleted palette, which then resolves to the default one.
void delete_palette(Palette* palette) {
    if (palette == default_palette() || !palette_from_handle(palette)) return;
    for (Device* device : system_devices())
        if (device->palette == palette)
            SelectPalette(system_dc(device), static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
    destroy(palette);
}

Palette* select_palette(Device* dc, Palette* palette, bool background) {
    Device* device = device_from_handle(dc);
    if (!device || !palette_from_handle(palette)) return nullptr;
    if (HDC system = system_dc(device)) {
        if (!SelectPalette(system, system_palette(palette), background ? TRUE : FALSE)) return nullptr;
    }
    return swap_palette(device, palette);
}

// A system DC realizes its palette itself and says how many entries it mapped; a window
// realizes its palette on its own DC, so that a display with a palette shows its colours;
// the count is the palette's where the system reports none.
int realize_palette(Device* dc) {
    Device* device = device_from_handle(dc);
    if (!device) return 0;
    Palette* palette = palette_from_handle(device->palette);
    const int count = (palette ? palette : default_palette())->count;
    if (HDC system = system_dc(device)) {
        const UINT mapped = RealizePalette(system);
        return mapped == GDI_ERROR ? 0 : int(mapped);
    }
    if (device->kind == Kind::window) {
        const HWND hwnd = static_cast<Window*>(device)->hwnd;
        if (HDC own = GetDC(hwnd)) {
            HPALETTE before = SelectPalette(own, system_palette(palette), FALSE);
            RealizePalette(own);
            if (before) SelectPalette(own, before, FALSE);
            ReleaseDC(hwnd, own);
        }
    }
    return count;
}

// The record follows the rule for reserved entries; the system palette object is animated
// too, which changes the screen wherever it is realized on a display with a palette.
bool animate_palette(Palette* palette, int start, int count, const uint8_t* entries) {
    Palette* live = palette_from_handle(palette);
    if (!live || !animate_entries(*live, start, count, entries)) return false;
    const int end = int(std::min<int64_t>(int64_t(start) + count, live->count));
    AnimatePalette(system_palette(live), UINT(start), UINT(end - start), reinterpret_cast<const PALETTEENTRY*>(entries));
    return true;
}

// A display of 8 bits or fewer: the screen's system palette when the screen has one,
// the static colours when the host side only says the display is that deep.
int system_palette_entries(int start, int count, uint8_t* entries) {
    const int bits = display_bits_per_pixel();
    if (bits < 1 || bits > 8 || !entries || start < 0 || count <= 0) return 0;
    if (settings().display_bits_set && settings().display_bits != 0) return static_system_entries(bits, start, count, entries);
    if (!screen_has_palette()) return static_system_entries(bits, start, count, entries);
    const int end = int(std::min<int64_t>(int64_t(start) + count, 1 << bits));
    if (end <= start) return 0;
    ScreenDc screen;
    return int(GetSystemPaletteEntries(screen.dc, UINT(start), UINT(end - start), reinterpret_cast<PALETTEENTRY*>(entries)));
}

}  // namespace host
