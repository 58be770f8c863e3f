// Flood fill. The area is every pixel of the seed pixel's colour (the old colour) that is
// connected to the seed through horizontal and vertical neighbours; any other colour
// bounds it. rs_flood keeps the area inside the clip rectangle, rs_paint inside the
// buffer.
//
// Scan-line seed fill: a seed grows into the widest span of old-colour pixels on its row,
// the span is filled in one block store, and every run of old-colour pixels touching the
// span from the row above or below gets one seed. Seeds live on a heap stack that grows
// as needed, so the depth of an area (a maze) costs memory, never process stack. Runs are
// found by comparing whole blocks of pixels against a tile of the colour with memcmp
// before falling back to single pixels, which keeps large open areas near memory speed.
#include "draw/flood.h"

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

struct Seed {
    int32_t x, y;
};

// LIFO stack of seeds in heap memory, doubling when full. push reports false when memory
// runs out; the fill then stops where it is.
class SeedStack {
public:
    SeedStack() = default;
    SeedStack(const SeedStack&) = delete;
    SeedStack& operator=(const SeedStack&) = delete;
    ~SeedStack() { std::free(data_); }

    bool push(int x, int y) {
        if (size_ == capacity_ && !grow()) return false;
        data_[size_++] = {x, y};
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

// A run of one pixel value as bytes, 192 long: whole pixels at every depth (192 is a
// multiple of 1, 2, 3 and 4), so a block of pixels starting at any pixel compares with it.
template <class D>
struct Tile {
    static constexpr int bytes = 192;
    static constexpr int pixels = bytes / D::bytes;
    uint32_t value;
    uint8_t b[bytes];
    explicit Tile(uint32_t v) : value(v) {
        for (int i = 0; i < bytes; i += D::bytes) D::store(b + i, v);
    }
};

// Pixels of the tile's value from p rightward, at most n.
template <class D>
int run_right(const uint8_t* p, int n, const Tile<D>& t) {
    int i = 0;
    while (n - i >= t.pixels && std::memcmp(p + i * D::bytes, t.b, t.bytes) == 0) i += t.pixels;
    while (i < n && D::load(p + i * D::bytes) == t.value) ++i;
    return i;
}

// Pixels of the tile's value leftward from the pixel before end, at most n.
template <class D>
int run_left(const uint8_t* end, int n, const Tile<D>& t) {
    int i = 0;
    while (n - i >= t.pixels && std::memcmp(end - (i + t.pixels) * D::bytes, t.b, t.bytes) == 0) i += t.pixels;
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
    // One seed for each run of old-colour pixels in xl..xr of row y, at its leftmost pixel.
    auto seed_runs = [&](int xl, int xr, int y) {
        const uint8_t* row = core::row_address(vb, y);
        for (int u = xl; u <= xr;) {
            const uint8_t* p = row + u * D::bytes;
            if (D::load(p) == old.value) {
                if (!stack.push(u, y)) return false;
                u += run_right<D>(p, xr - u + 1, old);
            } else {
                u += 1 + run_right<D>(p + D::bytes, xr - u, fresh);
            }
        }
        return true;
    };

    Seed s{sx, sy};
    do {
        uint8_t* row = core::row_address(vb, s.y);
        uint8_t* p = row + s.x * D::bytes;
        // A seed filled since it was pushed adds nothing: its row neighbours were filled
        // with it and the runs above and below it were seeded then.
        if (D::load(p) != old.value) continue;
        const int xl = s.x - run_left<D>(p, s.x - bounds.minx, old);
        const int xr = s.x + run_right<D>(p + D::bytes, bounds.maxx - s.x, old);
        core::fill_span<D>(row + xl * D::bytes, xr - xl + 1, pattern);
        if (s.y > bounds.miny && !seed_runs(xl, xr, s.y - 1)) return;
        if (s.y < bounds.maxy && !seed_runs(xl, xr, s.y + 1)) return;
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
