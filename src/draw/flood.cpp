// Flood fill. The area is every pixel of the seed pixel's colour (the old colour) that is
// connected to the seed through horizontal and vertical neighbours; any other colour
// bounds it. rs_flood keeps the area inside the clip rectangle, rs_paint inside the
// buffer.
//
// Scan-line seed fill: a seed is a run of old-colour pixels on one row, as wide as the
// bounds allow; it is filled in one block store, and every run of old-colour pixels
// touching it from the row above or below becomes a seed. Seeds live on a heap stack that
// grows as needed, so the depth of an area (a maze) costs memory, never process stack.
// The area filled is the same whatever order the seeds are taken in.
//
// Two things keep large areas near memory speed. A seed carries its whole run, found when
// it was pushed, so its row is not scanned again; and it remembers the span it was found
// from, whose pixels are filled already, so that part of the row back is not scanned.
// Runs are found by comparing blocks of pixels against a tile of the colour with memcmp
// before falling back to single pixels.
#include "draw/flood.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/clip.h"
#include "core/color.h"
#include "core/pixel.h"
#include "core/vbuf.h"
#include "core/world.h"

namespace draw {
namespace {

// A run xl..xr of old-colour pixels on row y, widest within the bounds when it was found,
// and the span pl..pr on row y + from it was found next to (from 0: none).
struct Seed {
    int32_t xl, xr, y;
    int32_t pl, pr, from;
};

// LIFO stack of seeds in heap memory, doubling when full. push reports false when memory
// runs out; the fill then stops where it is.
class SeedStack {
public:
    SeedStack() = default;
    SeedStack(const SeedStack&) = delete;
    SeedStack& operator=(const SeedStack&) = delete;
    ~SeedStack() { std::free(data_); }

    bool push(const Seed& s) {
        if (size_ == capacity_ && !grow()) return false;
        data_[size_++] = s;
        return true;
    }
    bool pop(Seed& s) {
        if (size_ == 0) return false;
        s = data_[--size_];
        return true;
    }

private:
    bool grow() {
        const size_t n = capacity_ ? capacity_ * 2 : 4096;
        if (n > SIZE_MAX / sizeof(Seed)) return false;
        void* p = std::realloc(data_, n * sizeof(Seed));
        if (!p) return false;
        data_ = static_cast<Seed*>(p);
        capacity_ = n;
        return true;
    }

    Seed* data_ = nullptr;
    size_t size_ = 0, capacity_ = 0;
};

// A run of one pixel value as bytes. Blocks of pixels are compared with it 1536 bytes at
// a time, then 192 at a time, then what is left in one piece: the block sizes hold whole
// pixels at every depth (multiples of 1, 2, 3 and 4), so a block starting at any pixel
// compares with the tile's start. Runs in mazes are short, so the first pixels are looked
// at one by one before any block.
template <class D>
struct Tile {
    static constexpr int small_bytes = 192, big_bytes = 8 * small_bytes;
    static constexpr int small_pixels = small_bytes / D::bytes, big_pixels = big_bytes / D::bytes;
    static constexpr int first_pixels = 16;
    uint32_t value;
    uint8_t b[big_bytes];
    explicit Tile(uint32_t v) : value(v) {
        for (int i = 0; i < big_bytes; i += D::bytes) D::store(b + i, v);
    }
};

// Pixels of the tile's value from p rightward, at most n.
template <class D>
int run_right(const uint8_t* p, int n, const Tile<D>& t) {
    int i = 0;
    for (const int first = std::min(n, t.first_pixels); i < first; ++i)
        if (D::load(p + i * D::bytes) != t.value) return i;
    while (n - i >= t.big_pixels && std::memcmp(p + i * D::bytes, t.b, t.big_bytes) == 0) i += t.big_pixels;
    while (n - i >= t.small_pixels && std::memcmp(p + i * D::bytes, t.b, t.small_bytes) == 0) i += t.small_pixels;
    if (n - i < t.small_pixels && std::memcmp(p + i * D::bytes, t.b, size_t(n - i) * D::bytes) == 0) return n;
    while (i < n && D::load(p + i * D::bytes) == t.value) ++i;
    return i;
}

// Pixels of the tile's value leftward from the pixel before end, at most n.
template <class D>
int run_left(const uint8_t* end, int n, const Tile<D>& t) {
    int i = 0;
    for (const int first = std::min(n, t.first_pixels); i < first; ++i)
        if (D::load(end - (i + 1) * D::bytes) != t.value) return i;
    while (n - i >= t.big_pixels && std::memcmp(end - (i + t.big_pixels) * D::bytes, t.b, t.big_bytes) == 0)
        i += t.big_pixels;
    while (n - i >= t.small_pixels && std::memcmp(end - (i + t.small_pixels) * D::bytes, t.b, t.small_bytes) == 0)
        i += t.small_pixels;
    if (n - i < t.small_pixels && std::memcmp(end - n * D::bytes, t.b, size_t(n - i) * D::bytes) == 0) return n;
    while (i < n && D::load(end - (i + 1) * D::bytes) == t.value) ++i;
    return i;
}

// color_value's pattern for a pixel value: the value in every pixel of a 32-bit word.
template <class D>
constexpr uint32_t replicated(uint32_t v) {
    return D::bytes == 1 ? v * 0x01010101u : D::bytes == 2 ? v * 0x00010001u : v;
}

// Fills the area around (sx, sy), which lies inside bounds, keeping to bounds (inside the
// buffer). The fill writes and compares one pixel value, the one single-pixel writes use:
// filled pixels then never match the old colour again, so the fill ends even when the
// current colour was prepared for another depth.
template <class D>
void seed_fill(const core::ActiveBuffer& vb, const core::ClipRect& bounds, int sx, int sy) {
    const uint32_t fill = core::current_pixel<D>();
    const Tile<D> old(D::load(core::pixel_address(vb, sx, sy)));
    if (old.value == fill) return;
    const Tile<D> fresh(fill);
    const uint32_t pattern = replicated<D>(fill);

    SeedStack stack;
    // Seeds for the runs of old-colour pixels on row y that touch a..b, each widened to the
    // bounds. Only a run starting at a can reach further left: any later one follows a
    // pixel that is not old.
    auto seed_runs = [&](int a, int b, int y, const Seed& parent, int from) {
        const uint8_t* row = core::row_address(vb, y);
        for (int u = a; u <= b;) {
            const uint8_t* p = row + u * D::bytes;
            if (D::load(p) == old.value) {
                const int xl = u == a ? u - run_left<D>(p, u - bounds.minx, old) : u;
                const int xr = u + run_right<D>(p + D::bytes, bounds.maxx - u, old);
                if (!stack.push({xl, xr, y, parent.xl, parent.xr, from})) return false;
                u = xr + 2;
            } else {
                u += 1 + run_right<D>(p + D::bytes, b - u, fresh);
            }
        }
        return true;
    };
    // The rows above and below a filled span; toward the span it came from, only the parts
    // reaching past that span.
    auto seed_neighbours = [&](const Seed& s) {
        for (int d : {-1, 1}) {
            const int y = s.y + d;
            if (y < bounds.miny || y > bounds.maxy) continue;
            if (d != s.from) {
                if (!seed_runs(s.xl, s.xr, y, s, -d)) return false;
                continue;
            }
            if (s.xl < s.pl && !seed_runs(s.xl, s.pl - 1, y, s, -d)) return false;
            if (s.xr > s.pr && !seed_runs(s.pr + 1, s.xr, y, s, -d)) return false;
        }
        return true;
    };

    const uint8_t* p = core::pixel_address(vb, sx, sy);
    Seed s{sx - run_left<D>(p, sx - bounds.minx, old), sx + run_right<D>(p + D::bytes, bounds.maxx - sx, old), sy,
           0, -1, 0};
    do {
        uint8_t* row = core::row_address(vb, s.y);
        // A run that lost a pixel since it was pushed was filled whole by the span that
        // took it, so its first pixel tells.
        if (D::load(row + s.xl * D::bytes) != old.value) continue;
        core::fill_span<D>(row + s.xl * D::bytes, s.xr - s.xl + 1, pattern);
        if (!seed_neighbours(s)) return;
    } while (stack.pop(s));
}

int fill_within(const core::ClipRect& bounds, int x, int y) {
    if (x < bounds.minx || x > bounds.maxx || y < bounds.miny || y > bounds.maxy) return 0;
    const core::ActiveBuffer& vb = core::active();
    core::with_depth(vb.depth, [&](auto d) { seed_fill<decltype(d)>(vb, bounds, x, y); });
    return 0;
}

}  // namespace

int flood(int x, int y) {
    if (!core::has_active()) return 0;
    return fill_within(core::drawing_clip(), x, y);
}

int paint(int x, int y) {
    if (!core::has_active()) return 0;
    const core::ActiveBuffer& vb = core::active();
    return fill_within({0, vb.width - 1, 0, vb.height - 1}, x, y);
}

int flood_world(double x, double y) { return flood(core::x_screen(x), core::y_screen(y)); }
int paint_world(double x, double y) { return paint(core::x_screen(x), core::y_screen(y)); }

}  // namespace draw
