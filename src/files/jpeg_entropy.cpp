// JPEG scan decoding: entropy-coded data to blocks, blocks through the inverse DCT into one
// row of MCUs, and that row through upsampling and colour conversion into the buffer.
//
// Two bit readers decode the same stream. The reference reader takes one bit at a time from
// a byte and a rotating mask and searches the code lengths one by one, as the decoding
// procedure states it; the fast reader keeps up to 64 bits in a register, refilled 8 bytes
// at a time where they hold no FF, and looks up the first 10 bits of a code (with its
// magnitude bits when they fit), falling back to the per-length search for longer codes.
// Both see the same data bytes and give the same coefficients, DC predictors and bit
// positions for any bytes.
//
// Markers inside the data reset all DC predictors when the first bit after them is taken.
// The fast reader loads bytes ahead, so it notes where each marker's following byte starts
// and applies the reset at the next DC addition that comes after that bit; that is the first
// place where the reset can be seen, so both readers agree.
//
// The MCU row lives in one plane per component at the component's own resolution. Blocks are
// written there once; replication across (horizontal factor) and down (vertical factor) is
// done while converting each output row (a widened chroma row serves every output row it
// covers), which gives the same pixels as replicating into an interleaved strip. Only the
// visible part of each row is converted.
#include <algorithm>
#include <cstring>
#include <limits>

#include "files/jpeg.h"
#include "platform/host.h"

namespace files::jpeg {
namespace {

constexpr uint64_t never = std::numeric_limits<uint64_t>::max();

// Data bytes of the entropy-coded segment: FF 00 is a data byte FF; FF followed by anything
// else is a marker, dropped, and the byte after it is data whatever its value. Past the end
// of the source the bytes read FF (so markers and FF bytes alternate).
struct DataBytes {
    ByteSource& src;
    uint64_t loaded = 0;           // data bits delivered so far
    uint64_t exhausted_at = never;  // data bits delivered before the first byte past the end

    uint8_t fetch(bool& marker) {
        const bool was_ended = src.ended;
        uint8_t b = src.next();
        marker = false;
        if (b == 0xFF) {
            const uint8_t m = src.next();
            if (m != 0) marker = true, b = src.next();
        }
        if (!was_ended && src.ended && exhausted_at == never) exhausted_at = loaded;
        loaded += 8;
        return b;
    }
};

void reset_predictors(Component* c) { c[0].predictor = c[1].predictor = c[2].predictor = 0; }

int32_t extend(int32_t bits, int s) { return s == 0 || bits >> (s - 1) ? bits : bits - ((1 << s) - 1); }

// DC categories above 16 can only come from a damaged table; their magnitude is read as 16 bits.
int dc_category(int s) { return s > 16 ? 16 : s; }

int16_t times(int32_t value, int q) { return int16_t(uint32_t(value) * uint32_t(q)); }

// ---- reference reader ------------------------------------------------------------------

struct ReferenceBits {
    DataBytes data;
    Component* comps;
    uint8_t byte = 0, mask = 0x80;

    int bit() {
        if (mask == 0x80) {
            bool marker;
            byte = data.fetch(marker);
            if (marker) reset_predictors(comps);
        }
        const int b = (byte & mask) != 0;
        mask = mask == 1 ? uint8_t(0x80) : uint8_t(mask >> 1);
        return b;
    }
    int32_t bits(int s) {
        int32_t v = 0;
        for (int i = 0; i < s; ++i) v = v << 1 | bit();
        return v;
    }
    int symbol(const HuffmanTable& t) {
        int32_t code = bit();
        int l = 1;
        while (code > t.maxcode[l]) code = code << 1 | bit(), ++l;
        return l == 17 ? 0 : t.symbols[t.valptr[l] + code - t.mincode[l]];
    }
    void align() { mask = 0x80; }
    uint64_t consumed() const {
        int left = 0;
        for (uint8_t m = mask; m != 0x80 && m; m = uint8_t(m >> 1)) ++left;
        return data.loaded - uint64_t(left);
    }

    // Returns the last zigzag index stored (0: DC only).
    int block(Component& c, const Tables& t, int16_t* coef) {
        const uint8_t* q = t.quant[c.quant];
        const int s = dc_category(symbol(t.huffman[c.dc]));
        const int32_t diff = extend(bits(s), s);
        c.predictor = int32_t(uint32_t(c.predictor) + uint32_t(diff));
        coef[0] = times(c.predictor, q[0]);
        const HuffmanTable& ac = t.huffman[c.ac];
        int last = 0;
        for (int k = 1; k <= 63;) {
            const int rs = symbol(ac);
            if (rs == 0) break;
            if (rs == 0xF0) {
                k += 16;
                continue;
            }
            k += rs >> 4;
            const int size = rs & 15;
            const int32_t value = extend(bits(size), size);
            if (k > 63) break;
            coef[zigzag[k]] = times(value, q[zigzag[k]]);
            last = k++;
        }
        return last;
    }
};

// ---- fast reader -----------------------------------------------------------------------

// A code longer than the lookup: length << 8 | symbol by the per-length search over the top
// of `a`; 17 bits and symbol 0 when no length up to 16 holds it.
[[gnu::noinline]] int long_code(const HuffmanTable& t, uint64_t a) {
    for (int l = lookup_bits + 1; l <= 16; ++l) {
        const int32_t code = int32_t(a >> (64 - l));
        if (code <= t.maxcode[l]) return l << 8 | t.symbols[t.valptr[l] + code - t.mincode[l]];
    }
    return 17 << 8;
}

struct FastBits {
    DataBytes data;
    Component* comps;
    uint64_t acc = 0;  // next bits, most significant first
    int n = 0;         // valid bits in acc
    uint64_t resets[16]{};  // bit positions of data bytes that follow a marker, ascending
    int pending = 0;

    // Byte by byte, through markers and the end of the data.
    [[gnu::noinline]] void fill() {
        while (n <= 56) {
            const uint8_t* p = data.src.cur;
            if (p != data.src.end && *p != 0xFF) {
                acc |= uint64_t(*p) << (56 - n);
                data.src.cur = p + 1;
                data.loaded += 8, n += 8;
                continue;
            }
            bool marker;
            const uint8_t b = data.fetch(marker);
            if (marker) note_reset(data.loaded - 8);
            acc |= uint64_t(b) << (56 - n);
            n += 8;
        }
    }
    void note_reset(uint64_t at) {
        if (pending == 16) {
            // Those already passed all take effect at the next DC addition: keep one of them.
            const uint64_t now = consumed();
            int keep = 0;
            for (int i = 0; i < pending; ++i)
                if (resets[i] >= now || (keep == 0 && i == 0)) resets[keep++] = resets[i];
            pending = keep;
        }
        if (pending < 16) resets[pending++] = at;
    }
    // Before a DC addition: resets whose marker lies behind the bits taken so far.
    void apply_resets() {
        if (pending == 0 || resets[0] >= consumed()) return;
        const uint64_t now = consumed();
        int i = 0;
        while (i < pending && resets[i] < now) ++i;
        std::memmove(resets, resets + i, size_t(pending - i) * sizeof(uint64_t));
        pending -= i;
        reset_predictors(comps);
    }
    void align() { acc <<= n & 7, n -= n & 7; }
    uint64_t consumed() const { return data.loaded - uint64_t(n); }

    // The reader's state lives in registers while a block is decoded: `a` holds the next `m`
    // bits, `p` is the next byte; they are written back around the byte-by-byte fill, the
    // marker resets and at the end.
    [[gnu::noinline]] int block(Component& c, const Tables& t, int16_t* coef) {
        uint64_t a = acc;
        int m = n;
        const uint8_t* p = data.src.cur;
        auto save = [&] { acc = a, n = m, data.loaded += uint64_t(p - data.src.cur) * 8, data.src.cur = p; };
        // Tops the buffer up to at least 57 bits: from the next 8 bytes at once when the bytes
        // taken hold no FF (neither a marker nor a stuffed FF), else byte by byte.
        auto refill = [&] {
            if (data.src.end - p >= 8) {
                uint64_t w;
                std::memcpy(&w, p, 8);
                w = __builtin_bswap64(w);
                const int take = (63 - m) >> 3;
                const uint64_t ff = (~w - 0x0101010101010101u) & w & 0x8080808080808080u;
                if (ff >> (64 - 8 * take) == 0) {
                    a |= w >> (64 - 8 * take) << (64 - m - 8 * take);
                    m += 8 * take, p += take;
                    return;
                }
            }
            save();
            fill();
            a = acc, m = n, p = data.src.cur;
        };
        // The symbol and the value of its magnitude bits for a step entry that leaves them
        // partly undecoded; the buffer holds at least 32 bits.
        auto finish = [&](const HuffmanTable& h, int32_t e, bool is_dc) {
            int l = e & 31, sym = (e >> 8) & 255;
            if (l == 0) {
                const int found = long_code(h, a);
                l = found >> 8, sym = found & 255;
            }
            a <<= l, m -= l;
            const int s = is_dc ? dc_category(sym) : sym & 15;
            int32_t value = 0;
            if (s) {
                value = extend(int32_t(a >> (64 - s)), s);
                a <<= s, m -= s;
            }
            return std::pair{sym, value};
        };

        if (m < 32) refill();
        const HuffmanTable& dc = t.huffman[c.dc];
        int32_t e = dc.step[a >> (64 - lookup_bits)], diff;
        if (e & step_partial) {
            diff = finish(dc, e, true).second;
        } else {
            a <<= e & 127, m -= e & 127;
            diff = e >> 16;
        }
        if (pending) {
            save();
            apply_resets();
        }
        const uint8_t* q = t.quant[c.quant];
        c.predictor = int32_t(uint32_t(c.predictor) + uint32_t(diff));
        coef[0] = times(c.predictor, q[0]);
        const int32_t* ac = t.huffman[c.ac].step;
        int last = 0;
        for (int k = 1; k <= 63;) {
            if (m < 32) refill();
            e = ac[a >> (64 - lookup_bits)];
            if (e & step_partial) {
                const auto [rs, value] = finish(t.huffman[c.ac], e, false);
                // A zero run of 16 stores a zero at its end, as the table does for zero runs.
                e = rs == 0 ? 64 << 8 : int32_t(uint32_t(value) << 16) | (rs >> 4) << 8;
            }
            a <<= e & 127, m -= e & 127;
            k += (e >> 8) & 255;
            if (k > 63) break;
            coef[zigzag[k]] = times(e >> 16, q[zigzag[k]]);
            last = k++;
        }
        save();
        return last;
    }
};

// ---- the MCU row -----------------------------------------------------------------------

struct Plane {
    uint8_t* data = nullptr;
    int stride = 0;      // samples per row
    int h = 1, v = 1;    // blocks per MCU across and down
    int hr = 1, vr = 1;  // pixels per sample across and down
};

// Working memory: the planes of one MCU row, then two chroma rows widened to full resolution.
struct Layout {
    Plane plane[3];
    size_t plane_bytes[3]{};
    size_t row_bytes = 0;
    size_t total = 0;
};

Layout layout(int width, int mcu_w, int mcu_h, const int h[3], const int v[3], int components) {
    Layout l;
    const int mcus_x = (width + mcu_w - 1) / mcu_w;
    for (int c = 0; c < components; ++c) {
        Plane& p = l.plane[c];
        p.h = components == 1 ? 1 : h[c];
        p.v = components == 1 ? 1 : v[c];
        p.hr = mcu_w / (8 * p.h), p.vr = mcu_h / (8 * p.v);
        p.stride = mcus_x * p.h * 8;
        l.plane_bytes[c] = size_t(p.stride) * size_t(p.v) * 8;
        l.total += l.plane_bytes[c];
    }
    l.row_bytes = components == 3 ? size_t(mcus_x) * size_t(mcu_w) : 0;
    l.total += 2 * l.row_bytes;
    return l;
}

// Blocks from the entropy decoder to the planes. Blocks are decoded into coef(); one that
// needs the inverse DCT waits for a second so that both go through the kernel together.
struct BlockOut {
    const Kernels& k;
    struct Block {
        alignas(32) int16_t c[64];
        // Cleared in halves, which compilers keep to a few vector stores.
        void clear() {
            std::fill_n(c, 32, int16_t(0));
            std::fill_n(c + 32, 32, int16_t(0));
        }
    } blocks[2]{};
    int current = 0;              // blocks[current] receives the next block
    uint8_t* waiting = nullptr;   // where blocks[1 - current] goes, if it waits
    int waiting_stride = 0;

    int16_t* coef() { return blocks[current].c; }
    void put(int last, uint8_t* out, int stride) {
        int16_t* c = blocks[current].c;
        if (last == 0 && k.fast_entropy) {
            // A block whose only coefficient is DC is flat: both passes reduce to one value.
            const int32_t v = ((int32_t(c[0]) * 4 * 8192 + 131072) >> 18) + 128;
            const uint8_t s = uint8_t(std::clamp(v, 0, 255));
            for (int r = 0; r < 8; ++r) std::memset(out + r * stride, s, 8);
            c[0] = 0;
            return;
        }
        if (!waiting) {
            waiting = out, waiting_stride = stride, current = 1 - current;
            return;
        }
        k.idct2(blocks[1 - current].c, waiting, waiting_stride, c, out, stride);
        blocks[0].clear(), blocks[1].clear();
        waiting = nullptr;
    }
    // Before the planes are read.
    void flush() {
        if (!waiting) return;
        k.idct(blocks[1 - current].c, waiting, waiting_stride);
        blocks[1 - current].clear();
        waiting = nullptr;
    }
};

template <class Bits>
int run_scan(Bits& bits, const Frame& frame, const Output& out, const Kernels& k, Layout& l, uint8_t* memory) {
    Tables& t = tables();
    BlockOut put{k};
    const int color_index = out.depth == 16 ? 0 : out.depth == 24 ? 1 : 2;
    uint8_t* wide[2] = {memory + l.total - 2 * l.row_bytes, memory + l.total - l.row_bytes};
    const int interval = frame.restart_interval;
    int counter = interval;
    const bool colour = frame.components == 3;
    const int end_row = out.first_row + out.rows;

    auto restart = [&] {
        if (interval != 0 && --counter == 0) counter = interval, bits.align();
    };

    for (int row0 = 0; row0 < end_row; row0 += frame.mcu_h) {
        if (colour) {
            for (int mx = 0; mx < frame.mcus_x; ++mx) {
                for (int c = 0; c < 3; ++c) {
                    const Plane& p = l.plane[c];
                    Component& comp = t.component[c];
                    for (int v = 0; v < p.v; ++v)
                        for (int h = 0; h < p.h; ++h) {
                            const int last = bits.block(comp, t, put.coef());
                            put.put(last, p.data + (v * 8) * p.stride + (mx * p.h + h) * 8, p.stride);
                        }
                }
                restart();
            }
        } else {
            const Plane& p = l.plane[0];
            Component& comp = t.component[frame.slot[0]];
            for (int bx = 0; bx < (frame.width + 7) / 8; ++bx) {
                const int last = bits.block(comp, t, put.coef());
                put.put(last, p.data + bx * 8, p.stride);
                restart();
            }
        }
        put.flush();
        // The visible rows of this MCU row.
        const int from = std::max(row0, out.first_row), to = std::min(row0 + frame.mcu_h, end_row);
        int widened[2] = {-1, -1};  // plane row held in wide[], which serves vr output rows
        for (int r = from; r < to; ++r) {
            uint8_t* dst = out.origin + ptrdiff_t(r - out.first_row) * out.row_step;
            const int in = r - row0;
            const uint8_t* y = l.plane[0].data + in * l.plane[0].stride + out.first_col;
            if (!colour) {
                k.gray[color_index](y, nullptr, nullptr, dst, out.cols);
                continue;
            }
            const uint8_t* chroma[2];
            for (int c = 1; c < 3; ++c) {
                const Plane& p = l.plane[c];
                const uint8_t* src = p.data + (in / p.vr) * p.stride;
                if (p.hr == 1) {
                    chroma[c - 1] = src + out.first_col;
                    continue;
                }
                if (widened[c - 1] != in / p.vr) {
                    k.widen(src, p.hr, wide[c - 1], out.first_col + out.cols);
                    widened[c - 1] = in / p.vr;
                }
                chroma[c - 1] = wide[c - 1] + out.first_col;
            }
            k.color[color_index](y, chroma[0], chroma[1], dst, out.cols);
        }
        if (bits.consumed() > bits.data.exhausted_at) break;  // the data ended in this row
    }
    return ok;
}

}  // namespace

size_t scan_memory(int width, int mcu_w, int mcu_h, const int h[3], const int v[3], int components) {
    return layout(width, mcu_w, mcu_h, h, v, components).total;
}

int decode_scan(ByteSource& src, const Frame& frame, const Output& out, const Kernels& k) {
    Tables& t = tables();
    int h[3] = {1, 1, 1}, v[3] = {1, 1, 1};
    if (frame.components == 3)
        for (int c = 0; c < 3; ++c) h[c] = t.component[c].h, v[c] = t.component[c].v;
    Layout l = layout(frame.width, frame.mcu_w, frame.mcu_h, h, v, frame.components);
    struct Memory {
        void* p;
        ~Memory() { host::block_free(p); }
    } memory{host::block_alloc(l.total)};
    if (!memory.p) return no_memory;
    uint8_t* base = static_cast<uint8_t*>(memory.p);
    for (int c = 0; c < frame.components; ++c) {
        l.plane[c].data = base;
        base += l.plane_bytes[c];
    }
    DataBytes data{src};
    if (k.fast_entropy) {
        FastBits bits{data, t.component};
        return run_scan(bits, frame, out, k, l, static_cast<uint8_t*>(memory.p));
    }
    ReferenceBits bits{data, t.component};
    return run_scan(bits, frame, out, k, l, static_cast<uint8_t*>(memory.p));
}

}  // namespace files::jpeg
