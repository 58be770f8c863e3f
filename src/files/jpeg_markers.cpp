// JPEG markers and segments: the frame header, Huffman and quantization tables, the restart
// interval and the start of the scan, then the scan decoder. Tables live in the decoder's
// process-wide state and keep their contents after a call.
//
// Beyond what a baseline file can hold, a segment is refused with 3 (unsupported) rather
// than let it steer the decoder outside its tables: component ids outside 1..3 or repeated,
// component counts other than 1 and 3, sampling factors outside 1..4 or chroma factors that
// do not divide the first component's, Huffman slots other than the two DC and two AC tables,
// tables with more codes of a length than it has values or more than 256 symbols, table
// numbers above 3, and a scan that names a table never defined, names other components than
// the frame's, or comes without a frame. Data that ends before the scan returns 3.
#include <cstring>

#include "files/jpeg.h"

namespace files::jpeg {

const uint8_t zigzag[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
};

Tables& tables() {
    static Tables t;
    return t;
}

void reset_tables() { tables() = Tables{}; }

// Canonical codes as in ITU T.81 Annex C: consecutive within a length, doubled when the
// length grows. A slot's lookup is the per-length search run on each 10-bit prefix, so it
// gives the same symbol and length as the search for every table this accepts.
bool build_huffman(HuffmanTable& t, const uint8_t counts[16], const uint8_t* symbols, int n, bool ac) {
    HuffmanTable built;
    std::memcpy(built.symbols, symbols, size_t(n));
    int32_t code = 0;
    int index = 0;
    for (int l = 1; l <= 16; ++l) {
        const int c = counts[l - 1];
        if (c == 0) {
            built.maxcode[l] = -1;
        } else {
            if (code + c > (int32_t(1) << l)) return false;
            built.valptr[l] = index;
            built.mincode[l] = code;
            built.maxcode[l] = code + c - 1;
            index += c, code += c;
        }
        code <<= 1;
    }
    built.maxcode[17] = 0xFFFFF;
    for (uint32_t prefix = 0; prefix < (1u << lookup_bits); ++prefix) {
        int32_t& e = built.step[prefix];
        e = step_partial;
        for (int l = 1; l <= lookup_bits; ++l) {
            const int32_t c = int32_t(prefix >> (lookup_bits - l));
            if (c > built.maxcode[l]) continue;
            const int sym = built.symbols[built.valptr[l] + c - built.mincode[l]];
            const int s = ac ? sym & 15 : sym, run = ac ? (sym == 0 ? 64 : sym >> 4) : 0;
            if (l + s > lookup_bits) {
                e = step_partial | sym << 8 | l;
            } else {
                // The magnitude bits follow the code within the prefix: extend them now.
                const int32_t bits = s ? int32_t(prefix >> (lookup_bits - l - s)) & ((1 << s) - 1) : 0;
                const int32_t value = s == 0 || bits >> (s - 1) ? bits : bits - ((1 << s) - 1);
                e = int32_t(uint32_t(value) << 16) | run << 8 | (l + s);
            }
            break;
        }
    }
    built.defined = true;
    t = built;
    return true;
}

namespace {

int read16(ByteSource& src) {
    const int hi = src.next();
    return hi << 8 | src.next();
}

struct Parser {
    ByteSource& src;
    Frame frame;
    bool have_frame = false;
    int ids[3]{};  // frame's component ids in frame order
    int restart_interval = 0;

    // Each segment routine returns -1 to go on with the next segment, or the call's result.
    int huffman_tables() {
        Tables& t = tables();
        int left = read16(src) - 2;
        while (left > 0 && !src.ended) {
            const int tc = src.next();
            uint8_t counts[16];
            int n = 0;
            for (uint8_t& c : counts) n += c = src.next();
            if (n > 256 || (tc >> 4) > 1 || (tc & 15) > 1) return unsupported;
            uint8_t symbols[256];
            for (int i = 0; i < n; ++i) symbols[i] = src.next();
            const int slot = (tc >> 4) * 2 + (tc & 15);
            if (!build_huffman(t.huffman[slot], counts, symbols, n, slot >= 2)) return unsupported;
            left -= 17 + n;
        }
        return -1;
    }

    int quant_tables() {
        Tables& t = tables();
        int left = read16(src) - 2;
        while (left > 0 && !src.ended) {
            const int pq = src.next();
            if ((pq & 0x10) || (pq & 15) > 3) return unsupported;
            uint8_t* q = t.quant[pq & 15];
            for (int k = 0; k < 64; ++k) q[zigzag[k]] = src.next();
            t.quant_defined[pq & 15] = true;
            left -= 65;
        }
        return -1;
    }

    int start_of_frame(const Target& target) {
        src.skip(2);
        if (src.next() != 8) return unsupported;
        const int height = read16(src), width = read16(src);
        const int n = src.next();
        const int cols = visible(target.x, width, target.width), rows = visible(target.y, height, target.height);
        if (cols <= 0 || rows <= 0) return ok;
        if (n != 1 && n != 3) return unsupported;
        Tables& t = tables();
        bool seen[3]{};
        for (int i = 0; i < n; ++i) {
            const int id = src.next(), hv = src.next(), tq = src.next();
            const int h = hv >> 4, v = hv & 15;
            if (id < 1 || id > 3 || seen[id - 1] || h < 1 || h > 4 || v < 1 || v > 4 || tq > 3) return unsupported;
            seen[id - 1] = true;
            ids[i] = id;
            Component& c = t.component[id - 1];
            c.h = h, c.v = v, c.quant = tq;
        }
        frame = Frame{};
        frame.width = width, frame.height = height, frame.components = n;
        for (int i = 0; i < n; ++i) frame.slot[i] = n == 1 ? ids[0] - 1 : i;
        if (n == 3) {
            // Colour: blocks of every component cover whole multiples of its samples.
            const Component& c1 = t.component[0];
            for (const Component& c : t.component)
                if (c1.h % c.h != 0 || c1.v % c.v != 0) return unsupported;
            frame.mcu_w = 8 * c1.h, frame.mcu_h = 8 * c1.v;
        }
        frame.mcus_x = (width + frame.mcu_w - 1) / frame.mcu_w;
        frame.mcus_y = (height + frame.mcu_h - 1) / frame.mcu_h;
        have_frame = true;
        return -1;
    }

    static int visible(int at, int size, int buffer) {
        const int from = at < 0 ? -at : 0;
        const int to = at + size > buffer ? buffer - at : size;
        return to - from;
    }

    int start_of_scan(const Target& target, const Kernels& k) {
        src.skip(2);
        const int n = src.next();
        if (!have_frame || n != frame.components) return unsupported;
        Tables& t = tables();
        bool named[3]{};
        for (int i = 0; i < n; ++i) {
            const int id = src.next(), td = src.next();
            if (id < 1 || id > 3 || named[id - 1] || (td >> 4) > 1 || (td & 15) > 1) return unsupported;
            bool in_frame = false;
            for (int j = 0; j < n; ++j) in_frame |= ids[j] == id;
            if (!in_frame) return unsupported;
            named[id - 1] = true;
            Component& c = t.component[id - 1];
            c.dc = td >> 4, c.ac = 2 + (td & 15), c.predictor = 0;
        }
        src.skip(3);
        for (int i = 0; i < n; ++i) {
            const Component& c = t.component[frame.slot[i]];
            if (!t.huffman[c.dc].defined || !t.huffman[c.ac].defined || !t.quant_defined[c.quant])
                return unsupported;
        }
        if (src.ended) return unsupported;
        frame.restart_interval = restart_interval;
        Output out;
        out.depth = target.depth;
        out.first_col = target.x < 0 ? -target.x : 0;
        out.first_row = target.y < 0 ? -target.y : 0;
        out.cols = visible(target.x, frame.width, target.width);
        out.rows = visible(target.y, frame.height, target.height);
        out.origin = target.top + (target.y + out.first_row) * target.row_step +
                     ptrdiff_t(target.x + out.first_col) * (target.depth / 8);
        out.row_step = target.row_step;
        return decode_scan(src, frame, out, k);
    }
};

}  // namespace

int decode(ByteSource& src, const Target& target, const Kernels& k) {
    if (src.next() != 0xFF || src.next() != 0xD8) return not_jpeg;
    Parser p{src, Frame{}, false, {}, 0};
    for (;;) {
        if (src.ended) return unsupported;
        if (src.next() != 0xFF) return unsupported;
        const int code = src.next();
        int r = -1;
        switch (code) {
        case 0xC0: r = p.start_of_frame(target); break;
        case 0xC1: case 0xC2: case 0xC3: return unsupported;
        case 0xC4: r = p.huffman_tables(); break;
        case 0xDB: r = p.quant_tables(); break;
        case 0xDD:
            src.skip(2);
            p.restart_interval = read16(src);
            break;
        case 0xDA: return p.start_of_scan(target, k);
        case 0xD9: return ok;
        case 0xD0: case 0xD1: case 0xD2: case 0xD3: case 0xD4: case 0xD5: case 0xD6: case 0xD7: break;
        default: {
            const int length = read16(src);
            if (length < 2) return unsupported;
            src.skip(size_t(length - 2));
        }
        }
        if (r >= 0) return r;
    }
}

int read_header(ByteSource& src, uint8_t* record) {
    if (src.next() != 0xFF || src.next() != 0xD8 || src.ended) return -2;
    for (;;) {
        const int a = src.next(), b = src.next();
        if (src.ended) return -2;
        const int marker = a << 8 | b;
        if (marker == 0xFFC0) {
            uint8_t f[17];
            for (uint8_t& byte : f) byte = src.next();
            if (src.ended) return -2;
            record[0] = 0xD8, record[1] = 0xFF;
            record[2] = f[6], record[3] = f[5];  // width, stored little-endian
            record[4] = f[4], record[5] = f[3];  // height
            record[6] = f[7];
            record[8] = record[9] = 0;
            for (int i = 0; i < 3 && i < f[7]; ++i) {
                const int id = f[8 + 3 * i];
                if (id >= 1 && id <= 3) record[7 + id - 1] = f[9 + 3 * i];
            }
            return 0;
        }
        if (marker >= 0xFFD0 && marker <= 0xFFD9) continue;
        const int length = read16(src);
        if (src.ended) return -2;
        src.skip(size_t(length >= 2 ? length - 2 : 0));
    }
}

}  // namespace files::jpeg
