// BMP files: the header readers, the reader that draws a file into the active buffer, and
// the writer of a buffer region.
//
// One header parser serves every reader, from a file or from the image buffer (the
// in-memory flag), through a Source: the bytes are consumed once, in order, and rows that
// lie outside the buffer are skipped by moving the file, not read. Rows are decoded only
// as far as the buffer shows them, so a hostile width costs no memory: the row buffer
// holds the visible columns' bytes. Reads past the end of the data yield zeros, so a
// truncated file draws black where its rows are missing and the reader stops at the first
// row that finds nothing left.
#include "files/bmp.h"

#include <algorithm>
#include <cstring>

#include "core/palette.h"
#include "draw/state.h"
#include "files/internal.h"
#include "files/source.h"
#include "image/reduce.h"

namespace files {
namespace {

constexpr uint32_t bmp_signature = 0x4D42;  // "BM"
constexpr int file_header_bytes = 14;
constexpr int core_header_bytes = 12;
constexpr int info_header_bytes = 40;

// The fields the reader uses, from the file header and the bitmap header.
struct BmpInfo {
    uint32_t pixel_offset = 0;
    uint32_t header_size = 0;
    int64_t width = 0, height = 0;  // height as stored: negative for a top-down file
    uint32_t bits = 0;
    uint32_t compression = 0;
    bool core = false;              // 12-byte header: 16-bit sizes, palette of triples
    uint64_t palette_bytes = 0;     // between the headers and the pixels
    uint32_t entry_bytes() const { return core ? 3 : 4; }
    uint64_t palette_entries() const { return palette_bytes / entry_bytes(); }
};

enum HeaderResult { header_ok, header_not_bmp, header_bad };

// Reads the file header and the bitmap header, leaving the source at the palette.
// header_not_bmp: no "BM"; header_bad: a header size that is neither 12 nor 40 or more,
// or a pixel offset inside the headers.
HeaderResult read_header(Source& src, BmpInfo& info) {
    if (src.u16() != bmp_signature) return header_not_bmp;
    src.skip(8);  // file size, reserved words
    info.pixel_offset = src.u32();
    info.header_size = src.u32();
    info.core = info.header_size == core_header_bytes;
    if (!info.core && info.header_size < info_header_bytes) return header_bad;
    if (info.core) {
        info.width = src.u16();
        info.height = src.u16();
        src.skip(2);  // planes
        info.bits = src.u16();
    } else {
        info.width = int32_t(src.u32());
        info.height = int32_t(src.u32());
        src.skip(2);
        info.bits = src.u16();
        info.compression = src.u32();
        src.skip(info.header_size - 20);  // image size, resolutions, colour counts, more
    }
    const uint64_t headers = file_header_bytes + uint64_t(info.header_size);
    if (info.pixel_offset < headers) return header_bad;
    info.palette_bytes = info.pixel_offset - headers;
    return header_ok;
}

// Up to 256 palette entries as (red, green, blue) triples into rgb (768 bytes, zeroed
// first), and the rest of the palette skipped. Returns the entries the file gave.
int read_palette(Source& src, const BmpInfo& info, uint8_t* rgb) {
    std::memset(rgb, 0, 768);
    const uint32_t entry = info.entry_bytes();
    const int n = int(std::min<uint64_t>(info.palette_entries(), 256));
    uint8_t raw[1024];
    const size_t got = src.read(raw, size_t(n) * entry);
    for (int i = 0; i < n; ++i) {
        rgb[3 * i] = raw[i * entry + 2];
        rgb[3 * i + 1] = raw[i * entry + 1];
        rgb[3 * i + 2] = raw[i * entry];
    }
    src.skip(info.palette_bytes - size_t(n) * entry);
    return got == size_t(n) * entry ? n : -1;
}

// Size of the blocks of rows the writer converts and writes at a time.
constexpr uint32_t block_bytes = 1 << 18;

// Bytes of one stored row: bits per pixel × width, padded to a multiple of 4.
uint64_t row_bytes(uint64_t width, uint32_t bits) { return (width * bits + 31) / 32 * 4; }

// One visible row of an index file (8, 4 or 1 bits) as indices: 4- and 1-bit pixels
// become their colour number + 10. `bytes` starts at the byte holding the first visible
// column, whose place in that byte is `skip` pixels.
void unpack_indices(const uint8_t* bytes, uint32_t bits, int skip, int n, uint8_t* out) {
    if (bits == 8) {
        std::memcpy(out, bytes, size_t(n));
        return;
    }
    const int per_byte = 8 / int(bits);
    const uint32_t mask = (1u << bits) - 1;
    for (int i = 0, at = skip; i < n; ++i, ++at) {
        const int shift = 8 - int(bits) * (at % per_byte + 1);
        out[i] = uint8_t((bytes[at / per_byte] >> shift & mask) + 10);
    }
}

// Row writers of 24-bit files: the bytes blue, green, red into the buffer's pixels.
template <class D>
void put_bgr(const uint8_t* bgr, uint8_t* dst, int n) {
    put_rgb<D>(bgr + 2, bgr + 1, bgr, 3, dst, n);
}
template <>
void put_bgr<core::Depth24>(const uint8_t* bgr, uint8_t* dst, int n) {
    std::memcpy(dst, bgr, size_t(n) * 3);
}
template <>
void put_bgr<core::Depth32>(const uint8_t* bgr, uint8_t* dst, int n) {
    image::bgr_into_pixels32(bgr, dst, n);
}

}  // namespace

int bmp_head(const char* filename, uint8_t* header) {
    Source src(filename, false);
    if (!src.opened()) return -1;
    uint8_t bytes[54];
    if (src.read(bytes, sizeof bytes) != sizeof bytes || (bytes[0] | bytes[1] << 8) != bmp_signature) return -2;
    if (header) std::memcpy(header, bytes, sizeof bytes);
    return 0;
}

int bmp_size(const uint8_t* header, int* width, int* height) {
    int w = -1, h = -1;
    if (header && (header[0] | header[1] << 8) == bmp_signature) {
        auto u16 = [&](int at) { return int(header[at] | header[at + 1] << 8); };
        auto i32 = [&](int at) { return int(uint32_t(u16(at)) | uint32_t(u16(at + 2)) << 16); };
        const bool core = i32(14) == core_header_bytes;
        w = core ? u16(18) : i32(18);
        h = core ? u16(20) : i32(22);
    }
    if (width) *width = w;
    if (height) *height = h;
    return 0;
}

int bmp_pal(const char* filename, uint8_t* rgb) {
    Source src(filename, false);
    if (!src.opened()) return -1;
    BmpInfo info;
    if (read_header(src, info) != header_ok) return -2;
    uint8_t triples[768];
    const int n = read_palette(src, info, triples);
    if (n < 0) return -2;
    if (rgb) std::memcpy(rgb, triples, size_t(n) * 3);
    return n;
}

int show_bmp(const char* filename, int flags) {
    const core::ActiveBuffer& vb = core::active();
    if (!core::has_active()) return 0;
    Source src(filename, flags & bmp_in_memory);
    if (!src.opened()) return 1;
    BmpInfo info;
    const HeaderResult header = read_header(src, info);
    if (header != header_ok) return 2;
    if ((info.compression & 0xFF) != 0) return 4;
    const uint32_t bits = info.bits;
    if (!(bits == 24 || bits == 8 || bits == 4 || bits == 1) || (bits == 24 && vb.depth <= 8)) return 3;

    const bool top_down = !info.core && info.height < 0;
    const int64_t height = top_down ? -info.height : info.height;
    const draw::DrawState& ds = draw::state();
    Placement pl;
    const bool at_cursor = flags & bmp_at_cursor;
    if (!place_in_buffer(at_cursor ? ds.cursor_x : 0, at_cursor ? ds.cursor_y : 0, info.width, height, pl)) return 0;

    // The visible columns' bytes of each row, and for index files the row as indices.
    const uint64_t stored = row_bytes(uint64_t(info.width), bits);
    const uint64_t first_byte = uint64_t(pl.first_column) * bits / 8;
    const uint64_t end_byte = (uint64_t(pl.first_column + pl.columns) * bits + 7) / 8;
    const size_t read_bytes = size_t(end_byte - first_byte);
    const int skip_pixels = int(uint64_t(pl.first_column) * bits % 8 / bits);
    const int n = int(pl.columns);
    TempBlock row(read_bytes + (bits == 24 ? 0 : size_t(n)));
    if (!row.get()) return 5;
    uint8_t* indices = row.get() + read_bytes;

    // A palette shorter than it claims leaves its missing entries black.
    const bool use_palette = !(flags & bmp_ignore_palette) && info.palette_bytes > 0;
    uint8_t triples[768];
    const int entries = int(std::min<uint64_t>(info.palette_entries(), 256));
    if (use_palette) {
        read_palette(src, info, triples);
        if (vb.depth > 8) core::set_dacs(bits == 4 || bits == 1 ? 10 : 0, entries, triples);
    } else {
        src.skip(info.palette_bytes);
    }

    // File rows run bottom to top unless the file is top-down; those below (or, top-down,
    // above) the buffer come first and are skipped.
    const int64_t skipped = top_down ? pl.first_row : height - pl.first_row - pl.rows;
    src.skip(uint64_t(skipped) * stored);
    core::with_depth(vb.depth, [&](auto d) {
        using D = decltype(d);
        for (int64_t i = 0; i < pl.rows && !src.exhausted(); ++i) {
            const int64_t picture_row = top_down ? pl.first_row + i : pl.first_row + pl.rows - 1 - i;
            uint8_t* dst = placed_pixel(pl, pl.first_column, picture_row);
            // Rows stored as the buffer stores them (24 bits into 24, 8 into 8) are read
            // in place.
            uint8_t* into = uint32_t(D::bits) == bits ? dst : row.get();
            src.skip(first_byte);
            const size_t got = src.read(into, read_bytes);
            if (got < read_bytes) std::memset(into + got, 0, read_bytes - got);
            src.skip(stored - end_byte);
            if (into == dst) continue;
            if constexpr (D::bytes == 1) {
                unpack_indices(row.get(), bits, skip_pixels, n, dst);
            } else if (bits == 24) {
                put_bgr<D>(row.get(), dst, n);
            } else {
                unpack_indices(row.get(), bits, skip_pixels, n, indices);
                put_indices<D>(indices, dst, n);
            }
        }
    });

    // An 8-bit buffer takes the file's colours after drawing: an 8-bit picture is first
    // brought down to the 236 entries 10..245 (unless told to take them as they are), a
    // 16- or 2-colour picture's colours go to the entries its pixels were moved to.
    if (use_palette && vb.depth == 8) {
        if (bits == 8) {
            if (!(flags & bmp_keep_colors)) image::reduce(10, 236, triples);
            core::set_dacs(10, 236, triples + 30);
        } else {
            core::set_dacs(10, entries, triples);
        }
    }
    return 0;
}

int make_bmp(int minx, int maxx, int miny, int maxy, int bits, const char* filename) {
    const core::ActiveBuffer& vb = core::active();
    if (!core::has_active()) return 1;
    // Only the combinations that store what the buffer holds: colour buffers as 24-bit
    // files, 8-bit buffers as index files. Regions must lie inside the buffer.
    const bool index_buffer = vb.depth == 8;
    if (index_buffer ? !(bits == 8 || bits == 4 || bits == 1) : bits != 24) return 1;
    if (minx < 0 || miny < 0 || minx > maxx || miny > maxy || maxx >= vb.width || maxy >= vb.height) return 1;
    const int w = maxx - minx + 1, h = maxy - miny + 1;
    const uint32_t padded = uint32_t(row_bytes(uint32_t(w), uint32_t(bits)));
    const int palette_entries = bits == 8 ? 256 : bits == 4 ? 16 : bits == 1 ? 2 : 0;
    const uint32_t pixel_offset = 54 + 4 * uint32_t(palette_entries);

    // Rows are converted into a block of many rows, which goes out in one write; a single
    // row will do when there is no memory for more.
    const int block_rows = std::clamp(int(block_bytes / padded), 1, h);
    TempBlock block(size_t(block_rows) * padded);
    TempBlock one_row(block.get() ? 0 : padded);
    uint8_t* const rows = block.get() ? block.get() : one_row.get();
    const int rows_per_write = block.get() ? block_rows : 1;
    if (!rows) return 2;
    Sink out(filename);
    if (!out.created()) return 1;

    out.u16(bmp_signature);
    out.u32(pixel_offset + padded * uint32_t(h));
    out.u32(0);
    out.u32(pixel_offset);
    out.u32(info_header_bytes);
    out.u32(uint32_t(w));
    out.u32(uint32_t(h));
    out.u16(1);
    out.u16(uint32_t(bits));
    out.u32(0);
    out.u32(padded * uint32_t(h));
    for (int i = 0; i < 4; ++i) out.u32(0);
    const int first_entry = bits == 8 ? 0 : 10;
    out.write(reinterpret_cast<const uint8_t*>(core::palette().quads + first_entry), 4 * size_t(palette_entries));

    // Whole rows of a buffer that stores them as the file does (24 bits, no pad) are
    // already the file's pixel data, bottom row first: they go out as they are.
    if (vb.depth == 24 && w == vb.width && uint32_t(vb.pitch) == padded) {
        out.write(core::pixel_address(vb, 0, maxy), size_t(padded) * size_t(h));
        return out.finish() ? 0 : 1;
    }
    core::with_depth(vb.depth, [&](auto d) {
        using D = decltype(d);
        int filled = 0;
        for (int y = maxy; y >= miny; --y) {
            uint8_t* r = rows + size_t(filled) * padded;
            const uint8_t* p = core::pixel_address(vb, minx, y);
            if constexpr (D::bytes == 1) {
                if (bits == 8) {
                    std::memcpy(r, p, size_t(w));
                } else {
                    // 4 bits: (index − 10) & 15, high nibble first; 1 bit: index & 1, the
                    // leftmost pixel in the top bit. Pad bytes stay 0.
                    const int per_byte = 8 / bits;
                    const unsigned mask = (1u << bits) - 1;
                    std::memset(r, 0, padded);
                    for (int x = 0; x < w; ++x) {
                        const unsigned v = (bits == 4 ? unsigned(p[x]) - 10 : p[x]) & mask;
                        r[x / per_byte] = uint8_t(r[x / per_byte] | v << (8 - bits * (x % per_byte + 1)));
                    }
                }
            } else if constexpr (D::bytes == 3) {
                std::memcpy(r, p, size_t(w) * 3);
            } else {
                for (int x = 0; x < w; ++x, p += D::bytes) pixel_rgb<D>(p, r[3 * x + 2], r[3 * x + 1], r[3 * x]);
            }
            if (++filled == rows_per_write || y == miny) {
                out.write(rows, size_t(filled) * padded);
                filled = 0;
            }
        }
    });
    return out.finish() ? 0 : 1;
}

}  // namespace files
