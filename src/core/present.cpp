// Presenting virtual buffers: the active buffer goes to the window DC one to one
// (rs_vbpaste) or scaled (rs_vbscale), to a printer page (rs_vbprint, inside the print
// job of rs_printer), and to and from the clipboard as a device-independent bitmap.
//
// Regions are screen rectangles of the active buffer. Its rows are bottom-up, so every
// copy names the source by its lower-left corner (minx, maxy_b − maxy) counted from the
// bottom row. The host copies read only inside the buffer and write only inside the
// device, so a region reaching outside the buffer shows just its part inside it, in the
// place that part would have had. The clipboard copies cut regions to the buffer
// themselves.
#include "core/present.h"

#include <algorithm>
#include <cstring>

#include "core/palette.h"
#include "core/vbuf.h"
#include "platform/common/dib.h"
#include "platform/host.h"
#include "services/state.h"

namespace core {
namespace {

constexpr int colour_on_colour = 3;

// Coordinate differences in 32-bit wrap-around arithmetic, as the host receives them:
// hostile coordinates give a useless rectangle, never an overflow.
int minus(int a, int b) { return int(uint32_t(a) - uint32_t(b)); }
int extent(int lo, int hi) { return int(uint32_t(hi) - uint32_t(lo) + 1u); }

host::Device* device(void* handle) { return host::device_from_handle(handle); }

// The bitmap header of a copy of the active buffer that is width × height pixels: the
// buffer's own layout (three masks after a 40-byte header in the short form, the
// version-4 header otherwise; RGB quads from the palette at 8 bits). Returns the bytes
// written: header, masks and colour table.
constexpr int temporary_header_bytes = 40 + 1024;
int build_header(uint8_t* h, int width, int height) {
    const int depth = active().depth;
    const bool masks = depth == 16 || depth == 32;
    const bool short_form = vb_table().short_header;
    std::memset(h, 0, temporary_header_bytes);
    write_bitmap_header(h, depth, width, height, table_rgb_quads);
    if (depth == 8) return 40 + 1024;
    return masks ? (short_form ? 52 : 108) : 40;
}

// The active buffer's region cut to the buffer; false when nothing is left.
bool cut_to_buffer(int& minx, int& maxx, int& miny, int& maxy) {
    const ActiveBuffer& vb = active();
    minx = std::max(minx, 0);
    miny = std::max(miny, 0);
    maxx = std::min(maxx, vb.width - 1);
    maxy = std::min(maxy, vb.height - 1);
    return minx <= maxx && miny <= maxy;
}

}  // namespace

// ---- device contexts ---------------------------------------------------------------------

int set_dc(void* dc) {
    devices().window_dc = dc;
    services::state().text_dc = dc;
    host::set_stretch_blt_mode(device(dc), colour_on_colour);
    return 0;
}

void* get_dc() { return vb_table().memory_dc; }

int set_hpage(int handle) {
    devices().hidden_page = handle;
    return 0;
}

int set_page(int handle) {
    const VbSlot* s = slot_in_use(handle);
    if (!s) return -1;
    host::set_dib_bits_to_device(device(devices().window_dc), 0, 0, s->width, s->height, 0, 0, 0, s->height,
                                 s->pixels, s->header, s->table_kind);
    devices().visible_page = handle;
    return 0;
}

int get_page() { return slot_in_use(devices().visible_page) ? devices().visible_page : -1; }

int page_size(int* width, int* height) {
    const VbSlot* s = slot_in_use(devices().visible_page);
    if (!s) return -1;
    if (width) *width = s->width;
    if (height) *height = s->height;
    return 0;
}

int print_dc(void* dc) {
    devices().printer_dc = dc;
    host::set_stretch_blt_mode(device(dc), colour_on_colour);
    return 0;
}

// ---- copies to the window ------------------------------------------------------------------

int vb_paste(int minx, int maxx, int miny, int maxy, int x, int y) {
    if (!has_active()) return 0;
    const ActiveBuffer& vb = active();
    // The whole buffer is offered (scan lines 0 .. height − 1); the region's lower-left
    // pixel (minx, maxy) lands on (x, y).
    host::set_dib_bits_to_device(device(devices().window_dc), x, minus(y, minus(maxy, miny)), extent(minx, maxx),
                                 extent(miny, maxy), minx, minus(vb.maxy, maxy), 0, vb.height, vb.pixels,
                                 vb.header, vb.table_kind);
    return 0;
}

int vb_scale(int minx, int maxx, int miny, int maxy, int dminx, int dmaxx, int dminy, int dmaxy) {
    if (!has_active()) return 0;
    const ActiveBuffer& vb = active();
    host::stretch_dib_bits(device(devices().window_dc), dminx, dminy, extent(dminx, dmaxx), extent(dminy, dmaxy),
                           minx, minus(vb.maxy, maxy), extent(minx, maxx), extent(miny, maxy), vb.pixels, vb.header,
                           vb.table_kind, host::srccopy);
    return 0;
}

// ---- printing --------------------------------------------------------------------------

uint32_t print_units(uint32_t v, int units, uint32_t res, uint32_t size) {
    switch (units) {
    case 1: return v * res / 100;
    // v × 127 stays 32-bit; its product with res is 64-bit, divided to a 32-bit quotient.
    case 2: return uint32_t(uint64_t(v * 127u) * res / size) / 500;
    case 3: return uint32_t(uint64_t(v * 127u) * res / size) / 5000;
    case 4: return v * res / size;
    case 5: return v * res / size / 10;
    case 6: return v * res / size / 100;
    default: return v;  // device pixels
    }
}

int vb_print(int minx, int maxx, int miny, int maxy, int pminx, int pmaxx, int pminy, int pmaxy, int units) {
    if (!has_active()) return 0;
    host::Device* dc = device(devices().printer_dc);
    if (!dc) return 0;
    const auto hres = uint32_t(host::device_caps(dc, host::cap_horzres));
    const auto hsize = uint32_t(host::device_caps(dc, host::cap_horzsize));
    const auto vres = uint32_t(host::device_caps(dc, host::cap_vertres));
    const auto vsize = uint32_t(host::device_caps(dc, host::cap_vertsize));
    // A device that reports no paper size cannot convert lengths: nothing is printed.
    if (units >= 2 && units <= 6 && (hsize == 0 || vsize == 0)) return 0;
    const int x0 = int(print_units(uint32_t(pminx), units, hres, hsize));
    const int x1 = int(print_units(uint32_t(pmaxx), units, hres, hsize));
    const int y0 = int(print_units(uint32_t(pminy), units, vres, vsize));
    const int y1 = int(print_units(uint32_t(pmaxy), units, vres, vsize));
    const ActiveBuffer& vb = active();
    uint8_t header[temporary_header_bytes];
    build_header(header, vb.width, vb.height);
    host::stretch_dib_bits(dc, x0, y0, extent(x0, x1), extent(y0, y1), minx, minus(vb.maxy, maxy), extent(minx, maxx),
                           extent(miny, maxy), vb.pixels, header, host::dib_rgb_colors, host::srccopy);
    return 0;
}

int printer(int request) {
    Devices& d = devices();
    switch (request) {
    case 10: {
        if (!d.printer_dc) {
            char name[256];
            if (!host::default_printer(name, sizeof name)) return -1;
            host::Device* dc = host::create_printer_dc(name);
            if (!dc) return -4;
            d.printer_dc = dc;
        }
        host::Device* dc = device(d.printer_dc);
        if (!(host::device_caps(dc, host::cap_rastercaps) & host::rc_stretchdib)) return -3;
        if (host::start_doc(dc) <= 0) return -2;
        host::start_page(dc);
        return 0;
    }
    case 1: host::end_page(device(d.printer_dc)); return 0;
    case 2:
    case 11:
        host::end_doc(device(d.printer_dc));
        host::delete_dc(device(d.printer_dc));
        d.printer_dc = nullptr;
        return 0;
    default: return 0;
    }
}

// ---- clipboard -------------------------------------------------------------------------

int vb_to_clip(int minx, int maxx, int miny, int maxy) {
    if (!has_active()) return 0;
    if (!cut_to_buffer(minx, maxx, miny, maxy)) return -1;
    const ActiveBuffer& vb = active();
    const int b = vb.depth / 8;
    const int row = (maxx - minx + 1) * b;
    const int pad = (4 - row % 4) % 4;
    const int rows = maxy - miny + 1;
    // The padded row is presented as whole pixels, so the image may be wider than the
    // region; its extra column is the 0xFF pad bytes.
    uint8_t header[temporary_header_bytes];
    const int header_bytes = build_header(header, (row + pad) / b, rows);
    // Rows follow the header (and at 8 bits its 256 quads); 1024 bytes are reserved for
    // the colour table at every depth.
    const int header_proper = vb.depth == 8 ? 40 : header_bytes;
    const size_t bytes = size_t(row + pad) * size_t(rows) + 1024 + size_t(header_proper);
    auto* block = static_cast<uint8_t*>(host::block_alloc(bytes));
    if (!block) return -2;
    std::memcpy(block, header, size_t(header_bytes));
    uint8_t* out = block + header_bytes;
    for (int y = maxy; y >= miny; --y, out += row + pad) {
        std::memcpy(out, pixel_address(vb, minx, y), size_t(row));
        std::memset(out + row, 0xFF, size_t(pad));
    }

    host::Palette* colours = nullptr;
    if (vb.depth == 8) {
        auto* record = static_cast<uint8_t*>(host::block_alloc(4 + 4 * 256));
        if (!record) {
            host::block_free(block);
            return -2;
        }
        const PaletteState& p = palette();
        host::write_u16(record, p.version);
        host::write_u16(record + 2, p.count);
        std::memcpy(record + 4, p.entries, sizeof p.entries);
        colours = host::create_palette(record);
        host::block_free(record);
        if (!colours) {
            host::block_free(block);
            return -2;
        }
    }
    if (!host::open_clipboard(host::focus_device())) {
        host::block_free(block);
        host::delete_palette(colours);
        return -1;
    }
    host::empty_clipboard();
    host::set_clipboard_data(host::cf_dib, block);
    if (colours) host::set_clipboard_data(host::cf_palette, colours);
    host::close_clipboard();
    return 0;
}

int clip_to_vb(int minx, int maxx, int miny, int maxy, int flags) {
    if (!has_active()) return 0;
    int cminx = minx, cmaxx = maxx, cminy = miny, cmaxy = maxy;
    if (!cut_to_buffer(cminx, cmaxx, cminy, cmaxy)) return -1;
    if (!host::open_clipboard(host::focus_device())) return -1;
    const auto* dib = static_cast<const uint8_t*>(host::get_clipboard_data(host::cf_dib));
    const size_t size = host::block_size(dib);
    if (!dib || size < 40) {
        host::close_clipboard();
        return -2;
    }
    const ActiveBuffer& vb = active();
    const uint32_t header_size = host::read_u32(dib);
    const int64_t width = int32_t(host::read_u32(dib + 4));
    const int64_t height = int32_t(host::read_u32(dib + 8));
    const int bits = host::read_u16(dib + 14);
    const uint32_t compression = host::read_u32(dib + 16);
    if (bits != vb.depth) {
        host::close_clipboard();
        return -3;
    }
    // Where the rows start: after the colour table at 8 bits, after the bit-field masks
    // that follow a 40-byte header at 16 and 32 bits.
    const int bpp = bits / 8;
    const int64_t table = bits == 8 ? 1024 : 0;
    const int64_t masks = (bits == 16 || bits == 32) && header_size == 40 && compression == 3 ? 12 : 0;
    const int64_t offset = int64_t(header_size) + table + masks;
    const int64_t row_length = (width * bpp + 3) & ~int64_t(3);
    // A block too short for what its header describes counts as no bitmap.
    if (header_size < 40 || width < 1 || height < 1 || offset > int64_t(size) ||
        height > (int64_t(size) - offset) / row_length) {
        host::close_clipboard();
        return -2;
    }
    uint8_t triples[256 * 3];
    if (bits == 8)
        for (int i = 0; i < 256; ++i) {
            const uint8_t* q = dib + header_size + 4 * i;
            triples[3 * i] = q[2], triples[3 * i + 1] = q[1], triples[3 * i + 2] = q[0];
        }

    // The clipboard's bottom row goes to row maxy at column minx, and so on upward; only
    // what falls inside the region cut to the buffer is written.
    const int64_t rows = std::min(int64_t(maxy) - miny + 1, height);
    const int64_t bytes = std::min((int64_t(maxx) - minx + 1) * bpp, row_length);
    const int64_t lo = std::max(int64_t(cminx) * bpp, int64_t(minx) * bpp);
    const int64_t hi = std::min((int64_t(cmaxx) + 1) * bpp, int64_t(minx) * bpp + bytes);
    for (int64_t j = 0; j < rows && lo < hi; ++j) {
        const int64_t y = int64_t(maxy) - j;
        if (y < cminy || y > cmaxy) continue;
        const uint8_t* from = dib + offset + j * row_length + (lo - int64_t(minx) * bpp);
        std::memcpy(row_address(vb, int(y)) + lo, from, size_t(hi - lo));
    }
    if (!(flags & 2)) host::empty_clipboard();
    host::close_clipboard();
    // The palette takes the clipboard's colours but the first ten, which belong to the
    // platform's static colours.
    if (bits == 8 && !(flags & 1)) set_dacs(10, 256 - 10, triples + 30);
    return 0;
}

}  // namespace core
