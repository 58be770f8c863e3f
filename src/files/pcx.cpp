// PCX files: header readers, the run-length reader that draws a file into the active
// buffer or decodes it into a caller's image array, and the writer of a buffer region.
//
// One decoder serves the file and the in-memory paths: a Source delivers the bytes, and
// the run-length state lives across rows, because a run may carry on into the next row.
// The 256-colour palette at the end of a file is read first, straight from its place, and
// the pixel stream is then made to end where the palette starts, so no byte is read
// twice. Only rows down to the last visible one are decoded; a stream that runs dry ends
// the picture, its missing pixels black.
#include "files/pcx.h"

#include <algorithm>
#include <cstring>

#include "core/palette.h"
#include "draw/state.h"
#include "files/internal.h"
#include "files/source.h"
#include "image/reduce.h"

namespace files {
namespace {

constexpr int header_bytes = 128;
constexpr uint8_t manufacturer = 10;
constexpr int palette_bytes = 769;  // the byte 12, then 256 (red, green, blue) triples
constexpr uint8_t palette_marker = 12;

uint32_t u16_at(const uint8_t* h, int at) { return uint32_t(h[at] | h[at + 1] << 8); }

enum Format { sixteen_colours, rgb24, index8, mono, unsupported };

// The fields of a header that the readers use.
struct PcxInfo {
    uint8_t header[header_bytes]{};
    int version = 0;
    int64_t xmin = 0, ymin = 0, width = 0, height = 0;
    int planes = 0;
    uint32_t bytes_per_line = 0;
    Format format = unsupported;
    uint8_t palette[palette_bytes]{};  // valid when has_palette256
    bool has_palette256 = false;

    uint32_t row_bytes() const { return uint32_t(planes) * bytes_per_line; }
    // Bytes of one plane that the picture's width needs.
    uint64_t needed_per_plane() const {
        return format == index8 || format == rgb24 ? uint64_t(width) : (uint64_t(width) + 7) / 8;
    }
};

// Reads and checks the header; for version 5 also reads the palette at the end and ends
// the pixel stream before it. False for a short header or one that is not PCX.
bool read_header(Source& src, PcxInfo& info) {
    if (src.read(info.header, header_bytes) != header_bytes || info.header[0] != manufacturer) return false;
    const uint8_t* h = info.header;
    info.version = h[1];
    const int bits = h[3];
    info.xmin = u16_at(h, 4), info.ymin = u16_at(h, 6);
    info.width = int64_t(u16_at(h, 8)) - info.xmin + 1;
    info.height = int64_t(u16_at(h, 10)) - info.ymin + 1;
    info.planes = h[65];
    info.bytes_per_line = u16_at(h, 66);
    info.format = info.planes == 4 && bits == 1   ? sixteen_colours
                  : info.planes == 3 && bits == 8 ? rgb24
                  : info.planes == 1 && bits == 8 ? index8
                  : info.planes == 1 && bits == 1 ? mono
                                                  : unsupported;
    const int64_t size = src.size();
    if (info.version == 5 && size >= header_bytes + palette_bytes &&
        src.read_at(uint64_t(size - palette_bytes), info.palette, palette_bytes) == palette_bytes &&
        info.palette[0] == palette_marker) {
        info.has_palette256 = true;
        src.set_end(uint64_t(size - palette_bytes));
    }
    return true;
}

// Run-length decoding: a byte of 0xC0 or more repeats the next byte (its low six bits)
// times; any other byte stands for itself. A run longer than the row carries on into the
// next one.
class RleDecoder {
public:
    explicit RleDecoder(Source& src) : src_(src) {}
    // Decodes n bytes into out. False when the stream ran dry first; the rest of out is
    // then zeros.
    bool row(uint8_t* out, size_t n) {
        size_t i = 0;
        while (i < n) {
            if (pending_) {
                const size_t k = std::min<size_t>(pending_, n - i);
                std::memset(out + i, value_, k);
                i += k, pending_ -= unsigned(k);
                continue;
            }
            if (src_.buffered_bytes() >= 2) {
                i = packets(out, i, n);
                continue;
            }
            // A packet that may straddle a refill or the end of the data, byte by byte.
            const uint8_t b = src_.next();
            if (src_.exhausted()) break;
            if (b >= 0xC0) {
                value_ = src_.next();
                if (src_.exhausted()) break;
                pending_ = b & 0x3Fu;
            } else {
                out[i++] = b;
            }
        }
        if (i < n) std::memset(out + i, 0, n - i);
        return i == n;
    }

private:
    // Decodes from out[i] the packets that lie wholly in the buffered bytes, until the row
    // is full (a run may be left pending); returns where the row stands.
    size_t packets(uint8_t* out, size_t i, size_t n) {
        const uint8_t* const start = src_.buffered();
        const uint8_t* p = start;
        const uint8_t* const last = start + src_.buffered_bytes() - 1;  // a run needs two bytes
        while (i < n && p < last) {
            const uint8_t b = *p++;
            if (b < 0xC0) {
                out[i++] = b;
                continue;
            }
            value_ = *p++;
            const size_t run = b & 0x3Fu, k = std::min(run, n - i);
            std::memset(out + i, value_, k);
            i += k;
            pending_ = unsigned(run - k);
        }
        src_.consume(size_t(p - start));
        return i;
    }

    Source& src_;
    unsigned pending_ = 0;
    uint8_t value_ = 0;
};

// Colour numbers of `n` pixels from `first` of a decoded row of a 16-colour or 2-colour
// file (bit planes), plus `offset`. A 256-colour row is its own colour numbers.
void plane_indices(const PcxInfo& info, const uint8_t* row, int64_t first, int n, int offset, uint8_t* out) {
    const uint32_t bpl = info.bytes_per_line;
    for (int i = 0; i < n; ++i) {
        const uint64_t x = uint64_t(first) + uint64_t(i);
        const int shift = 7 - int(x % 8);
        uint32_t c = 0;
        for (int p = 0; p < info.planes; ++p) c |= uint32_t(row[p * bpl + x / 8] >> shift & 1) << p;
        out[i] = uint8_t(c + uint32_t(offset));
    }
}

// Opens the source and reads the header, giving rs_showpcx's codes: 0, 1 or 2.
int open_pcx(Source& src, PcxInfo& info) {
    if (!src.opened()) return 1;
    if (!read_header(src, info)) return 2;
    // A line too short for the width would have the row writers read past the planes.
    if (info.format != unsupported && info.width > 0 && info.bytes_per_line < info.needed_per_plane()) return 2;
    return 0;
}

}  // namespace

int pcx_head(const char* filename, uint8_t* header) {
    Source src(filename, false);
    if (!src.opened()) return -1;
    uint8_t bytes[header_bytes];
    if (src.read(bytes, header_bytes) != header_bytes || bytes[0] != manufacturer) return -2;
    if (header) std::memcpy(header, bytes, header_bytes);
    return 0;
}

int pcx_range(const uint8_t* header, int* minx, int* maxx, int* miny, int* maxy) {
    const bool ok = header && header[0] == manufacturer;
    if (minx) *minx = ok ? int(u16_at(header, 4)) : -1;
    if (miny) *miny = ok ? int(u16_at(header, 6)) : -1;
    if (maxx) *maxx = ok ? int(u16_at(header, 8)) : -1;
    if (maxy) *maxy = ok ? int(u16_at(header, 10)) : -1;
    return 0;
}

int pcx_size(const uint8_t* header, int* width, int* height) {
    const bool ok = header && header[0] == manufacturer;
    if (width) *width = ok ? int(u16_at(header, 8)) - int(u16_at(header, 4)) + 1 : -1;
    if (height) *height = ok ? int(u16_at(header, 10)) - int(u16_at(header, 6)) + 1 : -1;
    return 0;
}

int pcx_pal(const char* filename, uint8_t* rgb) {
    Source src(filename, false);
    if (!src.opened()) return -1;
    PcxInfo info;
    if (!read_header(src, info)) return -2;
    const bool header_colours = info.version < 5 || info.planes == 4;
    if (!header_colours && info.planes == 3) return 0;
    const bool big = !header_colours && info.has_palette256;
    if (rgb) std::memcpy(rgb, big ? info.palette + 1 : info.header + 16, big ? 768 : 48);
    return big ? 256 : 16;
}

int show_pcx(const char* filename, int flags) {
    const core::ActiveBuffer& vb = core::active();
    if (!core::has_active()) return 0;
    Source src(filename, flags & pcx_in_memory);
    PcxInfo info;
    if (const int r = open_pcx(src, info)) return r;
    const draw::DrawState& ds = draw::state();
    const bool at_cursor = flags & pcx_at_cursor;
    Placement pl;
    if (!place_in_buffer(at_cursor ? ds.cursor_x : info.xmin, at_cursor ? ds.cursor_y : info.ymin, info.width,
                         info.height, pl))
        return 0;
    if (info.format == unsupported || (info.format == rgb24 && vb.depth == 8)) return 3;

    const int n = int(pl.columns);
    TempBlock row(size_t(info.row_bytes()) + 1024 + size_t(n));
    if (!row.get()) return 4;
    uint8_t* indices = row.get() + info.row_bytes() + 1024;

    const bool use_palette = !(flags & pcx_ignore_palette) && info.format != rgb24;
    if (use_palette && vb.depth > 8) {
        if (info.has_palette256) core::set_dacs(0, 256, info.palette + 1);
        else core::set_dacs(0, 16, info.header + 16);
    }

    RleDecoder rle(src);
    const int offset = vb.depth == 8 && info.format != index8 ? 10 : 0;
    core::with_depth(vb.depth, [&](auto d) {
        using D = decltype(d);
        for (int64_t r = 0; r < pl.first_row + pl.rows; ++r) {
            const bool complete = rle.row(row.get(), info.row_bytes());
            if (r >= pl.first_row) {
                uint8_t* dst = placed_pixel(pl, pl.first_column, r);
                if constexpr (D::bytes > 1) {
                    if (info.format == rgb24) {
                        const uint8_t* red = row.get() + pl.first_column;
                        put_rgb<D>(red, red + info.bytes_per_line, red + 2 * info.bytes_per_line, 1, dst, n);
                        if (!complete) break;
                        continue;
                    }
                }
                if (info.format == index8) {
                    put_indices<D>(row.get() + pl.first_column, dst, n);
                } else {
                    plane_indices(info, row.get(), pl.first_column, n, offset, indices);
                    put_indices<D>(indices, dst, n);
                }
            }
            if (!complete) break;
        }
    });

    // An 8-bit buffer takes the colours after drawing: 256 colours brought down to the 236
    // entries 10..245 (unless kept as they are); 16 and 2 colours to the entries 10.. their
    // pixels were moved to.
    if (use_palette && vb.depth == 8) {
        if (info.has_palette256) {
            if (!(flags & pcx_keep_colors)) image::reduce(10, 236, info.palette + 1);
            core::set_dacs(10, 236, info.palette + 1 + 30);
        } else {
            core::set_dacs(10, 16, info.header + 16);
        }
    }
    return 0;
}

int load_pcx(const char* filename, uint8_t* array) {
    if (!array) return 1;
    Source src(filename, filename == nullptr);
    PcxInfo info;
    if (const int r = open_pcx(src, info)) return r;
    if (info.format == unsupported || info.format == rgb24) return 3;
    if (info.width < 1 || info.height < 1) return 0;
    TempBlock row(size_t(info.row_bytes()));
    if (!row.get()) return 4;
    RleDecoder rle(src);
    // Image arrays hold the bottom row first.
    const int w = int(info.width);
    for (int64_t r = 0; r < info.height; ++r) {
        const bool complete = rle.row(row.get(), info.row_bytes());
        uint8_t* out = array + (info.height - 1 - r) * w;
        if (info.format == index8) std::memcpy(out, row.get(), size_t(w));
        else plane_indices(info, row.get(), 0, w, 0, out);
        if (!complete) {
            for (int64_t rest = r + 1; rest < info.height; ++rest) std::memset(array + (info.height - 1 - rest) * w, 0, size_t(w));
            break;
        }
    }
    return 0;
}

namespace {

// Run-length encoding of one row (all its planes together): maximal runs of equal bytes
// cut at 63; a run of two or more, or a single byte of 0xC0 or more, as a count byte and
// the byte; any other single byte as itself.
void encode_row(Sink& out, const uint8_t* row, size_t n) {
    for (size_t i = 0; i < n;) {
        size_t run = 1;
        while (run < 63 && i + run < n && row[i + run] == row[i]) ++run;
        if (run > 1 || row[i] >= 0xC0) out.put(uint8_t(0xC0 | run));
        out.put(row[i]);
        i += run;
    }
}

}  // namespace

int make_pcx(int minx, int maxx, int miny, int maxy, const char* filename) {
    const core::ActiveBuffer& vb = core::active();
    if (!core::has_active()) return 1;
    // The region must lie inside the buffer, and its corners fit the header's 16 bits.
    if (minx < 0 || miny < 0 || minx > maxx || miny > maxy || maxx >= vb.width || maxy >= vb.height ||
        maxx > 0xFFFF || maxy > 0xFFFF)
        return 1;
    const int w = maxx - minx + 1;
    const bool index_buffer = vb.depth == 8;
    const int planes = index_buffer ? 1 : 3;
    const uint32_t bpl = index_buffer ? uint32_t(w + 1) & ~1u : uint32_t(w);
    TempBlock row(size_t(planes) * bpl);
    if (!row.get()) return 2;
    Sink out(filename);
    if (!out.created()) return 1;

    uint8_t h[header_bytes]{};
    h[0] = manufacturer, h[1] = 5, h[2] = 1, h[3] = 8;
    auto put16 = [&](int at, uint32_t v) { h[at] = uint8_t(v), h[at + 1] = uint8_t(v >> 8); };
    put16(4, uint32_t(minx)), put16(6, uint32_t(miny)), put16(8, uint32_t(maxx)), put16(10, uint32_t(maxy));
    put16(12, 128), put16(14, 96);
    h[65] = uint8_t(planes);
    put16(66, bpl);
    put16(68, 1);
    out.write(h, header_bytes);

    core::with_depth(vb.depth, [&](auto d) {
        using D = decltype(d);
        uint8_t* r = row.get();
        for (int y = miny; y <= maxy; ++y) {
            const uint8_t* p = core::pixel_address(vb, minx, y);
            if constexpr (D::bytes == 1) {
                std::memcpy(r, p, size_t(w));  // an odd width keeps its zero pad byte
            } else {
                for (int x = 0; x < w; ++x, p += D::bytes) pixel_rgb<D>(p, r[x], r[bpl + uint32_t(x)], r[2 * bpl + uint32_t(x)]);
            }
            encode_row(out, r, size_t(planes) * bpl);
        }
    });
    if (index_buffer) {
        out.put(palette_marker);
        for (const core::PaletteEntry& e : core::palette().entries) out.put(e.red), out.put(e.green), out.put(e.blue);
    }
    return out.finish() ? 0 : 1;
}

}  // namespace files
