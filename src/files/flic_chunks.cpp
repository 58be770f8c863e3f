// FLIC pixel chunks and palette fitting.
//
// Each pixel chunk is decoded by one template over the buffer's depth, chosen once per
// chunk. Runs are clipped once each against the animation's visible area, so the loops
// that store pixels have no tests in them.
#include "files/flic_chunks.h"

#include <algorithm>

#include "core/pixel.h"
#include "core/vbuf.h"

namespace files::flic {
namespace {

// The animation's visible area in buffer coordinates, and stores of runs into it. Runs
// are given in animation coordinates; a row is the buffer row of an animation row, or
// nullptr when that row is not visible.
template <class D>
class Area {
public:
    explicit Area(const Target& t) : t_(t) {
        x_begin_ = std::max<int64_t>(t.x0, 0);
        x_end_ = std::min<int64_t>(int64_t(t.x0) + t.width, t.buffer_width);
        y_begin_ = std::max<int64_t>(t.y0, 0);
        y_end_ = std::min<int64_t>(int64_t(t.y0) + t.height, t.buffer_height);
    }

    bool empty() const { return x_begin_ >= x_end_ || y_begin_ >= y_end_; }

    uint8_t* row(int y) const {
        const int64_t by = int64_t(t_.y0) + y;
        if (by < y_begin_ || by >= y_end_) return nullptr;
        return core::row_address(t_.pixels, t_.pitch, t_.buffer_height, int(by));
    }

    // n indices from src at column x.
    void literal(uint8_t* row, int64_t x, const uint8_t* src, int64_t n) const {
        int64_t a, b;
        if (!row || !span(x, n, a, b)) return;
        src += a - (t_.x0 + x);
        for (uint8_t* p = row + a * D::bytes; a < b; ++a, p += D::bytes) D::store(p, t_.lut[*src++]);
    }

    // n copies of one index from column x.
    void fill(uint8_t* row, int64_t x, uint8_t index, int64_t n) const {
        int64_t a, b;
        if (!row || !span(x, n, a, b)) return;
        const uint32_t v = t_.lut[index];
        for (uint8_t* p = row + a * D::bytes; a < b; ++a, p += D::bytes) D::store(p, v);
    }

    // n copies of a pair of indices from column x (2n pixels).
    void fill_pairs(uint8_t* row, int64_t x, uint8_t first, uint8_t second, int64_t n) const {
        int64_t a, b;
        if (!row || !span(x, 2 * n, a, b)) return;
        const uint32_t v[2] = {t_.lut[first], t_.lut[second]};
        const int64_t start = t_.x0 + x;
        for (uint8_t* p = row + a * D::bytes; a < b; ++a, p += D::bytes) D::store(p, v[(a - start) & 1]);
    }

    void fill_area(uint8_t index) const {
        for (int64_t y = y_begin_; y < y_end_; ++y) {
            uint8_t* row = core::row_address(t_.pixels, t_.pitch, t_.buffer_height, int(y));
            fill(row, x_begin_ - t_.x0, index, x_end_ - x_begin_);
        }
    }

private:
    // Buffer columns [a, b) of the run of n pixels from animation column x that are visible.
    bool span(int64_t x, int64_t n, int64_t& a, int64_t& b) const {
        const int64_t bx = t_.x0 + x;
        a = std::max(bx, x_begin_);
        b = std::min(bx + n, x_end_);
        return a < b;
    }

    const Target& t_;
    int64_t x_begin_ = 0, x_end_ = 0, y_begin_ = 0, y_end_ = 0;
};

// Takes up to n bytes of literal data, fewer when the chunk ends sooner.
inline const uint8_t* take(Bytes& data, int64_t& n) {
    n = std::min<int64_t>(n, int64_t(data.left()));
    const uint8_t* p = data.p;
    data.skip(size_t(n));
    return p;
}

template <class D>
void copy_frame(Bytes data, const Area<D>& area, const Target& t) {
    for (int y = 0; y < t.height && !data.done(); ++y) {
        int64_t n = t.width;
        const uint8_t* src = take(data, n);
        area.literal(area.row(y), 0, src, n);
    }
}

// Per row: a packet count (not needed: the row ends when its width is filled), then
// signed counts: n ≥ 0 repeats the next byte n times, n < 0 copies −n bytes.
template <class D>
void byte_run(Bytes data, const Area<D>& area, const Target& t) {
    for (int y = 0; y < t.height && !data.done(); ++y) {
        uint8_t* row = area.row(y);
        data.u8();
        for (int64_t x = 0; x < t.width && !data.done();) {
            const int n = int8_t(data.u8());
            if (n >= 0) {
                area.fill(row, x, data.u8(), n);
                x += n;
            } else {
                int64_t m = -n;
                const uint8_t* src = take(data, m);
                area.literal(row, x, src, m);
                x += -n;
            }
        }
    }
}

// A first row and a row count; per row packets of (columns to skip, signed count): n < 0
// repeats the next byte −n times, n > 0 copies n bytes.
template <class D>
void delta_fli(Bytes data, const Area<D>& area, const Target& t) {
    const int first = data.u16(), rows = data.u16();
    for (int y = first; y < first + rows && y < t.height && !data.done(); ++y) {
        uint8_t* row = area.row(y);
        int64_t x = 0;
        for (int packets = data.u8(); packets > 0 && !data.done(); --packets) {
            x += data.u8();
            const int n = int8_t(data.u8());
            if (n < 0) {
                area.fill(row, x, data.u8(), -n);
                x += -n;
            } else {
                int64_t m = n;
                const uint8_t* src = take(data, m);
                area.literal(row, x, src, m);
                x += n;
            }
        }
    }
}

// A count of coded rows; each row starts with words that skip rows (both top bits set:
// −word rows) or set the row's last pixel (top bit only: its low byte), and ends with a
// packet count. Packets are (columns to skip, signed count) of pixel pairs: n < 0 repeats
// the next pair −n times, n > 0 copies n pairs.
template <class D>
void delta_flc(Bytes data, const Area<D>& area, const Target& t) {
    int y = 0;
    for (int lines = data.u16(); lines > 0 && y < t.height && !data.done();) {
        const uint16_t word = data.u16();
        if ((word & 0xC000) == 0xC000) {
            y += -int16_t(word);
            continue;
        }
        uint8_t* row = area.row(y);
        if ((word & 0xC000) == 0x8000) {
            area.fill(row, t.width - 1, uint8_t(word), 1);
            continue;
        }
        int64_t x = 0;
        for (int packets = word; packets > 0 && !data.done(); --packets) {
            x += data.u8();
            const int n = int8_t(data.u8());
            if (n < 0) {
                const uint8_t first = data.u8(), second = data.u8();
                area.fill_pairs(row, x, first, second, -n);
                x += -2 * n;
            } else {
                int64_t m = 2 * n;
                const uint8_t* src = take(data, m);
                area.literal(row, x, src, m);
                x += 2 * n;
            }
        }
        --lines;
        ++y;
    }
}

template <class D>
void decode(int type, Bytes data, const Target& t) {
    const Area<D> area(t);
    if (area.empty()) return;
    switch (type) {
    case chunk_black: area.fill_area(0); break;
    case chunk_copy: copy_frame(data, area, t); break;
    case chunk_byte_run: byte_run(data, area, t); break;
    case chunk_delta_fli: delta_fli(data, area, t); break;
    case chunk_delta_flc: delta_flc(data, area, t); break;
    default: break;
    }
}

}  // namespace

bool decode_pixels(int type, Bytes data, const Target& target) {
    switch (type) {
    case chunk_black:
    case chunk_copy:
    case chunk_byte_run:
    case chunk_delta_fli:
    case chunk_delta_flc: break;
    default: return false;
    }
    core::with_depth(target.depth, [&](auto d) { decode<decltype(d)>(type, data, target); });
    return true;
}

// Each colour keeps its nearest partner among the colours after it (the later one on a
// tie); merging removes one colour, and only the colours whose partner it was look again.
// The closest pair overall is then the smallest of these, the later colour on a tie.
void fit_palette(const uint8_t (*palette)[3], uint8_t map[256], uint8_t (*packed)[3]) {
    bool in_use[256];
    int nearest[256], distance[256];
    for (int c = 0; c < 256; ++c) in_use[c] = true, map[c] = uint8_t(c);

    auto distance_of = [&](int i, int j) {
        const int r = palette[i][0] - palette[j][0], g = palette[i][1] - palette[j][1],
                  b = palette[i][2] - palette[j][2];
        return r * r + g * g + b * b;
    };
    auto find_nearest = [&](int i) {
        nearest[i] = -1;
        for (int j = i + 1; j < 256; ++j)
            if (in_use[j]) {
                const int d = distance_of(i, j);
                if (nearest[i] < 0 || d <= distance[i]) nearest[i] = j, distance[i] = d;
            }
    };
    for (int i = 0; i < 256; ++i) find_nearest(i);

    for (int n = 256; n > 236; --n) {
        int i = -1;
        for (int k = 0; k < 256; ++k)
            if (in_use[k] && nearest[k] >= 0 && (i < 0 || distance[k] <= distance[i])) i = k;
        const int j = nearest[i];
        for (int c = 0; c < 256; ++c)
            if (map[c] == i) map[c] = uint8_t(j);
        in_use[i] = false;
        for (int k = 0; k < i; ++k)
            if (in_use[k] && nearest[k] == i) find_nearest(k);
    }

    uint8_t number[256]{};
    for (int c = 0, next = 0; c < 256; ++c)
        if (in_use[c]) {
            number[c] = uint8_t(next);
            packed[next][0] = palette[c][0], packed[next][1] = palette[c][1], packed[next][2] = palette[c][2];
            ++next;
        }
    for (int c = 0; c < 256; ++c) map[c] = uint8_t(10 + number[map[c]]);
}

}  // namespace files::flic
