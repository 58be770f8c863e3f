// Packed pictures and sprites (stream layout in packed.h).
//
// Making one walks the rows once, writing runs as it finds them; with no destination the
// same walk only counts, so the size a caller asks for is exactly what the call writes.
// Reading one first checks the whole stream against the bytes the caller declared (header,
// every run inside its row, the rows ending exactly at the stream's end), so a damaged
// stream is refused before a pixel is touched and drawing then needs no checks per run.
// Drawing is cut to the clip rectangle and copies each visible run as one block.
#include "image/packed.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>

#include "core/clip.h"
#include "core/palette.h"
#include "core/pixel.h"
#include "core/vbuf.h"
#include "draw/state.h"
#include "image/formats.h"
#include "image/state.h"
#include "platform/host.h"

namespace image {
namespace {

constexpr int header_bytes = 16;
constexpr uint8_t kind_packed = 'P', kind_sprite = 'S';

void put32(uint8_t* p, int64_t v) {
    const uint32_t u = uint32_t(v);
    p[0] = uint8_t(u), p[1] = uint8_t(u >> 8), p[2] = uint8_t(u >> 16), p[3] = uint8_t(u >> 24);
}
int get32(const uint8_t* p) { return int(p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24); }

// Output of a stream being made; without memory it only counts.
struct Writer {
    uint8_t* out;
    int64_t n = header_bytes;
    void pair(int skip, int count) {
        if (out) out[n] = uint8_t(skip), out[n + 1] = uint8_t(count);
        n += 2;
    }
    void copy(const uint8_t* p, size_t k) {
        if (out) std::memcpy(out + n, p, k);
        n += int64_t(k);
    }
};

// One row of width pixels of pb bytes; clear(p) tells the transparent ones.
template <class Clear>
void encode_row(Writer& w, const uint8_t* row, int width, int pb, Clear clear) {
    int x = 0;
    while (x < width) {
        int skip = 0;
        while (x + skip < width && clear(row + ptrdiff_t(x + skip) * pb)) ++skip;
        if (x + skip == width) break;  // the rest of the row is clear: the row's end says so
        x += skip;
        for (; skip > 255; skip -= 255) w.pair(255, 0);
        int run = 0;
        while (x + run < width && !clear(row + ptrdiff_t(x + run) * pb)) ++run;
        for (; run > 0; skip = 0) {
            const int c = std::min(run, 255);
            w.pair(skip, c);
            w.copy(row + ptrdiff_t(x) * pb, size_t(c) * size_t(pb));
            x += c, run -= c;
        }
    }
    w.pair(0, 0);
}

// The most bytes a stream of width x height pixels of pb bytes can take: every pixel a run
// of its own (two bytes before it) and the end of each row.
int64_t bound(int width, int height, int pb) { return header_bytes + int64_t(height) * (2 + int64_t(width) * (2 + pb)); }

// Makes a stream from rows given by row(r, scratch) (r = 0 the bottom row), which returns
// the row's pixels. Streams that could pass INT_MAX bytes are counted before anything is
// written, so a caller who asked for the size never sees more. -2 without memory for the
// row.
template <class Row, class Clear>
int encode(uint8_t kind, int width, int height, int pb, uint8_t* out, Row row, Clear clear) {
    if (host::allocation_refused()) return -2;
    std::unique_ptr<uint8_t[]> scratch(new (std::nothrow) uint8_t[size_t(width) * size_t(pb)]);
    if (!scratch) return -2;
    const auto walk = [&](uint8_t* dst) {
        Writer w{dst};
        for (int r = 0; r < height; ++r) encode_row(w, row(r, scratch.get()), width, pb, clear);
        return w.n;
    };
    if (bound(width, height, pb) > INT_MAX && walk(nullptr) > INT_MAX) return -1;
    const int64_t n = walk(out);
    if (out) {
        out[0] = 'R', out[1] = 'S', out[2] = kind, out[3] = uint8_t(pb);
        put32(out + 4, width), put32(out + 8, height), put32(out + 12, n);
    }
    return int(n);
}

// A checked stream.
struct Stream {
    const uint8_t* rows = nullptr;
    int width = 0, height = 0, pb = 0;
};

bool check(const uint8_t* p, int bytes, uint8_t kind, Stream& s) {
    if (!p || bytes < header_bytes || p[0] != 'R' || p[1] != 'S' || p[2] != kind) return false;
    s = {p + header_bytes, get32(p + 4), get32(p + 8), p[3]};
    const int total = get32(p + 12);
    if (s.width < 1 || s.height < 1 || s.pb < 1 || s.pb > 4 || (kind == kind_packed && s.pb != 1) ||
        total < header_bytes || total > bytes)
        return false;
    int64_t at = header_bytes;
    for (int r = 0; r < s.height; ++r) {
        for (int64_t x = 0;;) {
            if (at + 2 > total) return false;
            const int skip = p[at], count = p[at + 1];
            at += 2 + int64_t(count) * s.pb;
            if (skip == 0 && count == 0) break;
            if ((x += skip + count) > s.width || at > total) return false;
        }
    }
    return at == total;
}

// Calls run(buffer address, stream pixels, n) for each run's part inside cut, the stream's
// bottom-left pixel at (x0, y0).
template <class Run>
void draw_stream(const Stream& s, int64_t x0, int64_t y0, const core::ClipRect& cut, Run run) {
    const core::ActiveBuffer& vb = core::active();
    const int bpp = core::bytes_per_pixel(vb.depth);
    const uint8_t* p = s.rows;
    for (int r = 0; r < s.height; ++r) {
        const int64_t y = y0 - r;
        if (y < cut.miny) return;  // every row after this one lies higher still
        uint8_t* row = y <= cut.maxy ? core::row_address(vb, int(y)) : nullptr;
        for (int64_t x = x0;;) {
            const int skip = p[0], count = p[1];
            p += 2;
            if (skip == 0 && count == 0) break;
            x += skip;
            const int64_t a = std::max<int64_t>(x, cut.minx), b = std::min<int64_t>(x + count - 1, cut.maxx);
            if (row && a <= b) run(row + a * bpp, p + (a - x) * s.pb, int(b - a + 1));
            x += count, p += count * s.pb;
        }
    }
}

// A rectangle's width and height, false when it is inverted or its sides do not fit an int.
bool sides(int minx, int maxx, int miny, int maxy, int& width, int& height) {
    const int64_t w = int64_t(maxx) - minx + 1, h = int64_t(maxy) - miny + 1;
    if (w < 1 || h < 1 || w > INT_MAX || h > INT_MAX) return false;
    width = int(w), height = int(h);
    return true;
}

// The part of row r of a rectangle (r = 0 its bottom row, maxy) that lies inside the
// active buffer: columns a..b on screen row y; false when none does.
bool inside(int minx, int maxy, int width, int r, int64_t& a, int64_t& b, int64_t& y) {
    const core::ActiveBuffer& vb = core::active();
    y = int64_t(maxy) - r;
    a = std::max<int64_t>(minx, 0), b = std::min<int64_t>(int64_t(minx) + width - 1, vb.width - 1);
    return y >= 0 && y < vb.height && a <= b;
}

const auto index_clear = [](const uint8_t* p) { return *p == 0; };

}  // namespace

int pack(const uint8_t* array, int width, int height, uint8_t* packed) {
    if (!array || width < 1 || height < 1) return -1;
    return encode(kind_packed, width, height, 1, packed,
                  [&](int r, uint8_t*) { return array + ptrdiff_t(r) * width; }, index_clear);
}

int unpack(const uint8_t* packed, int bytes, uint8_t* array) {
    Stream s;
    if (!check(packed, bytes, kind_packed, s) || int64_t(s.width) * s.height > INT_MAX) return -1;
    const int n = s.width * s.height;
    if (!array) return n;
    std::memset(array, 0, size_t(n));
    const uint8_t* p = s.rows;
    for (int r = 0; r < s.height; ++r) {
        uint8_t* row = array + ptrdiff_t(r) * s.width;
        for (int x = 0;;) {
            const int skip = p[0], count = p[1];
            p += 2;
            if (skip == 0 && count == 0) break;
            x += skip;
            std::memcpy(row + x, p, size_t(count));
            x += count, p += count;
        }
    }
    return n;
}

int make_packed(int minx, int maxx, int miny, int maxy, uint8_t* packed) {
    int width, height, result = -1;
    if (!core::has_active() || !sides(minx, maxx, miny, maxy, width, height)) return -1;
    core::with_depth(core::active().depth, [&](auto d) {
        using D = decltype(d);
        const PixelToIndex<D> to_index;
        result = encode(kind_packed, width, height, 1, packed, [&](int r, uint8_t* indices) {
            std::memset(indices, 0, size_t(width));  // outside the buffer: transparent
            int64_t a, b, y;
            if (inside(minx, maxy, width, r, a, b, y)) {
                const uint8_t* p = core::pixel_address(core::active(), int(a), int(y));
                for (int64_t x = a; x <= b; ++x, p += D::bytes) indices[x - minx] = uint8_t(to_index(D::load(p)));
            }
            return indices;
        }, index_clear);
    });
    return result;
}

int show_packed(const uint8_t* packed, int bytes) {
    Stream s;
    if (!check(packed, bytes, kind_packed, s)) return -1;
    if (!core::has_active()) return 0;
    const core::ClipRect cut = core::drawing_clip();
    if (core::empty(cut)) return 0;
    core::with_depth(core::active().depth, [&](auto d) {
        using D = decltype(d);
        if constexpr (D::bits == 8) {
            draw_stream(s, draw::get_xpos(), draw::get_ypos(), cut,
                        [](uint8_t* dst, const uint8_t* src, int n) { std::memcpy(dst, src, size_t(n)); });
        } else {
            const uint32_t* table = core::palette().pixels;
            draw_stream(s, draw::get_xpos(), draw::get_ypos(), cut,
                        [table](uint8_t* dst, const uint8_t* src, int n) { indices_to_pixels<D>(src, dst, n, table); });
        }
    });
    return 0;
}

int make_sprite(int minx, int maxx, int miny, int maxy, uint8_t* sprite) {
    int width, height, result = -1;
    if (!core::has_active() || !sides(minx, maxx, miny, maxy, width, height)) return -1;
    core::with_depth(core::active().depth, [&](auto d) {
        using D = decltype(d);
        const uint32_t key = state().transfer_key & key_mask<D>;
        result = encode(kind_sprite, width, height, D::bytes, sprite,
                        [&](int r, uint8_t* row) {
                            // Outside the buffer: the key, so transparent.
                            for (int i = 0; i < width; ++i) D::store(row + ptrdiff_t(i) * D::bytes, key);
                            int64_t a, b, y;
                            if (inside(minx, maxy, width, r, a, b, y))
                                std::memcpy(row + (a - minx) * D::bytes, core::pixel_address(core::active(), int(a), int(y)),
                                            size_t(b - a + 1) * D::bytes);
                            return row;
                        },
                        [key](const uint8_t* p) { return (D::load(p) & key_mask<D>) == key; });
    });
    return result;
}

int show_sprite(const uint8_t* sprite, int bytes) {
    Stream s;
    if (!check(sprite, bytes, kind_sprite, s)) return -1;
    if (!core::has_active()) return 0;
    if (s.pb != core::bytes_per_pixel(core::active().depth)) return -1;
    const core::ClipRect cut = core::drawing_clip();
    if (!core::empty(cut))
        draw_stream(s, draw::get_xpos(), draw::get_ypos(), cut,
                    [pb = s.pb](uint8_t* dst, const uint8_t* src, int n) { std::memcpy(dst, src, size_t(n) * size_t(pb)); });
    return 0;
}

}  // namespace image
