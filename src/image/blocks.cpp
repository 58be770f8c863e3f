// Native-depth blocks and saved backgrounds. Every copy is cut to the buffer (and, when
// drawing from caller memory, to the clip rectangle); the caller's block keeps its full
// layout, so a cut only skips the rows and columns that lie outside.
#include "image/blocks.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <vector>

#include "core/clip.h"
#include "core/vbuf.h"
#include "core/world.h"
#include "platform/host.h"

namespace image {
namespace {

// A rectangle's size in bytes at the active depth, or -1 when it is inverted or its size
// does not fit an int.
int64_t block_bytes(int minx, int maxx, int miny, int maxy) {
    if (!core::has_active() || minx > maxx || miny > maxy) return -1;
    // Sides reach 2^32; each is held to INT_MAX first, so neither product can overflow.
    const int64_t width = int64_t(maxx) - minx + 1, height = int64_t(maxy) - miny + 1;
    if (width > INT_MAX || height > INT_MAX || width * height > INT_MAX) return -1;
    const int64_t bytes = width * height * core::bytes_per_pixel(core::active().depth);
    return bytes > INT_MAX ? -1 : bytes;
}

// Runs fn(buffer row address, block row address, bytes) for the part of each row of the
// rectangle that lies inside `cut`; the block holds the whole rectangle, top row first.
template <class Byte, class Fn>
void for_rows(int minx, int maxx, int miny, int maxy, const core::ClipRect& cut, Byte* block, Fn fn) {
    const core::ActiveBuffer& vb = core::active();
    const int bpp = core::bytes_per_pixel(vb.depth);
    const int x0 = std::max(minx, cut.minx), x1 = std::min(maxx, cut.maxx);
    const int y0 = std::max(miny, cut.miny), y1 = std::min(maxy, cut.maxy);
    if (x0 > x1 || y0 > y1) return;
    const int64_t row_bytes = (int64_t(maxx) - minx + 1) * bpp;
    for (int y = y0; y <= y1; ++y)
        fn(core::pixel_address(vb, x0, y), block + (int64_t(y) - miny) * row_bytes + (int64_t(x0) - minx) * bpp,
           size_t(x1 - x0 + 1) * size_t(bpp));
}

core::ClipRect whole_buffer() { return {0, core::active().width - 1, 0, core::active().height - 1}; }

// A save is named by the rectangle as given but keeps only the pixels of its part inside
// the buffer: a rectangle mostly outside costs what it covers, not what it spans.
struct Saved {
    int minx, maxx, miny, maxy, depth;
    core::ClipRect kept;  // empty (minx > maxx) when the rectangle misses the buffer
    std::vector<uint8_t> pixels;
};

std::vector<Saved>& saves() {
    static std::vector<Saved> s;
    return s;
}

constexpr size_t max_saves = 4096;

}  // namespace

int get_block(int minx, int maxx, int miny, int maxy, uint8_t* block) {
    const int64_t bytes = block_bytes(minx, maxx, miny, maxy);
    if (!block || bytes < 0) return -1;
    std::memset(block, 0, size_t(bytes));  // pixels outside the buffer read as 0
    for_rows(minx, maxx, miny, maxy, whole_buffer(), block,
             [](const uint8_t* p, uint8_t* b, size_t n) { std::memcpy(b, p, n); });
    return int(bytes);
}

int put_block(int minx, int maxx, int miny, int maxy, const uint8_t* block) {
    if (!block || block_bytes(minx, maxx, miny, maxy) < 0) return -1;
    for_rows(minx, maxx, miny, maxy, core::drawing_clip(), block,
             [](uint8_t* p, const uint8_t* b, size_t n) { std::memcpy(p, b, n); });
    return 0;
}

int save(int minx, int maxx, int miny, int maxy) {
    // Any size will do: only the part inside the buffer is kept.
    if (!core::has_active() || minx > maxx || miny > maxy) return -1;
    if (saves().size() >= max_saves) return -3;
    if (host::allocation_refused()) return -2;
    const core::ClipRect all = whole_buffer();
    core::ClipRect kept{std::max(minx, all.minx), std::min(maxx, all.maxx), std::max(miny, all.miny),
                        std::min(maxy, all.maxy)};
    size_t kept_bytes = 0;
    if (kept.minx <= kept.maxx && kept.miny <= kept.maxy)
        kept_bytes = size_t(kept.maxx - kept.minx + 1) * size_t(kept.maxy - kept.miny + 1) *
                     size_t(core::bytes_per_pixel(core::active().depth));
    else
        kept = {0, -1, 0, -1};
    try {
        Saved s{minx, maxx, miny, maxy, core::active().depth, kept, std::vector<uint8_t>(kept_bytes)};
        for_rows(kept.minx, kept.maxx, kept.miny, kept.maxy, all, s.pixels.data(),
                 [](const uint8_t* p, uint8_t* b, size_t n) { std::memcpy(b, p, n); });
        saves().push_back(std::move(s));
    } catch (const std::bad_alloc&) {
        return -2;
    }
    return 0;
}

int restore(int minx, int maxx, int miny, int maxy) {
    std::vector<Saved>& all = saves();
    // The latest save of this rectangle, so that nested saves of one place unwind in order.
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        if (it->minx != minx || it->maxx != maxx || it->miny != miny || it->maxy != maxy) continue;
        if (!core::has_active() || it->depth != core::active().depth) return -1;
        const core::ClipRect& k = it->kept;
        for_rows(k.minx, k.maxx, k.miny, k.maxy, whole_buffer(), it->pixels.data(),
                 [](uint8_t* p, const uint8_t* b, size_t n) { std::memcpy(p, b, n); });
        all.erase(std::next(it).base());
        return 0;
    }
    return -1;
}

int save_world(double minx, double maxx, double miny, double maxy) {
    const core::ScreenRect r = core::screen_rect(minx, maxx, miny, maxy);
    return save(r.minx, r.maxx, r.miny, r.maxy);
}

int restore_world(double minx, double maxx, double miny, double maxy) {
    const core::ScreenRect r = core::screen_rect(minx, maxx, miny, maxy);
    return restore(r.minx, r.maxx, r.miny, r.maxy);
}

void forget_saved() { std::vector<Saved>().swap(saves()); }

}  // namespace image
