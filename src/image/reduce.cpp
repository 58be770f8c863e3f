// Colour reduction: the palette indices used by the pixels of the active 8-bit buffer's
// clip rectangle are cut down to a given number by merging, one pair at a time, the two
// used colours closest in the caller's palette. The survivors are numbered in index order
// from a given start, their colours moved in the caller's palette to match, and the
// pixels renumbered. File readers use it to fit a picture between the static colours.
//
// The pixel counts, the merge map and the distance table are the call's own: nothing of
// them is kept from one call to the next.
#include "image/reduce.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "core/clip.h"
#include "core/vbuf.h"

namespace image {
namespace {

struct Tables {
    uint32_t count[256];  // pixels of each index; 0 when unused or merged away
    uint8_t merged[256];  // the used index whose colour each index's pixels now take
};

// Squared distances of the palette's colours, pair by pair (at most 3 × 255² each). The
// palette does not change while pairs are merged, so each merge only compares.
std::vector<uint32_t> distances(const uint8_t* palette) {
    std::vector<uint32_t> d(256 * 256);
    for (int i = 0; i < 256; ++i)
        for (int j = i + 1; j < 256; ++j) {
            uint32_t sum = 0;
            for (int c = 0; c < 3; ++c) {
                const int diff = palette[3 * i + c] - palette[3 * j + c];
                sum += uint32_t(diff * diff);
            }
            d[size_t(i * 256 + j)] = sum;
        }
    return d;
}

// Merges the closest pair of used indices: the one with fewer pixels (the lower index on
// equal counts) goes into the other. Pairs are visited i < j in index order; a pair wins
// when strictly closer, or equally close with fewer pixels at j than the smaller count of
// the pair it replaces.
void merge_closest(Tables& t, const std::vector<uint32_t>& distance) {
    uint32_t best = 0xFFFFFFFFu, best_small = 0;
    int bi = 0, bj = 0;
    for (int i = 0; i < 255; ++i) {
        if (!t.count[i]) continue;
        const uint32_t* row = distance.data() + i * 256;
        for (int j = i + 1; j < 256; ++j) {
            if (!t.count[j]) continue;
            if (row[j] < best || (row[j] == best && t.count[j] < best_small)) {
                best = row[j];
                bi = i;
                bj = j;
                best_small = t.count[i] < t.count[j] ? t.count[i] : t.count[j];
            }
        }
    }
    const int from = t.count[bj] < t.count[bi] ? bj : bi, into = from == bi ? bj : bi;
    for (uint8_t& m : t.merged)
        if (m == from) m = uint8_t(into);
    t.count[into] += t.count[from];
    t.count[from] = 0;
}

}  // namespace

int reduce(int start, int count, uint8_t* palette) {
    const core::ActiveBuffer& vb = core::active();
    if (!palette || !core::has_active() || vb.depth != 8 || count < 1 || start < 0 || count > 256 - start) return 0;
    // The region is the clip rectangle (cut to the buffer): counted and renumbered alike.
    const core::ClipRect c = core::drawing_clip();
    const bool any = !core::empty(c);
    uint8_t* first = any ? core::pixel_address(vb, c.minx, c.maxy) : nullptr;  // lowest address
    const int columns = c.maxx - c.minx + 1, rows = c.maxy - c.miny + 1;

    // Four partial counts, so that runs of one value do not wait on their own increments.
    uint32_t partial[4][256]{};
    for (int r = 0; any && r < rows; ++r) {
        const uint8_t* p = first + ptrdiff_t(r) * vb.pitch;
        int i = 0;
        for (; i + 4 <= columns; i += 4) {
            ++partial[0][p[i]];
            ++partial[1][p[i + 1]];
            ++partial[2][p[i + 2]];
            ++partial[3][p[i + 3]];
        }
        for (; i < columns; ++i) ++partial[0][p[i]];
    }
    Tables t{};
    int used = 0;
    for (int k = 0; k < 256; ++k) {
        t.count[k] = partial[0][k] + partial[1][k] + partial[2][k] + partial[3][k];
        t.merged[k] = uint8_t(k);
        if (t.count[k]) ++used;
    }
    if (used > count) {
        const std::vector<uint32_t> distance = distances(palette);
        for (; used > count; --used) merge_closest(t, distance);
    }

    // Survivors numbered in index order; their colours move down to their new entries.
    uint8_t number[256]{};
    int next = 0;
    for (int k = 0; k < 256; ++k) {
        if (!t.count[k]) continue;
        number[k] = uint8_t(next);
        std::memmove(palette + 3 * next, palette + 3 * k, 3);
        ++next;
    }
    uint8_t final_index[256];
    for (int k = 0; k < 256; ++k) final_index[k] = uint8_t(number[t.merged[k]] + start);
    if (start != 0) {
        std::memmove(palette + 3 * start, palette, size_t(3 * count));
        std::memset(palette, 0, size_t(3 * start));
        std::memset(palette + 3 * (start + count), 0, size_t(3 * (256 - start - count)));
    }

    for (int r = 0; any && r < rows; ++r) {
        uint8_t* p = first + ptrdiff_t(r) * vb.pitch;
        for (int i = 0; i < columns; ++i) p[i] = final_index[p[i]];
    }
    return 0;
}

}  // namespace image
