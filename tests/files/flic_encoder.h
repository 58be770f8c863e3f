// A small FLI/FLC encoder for fixtures: frames of colour indices coded as a copy (16),
// byte runs (15), FLI byte deltas (12) or FLC word deltas (7), the tests' and the
// benchmarks' source of animations. Header-only: both include it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace flic_encoder {

using Bytes = std::vector<uint8_t>;
using Image = std::vector<uint8_t>;  // w × h indices, top row first

inline void put(Bytes& b, uint64_t v, int n) { for (int i = 0; i < n; ++i) b.push_back(uint8_t(v >> 8 * i)); }
inline Bytes chunk(int type, const Bytes& body, int count = -1) {  // count ≥ 0: a frame of count sub-chunks
    Bytes b;
    put(b, uint32_t(body.size() + (count >= 0 ? 16 : 6)), 4), put(b, uint32_t(type), 2);
    if (count >= 0) put(b, uint32_t(count), 2), put(b, 0, 8);
    return b.insert(b.end(), body.begin(), body.end()), b;
}
inline Bytes header(int type, int w, int h, uint32_t speed) {
    Bytes b;
    put(b, 0, 4), put(b, uint32_t(type), 2), put(b, 2, 2), put(b, uint32_t(w), 2), put(b, uint32_t(h), 2);
    put(b, 8, 4), put(b, speed, 4);
    return b.resize(128), b;
}
inline Bytes palette_chunk(const Bytes& rgb) {  // one packet of 256 colours
    Bytes b(4 + rgb.size(), 0);  // one packet: no skip, 256 entries (count 0)
    b[0] = 1;
    std::copy(rgb.begin(), rgb.end(), b.begin() + 4);
    return chunk(4, b);
}
// Packets over the changed cells of one row (cells of `unit` pixels): skip, then a repeat
// (negative count) for uniform runs, else literals.
inline void packets(Bytes& b, const uint8_t* was, const uint8_t* now, int cells, int unit) {
    Bytes body;
    int count = 0, x = 0;
    for (int c = 0; c < cells;) {
        if (!std::memcmp(was + c * unit, now + c * unit, size_t(unit))) { ++c; continue; }
        int n = 1;
        while (c + n < cells && n < 100 && std::memcmp(was + (c + n) * unit, now + (c + n) * unit, size_t(unit))) ++n;
        bool same = n > 1;
        for (int i = c * unit; i < (c + n) * unit; ++i) same = same && now[i] == now[c * unit + i % unit];
        for (; c * unit - x > 255; x += 255, ++count) body.insert(body.end(), {255, 0});  // skips are in pixels
        body.push_back(uint8_t(c * unit - x)), body.push_back(uint8_t(same ? -n : n));
        body.insert(body.end(), now + c * unit, now + (same ? c + 1 : c + n) * unit);
        ++count, c += n, x = c * unit;
    }
    if (unit == 1) b.push_back(uint8_t(count)); else put(b, uint32_t(count), 2);
    b.insert(b.end(), body.begin(), body.end());
}
// Byte runs as a writer packs them: a repeat for three or more equal indices, literals
// between (at most 127 a packet either way).
inline Bytes packed_byte_runs(const Image& now, int w, int h) {
    Bytes b;
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = &now[size_t(y) * size_t(w)];
        const size_t count_at = b.size();
        b.push_back(0);
        int packets = 0;
        for (int x = 0; x < w; ++packets) {
            int n = 1;
            while (x + n < w && n < 127 && row[x + n] == row[x]) ++n;
            if (n >= 3) {
                b.push_back(uint8_t(n)), b.push_back(row[x]), x += n;
                continue;
            }
            n = 0;
            while (x + n < w && n < 127 && !(x + n + 2 < w && row[x + n] == row[x + n + 1] && row[x + n] == row[x + n + 2])) ++n;
            b.push_back(uint8_t(-n)), b.insert(b.end(), row + x, row + x + n), x += n;
        }
        b[count_at] = uint8_t(packets);
    }
    return chunk(15, b);
}

inline Bytes encode(int type, const Image& was, const Image& now, int w, int h) {
    Bytes b;
    if (type == 16) return chunk(16, now);
    if (type == 15)
        for (int y = 0; y < h; ++y) {
            b.push_back(0);
            for (int x = 0; x < w; ++x) b.insert(b.end(), {uint8_t(x % 3 ? 1 : 0xFF), now[size_t(y * w + x)]});
        }
    if (type == 12) {
        put(b, 0, 2), put(b, uint32_t(h), 2);
        for (int y = 0; y < h; ++y) packets(b, &was[size_t(y * w)], &now[size_t(y * w)], w, 1);
    }
    if (type == 7) {
        int lines = 0, skipped = 0;
        put(b, 0, 2);
        for (int y = 0; y < h; ++y, ++skipped) {
            const uint8_t *p = &was[size_t(y * w)], *q = &now[size_t(y * w)];
            if (!std::memcmp(p, q, size_t(w))) continue;
            if (skipped) put(b, uint32_t(-skipped) & 0xFFFF, 2);
            if (w % 2) put(b, 0x8000u | q[w - 1], 2);
            packets(b, p, q, w / 2, 2), ++lines, skipped = -1;
        }
        b[0] = uint8_t(lines), b[1] = uint8_t(lines >> 8);
    }
    return chunk(type, b);
}

}  // namespace flic_encoder
