// The library's own bitmap copies, for every device whose pixels the host keeps: reading bottom-up bitmaps of every depth and
// drawing them onto devices one to one or stretched (see dibcopy.h). Each copy is planned
// once, with all clipping settled, and then run by one loop per source form.
#include "platform/common/dibcopy.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/common/dib.h"

namespace host {
namespace {

uint32_t rgb(uint32_t red, uint32_t green, uint32_t blue) { return red << 16 | green << 8 | blue; }

// Prepares a channel of a bit-field mask: its value is (pixel & mask) >> shift, at most
// 8 bits (wider channels keep their top 8 bits), scaled to 0..255 with rounding.
void setup_channel(DibSource::Channel& c, uint32_t mask) {
    c = {};
    c.mask = mask;
    if (!mask) return;
    c.shift = std::countr_zero(mask);
    const int width = std::bit_width(mask >> c.shift);
    if (width > 8) c.shift += width - 8;
    const uint32_t top = std::min<uint32_t>(mask >> c.shift, 255);
    for (uint32_t v = 0; v < 256; ++v) c.scale[v] = uint8_t(std::min<uint32_t>(255, (v * 255 + top / 2) / top));
}

uint32_t channel(const DibSource::Channel& c, uint32_t pixel) {
    return c.scale[((pixel & c.mask) >> c.shift) & 0xFF];
}

// The colour of every 16-bit value for one set of masks. Building it costs as much as a
// 256 × 256 copy, so the last table is kept for the next copy with the same masks.
const uint32_t* lut16_for(uint32_t red, uint32_t green, uint32_t blue) {
    static struct {
        bool valid = false;
        uint32_t masks[3]{};
        uint32_t table[65536];
    } cache;
    if (!cache.valid || cache.masks[0] != red || cache.masks[1] != green || cache.masks[2] != blue) {
        DibSource::Channel r, g, b;
        setup_channel(r, red);
        setup_channel(g, green);
        setup_channel(b, blue);
        for (uint32_t v = 0; v < 65536; ++v) cache.table[v] = rgb(channel(r, v), channel(g, v), channel(b, v));
        cache.masks[0] = red;
        cache.masks[1] = green;
        cache.masks[2] = blue;
        cache.valid = true;
    }
    return cache.table;
}

// The colour table of an 8-bit bitmap as colours: RGB quads, or indices into the device's
// palette. Indices past the table or the palette are black.
void setup_lut8(DibSource& src, const uint8_t* header, uint32_t header_size, int usage, const Device* dc) {
    const uint32_t used = read_u32(header + 32);
    const int count = used >= 1 && used <= 256 ? int(used) : 256;
    const uint8_t* table = header + header_size;
    if (usage == dib_pal_colors) {
        const Palette* selected = dc ? palette_from_handle(dc->palette) : nullptr;
        // The stock palette every device starts with stands for the static colours.
        const Palette& palette = selected && selected != default_palette() ? *selected : default_colors();
        for (int i = 0; i < count; ++i) {
            const int index = read_u16(table + 2 * i);
            if (index < palette.count) {
                const PaletteColor& c = palette.entries[index];
                src.lut8[i] = rgb(c.red, c.green, c.blue);
            }
        }
    } else {
        for (int i = 0; i < count; ++i, table += 4) src.lut8[i] = rgb(table[2], table[1], table[0]);
    }
}

// ---- one loop per source form ---------------------------------------------------------

struct Read8 {
    static constexpr int bytes = 1;
    const uint32_t* lut;
    uint32_t operator()(const uint8_t* p) const { return lut[*p]; }
};
struct Read16 {
    static constexpr int bytes = 2;
    const uint32_t* lut;
    uint32_t operator()(const uint8_t* p) const { return lut[p[0] | p[1] << 8]; }
};
struct Read24 {  // bytes: blue, green, red
    static constexpr int bytes = 3;
    uint32_t operator()(const uint8_t* p) const { return p[0] | p[1] << 8 | uint32_t(p[2]) << 16; }
};
struct Read32 {  // bytes: blue, green, red, unused
    static constexpr int bytes = 4;
    uint32_t operator()(const uint8_t* p) const {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v & 0x00FFFFFF;
    }
};
struct ReadMasked32 {
    static constexpr int bytes = 4;
    const DibSource* src;
    uint32_t operator()(const uint8_t* p) const {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return rgb(channel(src->red, v), channel(src->green, v), channel(src->blue, v));
    }
};

// A 32-bit row one to one: the commonest copy, and as fast as a memory copy can be when
// built once more for processors with 32-byte vectors and chosen when the library loads.
// The clones are chosen at load time through an indirect function, which only ELF has.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__) && defined(__ELF__)
__attribute__((target_clones("avx2", "default")))
#endif
void copy_row32(const uint8_t* __restrict s, uint32_t* __restrict d, int n) {
    for (int i = 0; i < n; ++i) d[i] = Read32{}(s + ptrdiff_t(i) * 4);
}

template <class Read>
void run_span(const uint8_t* s, uint32_t* d, int n, Read read) {
    for (int i = 0; i < n; ++i) d[i] = read(s + ptrdiff_t(i) * Read::bytes);
}
void run_span(const uint8_t* s, uint32_t* d, int n, Read32) { copy_row32(s, d, n); }

template <class Read>
void run_rows(const CopyPlan& plan, uint32_t* target, ptrdiff_t stride, int row_begin, int row_end, Read read) {
    const int n = plan.width;
    for (int j = row_begin; j < row_end; ++j, target += stride) {
        uint32_t* d = target;
        if (plan.contiguous) {
            run_span(plan.rows[size_t(j)] + ptrdiff_t(plan.first_col) * Read::bytes, d, n, read);
        } else {
            const uint8_t* row = plan.rows[size_t(j)];
            const int* cols = plan.cols.data();
            for (int i = 0; i < n; ++i) d[i] = read(row + ptrdiff_t(cols[i]) * Read::bytes);
        }
    }
}

// The visible destination pixels of one axis, lowest first, with their source
// coordinates: those inside [lo, hi) whose source pixel lies inside [src_lo, src_hi).
void plan_axis(const Mapping& m, int64_t lo, int64_t hi, int64_t src_lo, int64_t src_hi, int& first,
               std::vector<int>& src) {
    src.clear();
    first = 0;
    if (m.dest_extent == 0 || m.src_extent == 0 || lo >= hi) return;
    const int64_t dn = m.dest_extent < 0 ? -m.dest_extent : m.dest_extent;
    const int64_t sn = m.src_extent < 0 ? -m.src_extent : m.src_extent;
    // Steps k whose destination pixel lies inside [lo, hi).
    int64_t k0 = m.dest_extent > 0 ? lo - m.dest_origin : m.dest_origin - hi;
    int64_t k1 = m.dest_extent > 0 ? hi - m.dest_origin : m.dest_origin - lo;
    k0 = std::max<int64_t>(k0, 0);
    k1 = std::min(k1, dn);
    int64_t first_k = -1, last_k = -1;
    for (int64_t k = k0; k < k1; ++k) {
        const int64_t step = k * sn / dn;  // below 2^62: both extents come from 32-bit values
        const int64_t s = m.src_extent > 0 ? m.src_origin + step : m.src_origin - 1 - step;
        if (s < src_lo || s >= src_hi) continue;
        if (first_k < 0) first_k = k;
        last_k = k;
        src.push_back(int(s));
    }
    if (first_k < 0) return;
    // The source coordinate is monotonic in k, so the steps kept are consecutive.
    if (m.dest_extent > 0) {
        first = int(m.dest_origin + first_k);
    } else {
        first = int(m.dest_origin - 1 - last_k);
        std::reverse(src.begin(), src.end());
    }
}

}  // namespace

bool open_dib(DibSource& src, const uint8_t* header, const void* bits, int usage, const Device* dc,
              int start_scan, int lines) {
    DibInfo info;
    if (!bits || !parse_dib_header(header, info)) return false;
    src.bits = static_cast<const uint8_t*>(bits);
    src.bits_row = start_scan;
    src.pitch = info.pitch;
    src.width = info.width;
    src.height = info.height;
    src.first_row = std::max<int64_t>(start_scan, 0);
    src.end_row = std::min<int64_t>(int64_t(start_scan) + std::max(lines, 0), info.height);
    const bool fields = info.compression == 3;
    if (info.compression != 0 && !(fields && (info.bits == 16 || info.bits == 32))) return false;
    // Bit-field masks sit at offset 40 in both header forms: inside the version-4 header,
    // or right after the 40-byte one.
    const uint32_t red = fields ? read_u32(header + 40) : 0, green = fields ? read_u32(header + 44) : 0,
                   blue = fields ? read_u32(header + 48) : 0;
    switch (info.bits) {
    case 8:
        src.form = DibSource::Form::lut8;
        setup_lut8(src, header, info.header_size, usage, dc);
        break;
    case 16:
        src.form = DibSource::Form::lut16;
        src.lut16 = fields ? lut16_for(red, green, blue) : lut16_for(0x7C00, 0x03E0, 0x001F);
        break;
    case 24: src.form = DibSource::Form::bgr24; break;
    default:
        if (!fields || (red == 0x00FF0000 && green == 0x0000FF00 && blue == 0x000000FF)) {
            src.form = DibSource::Form::bgrx32;
        } else {
            src.form = DibSource::Form::masked32;
            setup_channel(src.red, red);
            setup_channel(src.green, green);
            setup_channel(src.blue, blue);
        }
        break;
    }
    return true;
}

void plan_copy(const DibSource& src, const Mapping& mx, const Mapping& my, int clip_x0, int clip_y0,
               int clip_x1, int clip_y1, CopyPlan& plan) {
    plan.width = plan.height = 0;
    plan.rows.clear();
    plan_axis(mx, clip_x0, clip_x1, 0, src.width, plan.x0, plan.cols);
    std::vector<int> rows;
    // Rows held, from the top: bottom-up row b is top-down row height − 1 − b.
    plan_axis(my, clip_y0, clip_y1, src.height - src.end_row, src.height - src.first_row, plan.y0, rows);
    if (plan.cols.empty() || rows.empty()) return;
    plan.width = int(plan.cols.size());
    plan.height = int(rows.size());
    plan.contiguous = true;
    for (size_t i = 0; i < plan.cols.size(); ++i)
        if (plan.cols[i] != plan.cols[0] + int(i)) plan.contiguous = false;
    plan.first_col = plan.cols[0];
    plan.rows.reserve(rows.size());
    for (int t : rows) plan.rows.push_back(src.bits + (int64_t(src.height) - 1 - t - src.bits_row) * src.pitch);
}

void run_copy(const DibSource& src, const CopyPlan& plan, uint32_t* target, ptrdiff_t stride, int row_begin,
              int row_end) {
    row_begin = std::max(row_begin, 0);
    row_end = std::min(row_end, plan.height);
    switch (src.form) {
    case DibSource::Form::lut8: run_rows(plan, target, stride, row_begin, row_end, Read8{src.lut8}); break;
    case DibSource::Form::lut16: run_rows(plan, target, stride, row_begin, row_end, Read16{src.lut16}); break;
    case DibSource::Form::bgr24: run_rows(plan, target, stride, row_begin, row_end, Read24{}); break;
    case DibSource::Form::bgrx32: run_rows(plan, target, stride, row_begin, row_end, Read32{}); break;
    case DibSource::Form::masked32: run_rows(plan, target, stride, row_begin, row_end, ReadMasked32{&src}); break;
    }
}

int Raster::draw_dib(const DibSource& src, const Mapping& mx, const Mapping& my) {
    CopyPlan plan;
    plan_copy(src, mx, my, 0, 0, width, height, plan);
    if (!plan.height) return 0;
    run_copy(src, plan, pixels.get() + ptrdiff_t(plan.y0) * width + plan.x0, width, 0, plan.height);
    dirty = true;
    return plan.height;
}

// ---- the copies as the host interface has them -------------------------------------------

int copy_dib_bits(Device* device, int x_dest, int y_dest, int width, int height, int x_src, int y_src,
                  int start_scan, int lines, const void* bits, const uint8_t* header, int usage) {
    DibSource src;
    if (!device || width <= 0 || height <= 0) return 0;
    if (!open_dib(src, header, bits, usage, device, start_scan, lines)) return 0;
    // The source rectangle's lower-left corner is (x_src, y_src) counted from the bottom
    // row, so its top row, counted from the top, is height_of_bitmap − y_src − height.
    const Mapping mx{x_dest, width, x_src, width};
    const Mapping my{y_dest, height, int64_t(src.height) - y_src - height, height};
    return device->draw_dib(src, mx, my);
}

int stretch_dib(Device* device, int x_dest, int y_dest, int dest_width, int dest_height, int x_src, int y_src,
                int src_width, int src_height, const void* bits, const uint8_t* header, int usage, uint32_t rop) {
    DibSource src;
    if (!device || rop != srccopy) return 0;
    if (!open_dib(src, header, bits, usage, device, 0, INT32_MAX)) return 0;
    const Mapping mx{x_dest, dest_width, x_src, src_width};
    const Mapping my{y_dest, dest_height, int64_t(src.height) - y_src - src_height, src_height};
    return device->draw_dib(src, mx, my);
}

}  // namespace host
