// Shared test fixtures: a started library, buffers at each depth, pixel access, snapshots
// that tell which pixels a call changed, and caller arrays with guard bytes around them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/color.h"
#include "core/palette.h"
#include "core/present.h"
#include "core/vbuf.h"
#include "platform/common/dib.h"
#include "platform/common/objects.h"
#include "rsw32.h"
#include "rsw32_platform.h"

namespace test {

using Point = std::pair<int, int>;  // (x, y)
using PointSet = std::set<Point>;

// Values compared at once: EXPECT_EQ(list(a, b), list(1, 2)). Arguments evaluate in any order.
template <class T, class... U>
std::array<T, 1 + sizeof...(U)> list(T first, U... rest) { return {first, T(rest)...}; }

// The library started on a 32-bit display, short headers; ended with every buffer released.
class Library : public ::testing::Test {
protected:
    void SetUp() override { rsp_set_display_depth(32), rsp_set_nt_family(1), rs_vbinit(); }
    void TearDown() override { rs_vbclose(), rs_vbfree(-1), rs_vbfin(), rsp_set_display_depth(32), rsp_set_nt_family(1); }
};

// The library with the headless host's pointer, keys, clock and display modes as a fresh
// host has them, and put back so afterwards.
class HeadlessInput : public Library {
protected:
    void SetUp() override {
        rsp_input_reset();
        Library::SetUp();
    }
    void TearDown() override {
        Library::TearDown();
        rsp_input_reset();
    }
};

// The same test body at 8, 16, 24 and 32 bits.
class EachDepth : public Library, public ::testing::WithParamInterface<int> {
protected:
    int depth() const { return GetParam(); }
    int bpp() const { return depth() / 8; }
    uint32_t mask() const { return depth() == 32 ? ~0u : (1u << depth()) - 1; }
    // A colour whose pixel bytes are all non-zero and different from each other.
    int ink() const { return depth() == 8 ? 0xA5 : depth() == 16 ? 0xA5C3 : 0x5AA5C3E1; }
    uint32_t ink_pixel() const { return uint32_t(ink()) & mask(); }
    // Allocates and opens a buffer of the test's depth; start() also selects the ink.
    int open(int width, int height) {
        const int vb = (rs_vbdepth(depth()), rs_vballoc(width, height));
        EXPECT_EQ(rs_vbopen(vb), 0) << width << " x " << height;
        return vb;
    }
    int start(int width, int height) { return rs_vbdepth(depth()), rs_vbopen(rs_vballoc(width, height)), rs_setcolor(ink()), rs_vbhandle(); }
};

#define RSW32_EACH_DEPTH(suite)                                              \
    INSTANTIATE_TEST_SUITE_P(Depths, suite, ::testing::Values(8, 16, 24, 32), \
                             [](const auto& info) { return "bits" + std::to_string(info.param); })

// A buffer's raw little-endian pixels, rows bottom-up; by default the active (or last opened) one.
struct View {
    int handle, width, height, depth;
    View() : handle(rs_vbhandle()), width(rs_getmaxx() + 1), height(rs_getmaxy() + 1), depth(rs_getdepth()) {}
    View(int h, int w, int ht, int d) : handle(h), width(w), height(ht), depth(d) {}
    uint8_t* base() const { return static_cast<uint8_t*>(rs_vbaddr(handle)); }
    size_t size() const { return size_t(width) * size_t(height) * size_t(depth / 8); }
    size_t offset(int x, int y) const { return (size_t(height - 1 - y) * size_t(width) + size_t(x)) * size_t(depth / 8); }
    uint8_t* at(int x, int y) const { return base() + offset(x, y); }
    uint32_t get(int x, int y) const { return load(at(x, y)); }
    uint32_t load(const uint8_t* p) const { uint32_t v = 0; return std::memcpy(&v, p, size_t(depth / 8)), v; }
    void put(int x, int y, uint32_t v) const { std::memcpy(at(x, y), &v, size_t(depth / 8)); }
    std::vector<uint8_t> bytes() const { return {base(), base() + size()}; }
    void scramble(unsigned salt = 0) const {  // every byte unlike its neighbours
        for (size_t i = 0; i < size(); ++i) base()[i] = uint8_t(i * 13 + salt * 101 + i / 61);
    }
};

inline uint32_t raw_pixel(int x, int y) { return View().get(x, y); }

// Address of pixel (x, y) of a buffer, from the public interface alone: rows bottom-up.
inline uint8_t* pixel_at(int handle, int x, int y, int width, int height, int depth) {
    auto* base = static_cast<uint8_t*>(rs_vbaddr(handle));
    return base + size_t(height - 1 - y) * size_t(width) * size_t(depth / 8) + size_t(x) * size_t(depth / 8);
}

// A copy of a buffer's pixels, and which of them differ now.
struct Snapshot : View {
    std::vector<uint8_t> saved = bytes();
    Snapshot() = default;
    explicit Snapshot(const View& v) : View(v), saved(v.bytes()) {}
    uint32_t value(int x, int y) const { return load(saved.data() + offset(x, y)); }
    PointSet changed() const {
        PointSet out;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (get(x, y) != value(x, y)) out.insert({x, y});
        return out;
    }
};

// The pixels of the active buffer that fn changes.
template <class Fn>
PointSet drawn(Fn&& fn) {
    const Snapshot before;
    return fn(), before.changed();
}

inline PointSet area(int minx, int maxx, int miny, int maxy) {
    PointSet s;
    for (int y = miny; y <= maxy; ++y)
        for (int x = minx; x <= maxx; ++x) s.insert({x, y});
    return s;
}

inline PointSet shifted(const PointSet& s, int dx, int dy) {
    PointSet out;
    for (auto [x, y] : s) out.insert({x + dx, y + dy});
    return out;
}

// A caller array of n bytes with guard bytes on both sides, to catch writes past its ends.
class Guarded {
public:
    static constexpr size_t guard = 32;
    static constexpr uint8_t pattern = 0xA5;
    explicit Guarded(size_t n, uint8_t fill = 0) : bytes_(n + 2 * guard, pattern), n_(n) {
        for (size_t i = 0; i < n; ++i) bytes_[guard + i] = fill;
    }
    explicit Guarded(const std::vector<uint8_t>& content) : Guarded(content.size()) {
        std::copy(content.begin(), content.end(), data());
    }
    uint8_t* data() { return bytes_.data() + guard; }
    uint8_t& operator[](size_t i) { return data()[i]; }
    size_t size() const { return n_; }
    std::vector<uint8_t> contents() const { return {bytes_.begin() + ptrdiff_t(guard), bytes_.begin() + ptrdiff_t(guard + n_)}; }
    bool guards_intact() const {
        for (size_t i = 0; i < guard; ++i)
            if (bytes_[i] != pattern || bytes_[guard + n_ + i] != pattern) return false;
        return true;
    }

private:
    std::vector<uint8_t> bytes_;
    size_t n_;
};

// A 3D matrix read with rs_3Dgetmatrix(which), and its bit patterns, so that comparisons
// count signed zeros and the last bit.
using M12 = std::array<double, 12>;
inline M12 matrix3d(int which) {
    M12 m{};
    rs_3Dgetmatrix(m.data(), which);
    return m;
}
inline std::array<uint64_t, 12> bits(const M12& m) {
    std::array<uint64_t, 12> b{};
    for (size_t i = 0; i < 12; ++i) b[i] = std::bit_cast<uint64_t>(m[i]);
    return b;
}
constexpr M12 identity3d = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};

}  // namespace test
